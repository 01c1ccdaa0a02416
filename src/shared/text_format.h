// Filling in and shortening texts shown to the player. Pure code with no
// platform headers.
#pragma once

#include <string>
#include <vector>

// `text` with "%1", "%2", ... replaced by the arguments of that number;
// a number without an argument stays as it is.
std::string FormatText(const std::string& text, const std::vector<std::string>& arguments);

// The text itself when it has at most `limit` characters (code points of
// UTF-8 text, bytes of other text); otherwise its beginning and its end with
// "..." between them, `limit` characters in all.
std::string ShortenInMiddle(const std::string& text, size_t limit);

// The first `limit` items joined by the separator (the rest the caller counts).
std::string JoinFirst(const std::vector<std::string>& items, size_t limit, const std::string& separator);
