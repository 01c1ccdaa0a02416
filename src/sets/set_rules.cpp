#include "sets/set_rules.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "mods/mod_names.h"
#include "shared/utf8.h"

namespace {

const char kJournalMark[] = "Quillmoor mod set switch, version 1";
const size_t kLongestSetName = 64;

}  // namespace

std::string FlippedName(const std::string& fileName)
{
    return ReplaceExtension(fileName, HasExtension(fileName, ".pak") ? "mod" : "pak");
}

SwitchPlan PlanSwitch(const std::vector<ListedArchive>& archives, const std::vector<std::string>& setMods,
                      const FoldName& fold)
{
    std::vector<std::string> keys;
    keys.reserve(setMods.size());
    for (const std::string& mod : setMods)
        keys.push_back(fold(mod));
    return PlanSwitchByKeys(archives, setMods, keys, fold, true);
}

SwitchPlan PlanSwitchByKeys(const std::vector<ListedArchive>& archives, const std::vector<std::string>& setMods,
                            const std::vector<std::string>& setKeys, const FoldName& fold, bool listMissing)
{
    // Views into `setKeys` and `archiveKeys`, which outlive the sets: sets of
    // 100,000 mods are planned at once.
    std::unordered_set<std::string_view> wanted(setKeys.begin(), setKeys.end());
    std::vector<std::string> archiveKeys;
    archiveKeys.reserve(archives.size());
    // Each display name once: whether one of its archives is on.
    std::unordered_map<std::string_view, bool> onNow;
    onNow.reserve(archives.size());
    for (const ListedArchive& archive : archives)
        archiveKeys.push_back(fold(DisplayName(archive.fileName)));
    for (size_t i = 0; i < archives.size(); ++i) {
        bool& on = onNow[archiveKeys[i]];
        on = on || archives[i].enabled;
    }

    SwitchPlan plan;
    std::vector<std::string> switchedOn;
    for (size_t i = 0; i < archives.size(); ++i) {
        const ListedArchive& archive = archives[i];
        bool inSet = wanted.count(archiveKeys[i]) != 0;
        if (archive.enabled && !inSet)
            plan.renames.push_back(archive.fileName);
        else if (!archive.enabled && inSet && !onNow[archiveKeys[i]]) {
            switchedOn.push_back(archive.fileName);
            onNow[archiveKeys[i]] = true;  // a second .mod of the same name stays off
        }
    }
    plan.renames.insert(plan.renames.end(), switchedOn.begin(), switchedOn.end());

    std::unordered_set<std::string_view> reported;
    for (size_t i = 0; listMissing && i < setMods.size(); ++i)
        if (!onNow.count(setKeys[i]) && reported.insert(setKeys[i]).second)
            plan.missing.push_back(setMods[i]);
    return plan;
}

std::vector<std::string> ModsOn(const std::vector<ListedArchive>& archives)
{
    std::vector<std::string> on;
    for (const ListedArchive& archive : archives)
        if (archive.enabled)
            on.push_back(DisplayName(archive.fileName));
    return on;
}

std::vector<std::string> JournalStrings(const std::string& folder, const std::vector<std::string>& renames)
{
    std::vector<std::string> strings = {kJournalMark, folder, std::to_string(renames.size())};
    strings.insert(strings.end(), renames.begin(), renames.end());
    return strings;
}

std::optional<Journal> ReadJournal(const std::vector<std::string>& strings)
{
    if (strings.size() < 3 || strings[0] != kJournalMark || strings[1].empty() ||
        strings[2] != std::to_string(strings.size() - 3))
        return std::nullopt;
    return Journal{strings[1], std::vector<std::string>(strings.begin() + 3, strings.end())};
}

bool IsValidSetName(const std::string& name)
{
    if (name.empty() || name.find_first_not_of(' ') == std::string::npos || CharacterCount(name) > kLongestSetName)
        return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    return true;
}
