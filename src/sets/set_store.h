// Where mod sets live: HKEY_CURRENT_USER\Software\RozUrovere\Mod Sets, one
// REG_MULTI_SZ value per set, named as the set, holding its mods' display
// names; each written by one call, so a set is never half written. The same
// key holds the tool's own set "Before the last switch" under that name; its
// unnamed value is where earlier versions of the tool kept a switch's plan
// (no set can have an empty name). Names are stored as UTF-16, so they read
// back exactly in every script.
#pragma once

#include <optional>
#include <string>
#include <vector>

extern const char kModSetsKey[];  // under HKEY_CURRENT_USER
extern const char kNoModsSet[];
extern const char kBeforeLastSwitchSet[];
extern const char kBeforeSearchSet[];  // while a problem search runs

struct ModSet {
    std::string name;
    std::vector<std::string> mods;  // display names of the mods that are on
    // The registry value's own name, for a set read from there: another
    // program may have written one that `name` cannot give back exactly (a
    // stray surrogate, a letter of another script in an older code page).
    std::wstring storedAs = std::wstring();
};

// The player's sets, sorted by name without regard to case.
std::vector<ModSet> LoadModSets();
// Only their names, in the same order.
std::vector<std::string> ModSetNames();
// A set of the player's by name (letter case aside), or "Before the last switch".
std::optional<ModSet> FindModSet(const std::string& name);

// Writes the set, replacing one of the same name (the value it was read from,
// if any); false when the registry refused.
bool SaveModSet(const ModSet& set);
// Removes the value the set was read from, else the one of its name; false
// when the registry refused or had no such value.
bool DeleteModSet(const ModSet& set);

// True for the names the tool's own sets are stored under, letter case aside.
bool IsReservedSetName(const std::string& name);
// The same, or their names as shown in the current language: no name for a
// set of the player's.
bool IsOwnSetName(const std::string& name);

// A set's name as the player sees it: the tool's own sets in the current
// language (they are stored under their English names), the others as named.
std::string ShownSetName(const std::string& name);
