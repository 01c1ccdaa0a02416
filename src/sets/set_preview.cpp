#include "sets/set_preview.h"

#include <unordered_map>

#include "mods/mod_names.h"

std::vector<std::string> SetModsOf(const SharedSet& shared)
{
    std::vector<std::string> mods;
    mods.reserve(shared.mods.size());
    for (const SharedMod& mod : shared.mods)
        mods.push_back(DisplayName(mod.fileName));
    return mods;
}

std::unordered_map<std::string, const ListedArchive*> ArchivesByName(const std::vector<ListedArchive>& archives,
                                                                     const FoldName& fold)
{
    std::unordered_map<std::string, const ListedArchive*> byName;
    for (const ListedArchive& archive : archives) {
        const ListedArchive*& known = byName[fold(DisplayName(archive.fileName))];
        if (!known || archive.enabled)
            known = &archive;
    }
    return byName;
}

SetPreview PreviewOf(const std::vector<ListedArchive>& archives, const SharedSet& shared, const FoldName& fold)
{
    SetPreview preview;
    std::vector<std::string> mods = SetModsOf(shared), keys;
    keys.reserve(mods.size());
    for (const std::string& mod : mods)
        keys.push_back(fold(mod));
    SwitchPlan plan = PlanSwitchByKeys(archives, mods, keys, fold, false);
    std::unordered_map<std::string, const ListedArchive*> byName = ArchivesByName(archives, fold);
    for (const std::string& renamed : plan.renames)
        (HasExtension(renamed, ".pak") ? preview.switchedOff : preview.switchedOn).push_back(DisplayName(renamed));
    for (size_t i = 0; i < shared.mods.size(); ++i) {
        const SharedMod& mod = shared.mods[i];
        auto local = byName.find(keys[i]);
        if (local == byName.end())
            preview.missing.push_back(mod.fileName);
        else if (local->second->size != mod.size)
            preview.otherVersions.push_back({mod.fileName, local->second->size, mod.size});
    }
    return preview;
}
