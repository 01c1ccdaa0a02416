// The fourteen child controls of the main window.
#pragma once

#include "shared/window_state.h"

// Builds the controls into the handles of the window state, disables both
// state buttons, shows the mod directory in the label and, if it exists, runs
// the first scan.
void CreateControls(HWND window);
