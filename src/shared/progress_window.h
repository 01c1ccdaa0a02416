// A window that shows how far a long piece of work has come: two lines of
// text and a bar, and Cancel where the work can be cancelled. It appears only
// once the work has run for half a second, owned by the main window, which is
// held from input meanwhile (the tool is busy) and kept painted.
#pragma once

#include <windows.h>

#include <string>

#include "shared/busy.h"

extern const char kProgressWindowClass[];

class ProgressWindow {
public:
    // With `cancellable`, every message that waits is handled while the work
    // runs, so that Cancel can be pressed; otherwise only painting and what
    // other threads and programs send.
    ProgressWindow(const std::string& caption, bool cancellable);
    ~ProgressWindow();  // gives the main window its input back, then closes
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    // True when an Update is due: about every tenth of a second.
    bool Due() const;

    // The lines, shown at once if the window is there.
    void SetLines(const std::string& first, const std::string& second);

    // The lines and the bar at `done` of `total`; the window appears once
    // the work has run for half a second, if `more` is to come. Then what
    // waits is handled.
    void Update(const std::string& first, const std::string& second, ULONGLONG done, ULONGLONG total, bool more);

    bool Cancelled() const { return cancelled_; }
    bool Shown() const { return window_ != NULL; }

private:
    void Show();
    void Pump();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    InputHeld held_;
    std::string caption_, first_, second_;
    bool cancellable_;
    ULONGLONG start_, lastUpdate_ = 0;
    HWND window_ = NULL;
    HWND firstLabel_ = NULL, secondLabel_ = NULL, bar_ = NULL;
    bool cancelled_ = false;
};
