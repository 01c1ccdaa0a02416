// The problem search's switches of the mod folder: through the switch engine,
// with the switch's progress and messages, and the folder checked afterwards,
// so that the search never goes on with a state it did not make. A lock keeps
// the search to one copy of the tool at a time.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "search/search_mods.h"

enum class Switched { Yes, ModsMissing, Failed };

// Switches the search's folder to `wanted`. A mod the folder lacks stops it
// (`missing` gets them) unless `whatCanBe` (the start state put back as far
// as it can be). The messages are owned by `owner`.
Switched SwitchSearchTo(HWND owner, const ProblemSearch& search, ModsWanted wanted, bool whatCanBe,
                        std::vector<std::string>& missing);

// The folder as wanted at the end, as far as it can be made so, and the
// search forgotten; false, the search stored still for the next try, when an
// archive cannot be switched (the game holds it).
bool EndSearchWith(HWND owner, const ProblemSearch& search, const ModsWanted& wanted);

// The archives on in the search's folder now, by folded name: what the game
// loads at a start.
std::vector<std::string> ArchivesOn(const ProblemSearch& search);

// Whether the search's folder is still as the start of `on` switched it, with
// `onAtStep` on (ArchivesOn then): a mod the step wants is gone, or any
// archive was switched, added or removed.
enum class StepFolder { AsWanted, Changed, ModsMissing };
StepFolder CheckStepFolder(const ProblemSearch& search, const std::vector<bool>& on,
                           const std::vector<std::string>& onAtStep);
