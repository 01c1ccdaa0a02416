#include "drops.h"

#include <shlobj.h>

#include <cstring>

#include "shared/window_state.h"

HGLOBAL DropOf(const std::vector<std::string>& paths)
{
    std::string list;
    for (const std::string& path : paths)
        list += path + '\0';
    list += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    memcpy(drop + 1, list.data(), list.size());
    GlobalUnlock(memory);
    return memory;
}

void DropFiles(const std::vector<std::string>& paths)
{
    SendMessageA(MainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(paths)), 0);
}
