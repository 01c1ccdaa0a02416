#include "launcher/start_game.h"

#include <windows.h>
#include <shellapi.h>

#include "app/main_window.h"
#include "launcher/game_path.h"
#include "settings/mod_directory.h"

void StartGame()
{
    std::optional<GameLaunch> game = GameLaunchFor(ModDirectory);
    bool started = false;
    if (game) {
        // The shell may hand the start to extensions that need COM.
        HRESULT com = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        // The game runs in its own bin folder, as from its shortcut; otherwise it
        // would inherit the tool's current folder, which the open-file dialog moves.
        HINSTANCE result =
            ShellExecuteA(NULL, "open", game->executable.c_str(), NULL, game->folder.c_str(), SW_SHOWNORMAL);
        started = reinterpret_cast<INT_PTR>(result) > 32;
        if (SUCCEEDED(com))
            CoUninitialize();
    }
    if (!started)
        MessageBoxA(MainWindow, "Game could not be started, please check the correct directory has been set.",
                    "Error", MB_OK | MB_ICONWARNING);
}
