// Updating a mod to a new version and restoring its previous version. The
// installed version and its description are kept as the previous version
// (one per mod; an older one goes to the Recycle Bin once the new version is
// in place). The steps go through the change engine, journalled first, so that a change
// cut off by a kill or a power cut is finished or undone at the next start; a
// step that fails undoes the ones before it.
#pragma once

#include <windows.h>

#include <string>

#include "changes/folder_lock.h"
#include "shared/copy_progress.h"

enum class VersionOutcome {
    Done,
    InUse,             // the game (or another program) holds one of the mod's files: nothing changed
    Failed,            // nothing changed
    NotRecycled,       // the older previous version could not go to the Recycle Bin: not updated
    LeftoverInTheWay,  // a folder or a read-only file at a temporary name: nothing changed
    Cancelled,         // the player cancelled the copy: nothing changed
    NotPutBack,        // failed, and not all of it could be undone yet: the next start finishes that
    Elsewhere,         // another copy of the tool holds the mod folder: nothing changed
    EarlierOwed,       // an earlier change is still to be put in order: nothing changed
    BothStates,        // installed both enabled and disabled: which one to change is not clear; nothing changed
    NameInTheWay,      // one of the mod's names holds a folder or another file: nothing changed
    NameTooLong,       // a name the versions would be kept under does not fit the folder: nothing changed
};

// What a refusal is about: the name in the way (LeftoverInTheWay,
// NameInTheWay, NameTooLong), or what the copy of the tool that holds the
// mod folder is doing (Elsewhere).
struct VersionDetail {
    std::string inTheWay;
    FolderWork holder = FolderWork::Unknown;
    DWORD error = ERROR_SUCCESS;  // InUse, Failed, NotRecycled, NotPutBack: the system's reason
};

// The mod whose archive is `archive` (a file name in ModDirectory) takes a
// copy of `source`, whatever that file is called, under its own name and in
// its own state, with the description beside `source` (if none is there, its
// installed description stays). The copies are made under the temporary
// names first, with the batch's progress; the mod's names change only when
// they are whole.
VersionOutcome UpdateMod(const std::string& archive, const std::string& source, CopyBatch& batch,
                         VersionDetail& detail);

// The previous version of the mod and its current one change places, archive
// and description together: restoring twice gives the newer version back.
VersionOutcome RestorePreviousVersion(const std::string& archive, VersionDetail& detail);

// True when the mod of this archive path has a previous version: its archive
// (a description alone is none).
bool HasPreviousVersion(const std::string& archivePath);
