#include "launcher/game_path.h"

std::optional<GameLaunch> GameLaunchFor(const std::string& modDirectory)
{
    std::string folder = modDirectory;
    bool driveRoot = folder.size() == 3 && folder[1] == ':';
    if (folder.size() > 1 && folder.back() == '\\' && !driveRoot)
        folder.pop_back();
    size_t slash = folder.find_last_of('\\');
    if (slash == std::string::npos)
        return std::nullopt;
    std::string bin = folder.substr(0, slash) + "\\bin";
    return GameLaunch{bin + "\\H5_Game.exe", bin};
}
