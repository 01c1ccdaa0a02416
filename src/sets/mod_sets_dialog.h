// The "Mod Sets" dialog: the saved sets, the one that matches the mods on now
// marked, and the buttons to switch, save the mods on now under a name,
// rename, delete and close. "No mods", once a switch has happened "Before the
// last switch", and while a problem search runs "Before the search" are
// offered and cannot be renamed or deleted.
#pragma once

#include <string>
#include <vector>

// Modal, owned by the main window; the router never opens it over another
// modal window of the tool.
void ShowModSetsDialog();

// The sets the "Switch To" menu offers, in order: "No mods", "Before the last
// switch" and "Before the search" when there are, then the player's.
std::vector<std::string> SwitchableSetNames();

// Switches to the set of that name as the menu offers it (the router never
// runs it while the tool is busy with a modal window of its own).
void SwitchToSetNamed(const std::string& name);
