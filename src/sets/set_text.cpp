#include "sets/set_text.h"

#include "mods/mod_names.h"
#include "sets/set_rules.h"

const char kSetTextHeading[] = "Quillmoor mod set: ";

namespace {

// Without its line end and trailing spaces.
std::string Trimmed(const std::string& text, size_t begin, size_t end)
{
    while (end > begin && (text[end - 1] == '\r' || text[end - 1] == ' '))
        --end;
    return text.substr(begin, end - begin);
}

bool ReadSize(const std::string& digits, uint64_t& size)
{
    if (digits.empty())
        return false;
    size = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        uint64_t digit = static_cast<uint64_t>(c - '0');
        if (size > (UINT64_MAX - digit) / 10)
            return false;  // larger than any file
        size = size * 10 + digit;
    }
    return true;
}

// The problem of one mod line, or None with the mod filled in.
SetTextProblem ReadModLine(const std::string& line, SharedMod& mod)
{
    size_t tab = line.find('\t');
    if (tab == std::string::npos)
        return SetTextProblem::NoTab;
    mod.fileName = line.substr(0, tab);
    if (!ReadSize(line.substr(tab + 1), mod.size))
        return SetTextProblem::BadSize;
    if (mod.fileName.find_first_of("\\/:") != std::string::npos)
        return SetTextProblem::PathInName;
    if (!HasExtension(mod.fileName, ".pak") && !HasExtension(mod.fileName, ".mod"))
        return SetTextProblem::NotArchive;
    if (IsBaseArchive(ReplaceExtension(mod.fileName, "pak")))
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
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // a byte order mark some editors write
    for (size_t begin = start; begin < text.size();) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        std::string line = Trimmed(text, begin, end);
        begin = end + 1;
        ++number;
        if (line.empty())
            continue;
        if (!headingSeen) {
            // The heading without its last space: a name of only spaces lost them all.
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
            continue;
        }
        SharedMod mod;
        SetTextProblem problem = ReadModLine(line, mod);
        if (problem != SetTextProblem::None) {
            result.problem = problem;
            result.line = number;
            return result;
        }
        set.mods.push_back(mod);
    }
    if (!headingSeen) {
        result.problem = SetTextProblem::NotASet;
        result.line = 1;
        return result;
    }
    result.set = set;
    return result;
}
