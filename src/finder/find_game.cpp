#include "finder/find_game.h"

#include <windows.h>

#include <set>
#include <vector>

#include "finder/install_paths.h"
#include "finder/library_folders.h"
#include "finder/system_paths.h"
#include "launcher/game_path.h"
#include "settings/mod_directory.h"
#include "shared/folder_listing.h"
#include "shared/path_text.h"
#include "shared/text_conversion.h"

namespace {

// Larger than any library list Steam writes; a file this large is not read.
const LONGLONG kLibraryListLimit = 4 << 20;

const wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

struct Search {
    std::set<std::string> seen;  // a kind letter and the FoldedKey of each folder looked at
    std::string modFolder;       // set when the game is found
};

// True the first time a folder of this kind comes up: the same Steam folder,
// library or game may be named in several places.
bool FirstTime(Search& search, char kind, const std::string& path)
{
    return search.seen.insert(kind + FoldedKey(path)).second;
}

// True, with the mod folder noted, when `folder` holds the game.
bool TryGameFolder(Search& search, const std::string& folder)
{
    std::optional<std::string> clean = CleanWindowsPath(folder);
    std::optional<std::string> modFolder = clean ? ModFolderOf(*clean) : std::nullopt;
    if (!modFolder || !FirstTime(search, 'g', *clean))
        return false;
    // The data folder first: under Wine a name that is missing costs a scan of
    // its folder, and a game's own folder is smaller than its bin folder.
    std::optional<GameLaunch> game = GameLaunchFor(*modFolder);
    if (!FolderExists(*modFolder) || !game || !FileExists(game->executable))
        return false;
    search.modFolder = *modFolder;
    return true;
}

// Calls visit(path) for each subfolder of `folder` until it returns true; true then.
template <typename Visit>
bool AnySubfolder(const std::string& folder, Visit visit)
{
    bool found = false;
    ForEachEntry(folder, "*", [&](const FolderEntry& entry) {
        if (!found && (entry.attributes & FILE_ATTRIBUTE_DIRECTORY))
            found = visit(JoinPath(WithoutTrailingBackslash(folder), entry.name));
    });
    return found;
}

// The whole file, or nothing when it cannot be read or is too large to be a
// library list.
std::string ReadLibraryList(const std::string& path)
{
    HANDLE file = CreateFileW(ToWide(path, CP_ACP).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    std::string text;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= kLibraryListLimit) {
        text.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, NULL))
            read = 0;
        text.resize(read);
    }
    CloseHandle(file);
    return text;
}

// The Steam folder itself, then the libraries its lists name. A Steam run on
// Linux writes Linux paths there.
std::vector<std::string> LibrariesOf(const std::string& steamFolder, bool linuxPaths)
{
    std::vector<std::string> libraries = {steamFolder};
    for (const char* list : {"steamapps\\libraryfolders.vdf", "config\\libraryfolders.vdf"})
        for (const std::string& utf8 :
             LibraryFolders(ReadLibraryList(JoinPath(WithoutTrailingBackslash(steamFolder), list)))) {
            std::optional<std::string> named = LibraryListPath(utf8);
            std::optional<std::string> library = !named       ? std::nullopt
                                                 : linuxPaths ? WinePathOf(*named)
                                                              : CleanWindowsPath(*named);
            if (library)
                libraries.push_back(*library);
        }
    return libraries;
}

// Every folder of steamapps\common in each library of the Steam folder.
bool SearchSteamFolder(Search& search, const std::string& steamFolder, bool linuxPaths)
{
    std::optional<std::string> clean = CleanWindowsPath(steamFolder);
    if (!clean || !FirstTime(search, 's', *clean))
        return false;
    for (const std::string& library : LibrariesOf(*clean, linuxPaths)) {
        if (!FirstTime(search, 'l', library))
            continue;
        if (AnySubfolder(JoinPath(WithoutTrailingBackslash(library), "steamapps\\common"),
                         [&](const std::string& game) { return TryGameFolder(search, game); }))
            return true;
    }
    return false;
}

