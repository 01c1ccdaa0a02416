// The "Add Mod" command: an archive chosen in the open-file dialog is copied,
// with its description, into the mod directory.
#pragma once

// A refused or failed archive gets its warning; after a copy both lists are
// rebuilt. Cancelling the dialog, or the copy, changes nothing. The router
// never opens the dialog over another modal window of the tool.
void AddMod();
