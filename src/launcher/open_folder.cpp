#include "launcher/open_folder.h"

#include <windows.h>
#include <shellapi.h>

#include "shared/messages.h"
#include "shared/window_state.h"

void OpenModFolder(const std::string& archive)
{
    std::string parameters =
        archive.empty() ? "\"" + std::string(ModDirectory) + "\"" : "/select,\"" + archive + "\"";
    HINSTANCE result = ShellExecuteA(MainWindow, "open", "explorer.exe", parameters.c_str(), NULL, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32)
        ShowMessage(MainWindow, Message::FolderNotOpened);
}
