#include "search/search_mods.h"

#include <unordered_set>

#include "mods/mod_names.h"

ProblemSearch NewSearch(const std::string& folder, const std::vector<std::string>& modsOn,
                        const std::vector<std::string>& keptOn, const FoldName& fold)
{
    std::unordered_set<std::string> kept;
    for (const std::string& mod : keptOn)
        kept.insert(fold(mod));
    ProblemSearch search;
    search.startState = {folder};
    search.keptOn = keptOn;
    for (const std::string& mod : modsOn)
        if (!kept.count(fold(mod)))
            search.suspects.push_back(mod);
    return search;
}

std::string SearchFolder(const ProblemSearch& search)
{
    return search.startState.empty() ? std::string() : search.startState[0];
}

ModsWanted WantedForStart(const ProblemSearch& search, const std::vector<bool>& on)
{
    ModsWanted wanted = {ModsOnAt(search, on), {}};
    for (size_t i = 0; i < search.suspects.size(); ++i)
        if (i >= on.size() || !on[i])
            wanted.off.push_back(search.suspects[i]);
    return wanted;
}

ModsWanted WantedAtStart(const ProblemSearch& search)
{
    return WantedForStart(search, std::vector<bool>(search.suspects.size(), true));
}

ModsWanted WantedWithout(const ProblemSearch& search, const std::vector<std::string>& culprits)
{
    std::vector<bool> on(search.suspects.size(), true);
    for (size_t i = 0; i < search.suspects.size(); ++i)
        for (const std::string& culprit : culprits)
            if (search.suspects[i] == culprit)
                on[i] = false;
    return WantedForStart(search, on);
}

bool FolderIsAsWanted(const std::vector<ListedArchive>& archives, const ModsWanted& wanted, const FoldName& fold)
{
    std::unordered_set<std::string> onNow;
    for (const ListedArchive& archive : archives)
        if (archive.enabled)
            onNow.insert(fold(DisplayName(archive.fileName)));
    for (const std::string& mod : wanted.on)
        if (!onNow.count(fold(mod)))
            return false;
    for (const std::string& mod : wanted.off)
        if (onNow.count(fold(mod)))
            return false;
    return true;
}
