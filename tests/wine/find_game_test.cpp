// Finding the game on a start without a usable mod folder: each place it is
// looked for, their order, what is passed over, and what the window shows.
#include "app_test.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "finder/find_game.h"
#include "finder/system_paths.h"
#include "settings/mod_directory.h"
#include "shared/text_conversion.h"
#include "shared/window_state.h"
#include "unix_tools.h"

namespace {

const REGSAM k32 = KEY_WOW64_32KEY, k64 = KEY_WOW64_64KEY;
const char kGog[] = "SOFTWARE\\GOG.com\\Games\\";

std::string SteamGame(const std::string& library)
{
    return MakeGame(library + "\\steamapps\\common\\Game");
}

// The folder as Wine reaches it from its Linux path, through drive Z:.
std::string ThroughZ(const std::string& path)
{
    std::string z = "Z:" + UnixPath(path);
    std::replace(z.begin(), z.end(), '/', '\\');
    return z;
}

enum How { kNamesTheGame, kSteamItself, kSecondLibrary, kOldList, kProgramFolder, kLinuxSteam };
struct Place {
    const char* what;
    How how;
    HKEY root;
    const char* key;  // a key ending in "\\" gets a subkey of the test's own
    REGSAM view;
    const char* value;  // the registry value, or the environment variable
};
const Place kPlaces[] = {
    // in the order they are looked at
    {"a second Steam library in the current list", kSecondLibrary, HKEY_CURRENT_USER, "Software\\Valve\\Steam", 0,
     "SteamPath"},
    {"a second Steam library in the old list", kOldList, HKEY_LOCAL_MACHINE, "SOFTWARE\\Valve\\Steam", k32,
     "InstallPath"},
    {"the Steam folder itself", kSteamItself, HKEY_LOCAL_MACHINE, "SOFTWARE\\Valve\\Steam", k64, "InstallPath"},
    {"a GOG record", kNamesTheGame, HKEY_LOCAL_MACHINE, kGog, k32, "path"},
    {"a GOG record, 64-bit view", kNamesTheGame, HKEY_LOCAL_MACHINE, kGog, k64, "path"},
    {"an installer's record", kNamesTheGame, HKEY_LOCAL_MACHINE, kUninstallKey, k32, "InstallLocation"},
    {"an installer's record, 64-bit view", kNamesTheGame, HKEY_LOCAL_MACHINE, kUninstallKey, k64,
     "InstallLocation"},
    {"an installer's record of the user", kNamesTheGame, HKEY_CURRENT_USER, kUninstallKey, 0, "InstallLocation"},
    {"a publisher's folder in the program folder", kProgramFolder, NULL, "Publisher\\", 0, "ProgramFiles"},
    {"the x86 program folder", kProgramFolder, NULL, "", 0, "ProgramFiles(x86)"},
    {"a library that the Linux user's Steam names", kLinuxSteam, NULL, "", 0, "HOME"},
    {"the Linux user's Steam folder itself, without HOME", kLinuxSteam, NULL, "", 0, "WINEHOMEDIR"},
};
const Place& kUserRecord = kPlaces[7];

// Makes a game that only `place` names; gives that game's data folder.
std::string Install(GameInstalls& g, const Place& place)
{
    std::string folder = g.Folder(), library = g.Folder(), named = folder;
    if (place.how == kProgramFolder || place.how == kLinuxSteam) {
        bool wineHome = std::strcmp(place.value, "WINEHOMEDIR") == 0;  // as Wine passes it, without HOME
        if (wineHome)
            g.SetEnvironment(L"HOME", "");
        g.SetEnvironment(ToWide(place.value, CP_UTF8).c_str(), place.how == kProgramFolder ? folder
                                                               : wineHome ? "\\??\\" + ThroughZ(folder)
                                                                          : UnixPath(folder));
        if (place.how == kProgramFolder)
            return MakeGame(folder + "\\" + place.key + "Game");
        std::string steam = folder + "\\.local\\share\\Steam";
        if (wineHome)
            return ThroughZ(SteamGame(steam));
        g.LibraryList(steam, "steamapps", {UnixPath(library)});
        return ThroughZ(SteamGame(library));
    }
    if (place.how == kSecondLibrary) {  // SteamPath as Steam writes it
        std::replace(named.begin(), named.end(), '\\', '/');
        std::transform(named.begin(), named.end(), named.begin(), ::tolower);
    }
    std::string key = place.key;
    g.Record(place.root, key.back() == '\\' ? key + TestKeyName() : key, place.view)
        .Set(place.value, place.how == kNamesTheGame ? folder + "\\" : named);  // installers often end with "\\"
    if (place.how == kSecondLibrary || place.how == kOldList)
        g.LibraryList(folder, place.how == kOldList ? "config" : "steamapps", {folder, library},
                      place.how == kOldList);
    return place.how == kNamesTheGame ? MakeGame(folder) : SteamGame(place.how == kSteamItself ? folder : library);
}

class FindGameTest : public AppTest {};

TEST_F(FindGameTest, EachPlaceFindsItsGameAndOfTwoTheEarlierPlaceWins)
{
    for (const Place& place : kPlaces) {
        GameInstalls installs;
        std::string expected = Install(installs, place);
        EXPECT_EQ(expected, FindGameModFolder().value_or("nothing")) << place.what;
    }
    for (size_t i = 0; i + 1 < std::size(kPlaces); ++i) {
        GameInstalls installs;
        Install(installs, kPlaces[i + 1]);  // made first, so that the order made counts for nothing
        std::string expected = Install(installs, kPlaces[i]);
        EXPECT_EQ(expected, FindGameModFolder().value_or("nothing"))
            << kPlaces[i].what << ", then " << kPlaces[i + 1].what;
    }
}

std::string MissingDrive()
{
    for (char letter = 'Y'; letter > 'D'; --letter)
        if (GetDriveTypeA((std::string(1, letter) + ":\\").c_str()) == DRIVE_NO_ROOT_DIR)
            return std::string(1, letter) + ":";
    return "";
}

TEST_F(FindGameTest, WhatCannotBeUsedIsPassedOverForTheNextGame)
{
    std::string missing = MissingDrive();
    ASSERT_NE("", missing) << "every drive letter is in use";
    auto record = [](GameInstalls& g) -> RegistryRecord& {
        return g.Record(HKEY_CURRENT_USER, kUninstallKey + TestKeyName());
    };
    const struct {
        const char* what;
        std::function<void(GameInstalls&)> before;
    } cases[] = {
        {"a record on a missing drive",
         [&](GameInstalls& g) { record(g).Set("InstallLocation", missing + "\\G"); }},
        {"a game's path as binary data and as a list of strings",
         [&](GameInstalls& g) {
             std::string game = g.Folder();
             MakeGame(game);
             record(g).Set("InstallLocation", game, REG_BINARY);
             record(g).Set("InstallLocation", game, REG_MULTI_SZ);
         }},
        {"a game without its data folder, one whose H5_Game.exe is a folder",
         [&](GameInstalls& g) {
             std::string noData = g.Folder(), folderExe = g.Folder();
             RemoveTree(MakeGame(noData));
             MakeGame(folderExe + "\\bin\\H5_Game.exe");
             CreateDirectoryA((folderExe + "\\data").c_str(), NULL);
             record(g).Set("InstallLocation", noData);
             record(g).Set("InstallLocation", folderExe);
         }},
        {"Steam lists: libraries on a missing drive or too long, a list left open, one of 100 MB, a folder",
         [&](GameInstalls& g) {
             std::string steam = g.Folder(), other = g.Folder(), library = g.Folder();
             SteamGame(library);
             g.Record(HKEY_CURRENT_USER, "Software\\Valve\\Steam").Set("SteamPath", steam);
             g.LibraryList(steam, "steamapps", {missing + "\\SteamLibrary", std::string(10000, 'x')});
             g.LibraryList(steam, "config", {library});
             std::string open = steam + "\\config\\libraryfolders.vdf";
             WriteFileBytes(open, ReadFileBytes(open) + "{");
             g.Record(HKEY_LOCAL_MACHINE, "SOFTWARE\\Valve\\Steam", k32).Set("InstallPath", other);
             g.LibraryList(other, "steamapps", {library});
             MakeLargeFile(other + "\\steamapps\\libraryfolders.vdf", 100 << 20);
             CreateDirectoryA((other + "\\config").c_str(), NULL);
             CreateDirectoryA((other + "\\config\\libraryfolders.vdf").c_str(), NULL);
         }},
    };
    for (const auto& c : cases) {
        GameInstalls installs;
        c.before(installs);
        std::string expected = Install(installs, kUserRecord);
        EXPECT_EQ(expected, FindGameModFolder().value_or("nothing")) << c.what;
    }
}

TEST(LibraryListPath, IsTheListsUtf8InTheProcessCodePageWhenItHoldsItExactly)
{
    const struct {
        std::string utf8;
        UINT codePage;
        std::optional<std::string> path;
    } cases[] = {
        {"D:\\Bibliothèque", 1252, std::string("D:\\Biblioth\xE8que")},
        {"D:\\Łódź", 1252, std::nullopt},  // no best fit ("Lódz"): another folder
        {"D:\\Игры", CP_UTF8, std::string("D:\\Игры")},
        {"D:\\Biblioth\xE8que", 1252, std::nullopt},  // not UTF-8: not as Steam writes
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.path, LibraryListPath(c.utf8, c.codePage)) << c.utf8 << " in " << c.codePage;
}

TEST_F(FindGameTest, TheGameFoundIsShownOnlyWhereTheFirstScanWouldFailAndIsNeverStored)
{
    TempFolder folder;
    std::string missing = folder.Path("gone");
    enum Start { kNothingStored, kStoredMissing, kStoredExists, kInitialExists, kNoGame };
    const struct {
        const char* what;
        Start start;
    } cases[] = {
        {"nothing stored", kNothingStored},
        {"a stored folder that is missing", kStoredMissing},
        {"a stored folder that exists", kStoredExists},
        {"an initial folder that exists", kInitialExists},
        {"no game anywhere", kNoGame},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CloseApp();
        dialogs.Forget();
        DeleteSettingsKey();
        EnabledMods.clear();
        DisabledMods.clear();
        GameInstalls installs;
        std::string game = installs.Folder();
        installs.Record(HKEY_LOCAL_MACHINE, kGog + TestKeyName(), k32).Set("path", game);
        std::string found = c.start == kNoGame ? kDefaultModDirectory : MakeGame(game, {"A.pak", "B.mod"});
        std::strcpy(ModDirectory, c.start == kInitialExists ? folder.Path().c_str() : kDefaultModDirectory);
        if (c.start == kStoredMissing || c.start == kStoredExists)
            StoreSettingsValue(kSettingsValue, REG_SZ, c.start == kStoredMissing ? missing : folder.Path());
        std::optional<std::string> stored = StoredDirectory();
        StartApp();

        bool kept = c.start == kStoredExists || c.start == kInitialExists;
        EXPECT_EQ(kept ? folder.Path() : found, TextOf(DirectoryLabel));
        if (c.start == kNoGame)
            ExpectBoxes(dialogs, {Box(Message::DirectoryMissing, NULL)});
        else
            ExpectBoxes(dialogs, {});
        bool lists = c.start == kNothingStored || c.start == kStoredMissing;
        ExpectLists(lists ? std::vector<std::string>{"A"} : std::vector<std::string>{},
                    lists ? std::vector<std::string>{"B"} : std::vector<std::string>{});
        EXPECT_EQ(stored, StoredDirectory());
    }
}

}  // namespace
