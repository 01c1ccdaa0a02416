#include "updates/update_commands.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "../res/resource.h"
#include "shared/copy_progress.h"
#include "mods/directory_scan.h"
#include "mods/list_state.h"
#include "mods/mod_lists.h"
#include "mods/mod_names.h"
#include "shared/busy.h"
#include "shared/file_copy.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"
#include "shared/path_text.h"
#include "shared/text_format.h"
#include "shared/window_state.h"
#include "changes/change_view.h"
#include "updates/mod_update.h"
#include "updates/version_plan.h"

namespace {

// The chosen file's full path, or "" when the player cancelled.
std::string ChooseNewVersion(const std::string& archive)
{
    // The filter's name, its patterns, and the empty string that ends the list.
    std::string filter = TextFor(Text::UpdateFilter) + '\0' + "*.pak;*.mod" + '\0' + '\0';
    std::string title = TextFor(Text::UpdateTitle, {DisplayName(archive)});
    std::vector<char> file(kLongestPathBytes + 1);
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = MainWindow;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrTitle = title.c_str();
    request.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    // The dialog makes the chosen file's folder the current one, which keeps
    // that folder from being deleted while the tool runs: the tool's own is
    // restored.
    std::vector<wchar_t> current(kLongestPathUnits + 1);
    DWORD kept = GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());
    BusyScope busy;
    bool chosen = GetOpenFileNameA(&request) == TRUE;
    if (kept > 0 && kept < current.size())
        SetCurrentDirectoryW(current.data());
    return chosen ? std::string(file.data()) : std::string();
}

// The lists rebuilt, with the mod selected again and its description shown.
void ShowModAgain(const std::string& archive)
{
    if (!RebuildModLists())
        return;
    for (ModSide side : {EnabledSide(), DisabledSide()}) {
        for (size_t row = 0; row < side.mods.size(); ++row) {
            if (side.mods[row].fileName != archive)
                continue;
            SendMessageA(side.listBox, LB_SETCURSEL, row, 0);
            ShowListState(ListChange::Selected, side.listBox);
            return;
        }
    }
}

struct OutcomeMessages {
    Message inUse, failed, notPutBack, bothStates, nameInTheWay;
};

void Report(VersionOutcome outcome, const std::string& archive, const VersionDetail& detail,
            const OutcomeMessages& messages)
{
    const std::string& inTheWay = detail.inTheWay;
    std::vector<std::string> mod = {DisplayName(archive)};
    switch (outcome) {
    case VersionOutcome::Done:
    case VersionOutcome::Cancelled: break;  // the player's choice, and nothing changed
    case VersionOutcome::InUse:
        ShowFailure(MainWindow, messages.inUse, detail.error ? detail.error : ERROR_SHARING_VIOLATION, mod);
        break;
    case VersionOutcome::Failed:
        if (FolderExists(ModDirectory))
            ShowFailure(MainWindow, messages.failed, detail.error, mod);
        break;
    case VersionOutcome::NotRecycled:
        ShowFailure(MainWindow, Message::UpdateNotRecycled, detail.error, mod);
        break;
    case VersionOutcome::LeftoverInTheWay: ShowMessage(MainWindow, Message::LeftoverInTheWay, {inTheWay}); break;
    case VersionOutcome::NotPutBack: ShowFailure(MainWindow, messages.notPutBack, detail.error, mod); break;
    case VersionOutcome::Elsewhere: TellHeld(MainWindow, detail.holder); break;
    case VersionOutcome::EarlierOwed: break;  // asked about before, and kept
    case VersionOutcome::BothStates:
        ShowMessage(MainWindow, messages.bothStates,
                    {mod[0], ReplaceExtension(archive, "pak"), ReplaceExtension(archive, "mod")});
        break;
    case VersionOutcome::NameInTheWay: ShowMessage(MainWindow, messages.nameInTheWay, {mod[0], inTheWay}); break;
    case VersionOutcome::NameTooLong:
        ShowMessage(MainWindow, Message::UpdateNameTooLong, {mod[0], inTheWay});
        break;
    }
}

const OutcomeMessages kUpdateMessages = {Message::UpdateInUse, Message::UpdateFailed, Message::UpdateNotPutBack,
                                         Message::UpdateBothStates, Message::UpdateNameInTheWay};
const OutcomeMessages kRestoreMessages = {Message::RestoreInUse, Message::RestoreFailed,
                                          Message::RestoreNotPutBack, Message::RestoreBothStates,
                                          Message::RestoreNameInTheWay};

// The check of both commands before anything is asked or chosen (the router
// has found the mod folder there): the mod is installed once, not as both a
// .pak and a .mod, which share one previous version.
bool MayChange(const std::string& archive, const OutcomeMessages& messages)
{
    std::string other = ReplaceExtension(archive, HasExtension(archive, ".pak") ? "mod" : "pak");
    if (PathExists(JoinPath(ModDirectory, other))) {
        Report(VersionOutcome::BothStates, archive, VersionDetail(), messages);
        return false;
    }
    return true;
}

// Whether the chosen file is the installed archive again, compared with the
// progress of a copy: a large one shows its window, and Cancel is heard.
CompareOutcome CompareWithInstalled(const std::string& installed, const std::string& source)
{
    CopyBatch comparing(1, TextFor(Text::ComparingCaption));
    comparing.StartFile(FileNamePart(source), 0);
    return CompareWithProgress(installed, source, &CopyBatch::Progress, &comparing);
}

}  // namespace

bool EarlierChangeSettled(ChangeKind kind)
{
    FolderLock lock(kind == ChangeKind::Update ? FolderWork::Update : FolderWork::Restore);
    ChangeProgressView progress(kind);
    return BeginChange(MainWindow, lock, kind, progress);
}

void UpdateModFromFile(const std::string& archivePath)
{
    std::string archive = FileNamePart(archivePath);
    std::string source;
    if (!MayChange(archive, kUpdateMessages))
        return;
    if (!EarlierChangeSettled(ChangeKind::Update) || (source = ChooseNewVersion(archive)).empty())
        return;
    if (!FolderExists(ModDirectory)) {
        ShowMessage(MainWindow, Message::DirectoryMissing);
        return;
    }
    if (!IsArchiveName(source)) {
        ShowMessage(MainWindow, Message::NotArchive);
        return;
    }
    CompareOutcome same = CompareWithInstalled(archivePath, source);
    if (same == CompareOutcome::Cancelled)
        return;
    if (same == CompareOutcome::Same) {
        ShowMessage(MainWindow, Message::UpdateIdentical, {DisplayName(archive)});
        return;
    }
    VersionOutcome outcome;
    VersionDetail detail;
    {
        CopyBatch batch(1, TextFor(Text::UpdatingCaption));
        batch.StartFile(FileNamePart(source), 0);
        outcome = UpdateMod(archive, source, batch, detail);
    }
    ShowModAgain(archive);
    Report(outcome, archive, detail, kUpdateMessages);
}

void RestorePreviousVersionOf(const std::string& archivePath)
{
    std::string archive = FileNamePart(archivePath);
    if (!MayChange(archive, kRestoreMessages) || !EarlierChangeSettled(ChangeKind::Restore))
        return;
    VersionOutcome outcome;
    VersionDetail detail;
    {
        InputHeld held;
        outcome = RestorePreviousVersion(archive, detail);
    }
    ShowModAgain(archive);
    Report(outcome, archive, detail, kRestoreMessages);
}
