// Switching the mod folder to a choice of mods on, all or nothing, through
// the change engine: the mod sets and the problem search share it. It shows
// nothing itself (switch_view.h does).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "changes/change_engine.h"
#include "switching/switch_plan.h"

// The archives of `folder` as the scan lists them: every .mod, every .pak but
// the game's own, with their sizes.
std::vector<ListedArchive> ListArchives(const std::string& folder);
// The same for the mod folder.
std::vector<ListedArchive> ArchivesNow();

struct SwitchOutcome {
    enum class Result { Switched, NothingToDo, NotSwitched };
    Result result = Result::NothingToDo;
    ChangeOutcome change;               // NotSwitched: what the engine said
    std::vector<ListedArchive> before;  // the folder's archives before the renames
};

typedef std::function<SwitchPlan(const std::vector<ListedArchive>& archives)> PlanFor;

// In the mod folder `folder`, with its lock held for a switch: plans on the
// folder as it is now and makes the renames, journalled; a rename that fails
// undoes the ones before it.
SwitchOutcome SwitchFolder(const std::string& folder, const PlanFor& planFor, const ChangeProgress& progress);
