// The "Add Mod" command: copy a chosen archive, and its description, into the
// mod directory.
#pragma once

// A name already taken in the mod directory, as .pak or as .mod, is refused
// with a warning and nothing is copied. A failed copy of the archive is reported
// and stops the command. After a successful copy both lists are rebuilt.
void AddMod();
