#include "updates/mod_update.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "shared/file_copy.h"
#include "mods/directory_scan.h"
#include "mods/mod_names.h"
#include "shared/folder_listing.h"
#include "shared/text_conversion.h"
#include "shared/window_state.h"
#include "changes/change_engine.h"
#include "updates/version_plan.h"

namespace {

struct ModFiles {
    std::string folder;
    VersionNames names;

    std::string Path(const std::string& name) const { return JoinPath(folder, name); }
};

// Held open by another program without sharing its deletion, as the game
// holds the archives it loaded: it cannot be renamed.
bool InUse(const std::string& path)
{
    HANDLE file =
        CreateFileW(ToWide(path, CP_ACP).c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return false;
}

// A name the steps will use as a temporary one: a leftover of the tool's own goes.
VersionOutcome ClearTemporary(const ModFiles& mod, const std::string& name, std::string& inTheWay)
{
    std::string path = mod.Path(name);
    TemporarySpot spot = WhatLiesAt(path);
    if (spot != TemporarySpot::Free)
        inTheWay = name;
    switch (spot) {
    case TemporarySpot::Free: return VersionOutcome::Done;
    case TemporarySpot::Taken: return VersionOutcome::NameInTheWay;
    case TemporarySpot::InTheWay: return VersionOutcome::LeftoverInTheWay;
    case TemporarySpot::Leftover: break;
    }
    return DeleteFileA(path.c_str()) ? VersionOutcome::Done : VersionOutcome::Failed;
}

// The older version's folder, made empty for an update that gives one up. An
// empty one left by an update cut off before its journal goes; anything else
// there (a folder that still holds files, a file) is left alone.
VersionOutcome MakeOlderFolder(const ModFiles& mod, std::string& inTheWay)
{
    std::string path = mod.Path(mod.names.olderFolder);
    if (FolderExists(path) && IsOwnName(path))
        RemoveDirectoryA(path.c_str());  // only when empty
    if (CreateDirectoryA(path.c_str(), NULL))
        return VersionOutcome::Done;
    inTheWay = mod.names.olderFolder;
    DWORD error = GetLastError();
    if (PathExists(path))
        return VersionOutcome::NameInTheWay;
    SetLastError(error);  // the reason told
    return VersionOutcome::Failed;
}

// A file of the mod under its own name, or nothing: false for a folder, or
// for a name that reaches another file through its short name.
bool Present(const std::string& path, bool& present)
{
    present = PathExists(path);
    return !present || (FileExists(path) && IsOwnName(path));
}

// What the folder holds of the mod's versions; NameInTheWay, with the name,
// when one of their names holds something that is not the mod's file.
VersionOutcome FilesNow(const ModFiles& mod, VersionFiles& files, std::string& inTheWay)
{
    bool archive = false;
    if (!Present(mod.Path(mod.names.archive), archive) || !archive)
        return VersionOutcome::Failed;
    const std::pair<const std::string*, bool*> kept[] = {
        {&mod.names.description, &files.description},
        {&mod.names.previousArchive, &files.previousArchive},
        {&mod.names.previousDescription, &files.previousDescription}};
    for (const auto& name : kept) {
        if (!Present(mod.Path(*name.first), *name.second)) {
            inTheWay = *name.first;
            return VersionOutcome::NameInTheWay;
        }
    }
    return VersionOutcome::Done;
}

// A .pak and a .mod of the mod's name: which of the two to change is not
// clear, and both would share one previous version.
bool InstalledBothWays(const ModFiles& mod)
{
    std::string other =
        ReplaceExtension(mod.names.archive, HasExtension(mod.names.archive, ".pak") ? "mod" : "pak");
    return FileExists(mod.Path(other)) && IsOwnName(mod.Path(other));
}

bool AnyInUse(const ModFiles& mod, const VersionFiles& files)
{
    return InUse(mod.Path(mod.names.archive)) || (files.description && InUse(mod.Path(mod.names.description))) ||
           (files.previousArchive && InUse(mod.Path(mod.names.previousArchive))) ||
           (files.previousDescription && InUse(mod.Path(mod.names.previousDescription)));
}

// The checks both changes make before anything is copied or renamed.
VersionOutcome Prepare(const ModFiles& mod, VersionFiles& files, std::string& inTheWay)
{
    if (InstalledBothWays(mod))
        return VersionOutcome::BothStates;
    VersionOutcome found = FilesNow(mod, files, inTheWay);
    if (found != VersionOutcome::Done)
        return found;
    if (AnyInUse(mod, files))
        return VersionOutcome::InUse;
    VersionOutcome cleared = ClearTemporary(mod, mod.names.archiveTemporary, inTheWay);
    if (cleared == VersionOutcome::Done)
        cleared = ClearTemporary(mod, mod.names.descriptionTemporary, inTheWay);
    return cleared;
}

// A name that the folder keeps whole: each of its parts within the file
// system's bound, and on Windows the whole path within the one of the calls
// that rename (Wine has none).
bool NameFits(const ModFiles& mod, const std::string& name)
{
    const size_t kLongestName = 255;  // UTF-16 units
    static const bool underWine = UnderWine();
    if (!underWine && ToWide(mod.Path(name), CP_ACP).size() >= MAX_PATH)
        return false;
    size_t start = 0;
    for (size_t end = 0; end != std::string::npos; start = end + 1) {
        end = name.find('\\', start);
        std::string part = name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!NameKeptWhole(part) || ToWide(part, CP_ACP).size() > kLongestName)
            return false;
    }
    return true;
}

// The first name the steps would give a file that the folder cannot keep.
std::string NameThatDoesNotFit(const ModFiles& mod, const ChangePlan& plan)
{
    for (const std::string& name : NamesGiven(plan))
        if (!NameFits(mod, name))
            return name;
    return "";
}

void RemoveTemporaries(const ModFiles& mod)
{
    DeleteFileA(mod.Path(mod.names.archiveTemporary).c_str());
    DeleteFileA(mod.Path(mod.names.descriptionTemporary).c_str());
    RemoveDirectoryA(mod.Path(mod.names.olderFolder).c_str());  // only when empty
}

// The update's copies in, the archive's with the batch's progress and Cancel.
CopyIn CopiesWith(const ModFiles& mod, CopyBatch& batch)
{
    return [&mod, &batch](const std::string& source, const std::string& target) -> DWORD {
        bool archive = target == mod.Path(mod.names.archiveTemporary);
        CopyOutcome copied = archive ? CopyWithProgress(source, target, &CopyBatch::Progress, &batch)
                                     : CopyWithProgress(source, target, NULL, NULL);
        if (copied == CopyOutcome::Copied)
            return ERROR_SUCCESS;
        DWORD error = GetLastError();
        return copied == CopyOutcome::Cancelled ? ERROR_CANCELLED
               : error != ERROR_SUCCESS         ? error
                                                : ERROR_WRITE_FAULT;
    };
}

// What the engine's outcome is for a change of a version.
VersionOutcome OutcomeOf(const ChangeOutcome& change, const ModFiles& mod, VersionDetail& detail)
{
    using Result = ChangeOutcome::Result;
    detail.error = change.error;
    switch (change.result) {
    case Result::Done: return VersionOutcome::Done;
    case Result::Held: detail.holder = change.holder; return VersionOutcome::Elsewhere;
    case Result::EarlierPending: return VersionOutcome::EarlierOwed;
    case Result::NotJournalled: return VersionOutcome::Failed;
    case Result::Cancelled: return VersionOutcome::Cancelled;
    case Result::NotPutBack: return VersionOutcome::NotPutBack;
    case Result::Failed: break;
    }
    if (change.failed == mod.names.olderFolder)
        return VersionOutcome::NotRecycled;
    bool inUse = change.error == ERROR_SHARING_VIOLATION || change.error == ERROR_LOCK_VIOLATION ||
                 change.error == ERROR_UNABLE_TO_REMOVE_REPLACED;
    return inUse ? VersionOutcome::InUse : VersionOutcome::Failed;
}

}  // namespace

