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

// WM_APP_FREE_AGAIN reaches the main window once the outermost BusyScope has
// ended, or at once when none is open.
void NotifyWhenFree();
