#include "switching/folder_switch.h"

#include "mods/mod_names.h"
#include "shared/folder_listing.h"
#include "shared/window_state.h"

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

SwitchOutcome SwitchFolder(const std::string& folder, const PlanFor& planFor, const ChangeProgress& progress)
{
    SwitchOutcome outcome;
    outcome.before = ListArchives(folder);
    SwitchPlan renames = planFor(outcome.before);
    if (renames.renames.empty())
        return outcome;
    ChangePlan plan;
    plan.folder = folder;
    plan.steps.reserve(renames.renames.size());
    for (const std::string& name : renames.renames)
        plan.steps.push_back(FlipStep(name));
    outcome.change = CarryOut(plan, FolderWork::Switch, progress);
    outcome.result = outcome.change.result == ChangeOutcome::Result::Done ? SwitchOutcome::Result::Switched
                                                                          : SwitchOutcome::Result::NotSwitched;
    return outcome;
}
