#include "descriptions/line_breaks.h"

#include <algorithm>
#include <cstring>

std::string ToCrLf(const std::string& text)
{
    std::string converted;
    converted.reserve(text.size() + std::count(text.begin(), text.end(), '\n'));
    const char* rest = text.data();
    const char* end = rest + text.size();
    while (const char* lineFeed = static_cast<const char*>(std::memchr(rest, '\n', end - rest))) {
        converted.append(rest, lineFeed);
        converted += "\r\n";
        rest = lineFeed + 1;
    }
    converted.append(rest, end);
    return converted;
}
