#include "app/main_window.h"

#include "../res/resource.h"
#include "access/folder_access.h"
#include "access/message_filter.h"
#include "adding/drop_files.h"
#include "app/at_start.h"
#include "app/commands.h"
#include "app/controls.h"
#include "finder/find_game.h"
#include "mods/list_refresh.h"
#include "settings/mod_directory.h"
#include "shared/busy.h"
#include "shared/display_scale.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"

const char kMainWindowClass[] = "MainWindowClass";

static const int kWindowWidth = 500;
static const int kWindowHeight = 405;
static const DWORD kWindowStyle = WS_POPUP | WS_BORDER | WS_DLGFRAME | WS_SYSMENU | WS_MINIMIZEBOX;

// Posted at creation when a start has something to finish once the window
// shows (at_start.h).
static const UINT WM_APP_AT_START = WM_APP + 2;

// The window's own icons, group 102's images at the sizes for its DPI, so that
// the title bar and the taskbar show sharp ones; each replaced pair is destroyed.
static HICON bigIcon, smallIcon;

static void SetWindowIcons(HWND window, UINT dpi)
{
    HICON big = static_cast<HICON>(LoadImageA(AppInstance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                              MetricForDpi(SM_CXICON, dpi), MetricForDpi(SM_CYICON, dpi), 0));
    HICON small =
        static_cast<HICON>(LoadImageA(AppInstance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                      MetricForDpi(SM_CXSMICON, dpi), MetricForDpi(SM_CYSMICON, dpi), 0));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    if (bigIcon)
        DestroyIcon(bigIcon);
    if (smallIcon)
        DestroyIcon(smallIcon);
    bigIcon = big;
    smallIcon = small;
}

static void OnCreate(HWND window)
{
    // Only where the first scan would show the directory error: the game may
    // be installed elsewhere.
    if (!LoadSettings() && !FolderExists(ModDirectory))
        LookForGame();
    CreateControls(window);
    SetWindowIcons(window, WindowDpi(window));
    AddSystemMenuEntries(window);
    DragAcceptFiles(window, TRUE);
    LetDropsThrough(window);  // also when started as administrator
    // What a start finishes first: the folder's test, posted after it, waits
    // while their messages show (the tool is busy), never a second box at once.
    if (StartTasksWait())
        PostMessageA(window, WM_APP_AT_START, 0, 0);
    StartFolderAccessChecks(window);
}

// After the controls are gone: what was made for them and the window.
static void OnFinalDestroy()
{
    ReleaseControlFont();
    DestroyIcon(bigIcon);
    DestroyIcon(smallIcon);
    bigIcon = smallIcon = NULL;
}

// Moved to a display of another scale: the window takes the rectangle the
// system suggests, the controls their places, sizes and font for the new DPI.
static void OnDpiChanged(HWND window, UINT dpi, const RECT* suggested)
{
    SetWindowPos(window, NULL, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutControls(dpi);
    SetWindowIcons(window, dpi);
}

// The tool's own dialog or message box has closed: what waited for it.
static void OnFreeAgain()
{
    AddWaitingDrops();
    RefreshIfLeftMeanwhile();
    CheckFolderAccessIfDue();
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_DPICHANGED: OnDpiChanged(window, LOWORD(wParam), reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_COMMAND: RouteWindowCommand(wParam); break;
    case WM_ACTIVATE:
        NoteActivation(LOWORD(wParam) != WA_INACTIVE);
        NoteFolderAccessActivation(LOWORD(wParam) != WA_INACTIVE);
        break;
    case WM_ACTIVATEAPP: NoteToolActivation(wParam != FALSE); break;
    case WM_DROPFILES: AddDroppedFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_APP_FREE_AGAIN: OnFreeAgain(); return 0;
    case WM_APP_AT_START: RunStartTasks(); return 0;
    case WM_APP_CHECK_ACCESS: CheckFolderAccessIfDue(); return 0;
    case WM_CONTEXTMENU:
        if (RouteContextMenu(reinterpret_cast<HWND>(wParam), lParam))
            return 0;
        break;
    case WM_SYSCOMMAND:
        if (RouteSystemCommand(wParam))
            return 0;
        break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_NCDESTROY: OnFinalDestroy(); break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Centred on the screen, but with its title bar on the screen: a window larger
// than the screen keeps its top-left corner inside the work area.
static POINT WindowPosition(int width, int height)
{
    POINT position = {GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2,
                      GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2};
    MONITORINFO monitor = {sizeof monitor, {}, {}, 0};
    if (GetMonitorInfoA(MonitorFromPoint(position, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        position.x = position.x < monitor.rcWork.left ? monitor.rcWork.left : position.x;
        position.y = position.y < monitor.rcWork.top ? monitor.rcWork.top : position.y;
    }
    return position;
}

HWND CreateMainWindow(HINSTANCE instance)
{
    // Made on the primary display, at the DPI the system started with.
    UINT dpi = SystemDpi();
    int width = Scaled(kWindowWidth, dpi), height = Scaled(kWindowHeight, dpi);
    POINT position = WindowPosition(width, height);
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

    HWND window = CreateWindowExA(0, kMainWindowClass, TextFor(Text::MainTitle).c_str(), kWindowStyle, position.x,
                                  position.y, width, height, NULL, NULL, instance, NULL);
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
    // The keys of the main window: Ctrl+M opens the mod sets, F5 rescans.
    HACCEL keys = LoadAcceleratorsA(AppInstance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0)) {
        if (keys && TranslateAcceleratorA(MainWindow, keys, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
