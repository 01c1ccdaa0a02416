// What the problem search wants of the mod folder at each point: the mods of
// a start, the start state, the start without the culprits; and whether the
// folder is so. Pure logic with no platform headers, so it is also built and
// tested natively.
#pragma once

#include <string>
#include <vector>

#include "search/problem_search.h"
#include "switching/switch_plan.h"

// The mods to have on and the mods to have off; every other mod is left as
// it is (a mod added while the search runs is no suspect).
struct ModsWanted {
    std::vector<std::string> on, off;
};

// A new search in `folder` of the mods on now, but those kept on.
ProblemSearch NewSearch(const std::string& folder, const std::vector<std::string>& modsOn,
                        const std::vector<std::string>& keptOn, const FoldName& fold);

// The folder the search was started in (its first start-state string).
std::string SearchFolder(const ProblemSearch& search);

ModsWanted WantedForStart(const ProblemSearch& search, const std::vector<bool>& on);
// Every suspect and kept mod on, as at the start.
ModsWanted WantedAtStart(const ProblemSearch& search);
// As at the start, but the culprits off.
ModsWanted WantedWithout(const ProblemSearch& search, const std::vector<std::string>& culprits);

// True when each mod wanted on has an archive that is on, and no mod wanted
// off has one.
bool FolderIsAsWanted(const std::vector<ListedArchive>& archives, const ModsWanted& wanted, const FoldName& fold);
