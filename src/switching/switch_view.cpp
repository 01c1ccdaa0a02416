#include "switching/switch_view.h"

#include "changes/change_view.h"

SwitchOutcome SwitchShown(HWND owner, const std::string& folder, const PlanFor& planFor)
{
    SwitchOutcome outcome;
    FolderLock lock(FolderWork::Switch);
    ChangeProgressView progress(ChangeKind::Switch);
    if (!BeginChange(owner, lock, ChangeKind::Switch, progress)) {
        outcome.result = SwitchOutcome::Result::NotSwitched;
        outcome.change.result = ChangeOutcome::Result::EarlierPending;  // told already
        return outcome;
    }
    outcome = SwitchFolder(folder, planFor, progress.Watcher());
    progress.Close();
    ShowFolderAsItIs();
    if (outcome.result == SwitchOutcome::Result::NotSwitched)
        TellChangeOutcome(owner, ChangeKind::Switch, "", outcome.change);
    return outcome;
}
