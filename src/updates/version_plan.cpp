#include "updates/version_plan.h"

ChangePlan UpdatePlan(const std::string& folder, const VersionNames& names, const VersionFiles& files,
                      const std::string& source, const std::string& description)
{
    ChangePlan plan;
    plan.kind = ChangeKind::Update;
    plan.folder = folder;
    plan.mod = names.archive;
    std::vector<ChangeStep>& steps = plan.steps;
    steps.push_back({ChangeStepKind::Copy, source, names.archiveTemporary, ""});
    if (!description.empty())
        steps.push_back({ChangeStepKind::Copy, description, names.descriptionTemporary, ""});
    if (files.previousArchive)
        steps.push_back({ChangeStepKind::Rename, names.previousArchive, names.olderArchive, ""});
    if (files.previousDescription)
        steps.push_back({ChangeStepKind::Rename, names.previousDescription, names.olderDescription, ""});
    steps.push_back({ChangeStepKind::Replace, names.archive, names.archiveTemporary, names.previousArchive});
    if (files.description && !description.empty())
        steps.push_back(
            {ChangeStepKind::Replace, names.description, names.descriptionTemporary, names.previousDescription});
    else if (!description.empty())
        steps.push_back({ChangeStepKind::Rename, names.descriptionTemporary, names.description, ""});
    if (files.previousArchive || files.previousDescription)
        steps.push_back({ChangeStepKind::Recycle, names.olderFolder, "", ""});
    return plan;
}

ChangePlan RestorePlan(const std::string& folder, const VersionNames& names, const VersionFiles& files)
{
    ChangePlan plan;
    plan.kind = ChangeKind::Restore;
    plan.folder = folder;
    plan.mod = names.archive;
    plan.steps = {{ChangeStepKind::Replace, names.archive, names.previousArchive, names.archiveTemporary},
                  {ChangeStepKind::Rename, names.archiveTemporary, names.previousArchive, ""}};
    if (files.description && files.previousDescription) {
        plan.steps.push_back(
            {ChangeStepKind::Replace, names.description, names.previousDescription, names.descriptionTemporary});
        plan.steps.push_back({ChangeStepKind::Rename, names.descriptionTemporary, names.previousDescription, ""});
    } else if (files.description) {
        plan.steps.push_back({ChangeStepKind::Rename, names.description, names.previousDescription, ""});
    } else if (files.previousDescription) {
        plan.steps.push_back({ChangeStepKind::Rename, names.previousDescription, names.description, ""});
    }
    return plan;
}

std::vector<std::string> NamesGiven(const ChangePlan& plan)
{
    std::vector<std::string> names;
    for (const NameMove& move : AllMoves(plan.steps)) {
        bool seen = move.to.empty();
        for (const std::string& name : names)
            seen = seen || AsciiLower(name) == AsciiLower(move.to);
        if (!seen)
            names.push_back(move.to);
    }
    return names;
}
