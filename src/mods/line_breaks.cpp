#include "mods/line_breaks.h"

#include <algorithm>

std::string ToCrLf(const std::string& text)
{
    std::string converted;
    converted.reserve(text.size() + std::count(text.begin(), text.end(), '\n'));
    for (char c : text) {
        if (c == '\n')
            converted += '\r';
        converted += c;
    }
    return converted;
}
