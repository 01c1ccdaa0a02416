// Filling the mod lists from the mod directory.
#pragma once

#include <string>

// Appends the mods of ModDirectory to the two lists, in the order the folder
// lists them: every .mod archive as a disabled mod, then every .pak archive other
// than the game's own as an enabled mod, each with its description path. The
// callers have emptied the lists and checked that the directory exists.
void RescanModDirectory();

// The archive path with "txt" as its last three characters when something of
// that name exists (a folder too), else empty.
std::string FindInfoFile(const std::string& archivePath);

// If ModDirectory exists, empties and refills both lists and returns true;
// otherwise shows the directory error and returns false.
bool RebuildModLists();
