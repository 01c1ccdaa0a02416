// Filling the mod lists from the mod directory.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "mods/list_state.h"

// What one pass over a folder's names tells: its archives, in listing order,
// and its descriptions.
struct FolderListing {
    std::vector<std::string> disabled;  // .mod names
    std::vector<std::string> enabled;   // .pak names other than the game's own
    // Description names folded to one case, each with a real name that has it
    // (its own long name or, for a generated short name, the long one).
    std::unordered_map<std::string, std::string> descriptions;  // by FoldedKey
};

// One enumeration of every name instead of one per pattern, so that finding
// the descriptions costs no failed lookup per archive. Empty when the folder
// cannot be listed.
FolderListing ListFolder(const std::string& directory);

// Appends the mods of ModDirectory to the two lists, in the order the folder
// lists them: every .mod archive as a disabled mod, then every .pak archive other
// than the game's own as an enabled mod, each with its description path. The
// callers have emptied the lists and checked that the directory exists.
void RescanModDirectory();

// The archive path with "txt" as its last three characters when something of
// that name exists (a folder too), else empty.
std::string FindInfoFile(const std::string& archivePath);

// If ModDirectory exists, empties and refills both lists and returns true;
// otherwise shows the directory error and returns false. Either way the
// buttons and the information box are then as `change` leaves them.
bool RebuildModLists(ListChange change = ListChange::Rebuilt);
