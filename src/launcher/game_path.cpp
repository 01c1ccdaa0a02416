#include "launcher/game_path.h"

std::optional<GameLaunch> GameLaunchFor(const std::string& modDirectory)
{
    size_t slash = modDirectory.find_last_of('\\');
    if (slash == std::string::npos)
        return std::nullopt;
    std::string bin = modDirectory.substr(0, slash) + "\\bin";
    return GameLaunch{bin + "\\H5_Game.exe", bin};
}
