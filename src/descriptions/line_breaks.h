// Line-break conversion for the information box. Pure string logic.
#pragma once

#include <string>

// Every LF becomes CR LF, in one pass; a lone CR stays as it is. A text-mode read
// has already turned the file's CR LF pairs into LF, so both kinds of file come
// out alike, one box line per line of the file.
std::string ToCrLf(const std::string& text);
