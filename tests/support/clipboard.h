// The clipboard's Unicode text, as a chat program puts it there and reads it.
#pragma once

#include <string>

// Puts UTF-8 text on the clipboard as Unicode text.
void PutOnClipboard(const std::string& utf8);
// The clipboard's Unicode text as UTF-8, or "" when it holds none.
std::string ClipboardText();
