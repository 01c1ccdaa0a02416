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
    return DirectoryExists(ReplaceExtension(destination, "mod").c_str()) ||
           DirectoryExists(ReplaceExtension(destination, "pak").c_str());
}

enum class TemporarySpot { Free, Taken, InTheWay };

// What lies at a copy's temporary name. A file there under that very name is
// the leftover of a copy that was cut off, the tool's own: the copy replaces
// it. A folder or a read-only file cannot be replaced; a name that reaches
// another file through its short name is not the tool's to replace.
TemporarySpot CheckTemporary(const std::string& temporary)
{
    DWORD attributes = GetFileAttributesA(temporary.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return TemporarySpot::Free;
    if (!IsOwnName(temporary))
        return TemporarySpot::Taken;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
        return TemporarySpot::InTheWay;
    return TemporarySpot::Free;
}

// The description beside the new archive, copied under its temporary name and
// then moved over a description of the same name in one step.
bool CopyDescription(const std::string& description)
{
    std::string target = JoinPath(ModDirectory, FileNamePart(description));
    std::string temporary = JoinPath(ModDirectory, TemporaryName(FileNamePart(description)));
    if ((DirectoryExists(target.c_str()) && !IsOwnName(target)) ||
        CheckTemporary(temporary) != TemporarySpot::Free)
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
    if (!HasExtension(fileName, ".pak") && !HasExtension(fileName, ".mod"))
        return AddOutcome::NotArchive;
    // Loaded by the game but never listed, it could not be disabled.
    if (IsBaseArchive(ReplaceExtension(fileName, "pak")))
        return AddOutcome::BaseArchiveName;
    std::string destination = JoinPath(ModDirectory, fileName);
    if (NameTaken(destination))
        return AddOutcome::NameTaken;
    if (!NameKeptWhole(fileName))
        return AddOutcome::CopyFailed;

    std::string temporary = JoinPath(ModDirectory, TemporaryName(fileName));
    switch (CheckTemporary(temporary)) {
    case TemporarySpot::Free: break;
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
