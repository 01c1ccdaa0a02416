// The lists follow changes made in the mod folder while the player was
// elsewhere (Explorer, a file manager): when the main window becomes active
// again, the folder is listed once and compared with the lists.
#pragma once

#include <string>

// Nothing differs: nothing is touched, not even the list boxes. Otherwise
// rows of archives that are gone are removed, new ones appended at the end of
// their side (an archive renamed to the other side moves to its end) and
// descriptions that appeared or went are noted; the rest keeps the player's
// order. The selected mod stays selected wherever it now is, with the buttons
// a selection gives and its text in the information box; if it is gone,
// nothing is selected, both buttons are disabled and the box is cleared. A mod
// folder that is gone changes nothing and shows nothing. A selected mod whose
// archive is another file now than when its description was shown (a new
// version, put in place by another copy of the tool or another program) has
// its description shown again, as a click on it shows it.
void RefreshModLists();

// The archive whose description the information box shows now.
void NoteShownArchive(const std::string& archivePath);

// When to refresh: the main window becomes active again after it was inactive,
// unless the tool is busy (its own dialog or message box gives the activation
// back). A player who left the tool from such a dialog gets the refresh once
// the tool is free again (RefreshIfLeftMeanwhile, on WM_APP_FREE_AGAIN).
void NoteActivation(bool active);
void NoteToolActivation(bool active);  // WM_ACTIVATEAPP: another program's window or back
void RefreshIfLeftMeanwhile();
