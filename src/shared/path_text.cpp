#include "shared/path_text.h"

std::string JoinPath(const std::string& folder, const std::string& name)
{
    return folder + "\\" + name;
}

std::string WithoutTrailingBackslash(const std::string& folder)
{
    return !folder.empty() && folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
}

std::string FileNamePart(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

char AsciiLowerChar(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string AsciiLower(std::string text)
{
    for (char& c : text)
        c = AsciiLowerChar(c);
    return text;
}

std::vector<std::string> SplitAt(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}
