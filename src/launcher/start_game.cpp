#include "launcher/start_game.h"

#include <shellapi.h>

#include "launcher/game_path.h"
#include "shared/messages.h"
#include "shared/window_state.h"

void StartGame()
{
    std::optional<GameLaunch> game = GameLaunchFor(ModDirectory);
    bool started = false;
    if (game) {
        // The shell may hand the start to extensions that need COM, which the
        // program initialised at start.
        // The game runs in its own bin folder, as from its shortcut; otherwise it
        // would inherit the tool's current folder, which the open-file dialog moves.
        HINSTANCE result =
            ShellExecuteA(NULL, "open", game->executable.c_str(), NULL, game->folder.c_str(), SW_SHOWNORMAL);
        started = reinterpret_cast<INT_PTR>(result) > 32;
    }
    if (!started)
        ShowMessage(MainWindow, Message::GameNotStarted);
}

HANDLE StartWatchedGame(HWND owner)
{
    std::optional<GameLaunch> game = GameLaunchFor(ModDirectory);
    SHELLEXECUTEINFOA start = {};
    start.cbSize = sizeof start;
    start.fMask = SEE_MASK_NOCLOSEPROCESS;
    start.lpVerb = "open";
    start.nShow = SW_SHOWNORMAL;
    if (game) {
        start.lpFile = game->executable.c_str();
        start.lpDirectory = game->folder.c_str();
    }
    if (!game || !ShellExecuteExA(&start) || !start.hProcess) {
        ShowMessage(owner, Message::GameNotStarted);
        return NULL;
    }
    return start.hProcess;
}
