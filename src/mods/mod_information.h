// The information box: the description of the selected mod.
#pragma once

#include <string>

#include "mods/mod_lists.h"

// On a selection in `side`'s list box: enables that side's button, clears the
// other list box's selection and disables its button, then shows the selected
// mod's description (or nothing). Without a selection it does nothing.
void ShowModInformation(const ModSide& side);

// The description file read in text mode, in blocks of 1023 characters, each
// block contributing the characters before its first zero byte. A file that
// cannot be opened gives "", one that stops reading gives the text read so far.
std::string ReadDescription(const std::string& infoPath);
