// While the tool waits in a modal window of its own (a message box, a dialog,
// the progress of a copy, a switch of mod sets), what arrives meanwhile must
// not start a second command under it: drops wait, the lists are not
// refreshed. Each such window is held in a BusyScope.
#pragma once

#include <windows.h>

// Posted to the main window when the tool is free again, once asked for.
const UINT WM_APP_FREE_AGAIN = WM_APP + 1;

class BusyScope {
public:
    BusyScope();
    ~BusyScope();  // the outermost one posts WM_APP_FREE_AGAIN if it was asked for
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

bool IsBusy();

// The main window held from input while a long piece of work runs (copies, a
// switch), the tool busy meanwhile. A main window that a dialog of the tool
// already holds disabled stays so. The focus goes back where it was when the
// main window is active again.
class InputHeld {
public:
    InputHeld();
    ~InputHeld();  // Release(), then the focus back
    InputHeld(const InputHeld&) = delete;
    InputHeld& operator=(const InputHeld&) = delete;

    // Gives the main window its input back, before a window it owns closes,
    // so that the activation returns to it.
    void Release();

private:
    BusyScope busy_;
    HWND focus_;
    bool held_;
};

// WM_APP_FREE_AGAIN reaches the main window once the outermost BusyScope has
// ended, or at once when none is open.
void NotifyWhenFree();
