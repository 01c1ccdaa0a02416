#include "settings/change_directory.h"

#include <windows.h>
#include <shlobj.h>

#include "mods/directory_scan.h"
#include "mods/mod_lists.h"
#include "settings/display_text.h"
#include "settings/mod_directory.h"
#include "shared/messages.h"

void ChangeModDirectory()
{
    // The folder browser works through COM, initialised for the thread at start.
    BROWSEINFOA browse = {};
    browse.hwndOwner = MainWindow;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse);
    char path[MAX_PATH] = "";
    BOOL hasPath = chosen && SHGetPathFromIDListA(chosen, path);
    CoTaskMemFree(chosen);
    if (!chosen)
        return;

    if (!hasPath || !DirectoryExists(path)) {
        ShowMessage(MainWindow, Message::DirectoryMissing);
        return;
    }

    SetModDirectory(path);
    SaveSettings();
    SetWindowTextA(DirectoryLabel, ShortenForDisplay(ModDirectory).c_str());
    ClearModLists();
    RescanModDirectory();
}
