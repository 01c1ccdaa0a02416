#include "changes/legacy_forms.h"

#include "mods/mod_names.h"

namespace {

const char kSwitchMarkV1[] = "Quillmoor mod set switch, version 1";
const char kSwitchMark[] = "Quillmoor mod set switch, version 2";

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

}  // namespace

JournalRead ReadLegacySwitch(const std::vector<std::string>& strings)
{
    JournalRead read;
    size_t countAt = 0;
    ChangePlan plan;
    if (strings.size() >= 3 && strings[0] == kSwitchMarkV1) {
        countAt = 2;
    } else if (strings.size() >= 4 && strings[0] == kSwitchMark &&
               (strings[1] == "switching" || strings[1] == "owed")) {
        plan.phase = strings[1] == "owed" ? ChangePhase::Owed : ChangePhase::Doing;
        countAt = 3;
    } else {
        return read;
    }
    plan.folder = strings[countAt - 1];
    if (plan.folder.empty() || strings[countAt] != std::to_string(strings.size() - countAt - 1))
        return read;
    // Names as they were before the switch: what is owed renames them back.
    for (size_t i = countAt + 1; i < strings.size(); ++i)
        plan.steps.push_back(plan.phase == ChangePhase::Owed
                                 ? ChangeStep{ChangeStepKind::Rename, FlippedName(strings[i]), strings[i], ""}
                                 : FlipStep(strings[i]));
    // Nothing said how far it got: any rename of a switch may have been made,
    // none of what is owed.
    read.reached = plan.phase == ChangePhase::Doing ? plan.steps.size() : 0;
    read.plan = std::move(plan);
    return read;
}

JournalRead ReadLegacyVersionChange(const std::vector<std::string>& strings, size_t stepsDone)
{
    JournalRead read;
    if (strings.size() < 4 || (strings[0] != "update" && strings[0] != "restore") || strings[1].empty())
        return read;
    ChangePlan plan;
    plan.kind = strings[0] == "update" ? ChangeKind::Update : ChangeKind::Restore;
    plan.folder = strings[1];
    plan.mod = strings[2];
    const char* const words[] = {"rename", "replace", "recycle"};
    const ChangeStepKind kinds[] = {ChangeStepKind::Rename, ChangeStepKind::Replace, ChangeStepKind::Recycle};
    for (size_t i = 3; i < strings.size(); ++i) {
        std::vector<std::string> parts = Split(strings[i], '\t');
        size_t kind = 0;
        while (kind < 3 && parts[0] != words[kind])
            ++kind;
        size_t names = kind == 1 ? 3 : kind == 0 ? 2 : 1;
        if (kind == 3 || parts.size() != names + 1)
            return read;
        parts.resize(4);
        plan.steps.push_back({kinds[kind], parts[1], parts[2], parts[3]});
    }
    // The steps done were counted after each step; the one after them may
    // have been begun.
    size_t done = stepsDone < plan.steps.size() ? stepsDone : plan.steps.size();
    read.done = MovesBefore(plan.steps, done);
    read.reached = MovesBefore(plan.steps, done + 1);
    read.plan = std::move(plan);
    return read;
}
