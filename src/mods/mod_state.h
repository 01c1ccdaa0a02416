// Enabling and disabling a mod by renaming its archive between .mod and .pak.
#pragma once

// Rename the selected disabled mod's archive to .pak and move it to the end of
// the enabled list, or warn and change nothing.
void EnableMod();

// Rename the selected enabled mod's archive to .mod and move it to the end of
// the disabled list, or warn and change nothing.
void DisableMod();
