#include "finder/install_paths.h"

#include "shared/path_text.h"

std::optional<std::string> CleanWindowsPath(const std::string& path)
{
    std::string clean = path;
    for (char& c : clean)
        if (c == '/')
            c = '\\';
    // "D:\" keeps its backslash: "D:" alone would mean the drive's current folder.
    size_t keep = clean.size() >= 3 && clean[1] == ':' ? 3 : 1;
    while (clean.size() > keep && clean.back() == '\\')
        clean.pop_back();
    // Only an absolute path names one folder: a relative one would be taken
    // from whatever folder the tool's current one is.
    bool drive = clean.size() >= 3 && clean[1] == ':' && clean[2] == '\\';
    bool share = clean.compare(0, 2, "\\\\") == 0;
    if (!drive && !share)
        return std::nullopt;
    return clean;
}

std::optional<std::string> WinePathOf(const std::string& linuxPath)
{
    if (linuxPath.empty() || linuxPath[0] != '/' || linuxPath.find('\\') != std::string::npos)
        return std::nullopt;
    std::string path = "Z:";
    for (char c : linuxPath) {
        if (c != '/')
            path += c;
        else if (path.back() != '\\')  // "//" is one separator on Linux
            path += '\\';
    }
    if (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

std::optional<std::string> WineHomeFolder(const std::string& wineHomeDir)
{
    const std::string prefix = "\\??\\";
    std::string path = wineHomeDir.compare(0, prefix.size(), prefix) == 0 ? wineHomeDir.substr(prefix.size()) : "";
    if (path.size() < 3 || path[1] != ':' || path[2] != '\\')
        return std::nullopt;
    return CleanWindowsPath(path);
}

std::optional<std::string> ModFolderOf(const std::string& gameFolder)
{
    std::optional<std::string> clean = CleanWindowsPath(gameFolder);
    if (!clean)
        return std::nullopt;
    std::string data = JoinPath(WithoutTrailingBackslash(*clean), "data");
    if (data.size() >= kModFolderBytes)
        return std::nullopt;
    return data;
}
