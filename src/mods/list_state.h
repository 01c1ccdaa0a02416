// The Enable and Disable buttons and the information box, set in one place
// from the two lists, their selection and what has just happened to them.
#pragma once

#include <windows.h>

// What has just happened to the lists.
enum class ListChange {
    Selected,   // a row of `listBox` selected, by the player or as a click selects it
    Moved,      // the selected mod renamed from `listBox`'s side to the other one
    Rescanned,  // Rescan Mod Directory (or the first scan), whether the folder was there or not
    Rebuilt,    // the lists filled anew otherwise: Change..., Add Mod, a drop, a new version
    Followed,   // back in the window: the selected mod selected again wherever it now is
    Reset,      // the folder switched: the lists as it is now
};

// Selected: that side's button on, the other side's off and its selection
// cleared, the selected mod's description shown (nothing without a
// selection). Moved: the button of the side the mod left off, the box keeps
// its text. Rescanned: both buttons off, the box keeps its text. Rebuilt:
// the buttons and the box as they were, even with no row selected now.
// Followed: the selected side's button on and the other's off, the box keeps
// its text; with nothing selected (the mod is gone) both off and the box
// empty. Reset: both off, the box empty.
void ShowListState(ListChange change, HWND listBox = NULL);
