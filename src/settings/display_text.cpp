#include "settings/display_text.h"

std::string ShortenForDisplay(const std::string& path)
{
    if (path.size() <= kLabelPathLimit)
        return path;
    return path.substr(0, kLabelPathLimit) + "...";
}
