#include "app/list_menu.h"

#include <string>
#include <vector>

#include "../res/resource.h"
#include "access/folder_access.h"
#include "mods/list_state.h"
#include "mods/mod_lists.h"
#include "sets/mod_sets_dialog.h"
#include "sets/set_store.h"
#include "shared/language.h"
#include "shared/window_state.h"
#include "updates/mod_update.h"

namespace {

ModSide SideOf(HWND listBox)
{
    return listBox == EnabledList ? EnabledSide() : DisabledSide();
}

// The row the menu is for: the one under the mouse, selected as a click
// selects it (its description shown); from the keyboard, the selected one.
// -1 for an empty part of the list.
int RowFor(HWND listBox, LPARAM position)
{
    if (position == -1)
        return SelectedRow(SideOf(listBox));
    POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ScreenToClient(listBox, &point);
    LRESULT hit = SendMessageA(listBox, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    int row = static_cast<int>(LOWORD(hit));
    if (HIWORD(hit) || row >= static_cast<int>(SideOf(listBox).mods.size()))
        return -1;
    if (SendMessageA(listBox, LB_GETCURSEL, 0, 0) != row) {
        SendMessageA(listBox, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        ShowListState(ListChange::Selected, listBox);
    }
    return row;
}

// Where the menu opens: at the mouse, or from the keyboard below the row (the
// list's corner without one).
POINT MenuPosition(HWND listBox, LPARAM position, int row)
{
    POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (position != -1)
        return point;
    RECT rect = {0, 0, 0, 0};
    if (row >= 0)
        SendMessageA(listBox, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    point = {rect.left, rect.bottom};
    ClientToScreen(listBox, &point);
    return point;
}

// A set's name as a menu shows it: "&" is no shortcut there.
std::string MenuText(const std::string& name)
{
    std::string text;
    for (char c : ShownSetName(name))
        text += c == '&' ? "&&" : std::string(1, c);
    return text;
}

// The "Switch To" submenu: one entry per set that can be switched to.
void FillSwitchMenu(HMENU menu, const std::vector<std::string>& names)
{
    HMENU switchTo = NULL;
    for (int i = 0; i < GetMenuItemCount(menu) && !switchTo; ++i)
        switchTo = GetSubMenu(menu, i);
    DeleteMenu(switchTo, 0, MF_BYPOSITION);
    for (size_t i = 0; i < names.size() && IDM_SWITCH_FIRST + i <= IDM_SWITCH_LAST; ++i)
        AppendMenuA(switchTo, MF_STRING, IDM_SWITCH_FIRST + i, MenuText(names[i]).c_str());
}

// On a row: "Enable" for a disabled mod, "Disable" for an enabled one; on an
// empty part of the list neither.
void KeepStateEntry(HMENU menu, HWND listBox, int row)
{
    if (row < 0 || listBox == EnabledList)
        DeleteMenu(menu, IDM_ENABLE, MF_BYCOMMAND);
    if (row < 0 || listBox == DisabledList)
        DeleteMenu(menu, IDM_DISABLE, MF_BYCOMMAND);
}

// On a row: "Update from File...", and "Restore Previous Version" for a mod
// that has one.
void KeepVersionEntries(HMENU menu, const std::string& archive)
{
    if (archive.empty())
        DeleteMenu(menu, IDM_UPDATE_FROM_FILE, MF_BYCOMMAND);
    if (archive.empty() || !HasPreviousVersion(archive))
        DeleteMenu(menu, IDM_RESTORE_PREVIOUS, MF_BYCOMMAND);
}

}  // namespace

ListMenuChoice ShowListMenu(HWND listBox, LPARAM position)
{
    HMENU resource = LoadMenuInLanguage(IDR_LIST_MENU);
    if (!resource)
        return {0, {}};
    int row = RowFor(listBox, position);
    HMENU menu = GetSubMenu(resource, 0);
    std::string archive = row >= 0 ? SideOf(listBox).mods[static_cast<size_t>(row)].path : "";
    KeepStateEntry(menu, listBox, row);
    KeepVersionEntries(menu, archive);
    if (!ModFolderRefusesChanges())  // offered where it is needed
        DeleteMenu(menu, IDM_ALLOW_CHANGES, MF_BYCOMMAND);
    std::vector<std::string> sets = SwitchableSetNames();
    FillSwitchMenu(menu, sets);

    POINT at = MenuPosition(listBox, position, row);
    UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, MainWindow, NULL));
    DestroyMenu(resource);
    if (chosen >= IDM_SWITCH_FIRST && chosen - IDM_SWITCH_FIRST < sets.size())
        return {IDM_SWITCH_FIRST, {archive, sets[chosen - IDM_SWITCH_FIRST]}};
    return {chosen, {archive, ""}};
}
