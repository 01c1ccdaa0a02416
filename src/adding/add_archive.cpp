#include "adding/add_archive.h"

#include <windows.h>

#include "shared/file_copy.h"
#include "mods/directory_scan.h"
#include "mods/mod_names.h"
#include "shared/folder_listing.h"
#include "shared/window_state.h"

namespace {

// A mod of that name is there already, enabled or disabled.
bool NameTaken(const std::string& destination)
{
    return PathExists(ReplaceExtension(destination, "mod")) || PathExists(ReplaceExtension(destination, "pak"));
}

// Nothing at the temporary name, or a leftover of the tool's own that the copy replaces.
bool MayCopyTo(const std::string& temporary)
{
    TemporarySpot spot = WhatLiesAt(temporary);
    return spot == TemporarySpot::Free || spot == TemporarySpot::Leftover;
}

// The description beside the new archive, copied under its temporary name and
// then moved over a description of the same name in one step.
bool CopyDescription(const std::string& description)
{
    std::string target = JoinPath(ModDirectory, FileNamePart(description));
    std::string temporary = JoinPath(ModDirectory, TemporaryName(FileNamePart(description)));
    if ((PathExists(target) && !IsOwnName(target)) || !MayCopyTo(temporary))
        return false;
    if (CopyWithProgress(description, temporary, NULL, NULL) == CopyOutcome::Copied &&
        MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileA(temporary.c_str());
    return false;
}

}  // namespace

AddOutcome AddArchive(const std::string& source, const std::string& fileName, CopyBatch& batch)
{
    switch (RefusalOf(fileName, FolderExists(source))) {
    case AddRefusal::None: break;
    case AddRefusal::NotArchive: return AddOutcome::NotArchive;
    case AddRefusal::BaseArchiveName: return AddOutcome::BaseArchiveName;
    }
    std::string destination = JoinPath(ModDirectory, fileName);
    if (NameTaken(destination))
        return AddOutcome::NameTaken;
    if (!NameKeptWhole(fileName))
        return AddOutcome::CopyFailed;

    std::string temporary = JoinPath(ModDirectory, TemporaryName(fileName));
    switch (WhatLiesAt(temporary)) {
    case TemporarySpot::Free:
    case TemporarySpot::Leftover: break;  // the copy replaces it
    case TemporarySpot::Taken: return AddOutcome::CopyFailed;
    case TemporarySpot::InTheWay: return AddOutcome::LeftoverInTheWay;
    }
    CopyOutcome copied = CopyWithProgress(source, temporary, &CopyBatch::Progress, &batch);
    if (copied != CopyOutcome::Copied)
        return copied == CopyOutcome::Cancelled ? AddOutcome::Cancelled : AddOutcome::CopyFailed;
    // Its own name only when whole, by a rename that never replaces a file.
    if (!MoveFileExA(temporary.c_str(), destination.c_str(), 0)) {
        DWORD error = GetLastError();
        DeleteFileA(temporary.c_str());
        return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? AddOutcome::NameTaken
                                                                           : AddOutcome::CopyFailed;
    }

    std::string description = FindInfoFile(source);
    if (!description.empty() && !CopyDescription(description))
        return AddOutcome::DescriptionNotCopied;
    return AddOutcome::Added;
}
