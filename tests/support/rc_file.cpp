#include "rc_file.h"

#include <algorithm>
#include <fstream>

namespace {

std::string Trimmed(const std::string& line)
{
    size_t start = line.find_first_not_of(" \t\r");
    size_t end = line.find_last_not_of(" \t\r");
    return start == std::string::npos ? std::string() : line.substr(start, end - start + 1);
}

std::string FirstWord(const std::string& line)
{
    return line.substr(0, line.find_first_of(" \t,"));
}

// The first quoted text of the line ("" stands for a quotation mark), and
// where it ends; npos when there is none.
size_t QuotedText(const std::string& line, std::string& text)
{
    size_t open = line.find('"');
    if (open == std::string::npos)
        return open;
    text.clear();
    for (size_t i = open + 1; i < line.size(); ++i) {
        if (line[i] != '"') {
            text += line[i];
        } else if (i + 1 < line.size() && line[i + 1] == '"') {
            text += '"';
            ++i;
        } else {
            return i + 1;
        }
    }
    return std::string::npos;
}

// The name after "@" in a line of a layout: "MOD_SETS_SWITCH" of
// `PUSHBUTTON @MOD_SETS_SWITCH, IDC_SET_SWITCH, ...`; "" when there is none.
std::string TextName(const std::string& line)
{
    size_t at = line.find('@');
    if (at == std::string::npos)
        return std::string();
    size_t end = line.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_", at + 1);
    return line.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
}

// The code point of a letter in lower case, for the scripts of the tool's
// languages (Latin with its accents, Cyrillic); others as they are.
unsigned Lower(unsigned c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    bool evenUpper = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x4FF);
    bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1))
        return c + 1;
    return c == 0x178 ? 0xFF : c;
}

std::string Utf8(unsigned c)
{
    std::string text;
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
    return text;
}

}  // namespace

RcFile ReadRcFile(const std::string& path)
{
    RcFile file;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return file;
    file.read = true;
    std::string line, section;
    int depth = 0;
    while (std::getline(in, line)) {
        line = Trimmed(line);
        std::string word = FirstWord(line);
        if (line.empty() || line.rfind("//", 0) == 0)
            continue;
        if (line.rfind("#pragma code_page(", 0) == 0) {
            file.codePage = line.substr(18, line.find(')') - 18);
        } else if (word == "STRINGTABLE" || word == "LAYOUT_TEXTS") {
            section = word;
        } else if (word == "BEGIN") {
            ++depth;
        } else if (word == "END") {
            if (--depth == 0)
                section.clear();
        } else if (depth == 1 && !section.empty()) {
            std::string text;
            if (QuotedText(line, text) != std::string::npos)
                (section == "STRINGTABLE" ? file.strings : file.layoutTexts)[word] = text;
            else if (section == "LAYOUT_TEXTS")
                file.sizes[word] = FirstWord(Trimmed(line.substr(word.size())));
        }
    }
    return file;
}

std::map<std::string, std::vector<std::string>> ReadLayouts(const std::string& path)
{
    std::map<std::string, std::vector<std::string>> layouts;
    std::ifstream in(path, std::ios::binary);
    std::string line, resource, popup;
    std::vector<std::string> levels;
    while (std::getline(in, line)) {
        line = Trimmed(line);
        std::string word = FirstWord(line);
        if (line.empty() || line.rfind("//", 0) == 0)
            continue;
        if (word.rfind("IDD_", 0) == 0 || word.rfind("IDR_", 0) == 0) {
            resource = word;
            levels.clear();
        } else if (word == "BEGIN") {
            std::string level = resource;
            if (!levels.empty())
                level.append(" ").append(popup);
            levels.push_back(level);
        } else if (word == "END") {
            if (!levels.empty())
                levels.pop_back();
        } else if (!resource.empty()) {
            std::string name = TextName(line);
            if (!name.empty())
                layouts[levels.empty() ? resource : levels.back()].push_back(name);
            if (word == "POPUP")
                popup = name;
        }
    }
    return layouts;
}

std::vector<std::string> PlaceholdersOf(const std::string& text)
{
    std::vector<std::string> found;
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9')
            found.push_back(text.substr(i, 2));
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<std::string> FormsOf(const std::string& text)
{
    std::vector<std::string> forms(1);
    for (char c : text) {
        if (c == '|')
            forms.emplace_back();
        else
            forms.back() += c;
    }
    return forms;
}

std::string AltLetterOf(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        auto lead = static_cast<unsigned char>(text[i + 1]);
        size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        unsigned c = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (size_t k = 1; k < length && i + 1 + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + 1 + k]) & 0x3F);
        return length == 4 ? text.substr(i + 1, 4) : Utf8(Lower(c));
    }
    return std::string();
}
