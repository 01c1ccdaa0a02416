// Reading a Steam library list (libraryfolders.vdf). Pure string logic with no
// platform headers, so it is also built and tested natively.
#pragma once

#include <string>
#include <vector>

// The library folders that the text of a libraryfolders.vdf names, in the order
// it names them, as written there (escapes resolved, "\\" read as "\"). Both
// forms Steam has written are understood:
//   "libraryfolders" { "0" { "path" "D:\\SteamLibrary" ... } ... }
//   "LibraryFolders" { "TimeNextStatsReport" "..." "1" "D:\\SteamLibrary" }
// A UTF-8 byte order mark before the text (an editor's) is passed over. Text
// that does not parse whole (a brace or a quote left open, a stray brace, a
// key without a value) names nothing. Linear in the length of the text.
std::vector<std::string> LibraryFolders(const std::string& text);
