#include "sets/set_rules.h"

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
    std::unordered_set<std::string> wanted;
    for (const std::string& mod : setMods)
        wanted.insert(fold(mod));

    // Each display name once: whether one of its archives is on, and whether the set has it.
    std::unordered_map<std::string, bool> onNow;
    for (const ListedArchive& archive : archives) {
        bool& on = onNow[fold(DisplayName(archive.fileName))];
        on = on || archive.enabled;
    }

    SwitchPlan plan;
    std::vector<std::string> switchedOn;
    for (const ListedArchive& archive : archives) {
        std::string key = fold(DisplayName(archive.fileName));
        bool inSet = wanted.count(key) != 0;
        if (archive.enabled && !inSet)
            plan.renames.push_back(archive.fileName);
        else if (!archive.enabled && inSet && !onNow[key]) {
            switchedOn.push_back(archive.fileName);
            onNow[key] = true;  // a second .mod of the same name stays off
        }
    }
    plan.renames.insert(plan.renames.end(), switchedOn.begin(), switchedOn.end());

    std::unordered_set<std::string> reported;
    for (const std::string& mod : setMods) {
        std::string key = fold(mod);
        if (!onNow.count(key) && reported.insert(key).second)
            plan.missing.push_back(mod);
    }
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
