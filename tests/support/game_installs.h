// Installed games for the tests of the game look-up and its benchmark: games
// in temporary folders, and the registry keys and environment that name them,
// all removed or put back afterwards, even when a test fails.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "temp_folder.h"

// An environment variable of this process, and of the programs it starts, set
// until it goes out of scope.
class EnvironmentOverride {
public:
    EnvironmentOverride(const wchar_t* name, const std::string& value);
    ~EnvironmentOverride();
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    std::wstring name_;
    std::optional<std::wstring> saved_;
};

// HOME names an empty folder: no Steam library of the machine's user is found.
struct IsolatedHome {
    TempFolder folder;
    EnvironmentOverride home;
    IsolatedHome();
};

// A registry key made in one view (0, KEY_WOW64_32KEY, KEY_WOW64_64KEY); it
// and the parents made for it are deleted when it goes out of scope.
class RegistryRecord {
public:
    RegistryRecord(HKEY root, const std::string& path, REGSAM view);
    ~RegistryRecord();
    RegistryRecord(const RegistryRecord&) = delete;
    RegistryRecord& operator=(const RegistryRecord&) = delete;

    // `text` as a string value with its zero, or its UTF-16 bytes under another type.
    RegistryRecord& Set(const std::string& name, const std::string& text, DWORD type = REG_SZ);

private:
    HKEY root_;
    std::wstring path_, made_;  // the key, and the topmost key made for it
    REGSAM view_;
};

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
// A key name of this test run, later in the registry's order than the one before.
std::string TestKeyName();

// Makes `folder`, and the folders above it, a game: bin\H5_Game.exe and a
// data folder holding `mods`. Gives the data folder.
std::string MakeGame(const std::string& folder, const std::vector<std::string>& mods = {});

// The games, keys and environment of one test, undone when it goes out of scope.
class GameInstalls {
public:
    std::string Folder();  // a new empty folder
    RegistryRecord& Record(HKEY root, const std::string& path, REGSAM view = 0);
    void SetEnvironment(const wchar_t* name, const std::string& value);
    // Writes `steamFolder`\`list`\libraryfolders.vdf ("steamapps" or "config")
    // naming these libraries, in the form Steam writes now or in its old one.
    void LibraryList(const std::string& steamFolder, const char* list, const std::vector<std::string>& libraries,
                     bool oldForm = false);

private:
    std::vector<std::unique_ptr<TempFolder>> folders_;
    std::vector<std::unique_ptr<RegistryRecord>> records_;
    std::vector<std::unique_ptr<EnvironmentOverride>> environment_;
};
