#include "sets/set_store.h"

#include <windows.h>

#include <algorithm>

#include "shared/text_conversion.h"

const char kModSetsKey[] = "Software\\RozUrovere\\Mod Sets";
const char kNoModsSet[] = "No mods";
const char kBeforeLastSwitchSet[] = "Before the last switch";

namespace {

const wchar_t kJournalValue[] = L"";  // the key's unnamed value: no set can have an empty name

HKEY OpenSets(bool create)
{
    HKEY key = NULL;
    std::wstring path = ToWide(kModSetsKey, CP_ACP);
    LONG result = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, NULL, 0, KEY_READ | KEY_WRITE, NULL,
                                           &key, NULL)
                         : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    return result == ERROR_SUCCESS ? key : NULL;
}

// REG_MULTI_SZ: each string with its terminating zero, then one more. An
// empty string would end the list early and cannot be held.
std::wstring MultiString(const std::vector<std::string>& strings)
{
    std::wstring data;
    for (const std::string& text : strings)
        if (!text.empty())
            data += ToWide(text, CP_ACP) + L'\0';
    return data + L'\0';
}

std::vector<std::string> Strings(const std::wstring& data)
{
    std::vector<std::string> strings;
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find(L'\0', start);
        if (end == std::wstring::npos)
            end = data.size();
        if (end == start)
            break;
        strings.push_back(FromWide(data.substr(start, end - start), CP_ACP));
        start = end + 1;
    }
    return strings;
}

bool WriteStrings(const std::wstring& valueName, const std::vector<std::string>& strings)
{
    HKEY key = OpenSets(true);
    if (!key)
        return false;
    std::wstring data = MultiString(strings);
    LONG result =
        RegSetValueExW(key, valueName.c_str(), 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size() * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::optional<std::vector<std::string>> ReadStrings(HKEY key, const std::wstring& valueName)
{
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, valueName.c_str(), NULL, &type, NULL, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return std::nullopt;
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, valueName.c_str(), NULL, &type, reinterpret_cast<BYTE*>(&data[0]), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size / sizeof(wchar_t));
    return Strings(data);
}

// Every value of the key that holds a set of the player's, with or without its mods.
std::vector<ModSet> EnumerateSets(bool withMods)
{
    std::vector<ModSet> sets;
    HKEY key = OpenSets(false);
    if (!key)
        return sets;
    DWORD longestName = 0;
    RegQueryInfoKeyW(key, NULL, NULL, NULL, NULL, NULL, NULL, NULL, &longestName, NULL, NULL, NULL);
    std::wstring name(longestName + 1, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = longestName + 1, type = 0;
        LONG result = RegEnumValueW(key, index, &name[0], &length, NULL, &type, NULL, NULL);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            break;
        std::string setName = FromWide(name.substr(0, length), CP_ACP);
        if (type != REG_MULTI_SZ || setName.empty() || IsReservedSetName(setName))
            continue;
        ModSet set = {setName, {}, name.substr(0, length)};
        if (withMods)
            set.mods = ReadStrings(key, set.storedAs).value_or(std::vector<std::string>());
        sets.push_back(set);
    }
    RegCloseKey(key);
    std::sort(sets.begin(), sets.end(),
              [](const ModSet& a, const ModSet& b) { return FoldCase(a.name) < FoldCase(b.name); });
    return sets;
}

}  // namespace

std::vector<ModSet> LoadModSets()
{
    return EnumerateSets(true);
}

std::vector<std::string> ModSetNames()
{
    std::vector<std::string> names;
    for (const ModSet& set : EnumerateSets(false))
        names.push_back(set.name);
    return names;
}

namespace {

// A set whose name the code page cannot give back exactly, found as the sets
// are listed.
std::optional<ModSet> ListedSet(HKEY key, const std::string& name)
{
    for (ModSet& set : EnumerateSets(false)) {
        if (set.name == name) {
            set.mods = ReadStrings(key, set.storedAs).value_or(std::vector<std::string>());
            return set;
        }
    }
    return std::nullopt;
}

std::wstring ValueName(const ModSet& set)
{
    return set.storedAs.empty() ? ToWide(set.name, CP_ACP) : set.storedAs;
}

}  // namespace

std::optional<ModSet> FindModSet(const std::string& name)
{
    HKEY key = name.empty() ? NULL : OpenSets(false);  // the unnamed value is the journal
    if (!key)
        return std::nullopt;
    std::optional<ModSet> found;
    // The registry matches value names without regard to case, as the sets do.
    if (std::optional<std::vector<std::string>> mods = ReadStrings(key, ToWide(name, CP_ACP)))
        found = ModSet{name, *mods, ToWide(name, CP_ACP)};
    else if (!IsReservedSetName(name))
        found = ListedSet(key, name);
    RegCloseKey(key);
    return found;
}

bool SaveModSet(const ModSet& set)
{
    return !set.name.empty() && WriteStrings(ValueName(set), set.mods);
}

bool DeleteModSet(const ModSet& set)
{
    HKEY key = OpenSets(true);
    if (!key)
        return false;
    LONG result = RegDeleteValueW(key, ValueName(set).c_str());
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool IsReservedSetName(const std::string& name)
{
    std::wstring folded = FoldCase(name);
    return folded == FoldCase(kNoModsSet) || folded == FoldCase(kBeforeLastSwitchSet);
}

bool WriteSwitchJournal(const std::vector<std::string>& strings)
{
    if (!WriteStrings(kJournalValue, strings))
        return false;
    // On disk before the first rename, so that even a power cut finds it.
    HKEY key = OpenSets(false);
    if (key) {
        RegFlushKey(key);
        RegCloseKey(key);
    }
    return true;
}

std::vector<std::string> ReadSwitchJournal()
{
    HKEY key = OpenSets(false);
    if (!key)
        return {};
    std::vector<std::string> strings = ReadStrings(key, kJournalValue).value_or(std::vector<std::string>());
    RegCloseKey(key);
    return strings;
}

bool RemoveSwitchJournal()
{
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, ToWide(kModSetsKey, CP_ACP).c_str(), 0, KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS)
        return true;
    LONG result = RegDeleteValueW(key, kJournalValue);
    RegCloseKey(key);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}
