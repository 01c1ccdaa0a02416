#include "settings/change_directory.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "mods/directory_scan.h"
#include "mods/mod_lists.h"
#include "settings/display_text.h"
#include "settings/mod_directory.h"
#include "shared/messages.h"

// The ANSI call cuts a path whose form in the process code page is longer than
// the buffer (a folder in another script takes two or three bytes a letter):
// the path counts only when the wide call gives the same.
static bool PathIsWhole(PCIDLIST_ABSOLUTE chosen, const char* path)
{
    WCHAR wide[MAX_PATH];
    if (!SHGetPathFromIDListW(chosen, wide))
        return false;
    int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, NULL, 0, NULL, NULL);
    std::string whole(static_cast<size_t>(length > 0 ? length : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, &whole[0], length, NULL, NULL);
    return std::strcmp(whole.c_str(), path) == 0;
}

void ChangeModDirectory()
{
    // The folder browser works through COM, initialised for the thread at start.
    BROWSEINFOA browse = {};
    browse.hwndOwner = MainWindow;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse);
    char path[MAX_PATH] = "";
    bool hasPath = chosen && SHGetPathFromIDListA(chosen, path) && PathIsWhole(chosen, path);
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
