// At start: an update or a restore that was cut off (killed, crashed, power
// cut) is finished, or undone where it cannot be finished, before the first
// scan; the player is told once the window shows.
#pragma once

#include <windows.h>

// Posted to the main window when there is something to tell.
const UINT WM_APP_VERSION_CHANGE_CUT_OFF = WM_APP + 25;

// Puts the mod of a journal left in the registry in order, and posts
// WM_APP_VERSION_CHANGE_CUT_OFF to `window` when it found one. A journal whose
// folder is missing is kept for a later start; one that another copy of the
// tool is carrying out is left alone.
void FinishInterruptedUpdate(HWND window);

// The message about what was found, on WM_APP_VERSION_CHANGE_CUT_OFF.
void ReportInterruptedUpdate();
