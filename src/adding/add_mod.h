// Adding mods: an archive chosen with "Add Mod" or dropped on the window is
// copied, with its description, into the mod directory.
#pragma once

#include <windows.h>
#include <shellapi.h>

// Refused, with a warning and nothing copied: a file that is not a .pak or
// .mod archive, a name of one of the game's own archives, and a name already
// taken in the mod directory as .pak or as .mod. The archive is copied under
// a temporary name and gets its own only when complete, never over a file;
// a failed copy is reported and leaves nothing. After a copy both lists are
// rebuilt.
void AddMod();

// Every dropped file by the same rules, in turn; then the lists are rebuilt
// once, and one warning lists the files that were refused or failed.
void AddDroppedFiles(HDROP drop);
