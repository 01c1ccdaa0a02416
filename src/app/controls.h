// The fourteen child controls of the main window and their command ids.
#pragma once

#include <windows.h>

enum ControlId {
    IDC_CHANGE = 10001,
    IDC_RESCAN = 10002,
    IDC_ENABLE = 10003,
    IDC_DISABLE = 10004,
    IDC_DISABLED_LIST = 10005,
    IDC_ENABLED_LIST = 10006,
    IDC_START_GAME = 10007,
    IDC_ADD_MOD = 10008,
};

// Handles, set once by CreateControls and valid for the life of the window.
extern HWND DirectoryLabel, ChangeButton, DirectoryCaption;
extern HWND EnabledList, DisableButton, EnabledCaption;
extern HWND DisabledList, EnableButton, DisabledCaption;
extern HWND InformationBox, RescanButton, InformationCaption, StartButton, AddButton;

// Builds the controls, disables both state buttons, shows the mod directory in
// the label and, if it exists, runs the first scan.
void CreateControls(HWND window);
