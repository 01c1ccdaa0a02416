// Updating a mod to a new version and restoring its previous version. The
// installed version and its description are kept as the previous version
// (one per mod; an older one goes to the Recycle Bin). The steps are
// journalled in the registry first, so that a change cut off by a kill or a
// power cut is finished or undone at the next start; a step that fails undoes
// the ones before it.
#pragma once

#include <string>

#include "shared/copy_progress.h"

enum class VersionOutcome {
    Done,
    InUse,             // the game (or another program) holds one of the mod's files: nothing changed
    Failed,            // nothing changed
    NotRecycled,       // the older previous version could not go to the Recycle Bin: not updated
    LeftoverInTheWay,  // a folder or a read-only file at a temporary name: nothing changed
    Cancelled,         // the player cancelled the copy: nothing changed
    NotPutBack,        // failed, and not all of it could be undone yet: the next start finishes that
    Elsewhere,         // another copy of the tool is changing a mod's version: nothing changed
    EarlierOwed,       // an earlier change is still to be put in order: nothing changed
};

// The mod whose archive is `archive` (a file name in ModDirectory) takes a
// copy of `source`, whatever that file is called, under its own name and in
// its own state, with the description beside `source` (if none is there, its
// installed description stays). The copies are made under the temporary
// names first, with the batch's progress; the mod's names change only when
// they are whole.
VersionOutcome UpdateMod(const std::string& archive, const std::string& source, CopyBatch& batch);

// The previous version of the mod and its current one change places, archive
// and description together: restoring twice gives the newer version back.
VersionOutcome RestorePreviousVersion(const std::string& archive);

// True when the mod of this archive path has a previous version.
bool HasPreviousVersion(const std::string& archivePath);

// True when the two files have the same size and bytes (or are one file).
bool SameFileContent(const std::string& first, const std::string& second);
