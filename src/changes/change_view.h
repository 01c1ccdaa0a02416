// What the player sees of a change of the mod folder: its progress, and the
// one map from the engine's outcomes and reports to the player's messages.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "changes/change_engine.h"
#include "shared/progress_window.h"

// The progress of a change, or of putting one in order, once it has run for
// half a second: "Switching mods", "1,200 of 10,000".
class ChangeProgressView {
public:
    explicit ChangeProgressView(ChangeKind kind) : kind_(kind) {}
    void Show(ChangeStage stage, size_t done, size_t total);
    void Close() { window_.reset(); }
    // As the engine's progress.
    ChangeProgress Watcher();

private:
    ChangeKind kind_;
    std::unique_ptr<ProgressWindow> window_;
    ChangeStage stage_ = ChangeStage::Changing;
};

// The lists as the folder has them now, as a rescan leaves them.
void ShowFolderAsItIs();

// Another copy of the tool holds the mod folder: what it is doing.
void TellHeld(HWND owner, FolderWork holder);

// What putting a change in order did (nothing when there was none).
void TellRecovery(HWND owner, const RecoveryReport& report);

// What a change did, when it did not do what was asked (the player's own
// cancel aside). `mod` names an update's or a restore's mod.
void TellChangeOutcome(HWND owner, ChangeKind kind, const std::string& mod, const ChangeOutcome& outcome);

// Before a change, with `lock` taken for it: a change left in the journal by
// an earlier one is put in order first and the player told; one that cannot
// be put in order here (its folder missing, or another) is given up only when
// the player agrees. False, told, when the change must not go on: the
// earlier change stays, or another copy of the tool holds the folder and its
// journal (a change that finds none goes on, and the engine refuses it when
// another copy holds the folder).
bool BeginChange(HWND owner, const FolderLock& lock, ChangeKind kind, ChangeProgressView& progress);

// At start, once the window shows: a change left in the journal is put in
// order with its progress, the lists are rebuilt and the player told, unless
// another copy of the tool holds the folder (its change is live).
void PutChangeInOrderAtStart();
