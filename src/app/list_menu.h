// The context menu of the two lists (right click, Shift+F10, the menu key) and
// the window's system menu entry.
#pragma once

#include <windows.h>

// Shows the menu for `listBox` at `position` (screen coordinates, or -1, -1
// from the keyboard) and runs the command chosen.
void ShowListMenu(HWND listBox, LPARAM position);

// Adds "Mod Sets..." and "Find a Problem Mod..." to the window's system menu,
// above "Close".
void AddSystemMenuEntries(HWND window);
