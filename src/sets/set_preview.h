// What a set shared as text would do in this mod folder, before anything
// changes. Pure code with no platform headers.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "switching/switch_plan.h"
#include "sets/set_text.h"

// An archive of the text that the folder has in another size.
struct OtherVersion {
    std::string fileName;
    uint64_t sizeHere, sizeInText;
};

struct SetPreview {
    std::vector<std::string> switchedOn, switchedOff;  // display names
    std::vector<std::string> missing;                  // file names of the text that the folder lacks
    std::vector<OtherVersion> otherVersions;
};

// The mods of the shared set as a set of this folder: their display names.
std::vector<std::string> SetModsOf(const SharedSet& shared);

// The folder's archives by the folded display name: the one that is on, where
// a name is held by a .pak and a .mod.
std::unordered_map<std::string, const ListedArchive*> ArchivesByName(const std::vector<ListedArchive>& archives,
                                                                     const FoldName& fold);

SetPreview PreviewOf(const std::vector<ListedArchive>& archives, const SharedSet& shared, const FoldName& fold);
