#include "registry.h"

#include <aclapi.h>
#include <algorithm>

#include "journal.h"
#include "sets/set_store.h"
#include "settings/mod_directory.h"
#include "shared/text_conversion.h"

void DeleteSettingsKey()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    ClearJournalHome();
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
    StoreUserValue(kSettingsKey, name, type, bytes);
}

void StoreUserValue(const char* keyPath, const char* name, DWORD type, const std::string& bytes)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) != ERROR_SUCCESS)
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

void StoreSwitchJournal(const std::vector<std::string>& strings)
{
    StoreModSetValue(L"", strings);
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

namespace {

// Everyone may read the key; with `writable`, also change it.
bool SetKeyAccess(HKEY key, bool writable)
{
    EXPLICIT_ACCESSA access = {};
    access.grfAccessPermissions = writable ? KEY_ALL_ACCESS : KEY_READ;
    access.grfAccessMode = GRANT_ACCESS;
    access.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    access.Trustee.ptstrName = const_cast<char*>("EVERYONE");
    PACL list = NULL;
    if (SetEntriesInAclA(1, &access, NULL, &list) != ERROR_SUCCESS)
        return false;
    DWORD result = SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, NULL, NULL, list, NULL);
    LocalFree(list);
    return result == ERROR_SUCCESS;
}

}  // namespace

ReadOnlyKey::ReadOnlyKey(const char* path) : path_(path)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    made_ = SetKeyAccess(key, false);
    RegCloseKey(key);
}

ReadOnlyKey::~ReadOnlyKey()
{
    // Its owner may always change who may do what.
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return;
    SetKeyAccess(key, true);
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
