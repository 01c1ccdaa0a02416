#include "game_installs.h"

#include <shlobj.h>

#include <cstdio>

#include "shared/text_conversion.h"
#include "unix_tools.h"

EnvironmentOverride::EnvironmentOverride(const wchar_t* name, const std::string& value) : name_(name)
{
    WCHAR old[32768];
    DWORD length = GetEnvironmentVariableW(name, old, 32768);
    if (length > 0 && length < 32768)
        saved_ = std::wstring(old, length);
    SetEnvironmentVariableW(name, ToWide(value, CP_UTF8).c_str());
}

EnvironmentOverride::~EnvironmentOverride()
{
    SetEnvironmentVariableW(name_.c_str(), saved_ ? saved_->c_str() : NULL);
}

IsolatedHome::IsolatedHome() : home(L"HOME", UnixPath(folder.Path())) {}

RegistryRecord::RegistryRecord(HKEY root, const std::string& path, REGSAM view)
    : root_(root), path_(ToWide(path, CP_UTF8)), view_(view)
{
    for (size_t end = 0; end != std::wstring::npos && made_.empty();) {
        end = path_.find(L'\\', end + 1);
        HKEY key;
        if (RegOpenKeyExW(root_, path_.substr(0, end).c_str(), 0, KEY_READ | view_, &key) != ERROR_SUCCESS)
            made_ = path_.substr(0, end);
        else
            RegCloseKey(key);
    }
    HKEY key;
    if (RegCreateKeyExW(root_, path_.c_str(), 0, NULL, 0, KEY_ALL_ACCESS | view_, NULL, &key, NULL) == 0)
        RegCloseKey(key);
}

RegistryRecord::~RegistryRecord()
{
    // A key left by a test run that was cut off loses its contents.
    HKEY key;
    if (RegOpenKeyExW(root_, (made_.empty() ? path_ : made_).c_str(), 0, KEY_ALL_ACCESS | view_, &key) == 0) {
        RegDeleteTreeW(key, NULL);
        RegCloseKey(key);
    }
    if (!made_.empty())
        RegDeleteKeyExW(root_, made_.c_str(), view_, 0);
}

RegistryRecord& RegistryRecord::Set(const std::string& name, const std::string& text, DWORD type)
{
    std::wstring wide = ToWide(text, CP_UTF8);
    DWORD bytes = static_cast<DWORD>((wide.size() + (type == REG_SZ ? 1 : 0)) * sizeof(WCHAR));
    HKEY key;
    if (RegOpenKeyExW(root_, path_.c_str(), 0, KEY_SET_VALUE | view_, &key) == ERROR_SUCCESS) {
        RegSetValueExW(key, ToWide(name, CP_UTF8).c_str(), 0, type, reinterpret_cast<const BYTE*>(wide.c_str()),
                       bytes);
        RegCloseKey(key);
    }
    return *this;
}

std::string TestKeyName()
{
    static unsigned counter;
    char name[64];
    std::snprintf(name, sizeof name, "QmmTest-%lu-%04u", GetCurrentProcessId(), ++counter);
    return name;
}

std::string MakeGame(const std::string& folder, const std::vector<std::string>& mods)
{
    for (const char* part : {"\\bin", "\\data"})
        SHCreateDirectoryExW(NULL, ToWide(folder + part, CP_UTF8).c_str(), NULL);
    WriteFileBytes(folder + "\\bin\\H5_Game.exe", "");
    for (const std::string& mod : mods)
        WriteFileBytes(folder + "\\data\\" + mod, "");
    return folder + "\\data";
}

std::string GameInstalls::Folder()
{
    folders_.push_back(std::make_unique<TempFolder>());
    return folders_.back()->Path();
}

RegistryRecord& GameInstalls::Record(HKEY root, const std::string& path, REGSAM view)
{
    records_.push_back(std::make_unique<RegistryRecord>(root, path, view));
    return *records_.back();
}

void GameInstalls::SetEnvironment(const wchar_t* name, const std::string& value)
{
    environment_.push_back(std::make_unique<EnvironmentOverride>(name, value));
}

void GameInstalls::LibraryList(const std::string& steamFolder, const char* list,
                               const std::vector<std::string>& libraries, bool oldForm)
{
    std::string text =
        oldForm ? "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\"1\"\n" : "\"libraryfolders\"\n{\n";
    for (size_t i = 0; i < libraries.size(); ++i) {
        std::string path;
        for (char c : libraries[i])
            path += c == '\\' ? std::string("\\\\") : std::string(1, c);
        std::string number = "\t\"" + std::to_string(oldForm ? i + 1 : i) + "\"";
        text += oldForm ? number + "\t\"" + path + "\"\n"
                        : number + "\n\t{\n\t\t\"path\"\t\"" + path + "\"\n\t\t\"apps\"\n\t\t{\n\t\t}\n\t}\n";
    }
    SHCreateDirectoryExW(NULL, ToWide(steamFolder + "\\" + list, CP_UTF8).c_str(), NULL);
    WriteFileBytes(steamFolder + "\\" + list + "\\libraryfolders.vdf", text + "}\n");
}
