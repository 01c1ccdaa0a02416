#include "settings/display_text.h"

#include "shared/utf8.h"

std::string ShortenForDisplay(const std::string& path)
{
    size_t shown = PrefixBytes(path, kLabelPathLimit);
    return shown == path.size() ? path : path.substr(0, shown) + "...";
}
