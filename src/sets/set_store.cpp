#include "sets/set_store.h"

#include <windows.h>

#include <algorithm>

#include "shared/messages.h"
#include "shared/registry_strings.h"
#include "shared/text_conversion.h"

const char kModSetsKey[] = "Software\\RozUrovere\\Mod Sets";
const char kNoModsSet[] = "No mods";
const char kBeforeLastSwitchSet[] = "Before the last switch";
const char kBeforeSearchSet[] = "Before the search";

namespace {

// Every value of the key that holds a set of the player's, with or without its mods.
std::vector<ModSet> EnumerateSets(bool withMods)
{
    std::vector<ModSet> sets;
    HKEY key = OpenUserKey(kModSetsKey, false);
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
    HKEY key = name.empty() ? NULL : OpenUserKey(kModSetsKey, false);  // the unnamed value is no set
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
    return !set.name.empty() && WriteUserStrings(kModSetsKey, ValueName(set), set.mods, false);
}

bool DeleteModSet(const ModSet& set)
{
    HKEY key = OpenUserKey(kModSetsKey, true);
    if (!key)
        return false;
    LONG result = RegDeleteValueW(key, ValueName(set).c_str());
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool IsReservedSetName(const std::string& name)
{
    std::wstring folded = FoldCase(name);
    return folded == FoldCase(kNoModsSet) || folded == FoldCase(kBeforeLastSwitchSet) ||
           folded == FoldCase(kBeforeSearchSet);
}

bool IsOwnSetName(const std::string& name)
{
    std::wstring folded = FoldCase(name);
    return IsReservedSetName(name) || folded == FoldCase(ShownSetName(kNoModsSet)) ||
           folded == FoldCase(ShownSetName(kBeforeLastSwitchSet)) ||
           folded == FoldCase(ShownSetName(kBeforeSearchSet));
}

std::string ShownSetName(const std::string& name)
{
    if (name == kNoModsSet)
        return TextFor(Text::SetNoMods);
    if (name == kBeforeLastSwitchSet)
        return TextFor(Text::SetBeforeLastSwitch);
    if (name == kBeforeSearchSet)
        return TextFor(Text::SetBeforeSearch);
    return name;
}
