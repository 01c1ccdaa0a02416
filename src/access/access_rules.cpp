#include "access/access_rules.h"

#include <cstring>

#include "shared/path_text.h"

namespace {

char FoldAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameFolded(const std::string& a, size_t from, const std::string& b)
{
    if (a.size() - from < b.size())
        return false;
    for (size_t i = 0; i < b.size(); ++i)
        if (FoldAscii(a[from + i]) != FoldAscii(b[i]))
            return false;
    return true;
}

bool IsNameCharacter(char c)
{
    return static_cast<unsigned char>(c) >= 0x20 && !std::strchr("<>:\"|?*\\/", c);
}

// One step of a path: a name of its own, not "." or "..", not ending in a dot
// or a space.
bool IsStep(const std::string& step)
{
    if (step.empty() || step.back() == '.' || step.back() == ' ')
        return false;
    for (char c : step)
        if (!IsNameCharacter(c))
            return false;
    return true;
}

// The steps after the root joined again, or nothing when one is not a step.
// One backslash at the end is allowed.
std::optional<std::string> JoinedSteps(std::string rest)
{
    if (rest.empty())
        return std::string();
    if (rest.back() == '\\')
        rest.pop_back();
    if (rest.empty())
        return std::nullopt;
    std::string joined;
    for (const std::string& step : SplitAt(rest, '\\')) {
        if (!IsStep(step))
            return std::nullopt;
        joined += "\\" + step;
    }
    return joined;
}

}  // namespace

std::optional<std::string> NormalFolderPath(const std::string& path)
{
    std::string text = path;
    for (char& c : text)
        c = c == '/' ? '\\' : c;
    if (text.size() >= 3 && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z')) &&
        text[1] == ':' && text[2] == '\\') {
        std::optional<std::string> steps = JoinedSteps(text.substr(3));
        if (!steps)
            return std::nullopt;
        std::string drive = std::string(1, FoldAscii(text[0])) + ":";
        return steps->empty() ? drive + "\\" : drive + *steps;
    }
    if (text.size() > 2 && text[0] == '\\' && text[1] == '\\') {
        // A server and a share, each a name of its own ("?" and "." are none).
        std::string rest = text.substr(2);
        size_t serverEnd = rest.find('\\');
        if (serverEnd == std::string::npos)
            return std::nullopt;
        size_t shareEnd = rest.find('\\', serverEnd + 1);
        std::string server = rest.substr(0, serverEnd);
        std::string share =
            rest.substr(serverEnd + 1, shareEnd == std::string::npos ? shareEnd : shareEnd - serverEnd - 1);
        std::optional<std::string> steps =
            JoinedSteps(shareEnd == std::string::npos ? std::string() : rest.substr(shareEnd + 1));
        if (!IsStep(server) || !IsStep(share) || !steps)
            return std::nullopt;
        return "\\\\" + server + "\\" + share + *steps;
    }
    return std::nullopt;
}

std::optional<std::string> NormalFinalPath(const std::string& finalPath)
{
    const std::string unc = "\\\\?\\UNC\\", local = "\\\\?\\";
    if (SameFolded(finalPath, 0, unc))
        return NormalFolderPath("\\\\" + finalPath.substr(unc.size()));
    if (finalPath.compare(0, local.size(), local) == 0)
        return NormalFolderPath(finalPath.substr(local.size()));
    return NormalFolderPath(finalPath);
}

bool IsRootPath(const std::string& normal)
{
    if (normal.size() == 3 && normal[1] == ':')
        return true;
    return normal.compare(0, 2, "\\\\") == 0 && SplitAt(normal.substr(2), '\\').size() == 2;
}

bool IsSameOrInside(const std::string& normal, const std::string& folder)
{
    if (folder.empty() || !SameFolded(normal, 0, folder))
        return false;
    return normal.size() == folder.size() || folder.back() == '\\' || normal[folder.size()] == '\\';
}

std::optional<AllowRefusal> PathRefusal(const std::string& normal, const SystemFolders& system)
{
    if (IsRootPath(normal))
        return AllowRefusal::Root;
    if (IsSameOrInside(normal, system.windows))
        return AllowRefusal::WindowsFolder;
    for (const std::string& program : system.programs)
        if (!program.empty() && normal.size() == program.size() && IsSameOrInside(normal, program))
            return AllowRefusal::ProgramFolder;
    return std::nullopt;
}

std::string ProgramFolderHolding(const std::string& normal, const SystemFolders& system)
{
    for (const std::string& program : system.programs)
        if (normal.size() > program.size() && IsSameOrInside(normal, program))
            return program;
    return "";
}

WriteCauseChoice ChooseWriteCause(const WriteFacts& facts)
{
    if (facts.readOnlyVolume || facts.error == kErrorWriteProtect)
        return {WriteCause::ReadOnlyVolume, false};
    if (facts.error != kErrorAccessDenied && facts.error != kErrorNetworkAccessDenied)
        return {WriteCause::System, false};
    if (facts.inProgramFolder)
        return {WriteCause::ProgramFolder, true};
    if (facts.controlledFolderAccess)
        return {WriteCause::ControlledFolderAccess, false};
    if (facts.otherOwner)
        return {WriteCause::OtherOwner, true};
    return {WriteCause::System, true};
}
