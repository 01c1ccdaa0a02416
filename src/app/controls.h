// The fourteen child controls of the main window.
#pragma once

#include "shared/window_state.h"

// Builds the controls into the handles of the window state, at the window's
// DPI (their figures are for 96 DPI, scaled), disables both
// state buttons, shows the mod directory in the label and, if it exists, runs
// the first scan.
void CreateControls(HWND window);

// Places and sizes every control for `dpi` (after a move to a display of
// another scale), with a font for it.
void LayoutControls(UINT dpi);

// Deletes the font made for another DPI, once the controls are gone.
void ReleaseControlFont();
