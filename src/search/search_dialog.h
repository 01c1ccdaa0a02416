// The "Find a Problem Mod" dialog: the player chooses the mods to keep on,
// then for each start of the game the tool switches the suspects of that
// step, starts the game if asked and watches it end, and takes the answer;
// at the end it names the culprit(s) and puts the mods back, or leaves the
// culprits off. The search is stored before each switch, so that a crash of
// the game, the tool or the PC takes it up again at that step.
#pragma once

// Modal, owned by the main window: a new search of the mods on now, or the
// search under way at its step (at start, too). The router never opens it
// over another modal window of the tool.
void ShowProblemSearch();
