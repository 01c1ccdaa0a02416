// The main window: its class, creation, message loop and the routing of its
// messages to the commands.
#pragma once

#include "shared/window_state.h"

extern const char kMainWindowClass[];

// Registers the class and creates, shows and updates the centred main window.
// On failure shows why (no owner) and returns NULL.
HWND CreateMainWindow(HINSTANCE instance);

// Runs until the quit message and returns its exit code.
int RunMessageLoop();

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
