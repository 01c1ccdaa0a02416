// The problem search's switches of the mod folder: through the switch engine,
// with the switch's progress and messages, and the folder checked afterwards,
// so that the search never goes on with a state it did not make. A lock keeps
// the search to one copy of the tool at a time.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "search/search_mods.h"
#include "shared/named_lock.h"

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

// Whether the search's folder is still as the start of `on` wants it.
enum class StepFolder { AsWanted, Changed, ModsMissing };
StepFolder CheckStepFolder(const ProblemSearch& search, const std::vector<bool>& on);

// Held while a copy of the tool shows the search.
class SearchLock : public NamedLock {
public:
    SearchLock();
};
