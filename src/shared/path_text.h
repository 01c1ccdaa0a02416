// Paths and file names as text: joining, taking apart, and the one ASCII
// case fold for pure code, which cannot ask the system (code with the
// system at hand folds names with FoldCase/FoldedKey, as Windows compares
// them). Pure code with no platform headers.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The longest path Windows takes, in UTF-16 units (a path in the \\?\ form),
// and in bytes of the process's code page: UTF-8 takes up to three bytes for
// a unit. Every buffer for a path that the player chooses has this room.
constexpr size_t kLongestPathUnits = 32767;
constexpr size_t kLongestPathBytes = kLongestPathUnits * 3;

// `folder` + "\" + `name`, with no test for a separator already there: a mod
// folder that ends in one (a drive root, "E:\") gives a doubled backslash, as
// the mod lists have always shown it. Where a folder may end in a backslash
// and the path must not, the caller passes WithoutTrailingBackslash(folder).
std::string JoinPath(const std::string& folder, const std::string& name);

// The folder without one trailing backslash ("E:\" gives "E:").
std::string WithoutTrailingBackslash(const std::string& folder);

// The part of a path after its last backslash (the whole path if it has none).
std::string FileNamePart(const std::string& path);

// The text cut at every `separator`: "a\\b" gives {"a", "b"}, "" gives {""}.
std::vector<std::string> SplitAt(const std::string& text, char separator);

// The ASCII letters A-Z turned into a-z; other bytes unchanged.
char AsciiLowerChar(char c);
std::string AsciiLower(std::string text);
