#include "sets/set_text.h"

#include <cstring>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "mods/mod_names.h"
#include "sets/set_rules.h"
#include "shared/utf8.h"

const char kSetTextHeading[] = "Quillmoor mod set: ";

namespace {

// Base archives have short names: longer ones need no closer look.
const size_t kLongestBaseArchive = sizeof "p99-texts.pak" - 1;
const size_t kLongestFileName = 255;
const size_t kLongestSetName = 64;

bool ReadSize(const char* digits, const char* end, uint64_t& size)
{
    if (digits == end)
        return false;
    size = 0;
    for (; digits < end; ++digits) {
        if (*digits < '0' || *digits > '9')
            return false;
        uint64_t digit = static_cast<uint64_t>(*digits - '0');
        if (size > (UINT64_MAX - digit) / 10)
            return false;  // larger than any file
        size = size * 10 + digit;
    }
    return true;
}

// The problem of the mod line [begin, end), or None with the mod filled in.
SetTextProblem ReadModLine(const char* begin, const char* end, SharedMod& mod)
{
    const char* tab = static_cast<const char*>(std::memchr(begin, '\t', static_cast<size_t>(end - begin)));
    if (!tab)
        return SetTextProblem::NoTab;
    mod.fileName.assign(begin, tab);
    if (!ReadSize(tab + 1, end, mod.size))
        return SetTextProblem::BadSize;
    if (mod.fileName.find_first_of("\\/:") != std::string::npos)
        return SetTextProblem::PathInName;
    // No archive's name is longer than a file name can be.
    if ((!HasExtension(mod.fileName, ".pak") && !HasExtension(mod.fileName, ".mod")) ||
        CharacterCount(mod.fileName) > kLongestFileName)
        return SetTextProblem::NotArchive;
    if (mod.fileName.size() <= kLongestBaseArchive && IsBaseArchive(ReplaceExtension(mod.fileName, "pak")))
        return SetTextProblem::BaseArchive;
    return SetTextProblem::None;
}

// The lines of a text as chat programs carry them: each ends with LF, CR LF
// or CR alone. CRs just before an LF belong to its line end (CR CR LF, a
// CR LF converted once more), so lines are numbered as an editor shows them.
class LineReader {
public:
    LineReader(const char* begin, const char* end) : at_(begin), end_(end), loneUntil_(begin) {}

    // The next line [begin, end) without its trailing spaces; false after the last.
    bool Next(const char*& begin, const char*& end)
    {
        if (at_ == end_)
            return false;
        begin = end = at_;
        while (end < end_ && *end != '\n' && *end != '\r')
            ++end;
        at_ = end == end_ ? end_ : *end == '\n' ? end + 1 : AfterCarriageReturn(end);
        while (end > begin && end[-1] == ' ')
            --end;
        return true;
    }

private:
    const char* AfterCarriageReturn(const char* cr)
    {
        if (cr >= loneUntil_) {
            const char* p = cr;
            while (p < end_ && *p == '\r')
                ++p;
            if (p < end_ && *p == '\n')
                return p + 1;
            loneUntil_ = p;  // each CR of this run ends a line: the run is looked at once
        }
        return cr + 1;
    }

    const char* at_;
    const char* const end_;
    const char* loneUntil_;
};

// The heading's line: the set's name, or the problem.
SetTextProblem ReadHeading(const char* begin, const char* end, std::string& name)
{
    while (begin < end && (*begin == ' ' || *begin == '\t'))
        ++begin;  // as a chat program may indent a message
    // The heading without its last space: a name of only spaces lost them all.
    std::string line(begin, end);
    size_t headingLength = sizeof kSetTextHeading - 2;
    if (line.compare(0, headingLength, kSetTextHeading, headingLength) != 0 ||
        (line.size() > headingLength && line[headingLength] != ' '))
        return SetTextProblem::NotASet;
    name = line.substr(line.size() > headingLength ? headingLength + 1 : headingLength);
    return IsValidSetName(name) ? SetTextProblem::None : SetTextProblem::BadName;
}

// Where each mod was named first, and with which size.
struct NamedAt {
    uint64_t size;
    size_t line;
};

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Display names as views into the text, ASCII letters compared without
// regard to case, as the file system compares them: 100,000 lines are looked
// up without a copy of a name.
struct FoldedHash {
    size_t operator()(std::string_view name) const
    {
        uint64_t hash = 14695981039346656037u;
        for (char c : name)
            hash = (hash ^ static_cast<unsigned char>(AsciiUpper(c))) * 1099511628211u;
        return static_cast<size_t>(hash);
    }
};

struct FoldedEqual {
    bool operator()(std::string_view a, std::string_view b) const
    {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
                return false;
        return true;
    }
};

}  // namespace

std::string SetText(const SharedSet& set)
{
    std::string text = kSetTextHeading + set.name + "\r\n";
    for (const SharedMod& mod : set.mods)
        text += mod.fileName + "\t" + std::to_string(mod.size) + "\r\n";
    return text;
}

std::string SharableSetName(const std::string& name, const std::string& fallback)
{
    std::string sharable = name.substr(0, PrefixBytes(name, kLongestSetName));
    for (char& c : sharable)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    while (!sharable.empty() && sharable.back() == ' ')
        sharable.pop_back();
    return IsValidSetName(sharable) ? sharable : fallback;
}

ReadSetTextResult ReadSetText(const std::string& text)
{
    ReadSetTextResult result;
    SharedSet set;
    bool headingSeen = false;
    size_t number = 0;
    const char* textBegin = text.data();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        textBegin += 3;  // a byte order mark some editors write
    LineReader lines(textBegin, text.data() + text.size());
    std::unordered_map<std::string_view, NamedAt, FoldedHash, FoldedEqual> named;
    const char *begin, *end;
    while (lines.Next(begin, end)) {
        ++number;
        if (end == begin)
            continue;
        SetTextProblem problem;
        SharedMod mod;
        if (!headingSeen) {
            problem = ReadHeading(begin, end, set.name);
            headingSeen = problem != SetTextProblem::NotASet;
        } else if ((problem = ReadModLine(begin, end, mod)) == SetTextProblem::None) {
            std::string_view displayName(begin, mod.fileName.size() - 4);  // the name's bytes in the text
            auto first = named.emplace(displayName, NamedAt{mod.size, number});
            if (first.second) {
                set.mods.push_back(std::move(mod));
            } else if (first.first->second.size != mod.size) {
                problem = SetTextProblem::TwoSizes;
                result.firstLine = first.first->second.line;
            }
        }
        if (problem != SetTextProblem::None) {
            result.problem = problem;
            result.line = number;
            return result;
        }
    }
    if (!headingSeen) {
        result.problem = SetTextProblem::NotASet;
        result.line = 1;
        return result;
    }
    result.set = std::move(set);
    return result;
}
