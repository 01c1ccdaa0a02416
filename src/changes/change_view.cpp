#include "changes/change_view.h"

#include "mods/directory_scan.h"
#include "mods/list_state.h"
#include "mods/mod_lists.h"
#include "mods/mod_names.h"
#include "shared/folder_listing.h"
#include "shared/locale_format.h"
#include "shared/messages.h"
#include "shared/text_format.h"
#include "shared/window_state.h"

namespace {

const size_t kNamesInAMessage = 10;

std::string Names(const std::vector<std::string>& names)
{
    return NameList(names, kNamesInAMessage);
}

bool InUse(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

// A switch put back, or what a failed switch owed.
void TellSwitchPutBack(HWND owner, const RecoveryReport& report)
{
    bool owed = report.phase == ChangePhase::Owed;
    if (!owed && report.owed.empty())
        ShowMessage(owner, Message::SwitchCutOff);
    else if (!owed)
        ShowFailure(owner, Message::SwitchCutOffNotUndone, report.error, {Names(report.owed)});
    else if (!report.owed.empty())
        ShowFailure(owner, Message::SwitchOwedNotPutBack, report.error, {Names(report.owed)});
    else if (!report.putBack.empty())
        ShowMessage(owner, Message::SwitchOwedPutBack, {Names(report.putBack)});
}

// An update or a restore finished, undone, or not put in order yet.
void TellVersionRepair(HWND owner, const RecoveryReport& report)
{
    using Outcome = RecoveryReport::Outcome;
    std::string mod = DisplayName(report.mod);
    bool update = report.kind == ChangeKind::Update;
    if (!report.owed.empty())
        ShowFailure(owner, Message::VersionCutOffNotRepaired, report.error, {mod});
    else if (!report.inRecycleBin.empty())
        ShowMessage(owner, Message::UpdateCutOffUndoneOlderInBin, {mod, Names(report.inRecycleBin)});
    else if (report.outcome == Outcome::Finished)
        ShowMessage(owner, update ? Message::UpdateCutOffFinished : Message::RestoreCutOffFinished, {mod});
    else
        ShowMessage(owner, update ? Message::UpdateCutOffUndone : Message::RestoreCutOffUndone, {mod});
}

// The question whether to give up a change that cannot be put in order here.
bool GiveUpAsked(HWND owner, const RecoveryReport& report)
{
    bool agreed =
        report.kind == ChangeKind::Switch
            ? ShowMessage(owner, Message::SwitchForgetEarlier, {report.folder}) == IDYES
            : ShowMessage(owner, Message::VersionChangeOwed, {DisplayName(report.mod), report.folder}) == IDYES;
    return agreed && GiveUpJournalOf(report.folder);
}

}  // namespace

void ChangeProgressView::Show(ChangeStage stage, size_t done, size_t total)
{
    if (!window_ || stage != stage_) {
        Text caption = kind_ == ChangeKind::Switch ? Text::SwitchCaption : Text::UpdatingCaption;
        window_ = std::make_unique<ProgressWindow>(TextFor(caption), false);
        stage_ = stage;
    }
    if (!window_->Due())
        return;
    std::string count = TextFor(Text::CountOf, {FormatCount(done), FormatCount(total)});
    window_->Update(TextFor(stage == ChangeStage::PuttingBack ? Text::PuttingBack : Text::Switching), count, done,
                    total, done < total);
}

ChangeProgress ChangeProgressView::Watcher()
{
    return [this](ChangeStage stage, size_t done, size_t total) { Show(stage, done, total); };
}

void ShowFolderAsItIs()
{
    if (FolderExists(ModDirectory)) {
        ClearModLists();
        RescanModDirectory();
    }
    ShowListState(ListChange::Reset);
}

void TellHeld(HWND owner, FolderWork holder)
{
    switch (holder) {
    case FolderWork::Switch: ShowMessage(owner, Message::SwitchElsewhere); return;
    case FolderWork::Update:
    case FolderWork::Restore: ShowMessage(owner, Message::VersionChangeElsewhere); return;
    case FolderWork::Search: ShowMessage(owner, Message::SearchElsewhere); return;
    case FolderWork::PutInOrder:
    case FolderWork::Unknown: ShowMessage(owner, Message::FolderHeld); return;
    }
}

void TellRecovery(HWND owner, const RecoveryReport& report)
{
    using Outcome = RecoveryReport::Outcome;
    if (report.kind == ChangeKind::MoveIn && report.outcome != Outcome::Nothing &&
        report.outcome != Outcome::Unreadable) {
        // Put back into the virtual copy; what could not be waits for a later start.
        if (report.owed.empty())
            ShowMessage(owner, Message::MoveInCutOff);
        else
            ShowFailure(owner, Message::MoveInNotPutBack, report.error, {Names(report.owed)});
        return;
    }
    bool switchKind = report.kind == ChangeKind::Switch;
    std::string mod = DisplayName(report.mod);
    switch (report.outcome) {
    case Outcome::Nothing: return;
    case Outcome::Unreadable: ShowMessage(owner, Message::SwitchJournalUnreadable); return;
    case Outcome::FolderMissing:
        if (!switchKind)
            ShowMessage(owner, Message::VersionCutOffFolderMissing, {mod, report.folder});
        else if (report.phase == ChangePhase::Owed)
            ShowMessage(owner, Message::SwitchOwedFolderMissing, {Names(report.owed), report.folder});
        else
            ShowMessage(owner, Message::SwitchCutOffFolderMissing, {report.folder});
        return;
    case Outcome::OtherFolder:
        if (switchKind)
            ShowMessage(owner, Message::SwitchJournalOtherFolder, {report.folder});
        else
            ShowMessage(owner, Message::VersionCutOffOtherFolder, {mod, report.folder});
        return;
    case Outcome::Changed: ShowMessage(owner, Message::VersionCutOffChanged, {mod}); return;
    case Outcome::PutBack:
    case Outcome::Finished:
    case Outcome::Undone:
        if (switchKind)
            TellSwitchPutBack(owner, report);
        else
            TellVersionRepair(owner, report);
        if (!report.refused.empty())
            ShowMessage(owner, Message::SwitchJournalRefused, {Names(report.refused)});
        return;
    }
}

void TellChangeOutcome(HWND owner, ChangeKind kind, const std::string& mod, const ChangeOutcome& outcome)
{
    using Result = ChangeOutcome::Result;
    std::string name = DisplayName(mod);
    bool update = kind == ChangeKind::Update;
    switch (outcome.result) {
    case Result::Done:
    case Result::Cancelled: return;
    case Result::Held: TellHeld(owner, outcome.holder); return;
    case Result::EarlierPending:
        ShowMessage(owner, kind == ChangeKind::Switch ? Message::SwitchAfterEarlier : Message::FolderHeld);
        return;
    case Result::NotJournalled:
    case Result::Failed:
        if (kind == ChangeKind::Switch && outcome.result == Result::NotJournalled)
            ShowFailure(owner, Message::SwitchNotJournalled, outcome.error);
        else if (kind == ChangeKind::Switch)
            ShowFailure(owner, Message::SwitchFailed, outcome.error, {outcome.failed});
        else if (update && outcome.failed == NamesOfVersions(mod).olderFolder)
            ShowFailure(owner, Message::UpdateNotRecycled, outcome.error, {name});
        else if (InUse(outcome.error))
            ShowFailure(owner, update ? Message::UpdateInUse : Message::RestoreInUse, outcome.error, {name});
        else
            ShowFailure(owner, update ? Message::UpdateFailed : Message::RestoreFailed, outcome.error, {name});
        return;
    case Result::NotPutBack:
        if (kind == ChangeKind::Switch)
            ShowFailure(owner, Message::SwitchNotUndone, outcome.error, {outcome.failed, outcome.owed.front()});
        else
            ShowFailure(owner, update ? Message::UpdateNotPutBack : Message::RestoreNotPutBack, outcome.error,
                        {name});
        return;
    }
}

bool BeginChange(HWND owner, const FolderLock& lock, ChangeKind kind, ChangeProgressView& progress)
{
    // With none left the change goes on; the engine refuses it when another
    // copy holds the folder.
    if (!JournalLeft())
        return true;
    if (!lock.Held()) {
        TellHeld(owner, lock.Holder());
        return false;
    }
    RecoveryReport report = PutInOrder(ModDirectory, progress.Watcher());
    progress.Close();
    if (!report.putBack.empty() || report.outcome == RecoveryReport::Outcome::Finished)
        ShowFolderAsItIs();
    TellRecovery(owner, report);
    if (report.Settled())
        return true;
    bool elsewhere = report.outcome == RecoveryReport::Outcome::FolderMissing ||
                     report.outcome == RecoveryReport::Outcome::OtherFolder;
    // A switch given up changes nothing this time, as its question says; an
    // update or a restore goes on.
    if (elsewhere)
        return GiveUpAsked(owner, report) && kind != ChangeKind::Switch;
    if (kind == ChangeKind::Switch)
        ShowMessage(owner, Message::SwitchAfterEarlier);
    return false;
}

void PutChangeInOrderAtStart()
{
    FolderLock lock(FolderWork::PutInOrder);
    if (!lock.Held())
        return;  // another copy of the tool is changing the folder: its journal is live
    RecoveryReport report;
    {
        ChangeProgressView progress(ChangeKind::Switch);
        report = PutInOrder(ModDirectory, progress.Watcher());
    }
    if (!report.putBack.empty() || report.outcome == RecoveryReport::Outcome::Finished)
        ShowFolderAsItIs();
    TellRecovery(MainWindow, report);
}
