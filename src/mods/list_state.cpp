#include "mods/list_state.h"

#include <string>

#include "mods/mod_information.h"
#include "mods/list_refresh.h"
#include "mods/mod_lists.h"

namespace {

enum class Button { Kept, Off, On };
enum class Box { Kept, Empty, Description };

struct State {
    Button enable, disable;
    Box box;
};

ModSide SideOf(HWND listBox)
{
    return listBox == EnabledList ? EnabledSide() : DisabledSide();
}

// The list box with a selected row, or NULL.
HWND SelectedList()
{
    for (HWND listBox : {EnabledList, DisabledList})
        if (SendMessageA(listBox, LB_GETCURSEL, 0, 0) != LB_ERR)
            return listBox;
    return NULL;
}

// The side's button on and the other side's off.
State OnlySide(HWND listBox, Box box)
{
    bool enabledSide = listBox == EnabledList;
    return {enabledSide ? Button::Off : Button::On, enabledSide ? Button::On : Button::Off, box};
}

State StateAfter(ListChange change, HWND listBox)
{
    switch (change) {
    case ListChange::Selected: return OnlySide(listBox, Box::Description);
    case ListChange::Moved:
        return {listBox == DisabledList ? Button::Off : Button::Kept,
                listBox == EnabledList ? Button::Off : Button::Kept, Box::Kept};
    case ListChange::Rescanned: return {Button::Off, Button::Off, Box::Kept};
    case ListChange::Rebuilt: break;
    case ListChange::Followed:
        if (HWND selected = SelectedList())
            return OnlySide(selected, Box::Kept);
        return {Button::Off, Button::Off, Box::Empty};
    case ListChange::Reset: return {Button::Off, Button::Off, Box::Empty};
    }
    return {Button::Kept, Button::Kept, Box::Kept};
}

void SetButton(HWND button, Button state)
{
    if (state != Button::Kept)
        EnableWindow(button, state == Button::On);
}

// The selected mod's description; "" for a row without an entry behind it.
std::string SelectedDescription(HWND listBox)
{
    ModSide side = SideOf(listBox);
    int row = SelectedRow(side);
    if (row < 0 || side.mods[static_cast<size_t>(row)].infoPath.empty())
        return "";
    return ShownDescription(side.mods[static_cast<size_t>(row)].infoPath);
}

}  // namespace

void ShowListState(ListChange change, HWND listBox)
{
    if (change == ListChange::Selected) {
        if (SendMessageA(listBox, LB_GETCURSEL, 0, 0) == LB_ERR)
            return;
        SendMessageA(listBox == EnabledList ? DisabledList : EnabledList, LB_SETCURSEL, static_cast<WPARAM>(-1),
                     0);
    }
    State state = StateAfter(change, listBox);
    SetButton(EnableButton, state.enable);
    SetButton(DisableButton, state.disable);
    if (state.box != Box::Kept)
        SetWindowTextA(InformationBox, state.box == Box::Empty ? "" : SelectedDescription(listBox).c_str());
    if (state.box == Box::Description) {
        ModSide side = SideOf(listBox);
        int row = SelectedRow(side);
        if (row >= 0)
            NoteShownArchive(side.mods[static_cast<size_t>(row)].path);
    }
}
