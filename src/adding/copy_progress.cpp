#include "adding/copy_progress.h"

#include <commctrl.h>

#include "shared/display_scale.h"
#include "shared/window_state.h"

const char kProgressWindowClass[] = "QmmCopyProgress";

namespace {

const ULONGLONG kShowDelayMs = 500;
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

std::string CountText(size_t index, size_t files)
{
    return files > 1 ? std::to_string(index + 1) + " of " + std::to_string(files) : std::string();
}

}  // namespace

// Modal from the start: no other command can start while the copies run.
CopyBatch::CopyBatch(size_t files) : files_(files), start_(GetTickCount64()) {}

CopyBatch::~CopyBatch()
{
    // The owner first, so that it gets the activation back.
    held_.Release();
    if (window_)
        DestroyWindow(window_);
}

void CopyBatch::StartFile(const std::string& name, size_t index)
{
    name_ = name;
    index_ = index;
    if (window_) {
        SetWindowTextA(nameLabel_, name_.c_str());
        SetWindowTextA(countLabel_, CountText(index_, files_).c_str());
        SendMessageA(bar_, PBM_SETPOS, 0, 0);
    }
}

void CopyBatch::Show()
{
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&init);
    if (!RegisterProgressClass(WindowProc))
        return;
    UINT dpi = MainWindow ? WindowDpi(MainWindow) : SystemDpi();
    auto scaled = [dpi](int value) { return Scaled(value, dpi); };
    RECT owner = {0, 0, 0, 0};
    GetWindowRect(MainWindow, &owner);
    int width = scaled(340), height = scaled(150);
    window_ = CreateWindowExA(WS_EX_DLGMODALFRAME, kProgressWindowClass, "Adding mods",
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                              (owner.left + owner.right - width) / 2, (owner.top + owner.bottom - height) / 2,
                              width, height, MainWindow, NULL, AppInstance, this);
    if (!window_)
        return;
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto child = [&](const char* className, const char* text, DWORD style, int x, int y, int w, int h, int id) {
        HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, scaled(x), scaled(y),
                                       scaled(w), scaled(h), window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance, NULL);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        return control;
    };
    nameLabel_ = child("Static", name_.c_str(), SS_NOPREFIX | SS_ENDELLIPSIS, 12, 12, 310, 16, 0);
    countLabel_ = child("Static", CountText(index_, files_).c_str(), SS_NOPREFIX, 12, 32, 310, 16, 0);
    bar_ = child(PROGRESS_CLASSA, "", 0, 12, 54, 310, 18, 0);
    SendMessageA(bar_, PBM_SETRANGE32, 0, kBarSteps);
    child("Button", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 247, 84, 75, 23, IDCANCEL);
}

void CopyBatch::Pump()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop, after the copy
            cancelled_ = true;
            return;
        }
        if (!window_ || !IsDialogMessageA(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

bool CopyBatch::Progress(ULONGLONG done, ULONGLONG total, void* batch)
{
    CopyBatch* self = static_cast<CopyBatch*>(batch);
    bool moreToDo = done < total || self->index_ + 1 < self->files_;
    if (!self->window_ && moreToDo && GetTickCount64() - self->start_ >= kShowDelayMs)
        self->Show();
    if (self->window_) {
        int position = total ? static_cast<int>(done * kBarSteps / total) : kBarSteps;
        SendMessageA(self->bar_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
    self->Pump();
    return !self->cancelled_;
}

LRESULT CALLBACK CopyBatch::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        LPCREATESTRUCTA create = reinterpret_cast<LPCREATESTRUCTA>(lParam);
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    CopyBatch* self = reinterpret_cast<CopyBatch*>(GetWindowLongPtrA(window, 0));
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL && self)
            self->cancelled_ = true;
        return 0;
    case WM_CLOSE:
        if (self)
            self->cancelled_ = true;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
