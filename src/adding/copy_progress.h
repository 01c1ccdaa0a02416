// A batch of copies and its progress window. The main window is disabled for
// the whole batch, and messages are handled after every block, so the window
// stays painted and nothing else starts meanwhile (the tool is busy). Once the
// batch has run for about half a second the progress window appears, owned by
// the main window: the file's name, "2 of 5" for several files, a progress bar
// and Cancel. A short batch shows nothing.
#pragma once

#include <windows.h>

#include <string>

#include "shared/busy.h"

extern const char kProgressWindowClass[];

class CopyBatch {
public:
    explicit CopyBatch(size_t files);
    ~CopyBatch();  // closes the window, enables the main window and gives the focus back
    CopyBatch(const CopyBatch&) = delete;
    CopyBatch& operator=(const CopyBatch&) = delete;

    // Before each file's copy; `index` counts from 0.
    void StartFile(const std::string& name, size_t index);
    bool Cancelled() const { return cancelled_; }

    // The progress routine of CopyWithProgress, with the batch as its context:
    // false once the player pressed Cancel.
    static bool Progress(ULONGLONG done, ULONGLONG total, void* batch);

private:
    void Show();
    void Pump();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    InputHeld held_;
    size_t files_;
    std::string name_;
    size_t index_ = 0;
    ULONGLONG start_;
    HWND window_ = NULL;
    HWND nameLabel_ = NULL, countLabel_ = NULL, bar_ = NULL;
    bool cancelled_ = false;
};
