#include "changes/change_plan.h"

#include <initializer_list>

#include "changes/move_in_rules.h"
#include "mods/mod_names.h"

namespace {

bool HasNoPath(const std::string& name)
{
    return name.find_first_of("\\/:") == std::string::npos;
}

bool IsOneOf(const std::string& name, std::initializer_list<const std::string*> names)
{
    for (const std::string* one : names)
        if (name == *one)
            return true;
    return false;
}

// Only the mod's own files: its archive and description, their previous
// versions, the older version given up and the temporary copies of a new
// one. Only what is given up goes to the Recycle Bin (the older version's
// folder, or, as earlier versions of the tool did it, the previous version's
// files), and only the temporary copies are made and removed.
bool FitsVersionChange(const std::string& archive, const ChangeStep& step)
{
    if (KindOf(archive) == ArchiveKind::None || !HasNoPath(archive))
        return false;
    VersionNames n = NamesOfVersions(archive);
    auto own = [&n](const std::string& name) {
        return IsOneOf(
            name, {&n.archive, &n.description, &n.previousArchive, &n.previousDescription, &n.archiveTemporary,
                   &n.descriptionTemporary, &n.olderFolder, &n.olderArchive, &n.olderDescription});
    };
    auto temporary = [&n](const std::string& name) {
        return IsOneOf(name, {&n.archiveTemporary, &n.descriptionTemporary});
    };
    switch (step.kind) {
    case ChangeStepKind::Recycle:
        return IsOneOf(step.first, {&n.olderFolder, &n.previousArchive, &n.previousDescription}) &&
               step.second.empty() && step.third.empty();
    case ChangeStepKind::Copy: return !step.first.empty() && temporary(step.second) && step.third.empty();
    case ChangeStepKind::Remove: return temporary(step.first) && step.second.empty() && step.third.empty();
    case ChangeStepKind::Rename: return own(step.first) && own(step.second) && step.third.empty();
    case ChangeStepKind::Replace: return own(step.first) && own(step.second) && own(step.third);
    }
    return false;
}

}  // namespace

ChangeStep FlipStep(const std::string& fileName)
{
    return {ChangeStepKind::Rename, fileName, FlippedName(fileName), ""};
}

std::vector<NameMove> MovesOf(const ChangeStep& step)
{
    switch (step.kind) {
    case ChangeStepKind::Recycle:
    case ChangeStepKind::Remove: return {{step.first, ""}};
    case ChangeStepKind::Rename: return {{step.first, step.second}};
    case ChangeStepKind::Replace: return {{step.first, step.third}, {step.second, step.first}};
    case ChangeStepKind::Copy: return {{"", step.second}};
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
        moves += steps[i].kind == ChangeStepKind::Replace ? 2 : 1;
    return moves;
}

std::string PathOfName(const std::string& folder, const std::string& name)
{
    bool full = (name.size() > 2 && name[1] == ':' && name[2] == '\\') || name.compare(0, 2, "\\\\") == 0;
    return full ? name : JoinPath(folder, name);
}

bool StepFits(const ChangePlan& plan, const ChangeStep& step)
{
    switch (plan.kind) {
    case ChangeKind::Switch:
        return step.kind == ChangeStepKind::Rename && IsSwitchableName(step.first) &&
               step.second == FlippedName(step.first) && step.third.empty();
    case ChangeKind::Update:
    case ChangeKind::Restore: return FitsVersionChange(plan.mod, step);
    case ChangeKind::MoveIn: return FitsMoveIn(plan, step);
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
