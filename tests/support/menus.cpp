#include "menus.h"

#include "window_text.h"

MenuChooser* MenuChooser::active_;

namespace {

const UINT kPollMs = 30;
const UINT MN_GETHMENU_MESSAGE = 0x01E1;  // MN_GETHMENU: the menu a popup window shows

HWND OpenMenuWindow()
{
    HWND window = FindWindowA(MAKEINTATOM(0x8000), NULL);  // the class of popup menus, "#32768"
    return window && IsWindowVisible(window) ? window : NULL;
}

void Key(HWND menuWindow, WPARAM key)
{
    PostMessageA(menuWindow, WM_KEYDOWN, key, 0);
    PostMessageA(menuWindow, WM_KEYUP, key, 0xC0000000);
}

// The entry's place among the entries that keys reach (separators are skipped).
int KeyPlace(HMENU menu, const std::string& text)
{
    int place = 0;
    for (const std::string& entry : MenuTexts(menu)) {
        if (entry == text)
            return place;
        if (entry != "-")
            ++place;
    }
    return -1;
}

}  // namespace

std::vector<std::string> MenuTexts(HMENU menu)
{
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[512] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        texts.push_back(info.fType & MFT_SEPARATOR ? "-" : text);
    }
    return texts;
}

void OpenListMenu(HWND listBox, LPARAM position)
{
    DispatchWaitingMessages();
    SendMessageA(GetParent(listBox), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(listBox), position);
}

void ChooseInListMenu(HWND listBox, LPARAM position, const std::vector<std::string>& path)
{
    MenuChooser menu(path);
    OpenListMenu(listBox, position);
}

MenuChooser::MenuChooser(std::vector<std::string> path) : path_(std::move(path))
{
    active_ = this;
    timer_ = SetTimer(NULL, 0, kPollMs, TimerProc);
}

MenuChooser::~MenuChooser()
{
    KillTimer(NULL, timer_);
    active_ = NULL;
}

void CALLBACK MenuChooser::TimerProc(HWND, UINT, UINT_PTR timer, DWORD)
{
    MenuChooser* self = active_;
    HWND menuWindow = OpenMenuWindow();
    if (!self || !menuWindow)
        return;
    KillTimer(NULL, timer);
    self->Choose(menuWindow);
}

void MenuChooser::Choose(HWND menuWindow)
{
    shown_ = true;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU_MESSAGE, 0, 0));
    entries_ = MenuTexts(menu);
    if (path_.empty()) {
        Key(menuWindow, VK_ESCAPE);
        return;
    }
    for (size_t level = 0; level < path_.size(); ++level) {
        int place = KeyPlace(menu, path_[level]);
        if (place < 0) {
            EndMenu();
            return;
        }
        // The first key selects the first entry of a menu opened by the mouse;
        // a submenu opened by the right arrow starts on its first entry.
        for (int i = 0; i < place + (level == 0 ? 1 : 0); ++i)
            Key(menuWindow, VK_DOWN);
        if (level + 1 < path_.size()) {
            Key(menuWindow, VK_RIGHT);
            int position = 0;
            std::vector<std::string> texts = MenuTexts(menu);
            while (position < static_cast<int>(texts.size()) &&
                   texts[static_cast<size_t>(position)] != path_[level])
                ++position;
            menu = GetSubMenu(menu, position);
            submenuEntries_ = MenuTexts(menu);
        }
    }
    Key(menuWindow, VK_RETURN);
}
