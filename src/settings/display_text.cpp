#include "settings/display_text.h"

#include "mods/text_encoding.h"

std::string ShortenForDisplay(const std::string& path)
{
    if (CharacterCount(path) <= kLabelPathLimit)
        return path;
    return path.substr(0, PrefixBytes(path, kLabelPathLimit)) + "...";
}
