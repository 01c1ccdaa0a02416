// Adding mods by dropping files on the main window.
#pragma once

#include <windows.h>
#include <shellapi.h>

// Every dropped file by the rules of Add Mod, in turn (a description dropped
// together with its archive comes along with it), except that an archive
// whose name is an installed mod's updates that mod, once the player agreed
// (one question for the drop), and one identical to it is passed over; then
// the lists are rebuilt once, and one warning lists the files that were
// refused, passed over or failed. A drop that arrives while the tool is busy
// waits until it is free again.
void AddDroppedFiles(HDROP drop);

// Handles the oldest drop that waited, when the tool is free (on
// WM_APP_FREE_AGAIN).
void AddWaitingDrops();
