#include "settings/change_directory.h"

#include <windows.h>
#include <shlobj.h>

#include "access/folder_access.h"
#include "mods/directory_scan.h"
#include "mods/list_state.h"
#include "mods/mod_lists.h"
#include "settings/display_text.h"
#include "settings/mod_directory.h"
#include "shared/busy.h"
#include "shared/messages.h"
#include "shared/text_conversion.h"

// The ANSI call cuts a path whose form in the process code page is longer than
// the buffer (a folder in another script takes two or three bytes a letter):
// the path counts only when the wide call gives the same.
static bool PathIsWhole(PCIDLIST_ABSOLUTE chosen, const char* path)
{
    WCHAR wide[MAX_PATH];
    return SHGetPathFromIDListW(chosen, wide) && FromWide(wide, CP_ACP) == path;
}

void ChangeModDirectory()
{
    // The folder browser works through COM, initialised for the thread at start.
    BROWSEINFOA browse = {};
    browse.hwndOwner = MainWindow;
    PIDLIST_ABSOLUTE chosen;
    {
        BusyScope busy;
        chosen = SHBrowseForFolderA(&browse);
    }
    char path[MAX_PATH] = "";
    bool hasPath = chosen && SHGetPathFromIDListA(chosen, path) && PathIsWhole(chosen, path);
    CoTaskMemFree(chosen);
    if (!chosen)
        return;

    if (!hasPath || !PathExists(path)) {
        ShowMessage(MainWindow, Message::DirectoryMissing);
        return;
    }

    SetModDirectory(path);
    SaveSettings();
    SetWindowTextA(DirectoryLabel, ShortenForDisplay(ModDirectory).c_str());
    ClearModLists();
    RescanModDirectory();
    ShowListState(ListChange::Rebuilt);
    CheckFolderAccessSoon();
}
