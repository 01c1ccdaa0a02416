// Sharing a mod set as plain text through the clipboard: nothing is written
// to a file and nothing is sent anywhere.
#pragma once

#include <windows.h>

#include <string>

#include "sets/set_preview.h"
#include "sets/set_store.h"

// Puts the set on the clipboard as Unicode text: its heading, then the file
// name ("Name.pak") and size of each of its mods that the folder has.
void CopySetAsText(HWND owner, const ModSet& set);

// The same for the mods on now, under the name of the set they match (or
// "Mods on now").
void CopyModsOnAsText(HWND owner);

// Reads a set from the clipboard and shows what it would do here before
// anything changes; the player switches to it, saves it or cancels. Text that
// is not a set is refused with a warning. Gives the name of the set switched
// to or saved, or "".
std::string PasteSetFromText(HWND owner);

// What a pasted set would do, as the preview shows it, with CR LF line ends;
// each list shows at most `limit` names, then "and N more".
std::string PreviewText(const SetPreview& preview, size_t limit);
