// Display scale: the DPI of the system and of a window, with the functions
// that Windows 7 and 8.1 lack looked up at run time.
#pragma once

#include <windows.h>

const UINT kBaseDpi = 96;  // every figure of the window is given for this DPI

// The DPI the system started with (the primary display's).
UINT SystemDpi();
// The DPI of the window's display; the system DPI where that is not known.
UINT WindowDpi(HWND window);
// A 96-DPI figure at `dpi`, rounded.
int Scaled(int value, UINT dpi);
// GetSystemMetrics for `dpi`.
int MetricForDpi(int index, UINT dpi);
