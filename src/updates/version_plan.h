// The steps that update a mod to a new version or restore its previous one,
// as a plan for the change engine. Pure logic with no platform headers, so it
// is also built and tested natively.
#pragma once

#include <string>
#include <vector>

#include "changes/change_plan.h"
#include "mods/mod_names.h"

// What is in the folder before an update or a restore, besides the archive.
struct VersionFiles {
    bool description = false;
    bool previousArchive = false;
    bool previousDescription = false;
};

// An update of the mod in `folder`: the new archive (the file at `source`)
// and the description that comes with it (`description`, or the installed
// one, which then stays with both versions; empty for none) are copied under
// the temporary names; an older previous version is moved into its folder
// (made empty beforehand), archive before description; then the archive and
// the description each take the new file and keep the installed one as the
// previous version; only then does the older version's folder go to the
// Recycle Bin, as one item. A failure before that last step is undone with
// no file given up.
ChangePlan UpdatePlan(const std::string& folder, const VersionNames& names, const VersionFiles& files,
                      const std::string& source, const std::string& description);

// A restore: the previous version and the current one change places, the
// archive first, then the description (or only one of the two descriptions
// moves, when the other version has none).
ChangePlan RestorePlan(const std::string& folder, const VersionNames& names, const VersionFiles& files);

// The names the steps give files in the folder, each once: the names that
// must fit the folder before anything is copied.
std::vector<std::string> NamesGiven(const ChangePlan& plan);
