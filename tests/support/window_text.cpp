#include "window_text.h"

#include <algorithm>

#include "shared/text_conversion.h"

std::string TextOf(HWND window)
{
    // The message itself: GetWindowTextLength does not ask a window of another
    // process. Room to spare, for a text that grows between the two messages
    // (a count that a running program updates).
    std::vector<char> text(static_cast<size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 64);
    SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

std::string ClassOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<std::string> ChildTexts(HWND window)
{
    std::vector<std::string> texts;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        texts.push_back(TextOf(child));
    return texts;
}

std::string BoxText(HWND box)
{
    return TextOf(GetDlgItem(box, 0xFFFF));
}

std::vector<std::string> Rows(HWND listBox)
{
    std::vector<std::string> rows;
    LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring row(static_cast<size_t>(SendMessageW(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1,
                         L'\0');
        SendMessageW(listBox, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&row[0]));
        rows.push_back(FromWide(row.c_str(), CP_ACP));
    }
    return rows;
}

std::vector<std::string> Sorted(std::vector<std::string> rows)
{
    std::sort(rows.begin(), rows.end());
    return rows;
}
