#include "sets/mod_switch.h"

#include <windows.h>

#include "shared/folder_listing.h"
#include "shared/locale_format.h"
#include "shared/messages.h"
#include "shared/text_conversion.h"
#include "shared/text_format.h"
#include "shared/window_state.h"
#include "switching/switch_view.h"

namespace {

const size_t kNamesInAQuestion = 10;

}  // namespace

bool IsOnNow(const ModSet& set, const std::vector<ListedArchive>& archives)
{
    size_t on = 0;
    for (const ListedArchive& archive : archives)
        on += archive.enabled;
    if (on != set.mods.size())
        return false;  // most sets, without a look at a single name
    SwitchPlan plan = PlanSwitch(archives, set.mods, FoldedKey);
    return plan.renames.empty() && plan.missing.empty();
}

bool SwitchToModSet(const ModSet& set, bool askAboutMissing, bool othersAsTheyAre)
{
    std::string folder = ModDirectory;
    if (!FolderExists(folder)) {
        ShowMessage(MainWindow, Message::DirectoryMissing);
        return false;
    }
    PlanFor planFor = [&set, othersAsTheyAre](const std::vector<ListedArchive>& archives) {
        return othersAsTheyAre ? PlanSomeMods(archives, set.mods, {}, FoldedKey)
                               : PlanSwitch(archives, set.mods, FoldedKey);
    };
    SwitchPlan plan = planFor(ListArchives(folder));
    if (askAboutMissing && !plan.missing.empty()) {
        Message question = plan.missing.size() == 1 ? Message::SetModMissing : Message::SetModsMissing;
        if (ShowMessage(MainWindow, question,
                        {FormatCount(plan.missing.size()), NameList(plan.missing, kNamesInAQuestion)}) != IDYES)
            return false;
    }

    SwitchOutcome outcome = SwitchShown(MainWindow, folder, planFor);
    if (outcome.result == SwitchOutcome::Result::Switched)
        SaveModSet({kBeforeLastSwitchSet, ModsOn(outcome.before)});
    return outcome.result != SwitchOutcome::Result::NotSwitched;
}
