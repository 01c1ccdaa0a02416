// The journal of an update or a restore in the registry, under
// HKEY_CURRENT_USER\Software\RozUrovere\Updates (a key of its own: the
// folder setting stays the only value of Software\RozUrovere): the plan as
// "Plan" (REG_MULTI_SZ) and the steps done as "Done" (REG_DWORD), each
// flushed to disk before the next rename.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

extern const char kUpdatesKey[];

// Writes the plan with no step done; false when the registry refused it.
bool WriteVersionJournal(const std::vector<std::string>& strings);
void NoteStepsDone(size_t steps);
// The plan's strings (empty when there is none) and the steps done.
std::vector<std::string> ReadVersionJournalStrings(size_t& stepsDone);
void RemoveVersionJournal();
