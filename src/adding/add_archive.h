// The rules of both ways in (Add Mod and a drop) for one archive.
#pragma once

#include <string>

#include "shared/copy_progress.h"

enum class AddOutcome {
    Added,
    NameTaken,
    NotArchive,
    BaseArchiveName,
    CopyFailed,
    DescriptionNotCopied,
    LeftoverInTheWay,  // at TemporaryName(fileName): a folder or a read-only file
    Cancelled
};

// Refused, with nothing copied: what RefusalOf refuses, and a name already
// taken in the mod directory as .pak or as .mod (a short name of another file
// too). Otherwise the archive is copied under its temporary name and gets its
// own only when whole, by a rename that never replaces a file; its
// description then replaces one of the same name, never another file that the
// name reaches through a short name.
AddOutcome AddArchive(const std::string& source, const std::string& fileName, CopyBatch& batch);
