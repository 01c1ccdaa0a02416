#include "app/main_window.h"

#include "app/controls.h"
#include "launcher/start_game.h"
#include "mods/add_mod.h"
#include "mods/directory_scan.h"
#include "mods/mod_information.h"
#include "mods/mod_state.h"
#include "settings/change_directory.h"
#include "settings/mod_directory.h"
#include "shared/messages.h"
#include "../res/resource.h"

const char kMainWindowClass[] = "MainWindowClass";
const char kMainWindowTitle[] = "Quillmoor Mod Manager";

static const int kWindowWidth = 500;
static const int kWindowHeight = 405;
static const DWORD kWindowStyle = WS_POPUP | WS_BORDER | WS_DLGFRAME | WS_SYSMENU | WS_MINIMIZEBOX;

static void OnRescan()
{
    EnableWindow(EnableButton, FALSE);
    EnableWindow(DisableButton, FALSE);
    RebuildModLists();
}

static void OnListNotice(const ModSide& side, WORD code)
{
    if (code == LBN_SELCHANGE)
        ShowModInformation(side);
}

static void OnCommand(WORD id, WORD code)
{
    switch (id) {
    case IDC_CHANGE: ChangeModDirectory(); break;
    case IDC_RESCAN: OnRescan(); break;
    case IDC_ENABLE: EnableMod(); break;
    case IDC_DISABLE: DisableMod(); break;
    case IDC_DISABLED_LIST: OnListNotice(DisabledSide(), code); break;
    case IDC_ENABLED_LIST: OnListNotice(EnabledSide(), code); break;
    case IDC_START_GAME: StartGame(); break;
    case IDC_ADD_MOD: AddMod(); break;
    }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        LoadSettings();
        CreateControls(window);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateMainWindow(HINSTANCE instance)
{
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    AppInstance = instance;

    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    if (!RegisterClassExA(&windowClass)) {
        ShowMessage(NULL, Message::WindowClassFailed);
        return NULL;
    }

    HWND window = CreateWindowExA(0, kMainWindowClass, kMainWindowTitle, kWindowStyle,
                                  screenWidth / 2 - kWindowWidth / 2, screenHeight / 2 - kWindowHeight / 2,
                                  kWindowWidth, kWindowHeight, NULL, NULL, instance, NULL);
    if (!window) {
        ShowMessage(NULL, Message::WindowFailed);
        return NULL;
    }
    MainWindow = window;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return window;
}

int RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
