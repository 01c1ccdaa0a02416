#include "updates/update_commands.h"

#include <windows.h>
#include <commdlg.h>

#include "../res/resource.h"
#include "shared/copy_progress.h"
#include "mods/directory_scan.h"
#include "mods/list_state.h"
#include "mods/mod_lists.h"
#include "mods/mod_names.h"
#include "shared/busy.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"
#include "shared/text_format.h"
#include "shared/window_state.h"
#include "updates/interrupted_update.h"
#include "updates/mod_update.h"
#include "updates/version_plan.h"

namespace {

// The chosen file's full path, or "" when the player cancelled.
std::string ChooseNewVersion(const std::string& archive)
{
    // The filter's name, its patterns, and the empty string that ends the list.
    std::string filter = TextFor(Text::UpdateFilter) + '\0' + "*.pak;*.mod" + '\0' + '\0';
    std::string title = TextFor(Text::UpdateTitle, {DisplayName(archive)});
    char file[MAX_PATH] = "";
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = MainWindow;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.lpstrTitle = title.c_str();
    request.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    BusyScope busy;
    return GetOpenFileNameA(&request) == TRUE ? std::string(file) : std::string();
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
    Message inUse, failed, notPutBack;
};

void Report(VersionOutcome outcome, const std::string& archive, const OutcomeMessages& messages)
{
    std::vector<std::string> mod = {DisplayName(archive)};
    switch (outcome) {
    case VersionOutcome::Done:
    case VersionOutcome::Cancelled: break;  // the player's choice, and nothing changed
    case VersionOutcome::InUse: ShowMessage(MainWindow, messages.inUse, mod); break;
    case VersionOutcome::Failed:
        if (FolderExists(ModDirectory))
            ShowMessage(MainWindow, messages.failed, mod);
        break;
    case VersionOutcome::NotRecycled: ShowMessage(MainWindow, Message::UpdateNotRecycled, mod); break;
    case VersionOutcome::LeftoverInTheWay:
        ShowMessage(MainWindow, Message::LeftoverInTheWay, {LeftoverInTheWayOf(archive)});
        break;
    case VersionOutcome::NotPutBack: ShowMessage(MainWindow, messages.notPutBack, mod); break;
    case VersionOutcome::Elsewhere: ShowMessage(MainWindow, Message::VersionChangeElsewhere); break;
    case VersionOutcome::EarlierOwed: break;  // asked about before, and kept
    }
}

}  // namespace

std::string LeftoverInTheWayOf(const std::string& archive)
{
    VersionNames names = NamesOfVersions(archive);
    DWORD attributes = GetFileAttributesA(JoinPath(ModDirectory, names.archiveTemporary).c_str());
    bool archiveBlocked = attributes != INVALID_FILE_ATTRIBUTES &&
                          (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
    return archiveBlocked ? names.archiveTemporary : names.descriptionTemporary;
}

void UpdateModFromFile(const std::string& archivePath)
{
    std::string archive = FileNamePart(archivePath);
    std::string source;
    if (!SettleEarlierVersionChange() || (source = ChooseNewVersion(archive)).empty())
        return;
    if (!FolderExists(ModDirectory)) {
        ShowMessage(MainWindow, Message::DirectoryMissing);
        return;
    }
    if (!HasExtension(source, ".pak") && !HasExtension(source, ".mod")) {
        ShowMessage(MainWindow, Message::NotArchive);
        return;
    }
    if (SameFileContent(archivePath, source)) {
        ShowMessage(MainWindow, Message::UpdateIdentical, {DisplayName(archive)});
        return;
    }
    VersionOutcome outcome;
    {
        CopyBatch batch(1, TextFor(Text::UpdatingCaption));
        batch.StartFile(FileNamePart(source), 0);
        outcome = UpdateMod(archive, source, batch);
    }
    ShowModAgain(archive);
    Report(outcome, archive, {Message::UpdateInUse, Message::UpdateFailed, Message::UpdateNotPutBack});
}

void RestorePreviousVersionOf(const std::string& archivePath)
{
    if (!SettleEarlierVersionChange())
        return;
    std::string archive = FileNamePart(archivePath);
    VersionOutcome outcome;
    {
        InputHeld held;
        outcome = RestorePreviousVersion(archive);
    }
    ShowModAgain(archive);
    Report(outcome, archive, {Message::RestoreInUse, Message::RestoreFailed, Message::RestoreNotPutBack});
}
