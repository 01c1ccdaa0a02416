// The mod folder's virtual copy: Windows redirects the writes of older
// programs that it does not trust from a protected folder into a copy of the
// player's own, "%LOCALAPPDATA%\VirtualStore\<the folder's path without its
// drive>", and the game may load what lies there although the lists do not
// show it. Which of its files form a mod, which stay for a name the mod
// folder has, and the plan that moves a mod in. Pure logic with no platform
// headers, so it is also built and tested natively.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "changes/change_plan.h"

// The virtual copy of `folder` (a full path with a drive letter) for the
// player whose local application data is `localAppData`; none for a share or
// a relative path, which Windows never redirects.
std::optional<std::string> VirtualCopyOf(const std::string& localAppData, const std::string& folder);

// An archive (.pak, .mod) or a description (.txt): a file the tool moves in.
bool IsMovableFile(const std::string& name);

// The files of one mod, by name: those of one name before the extension.
struct VirtualMod {
    std::vector<std::string> files;
};

struct VirtualCopyContents {
    std::vector<VirtualMod> movable;  // none of its names in the mod folder
    std::vector<VirtualMod> left;     // one of its names there: stays whole
    std::vector<std::string> taken;   // those names (an archive also when the folder has its other state)
};

// Sorts the virtual copy's file names (other files are left out); `inFolder`
// tells whether the mod folder has a name, letter case aside.
VirtualCopyContents SortVirtualCopy(const std::vector<std::string>& names,
                                    const std::function<bool(const std::string&)>& inFolder);

// The plan that moves one mod's files from `virtualCopy` into `folder`,
// names kept, one rename each: never over a file.
ChangePlan MoveInPlan(const std::string& folder, const std::string& virtualCopy, const VirtualMod& mod);

// Whether a move in makes this step: a rename of a movable file from the
// plan's virtual copy (`plan.mod`, which must be the folder's) to the same
// name in the folder.
bool FitsMoveIn(const ChangePlan& plan, const ChangeStep& step);
