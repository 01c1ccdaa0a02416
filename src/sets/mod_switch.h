// Switching the mod folder to a mod set, as the player asks for it: the
// question about the mods the folder lacks, the switch with its progress, the
// set "Before the last switch", the lists and the messages.
#pragma once

#include <string>
#include <vector>

#include "sets/set_store.h"
#include "switching/folder_switch.h"

// True when switching to the set would change nothing: its mods are on, every
// other mod is off, and the folder has all of them.
bool IsOnNow(const ModSet& set, const std::vector<ListedArchive>& archives);

// Renames exactly the archives whose state differs from the set, after the
// player agreed to go on without the mods the folder lacks (unless told
// otherwise: a preview has shown them). A switch cut off earlier is put back
// first. A rename that fails undoes every rename before it and one warning
// names the archive. The lists are rebuilt from the folder either way. After
// a switch, the mods that were on before it are kept as "Before the last
// switch". False when nothing was switched. With `othersAsTheyAre`, only
// the set's mods are switched on and every other mod is left as it is.
bool SwitchToModSet(const ModSet& set, bool askAboutMissing = true, bool othersAsTheyAre = false);
