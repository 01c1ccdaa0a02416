// A switch of the mod folder as the player sees it: the folder's lock, an
// earlier change put in order first, the progress, the lists rebuilt
// afterwards, and a message when it did not switch.
#pragma once

#include <windows.h>

#include "switching/folder_switch.h"

// Switches `folder` with the messages owned by `owner`.
SwitchOutcome SwitchShown(HWND owner, const std::string& folder, const PlanFor& planFor);
