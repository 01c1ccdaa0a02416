#include "shared/progress_window.h"

#include <commctrl.h>

#include "shared/display_scale.h"
#include "shared/messages.h"
#include "shared/window_state.h"

const char kProgressWindowClass[] = "QmmProgress";

namespace {

const ULONGLONG kShowDelayMs = 500;
const ULONGLONG kUpdateIntervalMs = 100;
const int kBarSteps = 1000;

bool RegisterProgressClass(WNDPROC windowProc)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = AppInstance;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kProgressWindowClass;
    return RegisterClassExA(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

ProgressWindow::ProgressWindow(const std::string& caption, bool cancellable)
    : caption_(caption), cancellable_(cancellable), start_(GetTickCount64())
{
}

ProgressWindow::~ProgressWindow()
{
    // The owner first, so that it gets the activation back.
    held_.Release();
    if (window_)
        DestroyWindow(window_);
}

bool ProgressWindow::Due() const
{
    return GetTickCount64() - lastUpdate_ >= kUpdateIntervalMs;
}

void ProgressWindow::SetLines(const std::string& first, const std::string& second)
{
    first_ = first;
    second_ = second;
    if (window_) {
        SetWindowTextA(firstLabel_, first_.c_str());
        SetWindowTextA(secondLabel_, second_.c_str());
        SendMessageA(bar_, PBM_SETPOS, 0, 0);
    }
}

void ProgressWindow::Update(const std::string& first, const std::string& second, ULONGLONG done, ULONGLONG total,
                            bool more)
{
    lastUpdate_ = GetTickCount64();
    if (!window_ && more && lastUpdate_ - start_ >= kShowDelayMs) {
        first_ = first;
        second_ = second;
        Show();
    } else if (window_ && (first != first_ || second != second_)) {
        SetLines(first, second);
    }
    if (window_) {
        int position = total ? static_cast<int>(done * kBarSteps / total) : kBarSteps;
        SendMessageA(bar_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
    Pump();
}

void ProgressWindow::Show()
{
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&init);
    if (!RegisterProgressClass(WindowProc))
        return;
    UINT dpi = MainWindow ? WindowDpi(MainWindow) : SystemDpi();
    auto scaled = [dpi](int value) { return Scaled(value, dpi); };
    RECT owner = {0, 0, 0, 0};
    GetWindowRect(MainWindow, &owner);
    int width = scaled(430), height = scaled(150);
    DWORD style = WS_POPUP | WS_CAPTION | WS_VISIBLE | (cancellable_ ? WS_SYSMENU : 0);
    window_ = CreateWindowExA(WS_EX_DLGMODALFRAME, kProgressWindowClass, caption_.c_str(), style,
                              (owner.left + owner.right - width) / 2, (owner.top + owner.bottom - height) / 2,
                              width, height, MainWindow, NULL, AppInstance, this);
    if (!window_)
        return;
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto child = [&](const char* className, const char* text, DWORD childStyle, int x, int y, int w, int h,
                     int id) {
        HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | childStyle, scaled(x),
                                       scaled(y), scaled(w), scaled(h), window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance, NULL);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        return control;
    };
    firstLabel_ = child("Static", first_.c_str(), SS_NOPREFIX | SS_ENDELLIPSIS, 12, 12, 400, 16, 0);
    secondLabel_ = child("Static", second_.c_str(), SS_NOPREFIX, 12, 32, 400, 16, 0);
    bar_ = child(PROGRESS_CLASSA, "", 0, 12, 54, 400, 18, 0);
    SendMessageA(bar_, PBM_SETRANGE32, 0, kBarSteps);
    if (cancellable_)
        child("Button", TextFor(Text::Cancel).c_str(), BS_PUSHBUTTON | WS_TABSTOP, 337, 84, 75, 23, IDCANCEL);
}

void ProgressWindow::Pump()
{
    MSG message;
    if (!cancellable_) {
        // No input and nothing posted: no command can start under the work.
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE))
            DispatchMessageA(&message);
        return;
    }
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop, after the work
            cancelled_ = true;
            return;
        }
        if (!window_ || !IsDialogMessageA(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

LRESULT CALLBACK ProgressWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        LPCREATESTRUCTA create = reinterpret_cast<LPCREATESTRUCTA>(lParam);
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    ProgressWindow* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrA(window, 0));
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL && self && self->cancellable_)
            self->cancelled_ = true;
        return 0;
    case WM_CLOSE:
        if (self && self->cancellable_)
            self->cancelled_ = true;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
