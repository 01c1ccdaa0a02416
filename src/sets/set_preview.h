// What a set shared as text would do in this mod folder, before anything
// changes. Pure code with no platform headers.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "switching/switch_plan.h"
#include "sets/set_text.h"

struct SetPreview {
    std::vector<std::string> switchedOn, switchedOff;  // display names
    std::vector<std::string> missing;                  // file names of the text that the folder lacks
    std::vector<std::string> otherVersions;            // "Name.pak: 10 bytes here, 12 in the text"
};

// The mods of the shared set as a set of this folder: their display names.
std::vector<std::string> SetModsOf(const SharedSet& shared);

// The folder's archives by the folded display name: the one that is on, where
// a name is held by a .pak and a .mod.
std::unordered_map<std::string, const ListedArchive*> ArchivesByName(const std::vector<ListedArchive>& archives,
                                                                     const FoldName& fold);

SetPreview PreviewOf(const std::vector<ListedArchive>& archives, const SharedSet& shared, const FoldName& fold);

// The preview as the dialog shows it, with CR LF line ends; each list shows at
// most `limit` names, then "and N more".
std::string PreviewText(const SetPreview& preview, size_t limit);
