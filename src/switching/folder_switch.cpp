#include "switching/folder_switch.h"

#include <windows.h>

#include "mods/mod_names.h"
#include "shared/folder_listing.h"
#include "shared/window_state.h"

namespace {

void Tell(const SwitchWatch& watch, SwitchPhase phase, size_t done, size_t total)
{
    if (watch.progress)
        watch.progress(phase, done, total);
}

}  // namespace

std::vector<ListedArchive> ListArchives(const std::string& folder)
{
    std::vector<ListedArchive> archives;
    ForEachEntry(folder, "*", [&archives](const FolderEntry& found) {
        ArchiveKind kind = KindOf(found.name);
        if (kind != ArchiveKind::None)
            archives.push_back({found.name, kind == ArchiveKind::Enabled, found.size});
    });
    return archives;
}

std::vector<ListedArchive> ArchivesNow()
{
    return ListArchives(ModDirectory);
}

SwitchOutcome SwitchFolder(const std::string& folder, const PlanFor& planFor, const SwitchWatch& watch)
{
    SwitchOutcome outcome;
    SwitchLock lock;
    if (!lock.Held()) {
        outcome.result = SwitchOutcome::Result::Elsewhere;
        return outcome;
    }
    if (!ReadSwitchJournal().empty()) {
        PutBackReport earlier = PutBackJournal(
            folder, [&watch](size_t done, size_t total) { Tell(watch, SwitchPhase::PuttingBack, done, total); });
        if (watch.earlierPutBack)
            watch.earlierPutBack(earlier);
        if (!earlier.Settled()) {
            outcome.result = SwitchOutcome::Result::EarlierPending;
            if (earlier.outcome == PutBackReport::Outcome::FolderMissing ||
                earlier.outcome == PutBackReport::Outcome::OtherFolder)
                outcome.earlierElsewhere = earlier.folder;
            return outcome;
        }
    }

    outcome.before = ListArchives(folder);
    SwitchPlan plan = planFor(outcome.before);
    if (plan.renames.empty())
        return outcome;
    // The plan first, always: a rename that the journal does not hold could
    // never be put back after a crash.
    if (!WriteSwitchJournal({JournalKind::Switching, folder, plan.renames})) {
        outcome.result = SwitchOutcome::Result::NotJournalled;
        return outcome;
    }

    size_t done = 0;
    for (; done < plan.renames.size(); ++done) {
        if (!RenameInFolder(folder, plan.renames[done], FlippedName(plan.renames[done]))) {
            outcome.failed = plan.renames[done];
            break;
        }
        Tell(watch, SwitchPhase::Switching, done + 1, plan.renames.size());
    }
    if (outcome.failed.empty()) {
        RemoveSwitchJournal();
        outcome.result = SwitchOutcome::Result::Switched;
        return outcome;
    }

    Journal owed = {JournalKind::Owed, folder, {}};
    for (size_t undone = done; undone-- > 0;) {
        const std::string& original = plan.renames[undone];
        if (!RenameInFolder(folder, FlippedName(original), original)) {
            owed.renames.insert(owed.renames.begin(), original);
            outcome.notPutBack = FlippedName(original);  // the first in the order of the switch
        }
        Tell(watch, SwitchPhase::Switching, undone, plan.renames.size());
    }
    // Only what is still owed stays owed: a later start changes nothing else.
    if (owed.renames.empty())
        RemoveSwitchJournal();
    else
        WriteSwitchJournal(owed);
    outcome.result = owed.renames.empty() ? SwitchOutcome::Result::Failed : SwitchOutcome::Result::NotPutBack;
    return outcome;
}
