// What the player sees of a switch: its progress, the messages of its
// outcome and of a journal put back, and the lists rebuilt afterwards.
#pragma once

#include <windows.h>

#include <memory>

#include "shared/progress_window.h"
#include "switching/folder_switch.h"

// The progress of a switch, or of putting one back, once it has run for half
// a second: "Switching mods", "1,200 of 10,000".
class SwitchProgressView {
public:
    void Show(SwitchPhase phase, size_t done, size_t total);
    void Close() { window_.reset(); }
    // As a SwitchWatch's progress.
    std::function<void(SwitchPhase, size_t, size_t)> Watcher();

private:
    std::unique_ptr<ProgressWindow> window_;
    SwitchPhase phase_ = SwitchPhase::Switching;
};

// The messages of a journal put back (none when there was none).
void TellPutBack(HWND owner, const PutBackReport& report);
// The message of a switch that did not switch; for one held up by an earlier
// switch of a folder not at hand, the question whether to give that one up.
void TellSwitchOutcome(HWND owner, const SwitchOutcome& outcome);

// The lists as the folder has them now, as a rescan leaves them.
void ShowFolderAsItIs();

// True when a journal waits in the registry: the start puts it back once the
// window shows (PutBackAtStart).
bool JournalWaiting();
// At start, once the window shows, unless another copy of the tool is
// switching: puts back what a switch that was cut off (killed, crashed,
// power cut) or failed had left, with its progress, rebuilds the lists and
// tells the player.
void PutBackAtStart();