VersionOutcome UpdateMod(const std::string& archive, const std::string& source, CopyBatch& batch,
                         VersionDetail& detail)
{
    ModFiles mod = {ModDirectory, NamesOfVersions(archive)};
    VersionFiles files;
    VersionOutcome prepared = Prepare(mod, files, detail.inTheWay);
    if (prepared == VersionOutcome::Failed)
        detail.error = GetLastError();
    if (prepared != VersionOutcome::Done)
        return prepared;
    // The description that comes with the new version, or else the installed
    // one, which then stays with both versions.
    std::string description = FindInfoFile(source);
    if (description.empty() && files.description)
        description = mod.Path(mod.names.description);
    ChangePlan plan = UpdatePlan(mod.folder, mod.names, files, source, description);
    detail.inTheWay = NameThatDoesNotFit(mod, plan);
    if (!detail.inTheWay.empty())
        return VersionOutcome::NameTooLong;
    FolderLock lock(FolderWork::Update);
    if (!lock.Held()) {
        detail.holder = lock.Holder();
        return VersionOutcome::Elsewhere;
    }
    if (JournalLeft())
        return VersionOutcome::EarlierOwed;
    if (files.previousArchive || files.previousDescription) {
        VersionOutcome made = MakeOlderFolder(mod, detail.inTheWay);
        if (made == VersionOutcome::Failed)
            detail.error = GetLastError();
        if (made != VersionOutcome::Done)
            return made;
    }
    VersionOutcome outcome =
        OutcomeOf(CarryOut(plan, FolderWork::Update, nullptr, CopiesWith(mod, batch)), mod, detail);
    if (outcome != VersionOutcome::Done && outcome != VersionOutcome::NotPutBack)
        RemoveTemporaries(mod);
    return outcome;
}

VersionOutcome RestorePreviousVersion(const std::string& archive, VersionDetail& detail)
{
    ModFiles mod = {ModDirectory, NamesOfVersions(archive)};
    VersionFiles files;
    VersionOutcome prepared = Prepare(mod, files, detail.inTheWay);
    if (prepared == VersionOutcome::Failed)
        detail.error = GetLastError();
    if (prepared != VersionOutcome::Done)
        return prepared;
    if (!files.previousArchive)
        return VersionOutcome::Failed;
    return OutcomeOf(CarryOut(RestorePlan(mod.folder, mod.names, files), FolderWork::Restore, nullptr), mod,
                     detail);
}

bool HasPreviousVersion(const std::string& archivePath)
{
    size_t slash = archivePath.find_last_of('\\');
    std::string folder = slash == std::string::npos ? std::string() : archivePath.substr(0, slash);
    std::string previous = JoinPath(folder, NamesOfVersions(FileNamePart(archivePath)).previousArchive);
    return FileExists(previous);
}
