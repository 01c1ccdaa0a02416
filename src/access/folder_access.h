// The mod folder's access as the player meets it: the write test at start,
// after Change... and on return to the window; the notice, once per folder
// and start, that names the folder and the cause; and "Allow Changes to This
// Folder...", which asks Windows once to let the player's account change
// files there. None of it changes the main window's controls.
#pragma once

#include <windows.h>

// Posted to the main window when a test of the mod folder is due.
const UINT WM_APP_CHECK_ACCESS = WM_APP + 3;

// At the window's creation: no folder told of yet in this start, and the
// first test once the window shows.
void StartFolderAccessChecks(HWND window);

// A test of the mod folder as soon as the tool is free (after Change...).
void CheckFolderAccessSoon();

// WM_ACTIVATE: the main window active again after it was inactive, not by a
// window of the tool's own closing, tests the folder again.
void NoteFolderAccessActivation(bool active);

// WM_APP_CHECK_ACCESS and WM_APP_FREE_AGAIN: the test that is due, unless the
// tool is busy (then when it is free). A folder that refuses changes is told
// of once per start, with the offer to allow them where an entry for the
// player's account can.
void CheckFolderAccessIfDue();

// True when the last test of the mod folder found that it refuses changes.
bool ModFolderRefusesChanges();

// The menu command: tells when the folder allows changes already, or when the
// elevated part would refuse it; otherwise asks Windows to start it (one
// prompt), tells its answer and tests the folder again.
void AllowChangesToModFolder();
