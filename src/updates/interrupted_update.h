// At start: an update or a restore that was cut off (killed, crashed, power
// cut) is finished, or undone where it cannot be finished, before the first
// scan; the player is told once the window shows.
#pragma once

// Puts the mod of a journal left in the registry in order; true when it found
// one, to be told of once the window shows. A journal whose
// folder is missing, or is not the mod folder, is kept for a later start; one
// that another copy of the tool is carrying out is left alone.
bool FinishInterruptedUpdate();

// Before a change of a version: a journal left by an earlier one is put in
// order first and the player told, since a change writes its own journal in
// its place. One that cannot be put in order now is forgotten only when the
// player agrees; false when it stays (nothing may be changed then).
bool SettleEarlierVersionChange();

// The message about what was found, if anything.
void ReportInterruptedUpdate();
