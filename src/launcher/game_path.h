// Where the game is, derived from the mod directory. Pure string logic.
#pragma once

#include <optional>
#include <string>

struct GameLaunch {
    std::string executable;  // <game root>\bin\H5_Game.exe
    std::string folder;      // <game root>\bin, the game's working directory
};

// The mod directory is the game's data folder; the game root is its parent:
// the path without its last backslash and everything after it, one trailing
// backslash ignored ("D:\Play\data\" is "D:\Play\data"; a drive root "E:\" gives
// "E:"). A path with no other backslash has no game root and gives nothing.
std::optional<GameLaunch> GameLaunchFor(const std::string& modDirectory);
