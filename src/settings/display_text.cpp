#include "settings/display_text.h"

#include "mods/text_encoding.h"

std::string ShortenForDisplay(const std::string& path)
{
    size_t shown = PrefixBytes(path, kLabelPathLimit);
    return shown == path.size() ? path : path.substr(0, shown) + "...";
}
