// A batch of copies and its progress window: the file's name, "2 of 5" for
// several files, a progress bar and Cancel. Messages are handled every 20 ms
// of a copy (not after each of its hundreds of blocks), so the window stays
// painted and Cancel is heard, and nothing else starts meanwhile (the tool is
// busy). A short batch shows nothing.
#pragma once

#include <windows.h>

#include <string>

#include "shared/progress_window.h"

class CopyBatch {
public:
    // Captioned "Adding mods" unless `caption` says otherwise.
    explicit CopyBatch(size_t files, const std::string& caption = std::string());
    CopyBatch(const CopyBatch&) = delete;
    CopyBatch& operator=(const CopyBatch&) = delete;

    // Before each file's copy; `index` counts from 0.
    void StartFile(const std::string& name, size_t index);
    bool Cancelled() const { return window_.Cancelled(); }

    // The progress routine of CopyWithProgress, with the batch as its context:
    // false once the player pressed Cancel.
    static bool Progress(ULONGLONG done, ULONGLONG total, void* batch);

private:
    std::string CountText() const;

    ProgressWindow window_;
    ULONGLONG lastReport_ = 0;
    size_t files_;
    std::string name_;
    size_t index_ = 0;
};
