// Reading windows and waiting for them, the same way in the test process and
// across processes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The window's text; also of another process's window.
std::string TextOf(HWND window);
// Its window class's name.
std::string ClassOf(HWND window);
// The texts of the window's children, in their order.
std::vector<std::string> ChildTexts(HWND window);
// The text of a message box.
std::string BoxText(HWND box);
// The rows of a list box, read as UTF-16, which also crosses processes.
std::vector<std::string> Rows(HWND listBox);
std::vector<std::string> Sorted(std::vector<std::string> rows);

// Polls `condition` until it holds; false after `timeoutMs`.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 10000)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

// Handles the messages of this thread that are waiting now, and those they post.
inline void DispatchWaitingMessages()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Handles this thread's messages until `condition` holds; false after `timeoutMs`.
template <typename Condition>
bool PumpUntil(Condition condition, DWORD timeoutMs = 10000)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        DispatchWaitingMessages();
        MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}
