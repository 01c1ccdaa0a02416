// Drops from Explorer reach the main window also when the tool runs as
// administrator: Windows' message filter keeps the messages of a drag from a
// program of a lower level out unless the window lets them through.
#pragma once

#include <windows.h>

// How the filter is changed: ChangeWindowMessageFilterEx, which tests
// replace to see the calls (Wine answers them but keeps no filter to read back).
using MessageFilterChange = BOOL(WINAPI*)(HWND window, UINT message, DWORD action, PCHANGEFILTERSTRUCT status);
extern MessageFilterChange ChangeMessageFilter;

// The messages of a drop: WM_DROPFILES, WM_COPYDATA and WM_COPYGLOBALDATA (0x0049).
extern const UINT kDropMessages[3];

// Lets the drop messages through to `window`; true when the system took each.
bool LetDropsThrough(HWND window);
