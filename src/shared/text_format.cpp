#include "shared/text_format.h"

#include "shared/utf8.h"

std::string FormatText(const std::string& text, const std::vector<std::string>& arguments)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        size_t number = i + 1 < text.size() && text[i] == '%' ? static_cast<size_t>(text[i + 1] - '0') : 0;
        if (number >= 1 && number <= 9 && number <= arguments.size()) {
            out += arguments[number - 1];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string ShortenInMiddle(const std::string& text, size_t limit)
{
    const std::string dots = "...";
    size_t characters = CharacterCount(text);
    if (characters <= limit)
        return text;
    if (limit < dots.size())
        return text.substr(0, PrefixBytes(text, limit));
    size_t head = (limit - dots.size() + 1) / 2;
    size_t tail = limit - dots.size() - head;
    return text.substr(0, PrefixBytes(text, head)) + dots + text.substr(PrefixBytes(text, characters - tail));
}

std::string JoinFirst(const std::vector<std::string>& items, size_t limit, const std::string& separator)
{
    std::string joined;
    for (size_t i = 0; i < items.size() && i < limit; ++i)
        joined += (i ? separator : std::string()) + items[i];
    return joined;
}
