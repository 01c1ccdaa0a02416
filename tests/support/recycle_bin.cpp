#include "recycle_bin.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <functional>

#include "shared/text_conversion.h"
#include "temp_folder.h"
#include "window_text.h"

namespace {

// Calls visit(bin, item, name) for each item (file or folder) of the bin
// deleted from `folder` (its "Original Location", column 1), until it returns
// false.
void ForEachItemFrom(const std::string& folder,
                     const std::function<bool(IShellFolder2*, PITEMID_CHILD, const std::string&)>& visit)
{
    PIDLIST_ABSOLUTE location = NULL;
    IShellFolder* desktop = NULL;
    IShellFolder2* bin = NULL;
    IEnumIDList* items = NULL;
    if (SUCCEEDED(SHGetSpecialFolderLocation(NULL, CSIDL_BITBUCKET, &location)) &&
        SUCCEEDED(SHGetDesktopFolder(&desktop)) &&
        SUCCEEDED(desktop->BindToObject(location, NULL, IID_IShellFolder2, reinterpret_cast<void**>(&bin))) &&
        bin->EnumObjects(NULL, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items) == S_OK) {
        PITEMID_CHILD item = NULL;
        for (bool more = true; more && items->Next(1, &item, NULL) == S_OK; CoTaskMemFree(item)) {
            std::string detail[2];
            for (UINT column = 0; column < 2; ++column) {
                SHELLDETAILS details = {};
                WCHAR text[MAX_PATH] = L"";
                if (SUCCEEDED(bin->GetDetailsOf(item, column, &details)))
                    StrRetToBufW(&details.str, item, text, MAX_PATH);
                detail[column] = FromWide(text, CP_UTF8);
            }
            if (FoldCase(detail[1]) == FoldCase(folder))
                more = visit(bin, item, detail[0]);
        }
    }
    for (IUnknown* object :
         {static_cast<IUnknown*>(items), static_cast<IUnknown*>(bin), static_cast<IUnknown*>(desktop)})
        if (object)
            object->Release();
    CoTaskMemFree(location);
}

// The item's "Restore" command: back into the folder it came from.
bool Restore(IShellFolder2* bin, PITEMID_CHILD item, const std::string&)
{
    IContextMenu* menu = NULL;
    PCUITEMID_CHILD items[] = {item};
    if (FAILED(bin->GetUIObjectOf(NULL, 1, items, IID_IContextMenu, NULL, reinterpret_cast<void**>(&menu))))
        return false;
    HMENU commands = CreatePopupMenu();
    menu->QueryContextMenu(commands, 0, 1, 0x7FFF, CMF_NORMAL);
    for (int i = 0; i < GetMenuItemCount(commands); ++i) {
        char text[64] = "";
        GetMenuStringA(commands, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        CMINVOKECOMMANDINFO invoke = {sizeof invoke,
                                      CMIC_MASK_FLAG_NO_UI,
                                      NULL,
                                      MAKEINTRESOURCEA(GetMenuItemID(commands, i) - 1),
                                      NULL,
                                      NULL,
                                      0,
                                      0,
                                      NULL};
        if (std::string(text) == "&Restore")
            menu->InvokeCommand(&invoke);
    }
    DestroyMenu(commands);
    menu->Release();
    return false;  // one at a time
}

}  // namespace

bool RecycleBinWatch::TakeBack(const std::string& name) const
{
    bool found = false;
    ForEachItemFrom(folder_, [&](IShellFolder2* bin, PITEMID_CHILD item, const std::string& itemName) {
        if (itemName != name)
            return true;
        found = true;
        return Restore(bin, item, itemName);
    });
    return found && WaitUntil([&] {
               return GetFileAttributesA((folder_ + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
           });
}

bool SendToRecycleBin(const std::string& path)
{
    std::wstring from = ToWide(path, CP_UTF8) + L'\0';
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

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
        ForEachItemFrom(folder_, Restore);
    }
}
