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

// The id after the text of a dialog control or menu entry: "IDC_X" of
// `"&Save", IDC_X, 7, 7`; "" for a popup or a label without one.
std::string IdAfter(const std::string& line, size_t end)
{
    size_t comma = line.find(',', end);
    return comma == std::string::npos ? std::string() : FirstWord(Trimmed(line.substr(comma + 1)));
}

}  // namespace

RcFile ReadRcFile(const std::string& path)
{
    RcFile file;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return file;
    file.read = true;
    std::string line, resource;
    bool inStrings = false;
    int depth = 0, entry = 0;
    while (std::getline(in, line)) {
        line = Trimmed(line);
        std::string word = FirstWord(line);
        if (line.empty() || line.rfind("//", 0) == 0)
            continue;
        if (line.rfind("#pragma code_page(", 0) == 0) {
            file.codePage = line.substr(18, line.find(')') - 18);
        } else if (word == "STRINGTABLE") {
            inStrings = true;
        } else if (line.find(" DIALOGEX ") != std::string::npos || line.find(" MENU") == word.size()) {
            resource = word;
            entry = 0;
        } else if (word == "BEGIN") {
            ++depth;
        } else if (word == "END") {
            if (--depth == 0) {
                inStrings = false;
                resource.clear();
            }
        } else if (inStrings && depth == 1) {
            std::string text;
            if (QuotedText(line, text) != std::string::npos)
                file.strings[word] = text;
        } else if (!resource.empty() && word == "CAPTION") {
            QuotedText(line, file.templates[resource + " CAPTION"]);
        } else if (!resource.empty() && depth > 0 && word != "FONT") {
            std::string text;
            size_t end = QuotedText(line, text);
            std::string id =
                end == std::string::npos ? FirstWord(Trimmed(line.substr(word.size()))) : IdAfter(line, end);
            std::string key = resource;
            key += " " + std::to_string(++entry);
            key += " " + id;
            file.templates[key] = text;
        }
    }
    return file;
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
