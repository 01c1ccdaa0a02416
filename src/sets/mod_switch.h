// Switching the mod folder to a mod set in one step that never stops halfway.
#pragma once

#include <string>
#include <vector>

#include "sets/set_rules.h"
#include "sets/set_store.h"

// The archives of the mod folder as it is now.
std::vector<ListedArchive> ArchivesNow();

// True when switching to the set would change nothing: its mods are on, every
// other mod is off, and the folder has all of them.
bool IsOnNow(const ModSet& set, const std::vector<ListedArchive>& archives);

// Renames exactly the archives whose state differs from the set, after the
// player agreed to go on without the mods the folder lacks (unless told
// otherwise: a preview has shown them). The plan is
// journalled in the registry first; a rename that fails undoes every rename
// done before it, in reverse order, and one warning names the archive. The
// lists are rebuilt from the folder either way. After a switch, the mods that
// were on before it are kept as "Before the last switch". False when nothing
// was switched.
bool SwitchToModSet(const ModSet& set, bool askAboutMissing = true);

// The name of the lock a switch holds (a named mutex).
extern const char kSwitchLockName[];

// At start, before the first scan: undoes what a switch that was cut off
// (killed, crashed, power cut) had done, and tells the player once the window
// shows (ReportUndoneSwitch). False when there was none.
bool UndoInterruptedSwitch();
void ReportUndoneSwitch();
