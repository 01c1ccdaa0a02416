#include "clipboard.h"

#include <windows.h>

#include <cstring>

#include "shared/text_conversion.h"
#include "shared/window_state.h"

void PutOnClipboard(const std::string& utf8)
{
    std::wstring wide = ToWide(utf8, CP_UTF8);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(memory), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    OpenClipboard(MainWindow);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

std::string ClipboardText()
{
    std::string text;
    OpenClipboard(MainWindow);
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = FromWide(static_cast<const wchar_t*>(GlobalLock(data)), CP_UTF8);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}
