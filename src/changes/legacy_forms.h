// The forms in which earlier versions of the tool kept a change's plan in the
// registry, read as a journal of today's form: a switch of mod sets (the
// unnamed value of the mod sets' key, versions 1 and 2) and an update or a
// restore (the Updates key's plan and the steps done). Pure logic with no
// platform headers, so it is also built and tested natively.
#pragma once

#include <string>
#include <vector>

#include "changes/journal_text.h"

// A switch's plan: "Quillmoor mod set switch, version 2", "switching" or
// "owed", the folder, the count, then the archives' names as they were
// before (version 1: no kind, a switch under way). No plan when it is not
// whole.
JournalRead ReadLegacySwitch(const std::vector<std::string>& strings);

// An update's or a restore's plan: "update" or "restore", the folder, the
// archive, then one step per string ("recycle\tA", "rename\tA\tB",
// "replace\tA\tB\tC"), with the number of steps done.
JournalRead ReadLegacyVersionChange(const std::vector<std::string>& strings, size_t stepsDone);
