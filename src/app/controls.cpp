#include "app/controls.h"

#include <commctrl.h>

#include <optional>

#include "shared/display_scale.h"
#include "mods/directory_scan.h"
#include "settings/display_text.h"
#include "shared/messages.h"

namespace {

struct ControlRow {
    HWND* handle;
    const char* className;
    std::optional<Text> text;  // none: empty
    DWORD style;               // besides WS_CHILD | WS_VISIBLE
    DWORD exStyle;
    int x, y, width, height;
    int id;
};

const DWORD kListStyle = WS_VSCROLL | LBS_DISABLENOSCROLL | LBS_NOTIFY;
const DWORD kInfoStyle = WS_VSCROLL | ES_WANTRETURN | ES_READONLY | ES_MULTILINE;

// In creation order; positions in client coordinates.
const ControlRow kControls[] = {
    {&DirectoryLabel, "Static", std::nullopt, SS_NOPREFIX, 0, 10, 22, 400, 25, 0},  // a path, "&" and all
    {&ChangeButton, "Button", Text::Change, 0, 0, 416, 18, 65, 22, IDC_CHANGE},
    {&DirectoryCaption, "Static", Text::ModDirectoryHeading, 0, 0, 10, 8, 150, 14, 0},
    {&EnabledList, "Listbox", std::nullopt, kListStyle, WS_EX_CLIENTEDGE, 10, 60, 200, 140, IDC_ENABLED_LIST},
    {&DisableButton, "Button", Text::Disable, 0, 0, 220, 60, 60, 22, IDC_DISABLE},
    {&EnabledCaption, "Static", Text::EnabledModsHeading, 0, 0, 10, 45, 150, 14, 0},
    {&DisabledList, "Listbox", std::nullopt, kListStyle, WS_EX_CLIENTEDGE, 10, 210, 200, 140, IDC_DISABLED_LIST},
    {&EnableButton, "Button", Text::Enable, 0, 0, 220, 210, 60, 22, IDC_ENABLE},
    {&DisabledCaption, "Static", Text::DisabledModsHeading, 0, 0, 10, 195, 150, 14, 0},
    {&InformationBox, "Edit", std::nullopt, kInfoStyle, WS_EX_CLIENTEDGE, 300, 60, 180, 270, 0},
    {&RescanButton, "Button", Text::Rescan, 0, 0, 10, 340, 120, 22, IDC_RESCAN},
    {&InformationCaption, "Static", Text::ModInformationHeading, 0, 0, 300, 45, 150, 14, 0},
    {&StartButton, "Button", Text::StartGame, 0, 0, 300, 340, 180, 22, IDC_START_GAME},
    {&AddButton, "Button", Text::AddMod, 0, 0, 140, 340, 70, 22, IDC_ADD_MOD},
};

// The font made for a DPI other than the system's, or NULL while the controls
// use the stock font.
HFONT scaledFont;

// The stock GUI font at the DPI the system started with, which the system made
// for it; at another DPI, the same font with its height scaled.
void ApplyFont(UINT dpi)
{
    HFONT stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HFONT font = stock;
    UINT systemDpi = SystemDpi();
    LOGFONTA logFont;
    if (dpi != systemDpi && GetObjectA(stock, sizeof logFont, &logFont) == sizeof logFont) {
        logFont.lfHeight = MulDiv(logFont.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi));
        HFONT made = CreateFontIndirectA(&logFont);
        if (made)
            font = made;
    }
    for (const ControlRow& row : kControls)
        SendMessageA(*row.handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (scaledFont)
        DeleteObject(scaledFont);
    scaledFont = font == stock ? NULL : font;
}

}  // namespace

void LayoutControls(UINT dpi)
{
    // The font first: a list box trims its height to whole rows of its font.
    ApplyFont(dpi);
    for (const ControlRow& row : kControls)
        MoveWindow(*row.handle, Scaled(row.x, dpi), Scaled(row.y, dpi), Scaled(row.width, dpi),
                   Scaled(row.height, dpi), TRUE);
}

void ReleaseControlFont()
{
    if (scaledFont)
        DeleteObject(scaledFont);
    scaledFont = NULL;
}

void CreateControls(HWND window)
{
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);

    UINT dpi = WindowDpi(window);
    for (const ControlRow& row : kControls)
        *row.handle = CreateWindowExA(row.exStyle, row.className, row.text ? TextFor(*row.text).c_str() : "",
                                      WS_CHILD | WS_VISIBLE | row.style, Scaled(row.x, dpi), Scaled(row.y, dpi),
                                      Scaled(row.width, dpi), Scaled(row.height, dpi), window,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), AppInstance, NULL);
    // Sized again once they have their font, so that the list boxes trim to
    // whole rows of it.
    LayoutControls(dpi);

    SetWindowTextA(DirectoryLabel, ShortenForDisplay(ModDirectory).c_str());
    // The first scan; MainWindow is still null here: the directory error has
    // no owner.
    RebuildModLists(ListChange::Rescanned);
}
