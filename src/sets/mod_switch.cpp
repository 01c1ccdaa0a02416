#include "sets/mod_switch.h"

#include <windows.h>

#include <unordered_set>

#include "mods/directory_scan.h"
#include "mods/mod_lists.h"
#include "mods/mod_names.h"
#include "shared/busy.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"
#include "shared/text_conversion.h"
#include "shared/text_format.h"
#include "shared/window_state.h"

const char kSwitchLockName[] = "QuillmoorModManager mod set switch";

namespace {

const size_t kNamesInAQuestion = 10;
const ULONGLONG kPaintInterval = 100;  // ms between repaints during a long switch

// The archives as the scan lists them.
std::vector<ListedArchive> ListArchives(const std::string& folder)
{
    std::vector<ListedArchive> archives;
    ForEachEntry(folder, "*", [&archives](const FolderEntry& found) {
        ArchiveKind kind = KindOf(found.name);
        if (kind != ArchiveKind::None)
            archives.push_back({found.name, kind == ArchiveKind::Enabled, found.size});
    });
    return archives;
}

// The main window held from input while the renames run, and kept painted:
// nothing else starts meanwhile, and the window does not look hung.
class SwitchInProgress {
public:
    SwitchInProgress() : lastPaint_(GetTickCount64()) {}

    void KeepPainted()
    {
        if (GetTickCount64() - lastPaint_ < kPaintInterval)
            return;
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE))
            DispatchMessageA(&message);
        lastPaint_ = GetTickCount64();
    }

private:
    InputHeld held_;
    ULONGLONG lastPaint_;
};

// Held while a copy of the tool switches or undoes a switch: a second copy
// started meanwhile must not take the journal of a live switch for one that
// was cut off, nor start a switch of its own.
class SwitchLock {
public:
    SwitchLock() : mutex_(CreateMutexA(NULL, FALSE, kSwitchLockName))
    {
        held_ = mutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
    }
    ~SwitchLock()
    {
        if (mutex_)
            CloseHandle(mutex_);
    }
    SwitchLock(const SwitchLock&) = delete;
    SwitchLock& operator=(const SwitchLock&) = delete;
    bool Held() const { return held_; }

private:
    HANDLE mutex_;
    bool held_;
};

bool Rename(const std::string& folder, const std::string& from, const std::string& to)
{
    // The rename of Enable and Disable: in the same folder, never over a file.
    return NameKeptWhole(to) &&
           MoveFileExA(JoinPath(folder, from).c_str(), JoinPath(folder, to).c_str(), 0) != FALSE;
}

// The lists as the folder has them now, as a rescan leaves them.
void ShowFolderAsItIs()
{
    EnableWindow(EnableButton, FALSE);
    EnableWindow(DisableButton, FALSE);
    SetWindowTextA(InformationBox, "");
    if (DirectoryExists(ModDirectory)) {
        ClearModLists();
        RescanModDirectory();
    }
}

// What the undo of a switch cut off found: nothing to do, all undone, or an
// archive it could not put back.
struct UndoneSwitch {
    bool happened = false;
    std::string notPutBack;
    std::string folderMissing;
} undone;

}  // namespace

std::vector<ListedArchive> ArchivesNow()
{
    return ListArchives(ModDirectory);
}

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

bool SwitchToModSet(const ModSet& set, bool askAboutMissing)
{
    std::string folder = ModDirectory;
    if (!DirectoryExists(folder.c_str())) {
        ShowMessage(MainWindow, Message::DirectoryMissing);
        return false;
    }
    std::vector<ListedArchive> archives = ListArchives(folder);
    SwitchPlan plan = PlanSwitch(archives, set.mods, FoldedKey);
    if (askAboutMissing && !plan.missing.empty()) {
        Message question = plan.missing.size() == 1 ? Message::SetModMissing : Message::SetModsMissing;
        if (ShowMessage(MainWindow, question,
                        {std::to_string(plan.missing.size()), NameList(plan.missing, kNamesInAQuestion)}) != IDYES)
            return false;
    }
    if (plan.renames.empty()) {
        ShowFolderAsItIs();
        return true;
    }
    SwitchLock lock;
    if (!lock.Held()) {
        ShowMessage(MainWindow, Message::SwitchElsewhere);
        return false;
    }
    if (!WriteSwitchJournal(JournalStrings(folder, plan.renames))) {
        ShowMessage(MainWindow, Message::SwitchNotJournalled);
        return false;
    }

    std::string failed, notPutBack;
    {
        SwitchInProgress progress;
        size_t done = 0;
        for (; done < plan.renames.size(); ++done) {
            if (!Rename(folder, plan.renames[done], FlippedName(plan.renames[done]))) {
                failed = plan.renames[done];
                break;
            }
            progress.KeepPainted();
        }
        if (!failed.empty()) {
            while (done-- > 0) {
                if (!Rename(folder, FlippedName(plan.renames[done]), plan.renames[done]) && notPutBack.empty())
                    notPutBack = FlippedName(plan.renames[done]);
                progress.KeepPainted();
            }
        }
    }
    // A switch that could not be put back stays journalled: the next start
    // tries again.
    if (notPutBack.empty())
        RemoveSwitchJournal();
    if (failed.empty())
        SaveModSet({kBeforeLastSwitchSet, ModsOn(archives)});
    ShowFolderAsItIs();
    if (!notPutBack.empty())
        ShowMessage(MainWindow, Message::SwitchNotUndone, {failed, notPutBack});
    else if (!failed.empty())
        ShowMessage(MainWindow, Message::SwitchFailed, {failed});
    return failed.empty();
}

bool UndoInterruptedSwitch()
{
    std::vector<std::string> strings = ReadSwitchJournal();
    if (strings.empty())
        return false;
    std::optional<Journal> journal = ReadJournal(strings);
    if (!journal) {
        RemoveSwitchJournal();  // not one of ours: nothing to undo
        return false;
    }
    SwitchLock lock;
    if (!lock.Held())
        return false;  // another copy of the tool is switching: its journal is live
    undone = UndoneSwitch();
    undone.happened = true;
    if (!DirectoryExists(journal->folder.c_str())) {
        undone.folderMissing = journal->folder;  // kept for a start when it is there
        return true;
    }
    std::unordered_set<std::string> present;
    ForEachEntry(journal->folder, "*",
                 [&present](const FolderEntry& found) { present.insert(FoldedKey(found.name)); });
    for (size_t i = journal->renames.size(); i-- > 0;) {
        const std::string& original = journal->renames[i];
        std::string renamed = FlippedName(original);
        // Renamed when its new name is there and its old one is not.
        if (present.count(FoldedKey(original)) || !present.count(FoldedKey(renamed)))
            continue;
        if (!Rename(journal->folder, renamed, original) && undone.notPutBack.empty())
            undone.notPutBack = renamed;
    }
    if (undone.notPutBack.empty())
        RemoveSwitchJournal();
    return true;
}

void ReportUndoneSwitch()
{
    if (!undone.happened)
        return;
    undone.happened = false;
    if (!undone.folderMissing.empty())
        ShowMessage(MainWindow, Message::SwitchCutOffFolderMissing, {undone.folderMissing});
    else if (undone.notPutBack.empty())
        ShowMessage(MainWindow, Message::SwitchCutOff);
    else
        ShowMessage(MainWindow, Message::SwitchCutOffNotUndone, {undone.notPutBack});
}
