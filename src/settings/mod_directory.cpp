#include "settings/mod_directory.h"

#include <cstring>
#include <string>

const char kSettingsKey[] = "Software\\RozUrovere";
const char kSettingsValue[] = "Directory";

bool SetModDirectory(const char* path)
{
    size_t length = std::strlen(path);
    if (length >= sizeof ModDirectory)
        return false;
    std::memcpy(ModDirectory, path, length + 1);
    return true;
}

// The stored value is read as the key's first value, whatever its name; its data
// is written without a terminating zero, so the string ends after the bytes read.
bool LoadSettings()
{
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, kSettingsKey, &key) != ERROR_SUCCESS)
        return false;
    char name[MAX_PATH];
    DWORD nameLength = sizeof name;
    char data[MAX_PATH];
    DWORD dataLength = sizeof data;
    LONG result = RegEnumValueA(key, 0, name, &nameLength, NULL, NULL, reinterpret_cast<BYTE*>(data), &dataLength);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return false;

    std::string stored(data, dataLength);
    return PathExists(stored) && SetModDirectory(stored.c_str());
}

void SaveSettings()
{
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, kSettingsKey, &key) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, kSettingsValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(ModDirectory),
                   static_cast<DWORD>(std::strlen(ModDirectory)));
    RegCloseKey(key);
}
