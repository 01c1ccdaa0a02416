// Which renames switch the mod folder to a choice of mods on. Pure logic with
// no platform headers, so it is also built and tested natively.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "mods/mod_names.h"

// An archive of the mod folder as listed: its file name, whether it is on
// (.pak) or off (.mod), and its size in bytes.
struct ListedArchive {
    std::string fileName;
    bool enabled;
    uint64_t size = 0;
};

// Turns a name into the key under which names match without regard to case,
// as the file system matches them.
typedef std::function<std::string(const std::string&)> FoldName;

struct SwitchPlan {
    // File names to rename, in order: those switched off first, then those
    // switched on; each is renamed to FlippedName of itself.
    std::vector<std::string> renames;
    std::vector<std::string> missing;  // names of the set that no archive of the folder has
};

// The renames that leave exactly the set's mods on: an archive is renamed
// when its state differs from what the set says of its display name. A name
// on in the set and held by both a .pak and a .mod is on already. A name that
// is not switchable is never renamed.
SwitchPlan PlanSwitch(const std::vector<ListedArchive>& archives, const std::vector<std::string>& setMods,
                      const FoldName& fold);

// The same with the set's names already folded, one key per name; the names
// the folder lacks are left out unless asked for.
SwitchPlan PlanSwitchByKeys(const std::vector<ListedArchive>& archives, const std::vector<std::string>& setMods,
                            const std::vector<std::string>& setKeys, const FoldName& fold, bool listMissing);

// The renames that turn the mods named in `on` on and those in `off` off,
// leaving every other archive as it is; `missing` gets the names that no
// archive of the folder has.
SwitchPlan PlanSomeMods(const std::vector<ListedArchive>& archives, const std::vector<std::string>& on,
                        const std::vector<std::string>& off, const FoldName& fold);

// The display names of the archives that are on, in listing order.
std::vector<std::string> ModsOn(const std::vector<ListedArchive>& archives);
