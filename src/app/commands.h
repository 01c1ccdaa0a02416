// The commands of the main window and their routing: every button, key,
// system menu entry and entry of the lists' menu gives a command by its id
// (res/resource.h), and one table says what each command runs and under
// which guard.
#pragma once

#include <windows.h>

#include <string>

enum class CommandSource {
    Window,      // WM_COMMAND: a button or a key
    ListMenu,    // the menu of the two lists
    SystemMenu,  // WM_SYSCOMMAND
};

// What the lists' menu was opened on.
struct CommandTarget {
    std::string archive;  // the row's archive; "" on an empty part of a list
    std::string setName;  // the set that a "Switch To" entry names
};

// Runs the command `id` if `source` gives it, unless its guard refuses it:
// nothing while the tool is busy with a modal window of its own, for a
// command that would open another; the directory error when the mod folder
// is missing, for a command that needs it before it does anything. False
// when `source` gives no such command.
bool RunCommand(UINT id, CommandSource source, const CommandTarget& target = {});

// WM_COMMAND: a button or a key; a list's selection change shows its mod.
void RouteWindowCommand(WPARAM wParam);
// WM_SYSCOMMAND: false for the system's own commands.
bool RouteSystemCommand(WPARAM wParam);
// WM_CONTEXTMENU: the lists' menu, then its command; false for anything but
// the two lists.
bool RouteContextMenu(HWND window, LPARAM position);

// Adds the system menu's commands above "Close".
void AddSystemMenuEntries(HWND window);