// The 32-bit view first, where Steam, GOG and most games' installers write.
const REGSAM kViews[] = {KEY_WOW64_32KEY, KEY_WOW64_64KEY};

bool SearchWindowsSteam(Search& search)
{
    std::optional<std::string> user = RegistryPath(HKEY_CURRENT_USER, L"Software\\Valve\\Steam", 0, L"SteamPath");
    if (user && SearchSteamFolder(search, *user, false))
        return true;
    for (REGSAM view : kViews) {
        std::optional<std::string> machine =
            RegistryPath(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Valve\\Steam", view, L"InstallPath");
        if (machine && SearchSteamFolder(search, *machine, false))
            return true;
    }
    return false;
}

bool SearchGogRecords(Search& search)
{
    for (REGSAM view : kViews)
        if (AnySubkeyPath(HKEY_LOCAL_MACHINE, L"SOFTWARE\\GOG.com\\Games", view, L"path",
                          [&](const std::string& path) { return TryGameFolder(search, path); }))
            return true;
    return false;
}

bool SearchInstallRecords(Search& search)
{
    auto tryPath = [&](const std::string& path) { return TryGameFolder(search, path); };
    for (REGSAM view : kViews)
        if (AnySubkeyPath(HKEY_LOCAL_MACHINE, kUninstallKey, view, L"InstallLocation", tryPath))
            return true;
    return AnySubkeyPath(HKEY_CURRENT_USER, kUninstallKey, 0, L"InstallLocation", tryPath);
}

// Publisher folders, then the games in them.
bool SearchProgramFolders(Search& search)
{
    for (const wchar_t* variable : {L"ProgramFiles", L"ProgramFiles(x86)"}) {
        std::optional<std::string> root = EnvironmentPath(variable);
        if (root && FirstTime(search, 'p', *root) && AnySubfolder(*root, [&](const std::string& publisher) {
                return TryGameFolder(search, publisher) || AnySubfolder(publisher, [&](const std::string& game) {
                           return TryGameFolder(search, game);
                       });
            }))
            return true;
    }
    return false;
}

// The Linux user's home as Windows reaches it: HOME when the process has it,
// else the folder that Wine names (Wine does not pass HOME on to Windows programs).
std::optional<std::string> LinuxHome()
{
    std::optional<std::string> home = EnvironmentPath(L"HOME");
    std::optional<std::string> folder = home ? WinePathOf(*home) : std::nullopt;
    if (folder)
        return folder;
    std::optional<std::string> wineHome = EnvironmentPath(L"WINEHOMEDIR");
    return wineHome ? WineHomeFolder(*wineHome) : std::nullopt;
}

// Steam for Linux, natively or as a Flatpak, reached through drive Z:; the
// folder browser does not show these folders, whose names begin with a dot.
bool SearchLinuxSteam(Search& search)
{
    std::optional<std::string> home = UnderWine() ? LinuxHome() : std::nullopt;
    if (!home)
        return false;
    for (const char* steam :
         {".local\\share\\Steam", ".steam\\steam", ".var\\app\\com.valvesoftware.Steam\\.local\\share\\Steam"})
        if (SearchSteamFolder(search, JoinPath(WithoutTrailingBackslash(*home), steam), true))
            return true;
    return false;
}

}  // namespace

std::optional<std::string> FindGameModFolder()
{
    // A drive without its disk fails quietly instead of asking for one.
    UINT errorMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    SetErrorMode(errorMode | SEM_FAILCRITICALERRORS);
    bool (*const sources[])(Search&) = {SearchWindowsSteam, SearchGogRecords, SearchInstallRecords,
                                        SearchProgramFolders, SearchLinuxSteam};
    Search search;
    bool found = false;
    for (auto source : sources)
        if (!found)
            found = source(search);
    SetErrorMode(errorMode);
    if (!found)
        return std::nullopt;
    return search.modFolder;
}

bool LookForGame()
{
    std::optional<std::string> modFolder = FindGameModFolder();
    return modFolder && SetModDirectory(modFolder->c_str());
}
