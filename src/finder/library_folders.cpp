#include "finder/library_folders.h"

namespace {

enum class Token { Text, Open, Close, End, Bad };

// A position in the text and the last text token read.
struct Reader {
    const std::string& text;
    size_t at;
    std::string word;
};

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void SkipSpaceAndComments(Reader& reader)
{
    const std::string& text = reader.text;
    while (reader.at < text.size()) {
        if (IsSpace(text[reader.at])) {
            ++reader.at;
        } else if (text.compare(reader.at, 2, "//") == 0) {
            size_t end = text.find('\n', reader.at);
            reader.at = end == std::string::npos ? text.size() : end + 1;
        } else {
            break;
        }
    }
}

// A quoted string; reader.at is just past its opening quote. Escapes other
// than \\ \" \n \t are kept as written, so a hand-written "D:\Games" stays whole.
Token ReadQuoted(Reader& reader)
{
    const std::string& text = reader.text;
    while (reader.at < text.size()) {
        char c = text[reader.at++];
        if (c == '"')
            return Token::Text;
        if (c != '\\' || reader.at == text.size()) {
            reader.word += c;
            continue;
        }
        char escaped = text[reader.at++];
        switch (escaped) {
        case '\\': reader.word += '\\'; break;
        case '"': reader.word += '"'; break;
        case 'n': reader.word += '\n'; break;
        case 't': reader.word += '\t'; break;
        default: reader.word += '\\'; reader.word += escaped;
        }
    }
    return Token::Bad;  // no closing quote
}

Token Next(Reader& reader)
{
    SkipSpaceAndComments(reader);
    reader.word.clear();
    const std::string& text = reader.text;
    if (reader.at == text.size())
        return Token::End;
    char c = text[reader.at++];
    if (c == '{')
        return Token::Open;
    if (c == '}')
        return Token::Close;
    if (c == '"')
        return ReadQuoted(reader);
    // A word without quotes ends at a space, a quote or a brace.
    reader.word += c;
    while (reader.at < text.size()) {
        char next = text[reader.at];
        if (IsSpace(next) || next == '"' || next == '{' || next == '}')
            break;
        reader.word += next;
        ++reader.at;
    }
    return Token::Text;
}

bool IsNumber(const std::string& key)
{
    if (key.empty())
        return false;
    for (char c : key)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool SameLetters(const std::string& key, const char* lower)
{
    size_t i = 0;
    for (; lower[i] != '\0'; ++i) {
        if (i == key.size())
            return false;
        char c = key[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i])
            return false;
    }
    return i == key.size();
}

}  // namespace

std::vector<std::string> LibraryFolders(const std::string& text)
{
    std::vector<std::string> folders;
    Reader reader{text, text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? size_t(3) : size_t(0), std::string()};
    // Only a depth and two flags are kept, whatever the nesting of the text.
    size_t depth = 0;
    bool inList = false;   // depth 1, inside "libraryfolders"
    bool inEntry = false;  // depth 2, inside a numbered entry of the list
    for (;;) {
        Token key = Next(reader);
        if (key == Token::End)
            return depth == 0 ? folders : std::vector<std::string>();
        if (key == Token::Close) {
            if (depth == 0)
                return {};
            --depth;
            inEntry = inEntry && depth == 2;
            inList = inList && depth >= 1;
            continue;
        }
        if (key != Token::Text)
            return {};
        std::string name = reader.word;
        Token value = Next(reader);
        if (value == Token::Open) {
            ++depth;
            if (depth == 1)
                inList = SameLetters(name, "libraryfolders");
            else if (depth == 2)
                inEntry = inList && IsNumber(name);
            continue;
        }
        if (value != Token::Text)
            return {};
        bool oldForm = inList && depth == 1 && IsNumber(name);
        bool newForm = inEntry && depth == 2 && SameLetters(name, "path");
        if ((oldForm || newForm) && !reader.word.empty())
            folders.push_back(reader.word);
    }
}
