#include "shared/busy.h"

#include "shared/window_state.h"

namespace {

int depth;
bool notify;

void PostFreeAgain()
{
    notify = false;
    if (MainWindow)
        PostMessageA(MainWindow, WM_APP_FREE_AGAIN, 0, 0);
}

}  // namespace

BusyScope::BusyScope()
{
    ++depth;
}

BusyScope::~BusyScope()
{
    if (--depth == 0 && notify)
        PostFreeAgain();
}

InputHeld::InputHeld() : focus_(GetFocus()), held_(MainWindow && IsWindowEnabled(MainWindow))
{
    if (held_)
        EnableWindow(MainWindow, FALSE);
}

InputHeld::~InputHeld()
{
    if (!held_)
        return;
    Release();
    if (focus_ && IsWindow(focus_) && GetActiveWindow() == MainWindow)
        SetFocus(focus_);
}

void InputHeld::Release()
{
    if (held_)
        EnableWindow(MainWindow, TRUE);
}

bool IsBusy()
{
    return depth > 0;
}

void NotifyWhenFree()
{
    notify = true;
    if (depth == 0)
        PostFreeAgain();
}
