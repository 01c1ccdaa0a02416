#include "changes/move_in_rules.h"

#include <algorithm>
#include <map>

#include "mods/mod_names.h"

namespace {

const char kVirtualStore[] = "\\VirtualStore";

bool HasDrive(const std::string& path)
{
    char letter = path.size() >= 3 ? static_cast<char>(path[0] | 0x20) : '\0';
    return letter >= 'a' && letter <= 'z' && path[1] == ':' && path[2] == '\\';
}

bool IsPlainName(const std::string& name)
{
    return !name.empty() && name.find_first_of("\\/:") == std::string::npos && name != "." && name != "..";
}

// The name before its extension, ASCII letters folded: one mod's key.
std::string ModKey(const std::string& name)
{
    size_t dot = name.find_last_of('.');
    return AsciiLower(dot == std::string::npos ? name : name.substr(0, dot));
}

}  // namespace

std::optional<std::string> VirtualCopyOf(const std::string& localAppData, const std::string& folder)
{
    std::string normal = NormalFolder(folder);
    if (!HasDrive(normal) || normal.size() <= 3 || localAppData.empty())
        return std::nullopt;
    return NormalFolder(localAppData) + kVirtualStore + normal.substr(2);
}

bool IsMovableFile(const std::string& name)
{
    return IsPlainName(name) &&
           (HasExtension(name, ".pak") || HasExtension(name, ".mod") || HasExtension(name, ".txt"));
}

VirtualCopyContents SortVirtualCopy(const std::vector<std::string>& names,
                                    const std::function<bool(const std::string&)>& inFolder)
{
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    std::map<std::string, VirtualMod> mods;
    for (const std::string& name : sorted)
        if (IsMovableFile(name))
            mods[ModKey(name)].files.push_back(name);
    VirtualCopyContents contents;
    for (auto& entry : mods) {
        size_t takenBefore = contents.taken.size();
        for (const std::string& name : entry.second.files) {
            // An archive in its other state there would be a mod installed twice.
            bool archive = !HasExtension(name, ".txt");
            if (inFolder(name) ||
                (archive && inFolder(ReplaceExtension(name, HasExtension(name, ".pak") ? "mod" : "pak"))))
                contents.taken.push_back(name);
        }
        (contents.taken.size() == takenBefore ? contents.movable : contents.left).push_back(entry.second);
    }
    return contents;
}

ChangePlan MoveInPlan(const std::string& folder, const std::string& virtualCopy, const VirtualMod& mod)
{
    ChangePlan plan;
    plan.kind = ChangeKind::MoveIn;
    plan.folder = folder;
    plan.mod = virtualCopy;
    for (const std::string& name : mod.files)
        plan.steps.push_back({ChangeStepKind::Rename, JoinPath(virtualCopy, name), name, ""});
    return plan;
}

bool FitsMoveIn(const ChangePlan& plan, const ChangeStep& step)
{
    // The virtual copy is the folder's: its path ends with the folder's own
    // below "\VirtualStore".
    std::string folder = NormalFolder(plan.folder), copy = NormalFolder(plan.mod);
    std::string tail = HasDrive(folder) ? kVirtualStore + folder.substr(2) : std::string();
    bool ownCopy = !tail.empty() && copy.size() > tail.size() + 2 && HasDrive(copy) &&
                   AsciiLower(copy.substr(copy.size() - tail.size())) == AsciiLower(tail);
    return ownCopy && step.kind == ChangeStepKind::Rename && step.third.empty() && IsMovableFile(step.second) &&
           step.first == JoinPath(plan.mod, step.second);
}
