// The "Mod Sets" dialog: the saved sets, the one that matches the mods on now
// marked, and the buttons to switch, save the mods on now under a name,
// rename, delete and close. "No mods" and, once a switch has happened,
// "Before the last switch" are always offered and cannot be renamed or deleted.
#pragma once

#include <string>
#include <vector>

// Modal, owned by the main window.
void ShowModSetsDialog();

// The sets the "Switch To" menu offers, in order: "No mods", "Before the last
// switch" when there is one, then the player's.
std::vector<std::string> SwitchableSetNames();

// Switches to the set of that name as the menu offers it.
void SwitchToSetNamed(const std::string& name);
