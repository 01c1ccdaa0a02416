// Start-up with the game look-up against start-up with the folder stored, on a
// machine with 500 installers' records and five Steam libraries of 200 games
// each. The game is in the Linux user's Steam library, the last place looked
// at, so that every other place is searched first. Everything made is removed.
#include "find_game.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "finder/find_game.h"
#include "game_installs.h"
#include "measure.h"
#include "registry.h"
#include "settings/mod_directory.h"
#include "shared/text_conversion.h"
#include "shared/window_state.h"
#include "unix_tools.h"

namespace {

const int kRecords = 500, kLibraries = 5, kGamesPerLibrary = 200;
const double kTargetMs = 50;

void MakeFolder(const std::string& path)
{
    CreateDirectoryW(ToWide(path, CP_UTF8).c_str(), NULL);
}

// A game of another kind: a bin folder with its own program, no H5_Game.exe.
void MakeOtherGame(const std::string& folder)
{
    MakeFolder(folder);
    MakeFolder(folder + "\\bin");
    WriteFileBytes(folder + "\\bin\\game.exe", "");
}

// The main window created as the program creates it, then closed, and its
// class unregistered for the next round.
void StartAndClose(bool stored, const std::string& modFolder)
{
    if (stored)
        StoreSettingsValue(kSettingsValue, REG_SZ, modFolder);
    else
        DeleteSettingsKey();
    std::strcpy(ModDirectory, kDefaultModDirectory);
    DestroyWindow(CreateMainWindow(GetModuleHandleA(NULL)));
    MSG message;  // the quit message that the destruction posts
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
        ;
    UnregisterClassA(kMainWindowClass, GetModuleHandleA(NULL));
}

// What no look-up of these places can do without: one attribute lookup for the
// data folder of each candidate, and one read of each installer's record.
void BareLookUps(const std::vector<std::wstring>& dataFolders)
{
    for (const std::wstring& folder : dataFolders)
        GetFileAttributesW(folder.c_str());
    const std::wstring key = ToWide(kUninstallKey, CP_UTF8);
    const struct {
        HKEY root;
        REGSAM view;
    } records[] = {
        {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY}, {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY}, {HKEY_CURRENT_USER, 0}};
    for (const auto& place : records) {
        HKEY parent;
        if (RegOpenKeyExW(place.root, key.c_str(), 0, KEY_READ | place.view, &parent) != ERROR_SUCCESS)
            continue;
        WCHAR name[256], path[MAX_PATH + 1];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256, size = sizeof path;
            if (RegEnumKeyExW(parent, i, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
                break;
            RegGetValueW(parent, name, L"InstallLocation", RRF_RT_REG_SZ, NULL, path, &size);
        }
        RegCloseKey(parent);
    }
}

}  // namespace

bool MeasureGameLookUp()
{
    std::printf("\nPreparing %d installers' records and %d Steam libraries of %d games...\n", kRecords, kLibraries,
                kGamesPerLibrary);
    SettingsRestorer restorer;
    GameInstalls installs;
    const std::string uninstall = kUninstallKey;
    std::string others = installs.Folder();
    std::vector<std::wstring> dataFolders;
    for (int i = 0; i < kRecords; ++i) {
        std::string folder = others + "\\App" + std::to_string(i);
        MakeOtherGame(folder);
        dataFolders.push_back(ToWide(folder + "\\data", CP_UTF8));
        // Spread over both registry views and the user's records.
        HKEY root = i % 5 == 4 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        REGSAM view = root == HKEY_CURRENT_USER ? 0 : i % 2 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
        installs.Record(root, uninstall + TestKeyName(), view).Set("InstallLocation", folder);
    }
    std::vector<std::string> libraries;
    for (int l = 0; l < kLibraries; ++l) {
        libraries.push_back(installs.Folder());
        MakeFolder(libraries.back() + "\\steamapps");
        MakeFolder(libraries.back() + "\\steamapps\\common");
        for (int g = 0; g < kGamesPerLibrary; ++g) {
            std::string game = libraries.back() + "\\steamapps\\common\\Game" + std::to_string(g);
            MakeOtherGame(game);
            dataFolders.push_back(ToWide(game + "\\data", CP_UTF8));
        }
    }
    installs.Record(HKEY_CURRENT_USER, "Software\\Valve\\Steam").Set("SteamPath", libraries[0]);
    installs.LibraryList(libraries[0], "steamapps", libraries);

    std::string home = installs.Folder();
    installs.SetEnvironment(L"HOME", UnixPath(home));
    MakeGame(home + "\\.local\\share\\Steam\\steamapps\\common\\Game");
    UnregisterClassA(kMainWindowClass, GetModuleHandleA(NULL));  // left by the measurements before
    std::optional<std::string> found = FindGameModFolder();
    if (!found) {
        std::fprintf(stderr, "the look-up did not find the benchmark's game\n");
        return false;
    }

    double stored, lookUp, bare, alone;
    Measure([&] { StartAndClose(true, *found); }, [&] { StartAndClose(false, *found); }, stored, lookUp);
    Measure([&] { BareLookUps(dataFolders); }, [&] { FindGameModFolder(); }, bare, alone);
    double added = lookUp - stored;
    bool met = added <= kTargetMs;
    std::printf("Start-up, median of %d rounds each, ms:\n", kRounds);
    std::printf("  with the game's data folder stored         %8.1f\n", stored);
    std::printf("  finding the game first                     %8.1f\n", lookUp);
    std::printf("  added by the look-up                       %8.1f   (target <= %g) %s\n", added, kTargetMs,
                met ? "ok" : "MISSED");
    std::printf("  the look-up alone                          %8.1f\n", alone);
    std::printf("  %zu bare attribute lookups and %d record reads %6.1f   (%.2f x)\n", dataFolders.size(),
                kRecords, bare, alone / bare);
    return met;
}
