// Where mod sets live: HKEY_CURRENT_USER\Software\RozUrovere\Mod Sets, one
// REG_MULTI_SZ value per set, named as the set, holding its mods' display
// names; each written by one call, so a set is never half written. The same
// key holds the tool's own set "Before the last switch" under that name and,
// while a switch runs, its journal in the key's unnamed value (no set can have
// an empty name). Names are stored as UTF-16, so they read back exactly in
// every script.
#pragma once

#include <optional>
#include <string>
#include <vector>

extern const char kModSetsKey[];  // under HKEY_CURRENT_USER
extern const char kNoModsSet[];
extern const char kBeforeLastSwitchSet[];

struct ModSet {
    std::string name;
    std::vector<std::string> mods;  // display names of the mods that are on
};

// The player's sets, sorted by name without regard to case.
std::vector<ModSet> LoadModSets();
// Only their names, in the same order.
std::vector<std::string> ModSetNames();
// A set of the player's by name (letter case aside), or "Before the last switch".
std::optional<ModSet> FindModSet(const std::string& name);

// Writes the set, replacing one of the same name; false when the registry
// refused.
bool SaveModSet(const ModSet& set);
bool DeleteModSet(const std::string& name);

// True for the names the tool's own sets are stored under, letter case aside.
bool IsReservedSetName(const std::string& name);
// The same, or their names as shown in the current language: no name for a
// set of the player's.
bool IsOwnSetName(const std::string& name);

// A set's name as the player sees it: the tool's own sets in the current
// language (they are stored under their English names), the others as named.
std::string ShownSetName(const std::string& name);
