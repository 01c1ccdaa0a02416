#include "updates/interrupted_update.h"

#include <optional>
#include <string>
#include <vector>

#include "mods/mod_names.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"
#include "shared/text_conversion.h"
#include "shared/window_state.h"
#include "switching/journal_rules.h"
#include "updates/version_journal.h"
#include "updates/version_plan.h"
#include "updates/version_steps.h"

namespace {

enum class Repair { Finished, Undone, NotRepaired, FolderMissing, OtherFolder, Changed };

struct Found {
    bool happened = false;
    VersionChange change = VersionChange::Update;
    Repair repair = Repair::Finished;
    std::string mod, folder;
    std::vector<std::string> recycled;  // by an undone update, before its replace
} found;

// Finishes the steps from where they stopped; where a move fails, undoes
// every move made instead.
Repair Carry(const VersionJournal& journal, size_t made, std::vector<std::string>& recycled)
{
    for (const NameMove& move : MovesToFinish(journal.steps, made)) {
        if (!RunMove(journal.folder, move))
            break;
        NoteStepsDone(StepsDone(journal.steps, ++made));
    }
    if (made == MovesToFinish(journal.steps, 0).size())
        return Repair::Finished;
    if (!UndoMoves(journal.folder, journal.steps, made))
        return Repair::NotRepaired;
    recycled = RecycledAmong(journal.steps, made);
    // What the update had copied is no version of the mod now; the older
    // version's folder is empty again.
    VersionNames names = NamesOfVersions(journal.archive);
    DeleteFileA(JoinPath(journal.folder, names.archiveTemporary).c_str());
    DeleteFileA(JoinPath(journal.folder, names.descriptionTemporary).c_str());
    RemoveDirectoryA(JoinPath(journal.folder, names.olderFolder).c_str());
    return Repair::Undone;
}

// Puts in order the journal left in the registry, into `found`; false when
// there is none, or another copy of the tool is changing a version (its
// journal is live). One that is not the tool's is removed. One of another
// folder than the mod folder is left alone: its names are only the tool's
// own in its own folder.
bool SettleJournalLeft()
{
    VersionLock lock;
    if (!lock.Held())
        return false;
    size_t stepsDone = 0;
    std::vector<std::string> strings = ReadVersionJournalStrings(stepsDone);
    if (strings.empty())
        return false;
    std::optional<VersionJournal> journal = ReadVersionJournal(strings);
    if (!journal) {
        RemoveVersionJournal();  // not one of ours: nothing to finish
        return false;
    }
    found = {true, journal->change, Repair::Finished, DisplayName(journal->archive), journal->folder, {}};
    if (!FolderExists(journal->folder)) {
        found.repair = Repair::FolderMissing;  // kept for a start when it is there
    } else if (!IsJournalFolder(journal->folder, ModDirectory, FoldedKey)) {
        found.repair = Repair::OtherFolder;  // kept for a start when it is the mod folder again
    } else {
        std::optional<size_t> made = MovesMade(journal->steps, stepsDone, NamesPresent(journal->folder));
        found.repair = made ? Carry(*journal, *made, found.recycled) : Repair::Changed;
        if (found.repair != Repair::NotRepaired)
            RemoveVersionJournal();
    }
    return true;
}

}  // namespace

bool FinishInterruptedUpdate()
{
    return SettleJournalLeft();
}

bool SettleEarlierVersionChange()
{
    if (!SettleJournalLeft())
        return true;  // none, or live in another copy: the change itself is refused then
    bool kept = found.repair == Repair::NotRepaired || found.repair == Repair::FolderMissing ||
                found.repair == Repair::OtherFolder;
    std::string mod = found.mod, folder = found.folder;
    ReportInterruptedUpdate();
    if (!kept)
        return true;
    if (ShowMessage(MainWindow, Message::VersionChangeOwed, {mod, folder}) != IDYES)
        return false;
    VersionLock lock;
    if (lock.Held())
        RemoveVersionJournal();
    return lock.Held();
}

void ReportInterruptedUpdate()
{
    if (!found.happened)
        return;
    found.happened = false;
    bool update = found.change == VersionChange::Update;
    switch (found.repair) {
    case Repair::Finished:
        ShowMessage(MainWindow, update ? Message::UpdateCutOffFinished : Message::RestoreCutOffFinished,
                    {found.mod});
        break;
    case Repair::Undone:
        if (!found.recycled.empty())
            ShowMessage(MainWindow, Message::UpdateCutOffUndoneOlderInBin,
                        {found.mod, NameList(found.recycled, found.recycled.size())});
        else
            ShowMessage(MainWindow, update ? Message::UpdateCutOffUndone : Message::RestoreCutOffUndone,
                        {found.mod});
        break;
    case Repair::NotRepaired: ShowMessage(MainWindow, Message::VersionCutOffNotRepaired, {found.mod}); break;
    case Repair::FolderMissing:
        ShowMessage(MainWindow, Message::VersionCutOffFolderMissing, {found.mod, found.folder});
        break;
    case Repair::OtherFolder:
        ShowMessage(MainWindow, Message::VersionCutOffOtherFolder, {found.mod, found.folder});
        break;
    case Repair::Changed: ShowMessage(MainWindow, Message::VersionCutOffChanged, {found.mod}); break;
    }
}
