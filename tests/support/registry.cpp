#include "registry.h"

#include <algorithm>

#include "sets/set_store.h"
#include "settings/mod_directory.h"
#include "shared/text_conversion.h"

void DeleteSettingsKey()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
}

bool SettingsKeyExists()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void StoreSettingsValue(const char* name, DWORD type, const std::string& bytes)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    // A non-zero byte after the data: given a zero there, the platform would
    // count it into a string value, and the value would not be stored as given.
    std::string data = bytes + 'X';
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

std::optional<std::string> StoredDirectory()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char data[2048];
    DWORD size = sizeof data;
    LONG result = RegQueryValueExA(key, kSettingsValue, NULL, NULL, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(data, size);
}

SettingsRestorer::~SettingsRestorer()
{
    DeleteSettingsKey();
    if (saved_)
        StoreSettingsValue(kSettingsValue, REG_SZ, *saved_);
}

void StoreModSetValue(const std::wstring& name, const std::vector<std::string>& strings)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kModSetsKey, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    std::wstring data;
    for (const std::string& text : strings)
        data += ToWide(text, CP_UTF8) + L'\0';
    data += L'\0';
    RegSetValueExW(key, name.c_str(), 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size() * sizeof(wchar_t)));
    RegCloseKey(key);
}

std::vector<std::wstring> ModSetValueNames()
{
    std::vector<std::wstring> names;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kModSetsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    WCHAR name[16384];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name / sizeof name[0];
        if (RegEnumValueW(key, index, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        names.push_back(std::wstring(name, length));
    }
    RegCloseKey(key);
    std::sort(names.begin(), names.end());
    return names;
}
