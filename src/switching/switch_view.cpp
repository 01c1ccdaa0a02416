#include "switching/switch_view.h"

#include "mods/directory_scan.h"
#include "mods/list_state.h"
#include "mods/mod_lists.h"
#include "shared/folder_listing.h"
#include "shared/locale_format.h"
#include "shared/messages.h"
#include "shared/text_format.h"
#include "shared/window_state.h"

namespace {

const size_t kNamesInAMessage = 10;

}  // namespace

void SwitchProgressView::Show(SwitchPhase phase, size_t done, size_t total)
{
    if (!window_ || phase != phase_) {
        window_ = std::make_unique<ProgressWindow>(TextFor(Text::SwitchCaption), false);
        phase_ = phase;
    }
    if (!window_->Due())
        return;
    std::string count = TextFor(Text::CountOf, {FormatCount(done), FormatCount(total)});
    window_->Update(TextFor(phase == SwitchPhase::Switching ? Text::Switching : Text::PuttingBack), count, done,
                    total, done < total);
}

std::function<void(SwitchPhase, size_t, size_t)> SwitchProgressView::Watcher()
{
    return [this](SwitchPhase phase, size_t done, size_t total) { Show(phase, done, total); };
}

void TellPutBack(HWND owner, const PutBackReport& report)
{
    using Outcome = PutBackReport::Outcome;
    bool owedKind = report.kind == JournalKind::Owed;
    std::string owed = NameList(report.owed, kNamesInAMessage);
    switch (report.outcome) {
    case Outcome::Nothing: return;
    case Outcome::Unreadable: ShowMessage(owner, Message::SwitchJournalUnreadable); return;
    case Outcome::OtherFolder: ShowMessage(owner, Message::SwitchJournalOtherFolder, {report.folder}); return;
    case Outcome::FolderMissing:
        if (owedKind)
            ShowMessage(owner, Message::SwitchOwedFolderMissing, {owed, report.folder});
        else
            ShowMessage(owner, Message::SwitchCutOffFolderMissing, {report.folder});
        return;
    case Outcome::PutBack:
        if (!owedKind && report.owed.empty())
            ShowMessage(owner, Message::SwitchCutOff);
        else if (!owedKind)
            ShowMessage(owner, Message::SwitchCutOffNotUndone, {owed});
        else if (!report.owed.empty())
            ShowMessage(owner, Message::SwitchOwedNotPutBack, {owed});
        else if (!report.putBack.empty())
            ShowMessage(owner, Message::SwitchOwedPutBack, {NameList(report.putBack, kNamesInAMessage)});
        if (!report.refused.empty())
            ShowMessage(owner, Message::SwitchJournalRefused, {NameList(report.refused, kNamesInAMessage)});
        return;
    }
}

void TellSwitchOutcome(HWND owner, const SwitchOutcome& outcome)
{
    using Result = SwitchOutcome::Result;
    switch (outcome.result) {
    case Result::Switched:
    case Result::NothingToDo: return;
    case Result::Elsewhere: ShowMessage(owner, Message::SwitchElsewhere); return;
    case Result::EarlierPending:
        if (outcome.earlierElsewhere.empty())
            ShowMessage(owner, Message::SwitchAfterEarlier);
        else if (ShowMessage(owner, Message::SwitchForgetEarlier, {outcome.earlierElsewhere}) == IDYES)
            ForgetJournalOf(outcome.earlierElsewhere);
        return;
    case Result::NotJournalled: ShowMessage(owner, Message::SwitchNotJournalled); return;
    case Result::Failed: ShowMessage(owner, Message::SwitchFailed, {outcome.failed}); return;
    case Result::NotPutBack:
        ShowMessage(owner, Message::SwitchNotUndone, {outcome.failed, outcome.notPutBack});
        return;
    }
}

void ShowFolderAsItIs()
{
    if (FolderExists(ModDirectory)) {
        ClearModLists();
        RescanModDirectory();
    }
    ShowListState(ListChange::Reset);
}

bool JournalWaiting()
{
    return !ReadSwitchJournal().empty();
}

void PutBackAtStart()
{
    SwitchLock lock;
    if (!lock.Held())
        return;  // another copy of the tool is switching: its journal is live
    PutBackReport report;
    {
        SwitchProgressView progress;
        report = PutBackJournal(ModDirectory, [&progress](size_t done, size_t total) {
            progress.Show(SwitchPhase::PuttingBack, done, total);
        });
    }
    if (!report.putBack.empty())
        ShowFolderAsItIs();
    TellPutBack(MainWindow, report);
}
