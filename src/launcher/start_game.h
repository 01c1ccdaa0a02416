// Starting the game: the "Start Game" command, and a start whose end the
// problem search watches.
#pragma once

#include <windows.h>

// Starts <game root>\bin\H5_Game.exe through the shell, in its own folder, and
// does not wait for it; the game root is the parent of the mod directory.
// Warns when the game cannot be started.
void StartGame();

// The same start, giving the game's process (its handle, for the caller to
// wait on and close), or NULL after the warning, owned by `owner`.
HANDLE StartWatchedGame(HWND owner);
