#include "sets/set_text.h"

#include <cstring>

#include "mods/mod_names.h"
#include "sets/set_rules.h"
#include "shared/utf8.h"

const char kSetTextHeading[] = "Quillmoor mod set: ";

namespace {

// Base archives have short names: longer ones need no closer look.
const size_t kLongestBaseArchive = sizeof "p99-texts.pak" - 1;
const size_t kLongestFileName = 255;

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

}  // namespace

std::string SetText(const SharedSet& set)
{
    std::string text = kSetTextHeading + set.name + "\r\n";
    for (const SharedMod& mod : set.mods)
        text += mod.fileName + "\t" + std::to_string(mod.size) + "\r\n";
    return text;
}

ReadSetTextResult ReadSetText(const std::string& text)
{
    ReadSetTextResult result;
    SharedSet set;
    bool headingSeen = false;
    size_t number = 0;
    const char* begin = text.data();
    const char* const textEnd = begin + text.size();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        begin += 3;  // a byte order mark some editors write
    while (begin < textEnd) {
        const char* lineFeed =
            static_cast<const char*>(std::memchr(begin, '\n', static_cast<size_t>(textEnd - begin)));
        const char* end = lineFeed ? lineFeed : textEnd;
        const char* next = lineFeed ? lineFeed + 1 : textEnd;
        while (end > begin && (end[-1] == '\r' || end[-1] == ' '))
            --end;  // the line end and trailing spaces
        ++number;
        if (end == begin) {
            begin = next;
            continue;
        }
        if (!headingSeen) {
            // The heading without its last space: a name of only spaces lost them all.
            std::string line(begin, end);
            size_t headingLength = sizeof kSetTextHeading - 2;
            if (line.compare(0, headingLength, kSetTextHeading, headingLength) != 0 ||
                (line.size() > headingLength && line[headingLength] != ' ')) {
                result.problem = SetTextProblem::NotASet;
                result.line = number;
                return result;
            }
            set.name = line.substr(line.size() > headingLength ? headingLength + 1 : headingLength);
            headingSeen = true;
            if (!IsValidSetName(set.name)) {
                result.problem = SetTextProblem::BadName;
                result.line = number;
                return result;
            }
        } else {
            SharedMod mod;
            SetTextProblem problem = ReadModLine(begin, end, mod);
            if (problem != SetTextProblem::None) {
                result.problem = problem;
                result.line = number;
                return result;
            }
            set.mods.push_back(std::move(mod));
        }
        begin = next;
    }
    if (!headingSeen) {
        result.problem = SetTextProblem::NotASet;
        result.line = 1;
        return result;
    }
    result.set = std::move(set);
    return result;
}
