// Mod sets as pure logic: which renames switch the folder to a set, the
// journal of a switch, and the rules for a set's name. No platform headers, so
// it is also built and tested natively.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

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
// on in the set and held by both a .pak and a .mod is on already.
SwitchPlan PlanSwitch(const std::vector<ListedArchive>& archives, const std::vector<std::string>& setMods,
                      const FoldName& fold);

// The same with the set's names already folded, one key per name; the names
// the folder lacks are left out unless asked for.
SwitchPlan PlanSwitchByKeys(const std::vector<ListedArchive>& archives, const std::vector<std::string>& setMods,
                            const std::vector<std::string>& setKeys, const FoldName& fold, bool listMissing);

// The display names of the archives that are on, in listing order.
std::vector<std::string> ModsOn(const std::vector<ListedArchive>& archives);

// The archive's name in its other state: "A.pak" <-> "A.mod", the last three
// characters replaced.
std::string FlippedName(const std::string& fileName);

// A switch's journal as the strings of one registry value: the folder, then
// the file names to rename in order. Read back only when whole.
std::vector<std::string> JournalStrings(const std::string& folder, const std::vector<std::string>& renames);
struct Journal {
    std::string folder;
    std::vector<std::string> renames;
};
std::optional<Journal> ReadJournal(const std::vector<std::string>& strings);

// A set's name has 1 to 64 characters, not only spaces and no control
// characters.
bool IsValidSetName(const std::string& name);
