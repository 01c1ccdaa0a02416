#include "adding/add_mod.h"

#include <windows.h>
#include <commdlg.h>

#include <cstddef>
#include <string>
#include <vector>

#include "adding/copy_progress.h"
#include "mods/directory_scan.h"
#include "adding/file_copy.h"
#include "mods/mod_names.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"
#include "shared/window_state.h"

// The request ends at its template-name field, without the later extension fields.
#ifndef _WIN64
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76, "76 bytes in the x86 build");
#endif

namespace {

// The archive's full path and its file name, or false when the user cancelled.
bool ChooseArchive(std::string& source, std::string& fileName)
{
    char file[MAX_PATH] = "";
    char title[MAX_PATH] = "";
    OPENFILENAMEA request = {};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = MainWindow;
    request.lpstrFilter = ".pak\0*.pak\0";
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.lpstrFileTitle = title;
    request.nMaxFileTitle = sizeof title;
    request.lpstrTitle = "Choose";
    request.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (GetOpenFileNameA(&request) != TRUE)
        return false;
    source = file;
    fileName = title;
    return true;
}

// A mod of that name is there already, enabled or disabled.
bool NameTaken(const std::string& destination)
{
    return DirectoryExists(ReplaceExtension(destination, "mod").c_str()) ||
           DirectoryExists(ReplaceExtension(destination, "pak").c_str());
}

enum class AddOutcome {
    Added,
    NameTaken,
    NotArchive,
    BaseArchiveName,
    CopyFailed,
    DescriptionNotCopied,
    Cancelled
};

// A file's copy in the mod directory under a name that the scan never lists
// and the game never loads; a leftover of an earlier, cut off copy is the
// tool's own and is replaced.
std::string PartialName(const std::string& path)
{
    return path + ".partial";
}

// The rules of both ways in, for one archive.
AddOutcome AddArchive(const std::string& source, const std::string& fileName, CopyBatch& batch)
{
    if (!HasExtension(fileName, ".pak") && !HasExtension(fileName, ".mod"))
        return AddOutcome::NotArchive;
    // Loaded by the game but never listed, it could not be disabled.
    if (IsBaseArchive(ReplaceExtension(fileName, "pak")))
        return AddOutcome::BaseArchiveName;
    std::string destination = JoinPath(ModDirectory, fileName);
    if (NameTaken(destination))
        return AddOutcome::NameTaken;

    std::string partial = PartialName(destination);
    CopyOutcome copied = CopyWithProgress(source, partial, &CopyBatch::Progress, &batch);
    if (copied != CopyOutcome::Copied)
        return copied == CopyOutcome::Cancelled ? AddOutcome::Cancelled : AddOutcome::CopyFailed;
    // Its own name only when whole, by a rename that never replaces a file.
    if (!MoveFileExA(partial.c_str(), destination.c_str(), 0)) {
        DWORD error = GetLastError();
        DeleteFileA(partial.c_str());
        return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? AddOutcome::NameTaken
                                                                           : AddOutcome::CopyFailed;
    }

    // A description of the same name already in the folder is replaced, in
    // one step, by the one that comes with the new archive.
    std::string description = FindInfoFile(source);
    if (description.empty())
        return AddOutcome::Added;
    std::string target = JoinPath(ModDirectory, FileNamePart(description));
    std::string partialDescription = PartialName(target);
    if (CopyWithProgress(description, partialDescription, NULL, NULL) != CopyOutcome::Copied ||
        !MoveFileExA(partialDescription.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(partialDescription.c_str());
        return AddOutcome::DescriptionNotCopied;
    }
    return AddOutcome::Added;
}

// A dropped file: a folder is not a mod archive.
AddOutcome AddDroppedFile(const std::string& path, size_t index, CopyBatch& batch)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return AddOutcome::NotArchive;
    batch.StartFile(FileNamePart(path), index);
    return AddArchive(path, FileNamePart(path), batch);
}

// The line of a drop's summary for a file that was not added whole, or NULL.
const char* SummaryReason(AddOutcome outcome)
{
    switch (outcome) {
    case AddOutcome::Added:
    case AddOutcome::Cancelled: return NULL;  // the player's choice, not an error
    case AddOutcome::NameTaken: return DropReasonText(DropReason::NameTaken);
    case AddOutcome::NotArchive: return DropReasonText(DropReason::NotArchive);
    case AddOutcome::BaseArchiveName: return DropReasonText(DropReason::BaseArchiveName);
    case AddOutcome::CopyFailed: return DropReasonText(DropReason::CopyFailed);
    case AddOutcome::DescriptionNotCopied: return DropReasonText(DropReason::DescriptionNotCopied);
    }
    return NULL;
}

}  // namespace

void AddMod()
{
    std::string source, fileName;
    // A command that arrives through the progress window's message loop waits.
    if (CopyBatch::Running() || !ChooseArchive(source, fileName))
        return;
    AddOutcome outcome;
    {
        CopyBatch batch(1);
        batch.StartFile(fileName, 0);
        outcome = AddArchive(source, fileName, batch);
    }
    switch (outcome) {
    case AddOutcome::Added: RebuildModLists(); break;
    case AddOutcome::NameTaken: ShowMessage(MainWindow, Message::NameTaken); break;
    case AddOutcome::NotArchive: ShowMessage(MainWindow, Message::NotArchive); break;
    case AddOutcome::BaseArchiveName: ShowMessage(MainWindow, Message::BaseArchiveName); break;
    case AddOutcome::CopyFailed:
        ShowMessage(MainWindow, DirectoryExists(ModDirectory) ? Message::CopyFailed : Message::DirectoryMissing);
        break;
    case AddOutcome::DescriptionNotCopied:
        if (RebuildModLists())
            ShowMessage(MainWindow, Message::DescriptionNotCopied);
        break;
    case AddOutcome::Cancelled: break;  // the player's choice, and nothing was added
    }
}

void AddDroppedFiles(HDROP drop)
{
    std::vector<std::string> files;
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, NULL, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileA(drop, i, NULL, 0);
        std::string path(length + 1, '\0');
        DragQueryFileA(drop, i, &path[0], length + 1);
        path.resize(length);
        files.push_back(path);
    }
    DragFinish(drop);
    if (CopyBatch::Running() || files.empty())
        return;
    if (!DirectoryExists(ModDirectory)) {
        ShowMessage(MainWindow, Message::DirectoryMissing);
        return;
    }

    std::string summary;
    {
        CopyBatch batch(files.size());
        for (size_t i = 0; i < files.size() && !batch.Cancelled(); ++i)
            if (const char* reason = SummaryReason(AddDroppedFile(files[i], i, batch)))
                summary += (summary.empty() ? "" : "\n") + FileNamePart(files[i]) + ": " + reason;
    }
    RebuildModLists();
    if (!summary.empty())
        ShowDropSummary(MainWindow, summary);
}
