// Finding where the game is installed, for a start that has no mod folder:
// Steam's libraries, GOG's and the installers' records, the program folders
// and, under Wine, the Linux user's Steam libraries.
#pragma once

#include <optional>
#include <string>

// The data folder of the first game found, in this order: the Steam libraries
// the registry names, GOG's records, the installers' records (both registry
// views, then the user's), the program folders one and two levels down and,
// under Wine, the Linux user's Steam libraries. A game folder holds
// bin\H5_Game.exe and data; one whose data folder ModDirectory could not hold
// is passed over. Nothing when no game is found. Whatever cannot be read is
// passed over silently.
std::optional<std::string> FindGameModFolder();

// Makes the data folder of the game found ModDirectory for this run, without
// storing it; false, and ModDirectory unchanged, when no game was found.
bool LookForGame();
