#include "settings/change_directory.h"

#include <windows.h>
#include <shlobj.h>

#include "app/controls.h"
#include "app/main_window.h"
#include "mods/directory_scan.h"
#include "mods/mod_lists.h"
#include "settings/display_text.h"
#include "settings/mod_directory.h"

void ChangeModDirectory()
{
    // The folder browser works through COM, which needs the thread initialised.
    HRESULT com = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    BROWSEINFOA browse = {};
    browse.hwndOwner = MainWindow;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse);
    char path[MAX_PATH] = "";
    BOOL hasPath = chosen && SHGetPathFromIDListA(chosen, path);
    CoTaskMemFree(chosen);
    if (SUCCEEDED(com))
        CoUninitialize();
    if (!chosen)
        return;

    if (!hasPath || !DirectoryExists(path)) {
        ShowDirectoryError();
        return;
    }

    SetModDirectory(path);
    SaveSettings();
    SetWindowTextA(DirectoryLabel, ShortenForDisplay(ModDirectory).c_str());
    ClearModLists();
    RescanModDirectory();
}
