// The lists' menu commands on one mod: "Update from File..." and "Restore
// Previous Version". The router runs them only while the tool is not busy
// with a modal window of its own, and with the mod folder there.
#pragma once

#include <string>

#include "changes/change_plan.h"

// The open-file dialog, owned by the main window; the chosen archive replaces
// the mod of `archivePath` and takes its name, whatever the chosen file is
// called. A file identical to the installed one changes nothing.
void UpdateModFromFile(const std::string& archivePath);

// The mod's previous version and its current one change places. Both commands
// refuse a mod installed both enabled and disabled, saying so.
void RestorePreviousVersionOf(const std::string& archivePath);

// Before a change of a version: a change left by an earlier one is put in
// order first and the player told; one that cannot be put in order now is
// given up only when the player agrees. False when it stays (nothing may be
// changed then).
bool EarlierChangeSettled(ChangeKind kind);
