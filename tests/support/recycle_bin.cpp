#include "recycle_bin.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <functional>

#include "shared/text_conversion.h"
#include "temp_folder.h"

namespace {

const UINT kOriginalFolderColumn = 1;  // "Original Location"

std::string DetailOf(IShellFolder2* bin, PCUITEMID_CHILD item, UINT column)
{
    SHELLDETAILS details = {};
    WCHAR text[MAX_PATH] = L"";
    if (FAILED(bin->GetDetailsOf(item, column, &details)) ||
        FAILED(StrRetToBufW(&details.str, item, text, MAX_PATH)))
        return "";
    return FromWide(text, CP_UTF8);
}

// Calls visit(bin, item, name) for each item of the bin deleted from `folder`,
// until it returns false.
void ForEachItemFrom(const std::string& folder,
                     const std::function<bool(IShellFolder2*, PITEMID_CHILD, const std::string&)>& visit)
{
    PIDLIST_ABSOLUTE binList = NULL;
    IShellFolder* desktop = NULL;
    IShellFolder2* bin = NULL;
    IEnumIDList* items = NULL;
    if (SUCCEEDED(SHGetSpecialFolderLocation(NULL, CSIDL_BITBUCKET, &binList)) &&
        SUCCEEDED(SHGetDesktopFolder(&desktop)) &&
        SUCCEEDED(desktop->BindToObject(binList, NULL, IID_IShellFolder2, reinterpret_cast<void**>(&bin))) &&
        bin->EnumObjects(NULL, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items) == S_OK) {
        PITEMID_CHILD item = NULL;
        bool more = true;
        while (more && items->Next(1, &item, NULL) == S_OK) {
            std::string from = DetailOf(bin, item, kOriginalFolderColumn);
            if (FoldCase(from) == FoldCase(folder))
                more = visit(bin, item, DetailOf(bin, item, 0));
            CoTaskMemFree(item);
        }
    }
    if (items)
        items->Release();
    if (bin)
        bin->Release();
    if (desktop)
        desktop->Release();
    CoTaskMemFree(binList);
}

// The item's "Restore" command: back into the folder it came from.
void Restore(IShellFolder2* bin, PITEMID_CHILD item)
{
    IContextMenu* menu = NULL;
    PCUITEMID_CHILD items[] = {item};
    if (FAILED(bin->GetUIObjectOf(NULL, 1, items, IID_IContextMenu, NULL, reinterpret_cast<void**>(&menu))))
        return;
    HMENU commands = CreatePopupMenu();
    const UINT first = 1;
    menu->QueryContextMenu(commands, 0, first, 0x7FFF, CMF_NORMAL);
    for (int i = 0; i < GetMenuItemCount(commands); ++i) {
        char text[64] = "";
        GetMenuStringA(commands, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        if (std::string(text) != "&Restore")
            continue;
        CMINVOKECOMMANDINFO invoke = {};
        invoke.cbSize = sizeof invoke;
        invoke.fMask = CMIC_MASK_FLAG_NO_UI;
        invoke.lpVerb = MAKEINTRESOURCEA(GetMenuItemID(commands, i) - first);
        menu->InvokeCommand(&invoke);
    }
    DestroyMenu(commands);
    menu->Release();
}

}  // namespace

std::vector<std::string> RecycleBinWatch::Names() const
{
    std::vector<std::string> names;
    ForEachItemFrom(folder_, [&names](IShellFolder2*, PITEMID_CHILD, const std::string& name) {
        names.push_back(name);
        return true;
    });
    std::sort(names.begin(), names.end());
    return names;
}

RecycleBinWatch::~RecycleBinWatch()
{
    // One at a time into the emptied folder: two of one name would meet there.
    for (size_t left = Names().size(); left > 0; --left) {
        EmptyFolder(folder_);
        ForEachItemFrom(folder_, [](IShellFolder2* bin, PITEMID_CHILD item, const std::string&) {
            Restore(bin, item);
            return false;
        });
    }
}
