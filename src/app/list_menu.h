// The context menu of the two lists (right click, Shift+F10, the menu key).
#pragma once

#include <windows.h>

#include "app/commands.h"

// The command chosen in the menu and what it was opened on; id 0 when the
// menu was closed without a choice.
struct ListMenuChoice {
    UINT id;
    CommandTarget target;
};

// Shows the menu for `listBox` at `position` (screen coordinates, or -1, -1
// from the keyboard), the row under the mouse selected first as a click
// selects it. Each entry of "Switch To" gives the switch, IDM_SWITCH_FIRST,
// with the name of its set.
ListMenuChoice ShowListMenu(HWND listBox, LPARAM position);
