// The steps of an update or a restore carried out on the mod folder, and the
// lock a copy of the tool holds while it carries them out.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "shared/named_lock.h"
#include "updates/version_plan.h"

// One step; false with the system's error code when it failed. A file goes to
// the Recycle Bin, never deleted outright: where it cannot go there, the
// system asks the player first, and a "No" fails the step.
bool RunStep(const std::string& folder, const VersionStep& step, DWORD& error);
bool RunMove(const std::string& folder, const NameMove& move);

// Whether a name is in the folder now, without regard to case, from one
// listing of it (a name inside the older version's folder is looked up).
std::function<bool(const std::string&)> NamesPresent(const std::string& folder);

// Undoes the first `made` moves of the steps, noting in the journal how many
// steps are still done after each; false when a rename failed.
bool UndoMoves(const std::string& folder, const std::vector<VersionStep>& steps, size_t made);

// Held while a copy of the tool changes a mod's version: another copy started
// meanwhile must not take the journal of a live change for one that was cut
// off, nor start a change of its own.
class VersionLock : public NamedLock {
public:
    VersionLock();
};
