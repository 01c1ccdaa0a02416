// The calls on the folder that a change's steps and repairs are made of.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "changes/change_engine.h"
#include "changes/recovery_rules.h"

// One step of a plan in `folder`; false with the system's reason. A file
// goes to the Recycle Bin, never deleted outright (but a temporary copy of
// the tool's own): where it cannot go there, the system asks the player
// first, and a "No" fails the step.
bool RunStep(const std::string& folder, const ChangeStep& step, const CopyIn& copyIn, DWORD& error);

// One call that puts the folder in order.
bool RunRepair(const std::string& folder, const RepairMove& move, DWORD& error);
