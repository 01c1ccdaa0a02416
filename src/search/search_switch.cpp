#include "search/search_switch.h"

#include <algorithm>

#include "search/search_store.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"
#include "shared/text_conversion.h"
#include "switching/switch_view.h"

namespace {

// The mods wanted, but those the folder lacks.
ModsWanted WithoutMissing(const ModsWanted& wanted, const std::vector<std::string>& missing)
{
    auto present = [&missing](const std::vector<std::string>& mods) {
        std::vector<std::string> kept;
        for (const std::string& mod : mods)
            if (std::find(missing.begin(), missing.end(), mod) == missing.end())
                kept.push_back(mod);
        return kept;
    };
    return {present(wanted.on), present(wanted.off)};
}

}  // namespace

Switched SwitchSearchTo(HWND owner, const ProblemSearch& search, ModsWanted wanted, bool whatCanBe,
                        std::vector<std::string>& missing)
{
    std::string folder = SearchFolder(search);
    if (!FolderExists(folder)) {
        ShowMessage(owner, Message::DirectoryMissing);  // nothing can be put back: the search stays
        return Switched::Failed;
    }
    missing = PlanSomeMods(ListArchives(folder), wanted.on, wanted.off, FoldedKey).missing;
    if (!missing.empty() && !whatCanBe)
        return Switched::ModsMissing;
    wanted = WithoutMissing(wanted, missing);
    SwitchOutcome outcome = SwitchShown(owner, folder, [&wanted](const std::vector<ListedArchive>& now) {
        return PlanSomeMods(now, wanted.on, wanted.off, FoldedKey);
    });
    bool switched = outcome.result != SwitchOutcome::Result::NotSwitched;
    return switched && FolderIsAsWanted(ListArchives(folder), wanted, FoldedKey) ? Switched::Yes
                                                                                 : Switched::Failed;
}

bool EndSearchWith(HWND owner, const ProblemSearch& search, const ModsWanted& wanted)
{
    std::vector<std::string> missing;
    bool ended = SwitchSearchTo(owner, search, wanted, true, missing) == Switched::Yes;
    if (ended)
        ForgetSearch();
    return ended;
}

namespace {

std::vector<std::string> ArchivesOn(const std::vector<ListedArchive>& archives)
{
    std::vector<std::string> on;
    for (const ListedArchive& archive : archives)
        if (archive.enabled)
            on.push_back(FoldedKey(archive.fileName));
    std::sort(on.begin(), on.end());
    return on;
}

}  // namespace

std::vector<std::string> ArchivesOn(const ProblemSearch& search)
{
    return ArchivesOn(ListArchives(SearchFolder(search)));
}

StepFolder CheckStepFolder(const ProblemSearch& search, const std::vector<bool>& on,
                           const std::vector<std::string>& onAtStep)
{
    std::vector<ListedArchive> archives = ListArchives(SearchFolder(search));
    ModsWanted wanted = WantedForStart(search, on);
    if (!PlanSomeMods(archives, wanted.on, wanted.off, FoldedKey).missing.empty())
        return StepFolder::ModsMissing;
    return FolderIsAsWanted(archives, wanted, FoldedKey) && ArchivesOn(archives) == onAtStep ? StepFolder::AsWanted
                                                                                             : StepFolder::Changed;
}
