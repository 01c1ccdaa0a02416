// Text of the directory label. Pure string logic.
#pragma once

#include <string>

// Longest path shown whole in the directory label.
constexpr size_t kLabelPathLimit = 70;

// The path itself when it has at most 70 characters, else its first 70
// characters followed by "...". Characters of UTF-8 text are counted whole,
// never cut; text that is not UTF-8 counts one character per byte.
std::string ShortenForDisplay(const std::string& path);
