// Plans of the change engine that the pure tests share.
#pragma once

#include <string>
#include <vector>

#include "changes/change_plan.h"

// A switch in C:\Games\data that flips each of `names` (.pak <-> .mod).
ChangePlan FlipsOf(const std::vector<std::string>& names);
