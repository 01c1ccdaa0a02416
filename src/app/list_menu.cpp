#include "app/list_menu.h"

#include <string>
#include <vector>

#include "../res/resource.h"
#include "sets/mod_sets_dialog.h"
#include "sets/set_sharing.h"
#include "shared/window_state.h"

namespace {

// Where the menu opens: at the mouse, or from the keyboard below the selected
// row (the list's corner without one).
POINT MenuPosition(HWND listBox, LPARAM position)
{
    POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (position != -1)
        return point;
    RECT row = {0, 0, 0, 0};
    LRESULT selected = SendMessageA(listBox, LB_GETCURSEL, 0, 0);
    if (selected >= 0)
        SendMessageA(listBox, LB_GETITEMRECT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&row));
    point = {row.left, row.bottom};
    ClientToScreen(listBox, &point);
    return point;
}

// The "Switch To" submenu: one entry per set that can be switched to.
void FillSwitchMenu(HMENU menu, const std::vector<std::string>& names)
{
    HMENU switchTo = GetSubMenu(menu, 1);
    DeleteMenu(switchTo, 0, MF_BYPOSITION);
    for (size_t i = 0; i < names.size() && IDM_SWITCH_FIRST + i <= IDM_SWITCH_LAST; ++i)
        AppendMenuA(switchTo, MF_STRING, IDM_SWITCH_FIRST + i, names[i].c_str());
}

}  // namespace

void ShowListMenu(HWND listBox, LPARAM position)
{
    HMENU resource = LoadMenuA(AppInstance, MAKEINTRESOURCEA(IDR_LIST_MENU));
    if (!resource)
        return;
    HMENU menu = GetSubMenu(resource, 0);
    std::vector<std::string> sets = SwitchableSetNames();
    FillSwitchMenu(menu, sets);

    POINT at = MenuPosition(listBox, position);
    UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, MainWindow, NULL));
    DestroyMenu(resource);

    if (chosen == IDM_MOD_SETS)
        ShowModSetsDialog();
    else if (chosen == IDM_COPY_TEXT)
        CopyModsOnAsText(MainWindow);
    else if (chosen == IDM_PASTE_TEXT)
        PasteSetFromText(MainWindow);
    else if (chosen >= IDM_SWITCH_FIRST && chosen - IDM_SWITCH_FIRST < sets.size())
        SwitchToSetNamed(sets[chosen - IDM_SWITCH_FIRST]);
}

void AddSystemMenuEntries(HWND window)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    InsertMenuA(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, IDM_SYSTEM_MOD_SETS, "Mod Sets...\tCtrl+M");
    InsertMenuA(menu, SC_CLOSE, MF_BYCOMMAND | MF_SEPARATOR, 0, NULL);
}
