// The main window: its class, creation and message loop.
#pragma once

#include <windows.h>

extern HINSTANCE AppInstance;
// Set only after window creation returns: a message box raised while the window
// is being created has no owner.
extern HWND MainWindow;

extern const char kMainWindowClass[];
extern const char kMainWindowTitle[];

// Registers the class and creates, shows and updates the centred main window.
// On failure shows why (no owner) and returns NULL.
HWND CreateMainWindow(HINSTANCE instance);

// Runs until the quit message and returns its exit code.
int RunMessageLoop();

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
