#include "switching/switch_plan.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "mods/mod_names.h"

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
        if (!IsSwitchableName(archive.fileName))
            continue;
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

SwitchPlan PlanSomeMods(const std::vector<ListedArchive>& archives, const std::vector<std::string>& on,
                        const std::vector<std::string>& off, const FoldName& fold)
{
    // Planned as a switch to `on` in the folder of the archives that `on`
    // and `off` name, so that a name held by a .pak and a .mod is as there.
    std::unordered_set<std::string> named;
    for (const std::string& name : on)
        named.insert(fold(name));
    for (const std::string& name : off)
        named.insert(fold(name));
    std::vector<ListedArchive> concerned;
    for (const ListedArchive& archive : archives)
        if (named.count(fold(DisplayName(archive.fileName))))
            concerned.push_back(archive);
    std::vector<std::string> all = on;
    all.insert(all.end(), off.begin(), off.end());
    SwitchPlan plan = PlanSwitch(concerned, on, fold);
    plan.missing = PlanSwitch(concerned, all, fold).missing;
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
