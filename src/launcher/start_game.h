// The "Start Game" command.
#pragma once

// Starts <game root>\bin\H5_Game.exe through the shell, in its own folder, and
// does not wait for it; the game root is the parent of the mod directory.
// Warns when the game cannot be started.
void StartGame();
