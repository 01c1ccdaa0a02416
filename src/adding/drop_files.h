// Adding mods by dropping files on the main window.
#pragma once

#include <windows.h>
#include <shellapi.h>

// Every dropped file by the rules of Add Mod, in turn (a description dropped
// together with its archive comes along with it); then the lists are rebuilt
// once, and one warning lists the files that were refused or failed. A drop
// that arrives while the tool is busy waits until it is free again.
void AddDroppedFiles(HDROP drop);

// Handles the oldest drop that waited, when the tool is free (on
// WM_APP_FREE_AGAIN).
void AddWaitingDrops();
