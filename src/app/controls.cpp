#include "app/controls.h"

#include <commctrl.h>

#include "mods/directory_scan.h"
#include "settings/display_text.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"

namespace {

struct ControlRow {
    HWND* handle;
    const char* className;
    const char* text;
    DWORD style;  // besides WS_CHILD | WS_VISIBLE
    DWORD exStyle;
    int x, y, width, height;
    int id;
};

const DWORD kListStyle = WS_VSCROLL | LBS_DISABLENOSCROLL | LBS_NOTIFY;
const DWORD kInfoStyle = WS_VSCROLL | ES_WANTRETURN | ES_READONLY | ES_MULTILINE;

// In creation order; positions in client coordinates.
const ControlRow kControls[] = {
    {&DirectoryLabel, "Static", "", SS_NOPREFIX, 0, 10, 22, 400, 25, 0},  // a path, "&" and all
    {&ChangeButton, "Button", "Change...", 0, 0, 416, 18, 65, 22, IDC_CHANGE},
    {&DirectoryCaption, "Static", "Mod Directory", 0, 0, 10, 8, 150, 14, 0},
    {&EnabledList, "Listbox", NULL, kListStyle, WS_EX_CLIENTEDGE, 10, 60, 200, 140, IDC_ENABLED_LIST},
    {&DisableButton, "Button", "Disable", 0, 0, 220, 60, 60, 22, IDC_DISABLE},
    {&EnabledCaption, "Static", "Enabled Mods", 0, 0, 10, 45, 150, 14, 0},
    {&DisabledList, "Listbox", NULL, kListStyle, WS_EX_CLIENTEDGE, 10, 210, 200, 140, IDC_DISABLED_LIST},
    {&EnableButton, "Button", "Enable", 0, 0, 220, 210, 60, 22, IDC_ENABLE},
    {&DisabledCaption, "Static", "Disabled Mods", 0, 0, 10, 195, 150, 14, 0},
    {&InformationBox, "Edit", "", kInfoStyle, WS_EX_CLIENTEDGE, 300, 60, 180, 270, 0},
    {&RescanButton, "Button", "Rescan Mod Directory", 0, 0, 10, 340, 120, 22, IDC_RESCAN},
    {&InformationCaption, "Static", "Mod Information", 0, 0, 300, 45, 150, 14, 0},
    {&StartButton, "Button", "Start Game", 0, 0, 300, 340, 180, 22, IDC_START_GAME},
    {&AddButton, "Button", "Add Mod", 0, 0, 140, 340, 70, 22, IDC_ADD_MOD},
};

}  // namespace

void CreateControls(HWND window)
{
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);

    for (const ControlRow& row : kControls)
        *row.handle = CreateWindowExA(row.exStyle, row.className, row.text, WS_CHILD | WS_VISIBLE | row.style,
                                      row.x, row.y, row.width, row.height, window,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), AppInstance, NULL);

    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    for (const ControlRow& row : kControls)
        SendMessageA(*row.handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);

    EnableWindow(DisableButton, FALSE);
    EnableWindow(EnableButton, FALSE);
    SetWindowTextA(DirectoryLabel, ShortenForDisplay(ModDirectory).c_str());

    // MainWindow is still null here: the error has no owner.
    if (DirectoryExists(ModDirectory))
        RescanModDirectory();
    else
        ShowMessage(MainWindow, Message::DirectoryMissing);
}
