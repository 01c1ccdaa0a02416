#include "updates/mod_update.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <vector>

#include "shared/file_copy.h"
#include "mods/directory_scan.h"
#include "mods/mod_names.h"
#include "shared/folder_listing.h"
#include "shared/text_conversion.h"
#include "shared/window_state.h"
#include "updates/version_journal.h"
#include "updates/version_plan.h"
#include "updates/version_steps.h"

namespace {

const DWORD kCompareBlock = 1 << 20;

struct ModFiles {
    std::string folder;
    VersionNames names;

    std::string Path(const std::string& name) const { return JoinPath(folder, name); }
};

bool IsFile(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

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

// A name the steps will use as a temporary one. A file there under that very
// name is the leftover of a copy that was cut off, the tool's own: it goes. A
// folder or a read-only file cannot; a name that reaches another file through
// its short name is not the tool's.
VersionOutcome ClearTemporary(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return VersionOutcome::Done;
    if (!IsOwnName(path))
        return VersionOutcome::Failed;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
        return VersionOutcome::LeftoverInTheWay;
    return DeleteFileA(path.c_str()) ? VersionOutcome::Done : VersionOutcome::Failed;
}

// A file of the mod under its own name, or nothing: false for a folder, or
// for a name that reaches another file through its short name.
bool Present(const std::string& path, bool& present)
{
    present = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    return !present || (IsFile(path) && IsOwnName(path));
}

// What the folder holds of the mod's versions; false when one of their names
// holds something that is not the mod's file.
bool FilesNow(const ModFiles& mod, VersionFiles& files)
{
    bool archive = false;
    return Present(mod.Path(mod.names.archive), archive) && archive &&
           Present(mod.Path(mod.names.description), files.description) &&
           Present(mod.Path(mod.names.previousArchive), files.previousArchive) &&
           Present(mod.Path(mod.names.previousDescription), files.previousDescription);
}

bool AnyInUse(const ModFiles& mod, const VersionFiles& files)
{
    return InUse(mod.Path(mod.names.archive)) || (files.description && InUse(mod.Path(mod.names.description))) ||
           (files.previousArchive && InUse(mod.Path(mod.names.previousArchive))) ||
           (files.previousDescription && InUse(mod.Path(mod.names.previousDescription)));
}

// The checks both changes make before anything is copied or renamed.
VersionOutcome Prepare(const ModFiles& mod, VersionFiles& files)
{
    if (!FilesNow(mod, files))
        return VersionOutcome::Failed;
    if (AnyInUse(mod, files))
        return VersionOutcome::InUse;
    VersionOutcome cleared = ClearTemporary(mod.Path(mod.names.archiveTemporary));
    if (cleared == VersionOutcome::Done)
        cleared = ClearTemporary(mod.Path(mod.names.descriptionTemporary));
    return cleared;
}

void RemoveTemporaries(const ModFiles& mod)
{
    DeleteFileA(mod.Path(mod.names.archiveTemporary).c_str());
    DeleteFileA(mod.Path(mod.names.descriptionTemporary).c_str());
}

// A journal left by an earlier change is what puts its mod in order: no
// change writes its own over it.
bool EarlierJournalLeft()
{
    size_t stepsDone = 0;
    return !ReadVersionJournalStrings(stepsDone).empty();
}

VersionOutcome FailureOf(const VersionStep& step, DWORD error)
{
    if (step.kind == VersionStepKind::Recycle)
        return VersionOutcome::NotRecycled;
    bool inUse = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                 error == ERROR_UNABLE_TO_REMOVE_REPLACED;
    return inUse ? VersionOutcome::InUse : VersionOutcome::Failed;
}

// The steps, journalled: a step that fails undoes what the ones before it did.
VersionOutcome RunJournalled(VersionChange change, const ModFiles& mod, const std::vector<VersionStep>& steps)
{
    if (!WriteVersionJournal(VersionJournalStrings({change, mod.folder, mod.names.archive, steps})))
        return VersionOutcome::Failed;
    for (size_t done = 0; done < steps.size(); ++done) {
        DWORD error = ERROR_SUCCESS;
        if (RunStep(mod.folder, steps[done], error)) {
            NoteStepsDone(done + 1);
            continue;
        }
        // A replace may have kept the installed file and stopped there.
        std::optional<size_t> made = MovesMade(steps, done, NamesPresent(mod.folder));
        if (!made || !UndoMoves(mod.folder, steps, *made))
            return VersionOutcome::NotPutBack;  // the journal stays for the next start
        RemoveVersionJournal();
        return FailureOf(steps[done], error);
    }
    RemoveVersionJournal();
    return VersionOutcome::Done;
}

}  // namespace

VersionOutcome UpdateMod(const std::string& archive, const std::string& source, CopyBatch& batch)
{
    ModFiles mod = {ModDirectory, NamesOfVersions(archive)};
    VersionFiles files;
    VersionOutcome prepared = Prepare(mod, files);
    if (prepared != VersionOutcome::Done)
        return prepared;
    VersionLock lock;
    if (!lock.Held())
        return VersionOutcome::Elsewhere;
    if (EarlierJournalLeft())
        return VersionOutcome::EarlierOwed;

    CopyOutcome copied =
        CopyWithProgress(source, mod.Path(mod.names.archiveTemporary), &CopyBatch::Progress, &batch);
    if (copied != CopyOutcome::Copied)
        return copied == CopyOutcome::Cancelled ? VersionOutcome::Cancelled : VersionOutcome::Failed;
    // The description that comes with the new version, or else the installed
    // one, which then stays with both versions.
    std::string description = FindInfoFile(source);
    if (description.empty() && files.description)
        description = mod.Path(mod.names.description);
    if (!description.empty() && CopyWithProgress(description, mod.Path(mod.names.descriptionTemporary), NULL,
                                                 NULL) != CopyOutcome::Copied) {
        RemoveTemporaries(mod);
        return VersionOutcome::Failed;
    }

    VersionOutcome outcome =
        RunJournalled(VersionChange::Update, mod, UpdateSteps(mod.names, files, !description.empty()));
    if (outcome != VersionOutcome::Done && outcome != VersionOutcome::NotPutBack)
        RemoveTemporaries(mod);
    return outcome;
}

VersionOutcome RestorePreviousVersion(const std::string& archive)
{
    ModFiles mod = {ModDirectory, NamesOfVersions(archive)};
    VersionFiles files;
    VersionOutcome prepared = Prepare(mod, files);
    if (prepared != VersionOutcome::Done)
        return prepared;
    if (!files.previousArchive)
        return VersionOutcome::Failed;
    VersionLock lock;
    if (!lock.Held())
        return VersionOutcome::Elsewhere;
    if (EarlierJournalLeft())
        return VersionOutcome::EarlierOwed;
    return RunJournalled(VersionChange::Restore, mod, RestoreSteps(mod.names, files));
}

bool HasPreviousVersion(const std::string& archivePath)
{
    size_t slash = archivePath.find_last_of('\\');
    std::string folder = slash == std::string::npos ? std::string() : archivePath.substr(0, slash);
    std::string previous = JoinPath(folder, NamesOfVersions(FileNamePart(archivePath)).previousArchive);
    return IsFile(previous);
}

bool SameFileContent(const std::string& first, const std::string& second)
{
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE a = CreateFileW(ToWide(first, CP_ACP).c_str(), GENERIC_READ, share, NULL, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    HANDLE b = CreateFileW(ToWide(second, CP_ACP).c_str(), GENERIC_READ, share, NULL, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    LARGE_INTEGER sizeA = {}, sizeB = {};
    bool same = a != INVALID_HANDLE_VALUE && b != INVALID_HANDLE_VALUE && GetFileSizeEx(a, &sizeA) &&
                GetFileSizeEx(b, &sizeB) && sizeA.QuadPart == sizeB.QuadPart;
    std::vector<char> blockA(same ? kCompareBlock : 0), blockB(same ? kCompareBlock : 0);
    while (same) {
        DWORD gotA = 0, gotB = 0;
        same = ReadFile(a, blockA.data(), kCompareBlock, &gotA, NULL) &&
               ReadFile(b, blockB.data(), kCompareBlock, &gotB, NULL) && gotA == gotB &&
               std::memcmp(blockA.data(), blockB.data(), gotA) == 0;
        if (gotA == 0)
            break;
    }
    if (a != INVALID_HANDLE_VALUE)
        CloseHandle(a);
    if (b != INVALID_HANDLE_VALUE)
        CloseHandle(b);
    return same;
}
