#include "changes/change_plan.h"

#include "mods/mod_names.h"
#include "switching/switch_plan.h"

namespace {

bool HasNoPath(const std::string& name)
{
    return name.find_first_of("\\/:") == std::string::npos;
}

// The names of a mod's own files: its archive and description, their
// previous versions, and the temporary names their copies take.
std::vector<std::string> OwnNames(const std::string& archive)
{
    std::string stem = DisplayName(archive);
    std::string description = ReplaceExtension(archive, "txt");
    return {stem + ".previous", stem + ".previous-txt", archive,
            description,        TemporaryName(archive), TemporaryName(description)};
}

bool IsOneOf(const std::string& name, const std::vector<std::string>& names, size_t count)
{
    for (size_t i = 0; i < count && i < names.size(); ++i)
        if (name == names[i])
            return true;
    return false;
}

bool IsTemporary(const std::string& name, const std::vector<std::string>& own)
{
    return name == own[4] || name == own[5];
}

bool FitsVersionChange(const std::string& archive, const ChangeStep& step)
{
    if (KindOf(archive) == ArchiveKind::None || !HasNoPath(archive))
        return false;
    std::vector<std::string> own = OwnNames(archive);
    switch (step.kind) {
    case StepKind::Recycle: return IsOneOf(step.first, own, 2) && step.second.empty() && step.third.empty();
    case StepKind::Copy: return !step.first.empty() && IsTemporary(step.second, own) && step.third.empty();
    case StepKind::Remove: return IsTemporary(step.first, own) && step.second.empty() && step.third.empty();
    case StepKind::Rename:
        return IsOneOf(step.first, own, own.size()) && IsOneOf(step.second, own, own.size()) && step.third.empty();
    case StepKind::Replace:
        return IsOneOf(step.first, own, own.size()) && IsOneOf(step.second, own, own.size()) &&
               IsOneOf(step.third, own, own.size());
    }
    return false;
}

}  // namespace

ChangeStep FlipStep(const std::string& fileName)
{
    return {StepKind::Rename, fileName, FlippedName(fileName), ""};
}

std::vector<NameMove> MovesOf(const ChangeStep& step)
{
    switch (step.kind) {
    case StepKind::Recycle:
    case StepKind::Remove: return {{step.first, ""}};
    case StepKind::Rename: return {{step.first, step.second}};
    case StepKind::Replace: return {{step.first, step.third}, {step.second, step.first}};
    case StepKind::Copy: return {{"", step.second}};
    }
    return {};
}

std::vector<NameMove> AllMoves(const std::vector<ChangeStep>& steps)
{
    std::vector<NameMove> moves;
    moves.reserve(steps.size());
    for (const ChangeStep& step : steps)
        for (NameMove& move : MovesOf(step))
            moves.push_back(std::move(move));
    return moves;
}

size_t MovesBefore(const std::vector<ChangeStep>& steps, size_t count)
{
    size_t moves = 0;
    for (size_t i = 0; i < count && i < steps.size(); ++i)
        moves += steps[i].kind == StepKind::Replace ? 2 : 1;
    return moves;
}

bool StepFits(const ChangePlan& plan, const ChangeStep& step)
{
    switch (plan.kind) {
    case ChangeKind::Switch:
        return step.kind == StepKind::Rename && IsSwitchableName(step.first) &&
               step.second == FlippedName(step.first) && step.third.empty();
    case ChangeKind::Update:
    case ChangeKind::Restore: return FitsVersionChange(plan.mod, step);
    }
    return false;
}

std::string NormalFolder(const std::string& path)
{
    std::string text = path;
    for (char& c : text)
        if (c == '/')
            c = '\\';
    // The root the segments hang from: "C:\", "\\server\share\", "\" or nothing.
    size_t rootEnd = 0;
    if (text.size() >= 2 && text[1] == ':')
        rootEnd = text.size() >= 3 && text[2] == '\\' ? 3 : 2;
    else if (text.compare(0, 2, "\\\\") == 0)
        rootEnd = 2;
    else if (!text.empty() && text[0] == '\\')
        rootEnd = 1;
    std::string root = text.substr(0, rootEnd);
    std::vector<std::string> segments;
    size_t start = rootEnd;
    while (start <= text.size()) {
        size_t end = text.find('\\', start);
        if (end == std::string::npos)
            end = text.size();
        std::string segment = text.substr(start, end - start);
        bool up = segment == "..";
        if (up && !segments.empty() && segments.back() != "..")
            segments.pop_back();
        else if (!segment.empty() && segment != "." && !(up && !root.empty()))  // nothing above a root
            segments.push_back(segment);
        start = end + 1;
    }
    std::string normal = root;
    for (size_t i = 0; i < segments.size(); ++i)
        normal += (i ? "\\" : "") + segments[i];
    return normal;
}

bool IsSameFolder(const std::string& first, const std::string& second,
                  const std::function<std::string(const std::string&)>& fold)
{
    return fold(NormalFolder(first)) == fold(NormalFolder(second));
}
