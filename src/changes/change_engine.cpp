#include "changes/change_engine.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

#include "changes/change_journal.h"
#include "changes/change_steps.h"
#include "changes/recovery_rules.h"
#include "mods/mod_names.h"
#include "shared/folder_listing.h"
#include "shared/text_conversion.h"

namespace {

// How many moves a switch may begin past the reach flushed to disk: its
// renames are each an archive's own, so that a power cut leaves at most these
// to be judged from the folder alone. The moves of an update or a restore
// share names: each is flushed before it is begun.
const size_t kSwitchMovesAhead = 64;

size_t MovesAhead(const ChangePlan& plan)
{
    return plan.kind == ChangeKind::Switch ? kSwitchMovesAhead : 1;
}

void Tell(const ChangeProgress& progress, ChangeStage stage, size_t done, size_t total)
{
    if (progress)
        progress(stage, done, total);
}

// The name a repair leaves: where a file put back is now.
std::string NameAfter(const RepairMove& move)
{
    return move.kind == RepairKind::Rename ? move.to : move.from;
}

struct RepairRun {
    std::vector<std::string> made;    // as named now
    std::vector<RepairMove> pending;  // not made
    DWORD error = ERROR_SUCCESS;      // why the first of them was not
};

// Makes what the owed plan holds, the journal holding it already: every
// rename of a switch that can be (each is an archive's own), the renames of
// an update or a restore in order, up to the first that cannot. What is not
// made stays in the journal, alone; with nothing left it is removed.
RepairRun RunOwed(JournalWriter& writer, const ChangePlan& owed, ChangeStage stage, const ChangeProgress& progress)
{
    RepairRun run;
    std::vector<RepairMove> repairs;
    for (const ChangeStep& step : owed.steps)
        repairs.push_back({step.kind == ChangeStepKind::Rename    ? RepairKind::Rename
                           : step.kind == ChangeStepKind::Recycle ? RepairKind::Recycle
                                                                  : RepairKind::Remove,
                           step.first, step.second});
    bool independent = owed.kind == ChangeKind::Switch;
    size_t reached = 0;
    for (size_t i = 0; i < repairs.size(); ++i) {
        DWORD error = ERROR_SUCCESS;
        bool go = run.pending.empty() || independent;
        if (go && i >= reached) {
            size_t next = std::min(repairs.size(), i + MovesAhead(owed));
            go = writer.Reach(next, true);
            if (go)
                reached = next;
        }
        // Done counts the moves made from the first on: past one that could
        // not be made it would vouch for that one too, so it stops there and
        // the reach alone covers the rest.
        if (go && RunRepair(owed.folder, repairs[i], error)) {
            run.made.push_back(NameAfter(repairs[i]));
            if (run.pending.empty())
                writer.Done(i + 1);
        } else if (go && repairs[i].kind == RepairKind::Remove) {
            // A temporary copy that cannot go (held open) is no version of the
            // mod: it stays a leftover, which the next add or update replaces.
            if (run.pending.empty())
                writer.Done(i + 1);
        } else {
            if (run.pending.empty())
                run.error = go ? error : GetLastError();
            run.pending.push_back(repairs[i]);
        }
        Tell(progress, stage, i + 1, repairs.size());
    }
    if (run.pending.empty())
        writer.Remove();
    else
        writer.Rewrite(OwedPlan(owed, run.pending));
    return run;
}

// Undoes what the groups made, through an owed plan written first.
RepairRun Undo(JournalWriter& writer, const ChangePlan& plan, const std::vector<MoveGroup>& groups,
               const ChangeProgress& progress, std::vector<std::string>& inRecycleBin)
{
    std::vector<RepairMove> repairs = UndoMoves(plan, groups, inRecycleBin);
    if (repairs.empty()) {
        writer.Remove();
        return RepairRun();
    }
    ChangePlan owed = OwedPlan(plan, repairs);
    if (!writer.Rewrite(owed))
        return {{}, repairs, GetLastError()};  // the plan as it was, or the owed one, stays for the next start
    return RunOwed(writer, owed, ChangeStage::PuttingBack, progress);
}

std::vector<std::string> OwedNames(const std::vector<RepairMove>& pending)
{
    std::vector<std::string> names;
    names.reserve(pending.size());
    for (const RepairMove& move : pending)
        names.push_back(move.from);
    return names;
}

// The file a failed step was about, for the message.
std::string FileOf(const ChangeStep& step)
{
    return step.kind == ChangeStepKind::Copy ? FileNamePart(step.first) : step.first;
}

// The names the plan's files have now, as far as the journal tells, for a
// plan that cannot be followed here.
std::vector<std::string> NamesNow(const ChangePlan& plan)
{
    std::vector<std::string> names;
    for (const ChangeStep& step : plan.steps)
        names.push_back(plan.phase == ChangePhase::Owed || step.second.empty() ? step.first : step.second);
    return names;
}

// After an update put in order: the older version's folder it made, when it
// is left empty; and, once it is undone, what it had copied, which is no
// version of the mod now.
void TidyAfter(const ChangePlan& plan, const RecoveryReport& report)
{
    if (plan.kind != ChangeKind::Update)
        return;
    VersionNames names = NamesOfVersions(plan.mod);
    if (report.outcome == RecoveryReport::Outcome::Undone && report.owed.empty())
        for (const std::string& copy : {names.archiveTemporary, names.descriptionTemporary})
            DeleteFileW(ToWide(JoinPath(plan.folder, copy), CP_ACP).c_str());
    RemoveDirectoryW(ToWide(JoinPath(plan.folder, names.olderFolder), CP_ACP).c_str());
}

// Finishes an update or a restore from where it stopped; where a move fails,
// undoes every move made instead.
void FinishVersionChange(const ChangePlan& plan, const std::vector<MoveGroup>& groups,
                         const ChangeProgress& progress, RecoveryReport& report)
{
    JournalWriter writer;
    std::vector<RepairMove> finish = FinishMoves(plan, groups);
    size_t total = MovesBefore(plan.steps, plan.steps.size()), first = total - finish.size();
    bool resumed = writer.Resume();
    for (size_t i = 0; i < finish.size(); ++i) {
        DWORD error = ERROR_SUCCESS;
        if (!resumed || !writer.Reach(first + i + 1, true) || !RunRepair(plan.folder, finish[i], error)) {
            std::optional<std::string> journal = ReadHomeFile(kChangeJournalFile);
            std::vector<MoveGroup> made = GroupsMade(plan, first + i, first + i, NamesIn(plan.folder));
            RepairRun undone = Undo(writer, plan, made, progress, report.inRecycleBin);
            // Where nothing could be undone either (its files held), the change
            // stays as it was, to be finished at a later start.
            writer.Close();
            if (undone.made.empty() && !undone.pending.empty() && journal)
                WriteHomeFile(kChangeJournalFile, *journal);
            report.outcome = RecoveryReport::Outcome::Undone;
            report.putBack = undone.made;
            report.owed = OwedNames(undone.pending);
            report.error = undone.error;
            return;
        }
        writer.Done(first + i + 1);
        Tell(progress, ChangeStage::Finishing, i + 1, finish.size());
    }
    writer.Remove();
    report.outcome = RecoveryReport::Outcome::Finished;
}

}  // namespace

std::function<bool(const std::string&)> NamesIn(const std::string& folder)
{
    auto names = std::make_shared<std::unordered_set<std::string>>();
    ForEachEntry(folder, "*", [&names](const FolderEntry& found) { names->insert(FoldedKey(found.name)); });
    return [names, folder](const std::string& name) {
        // A name inside a folder of the mod's own: that small folder is asked.
        if (name.find('\\') != std::string::npos)
            return PathExists(PathOfName(folder, name));
        return names->count(FoldedKey(name)) > 0;
    };
}

ChangeOutcome CarryOut(const ChangePlan& plan, FolderWork work, const ChangeProgress& progress,
                       const CopyIn& copyIn)
{
    ChangeOutcome outcome;
    FolderLock lock(work);
    if (!lock.Held()) {
        outcome.result = ChangeOutcome::Result::Held;
        outcome.holder = lock.Holder();
        return outcome;
    }
    // A journal left by an earlier change is what puts its files in order:
    // no change writes its own over it.
    if (JournalLeft()) {
        outcome.result = ChangeOutcome::Result::EarlierPending;
        return outcome;
    }
    JournalWriter writer;
    // The plan first, always: a step that the journal does not hold could
    // never be put back after a crash.
    if (!writer.Begin(plan, &outcome.error)) {
        outcome.result = ChangeOutcome::Result::NotJournalled;
        return outcome;
    }
    size_t total = MovesBefore(plan.steps, plan.steps.size()), reached = 0, step = 0;
    for (; step < plan.steps.size(); ++step) {
        size_t end = MovesBefore(plan.steps, step + 1);
        if (end > reached) {
            reached = std::min(total, MovesBefore(plan.steps, step) + MovesAhead(plan));
            reached = std::max(reached, end);
            if (!writer.Reach(reached, true)) {
                outcome.error = GetLastError();
                break;
            }
        }
        if (!RunStep(plan.folder, plan.steps[step], copyIn, outcome.error))
            break;
        writer.Done(end);
        Tell(progress, ChangeStage::Changing, step + 1, plan.steps.size());
    }
    if (step == plan.steps.size()) {
        writer.Remove();
        return outcome;
    }

    outcome.failed = FileOf(plan.steps[step]);
    bool cancelled = plan.steps[step].kind == ChangeStepKind::Copy && outcome.error == ERROR_CANCELLED;
    std::vector<MoveGroup> groups =
        GroupsMade(plan, MovesBefore(plan.steps, step), MovesBefore(plan.steps, step + 1), NamesIn(plan.folder));
    std::vector<std::string> inRecycleBin;
    RepairRun undone = Undo(writer, plan, groups, progress, inRecycleBin);
    outcome.owed = OwedNames(undone.pending);
    outcome.result = !outcome.owed.empty() ? ChangeOutcome::Result::NotPutBack
                     : cancelled           ? ChangeOutcome::Result::Cancelled
                                           : ChangeOutcome::Result::Failed;
    return outcome;
}

bool RecoveryReport::Settled() const
{
    switch (outcome) {
    case Outcome::Nothing:
    case Outcome::Unreadable:
    case Outcome::Changed: return true;
    case Outcome::FolderMissing:
    case Outcome::OtherFolder: return false;
    case Outcome::PutBack:
    case Outcome::Finished:
    case Outcome::Undone: return owed.empty();
    }
    return false;
}

bool JournalLeft()
{
    return ChangeJournalLeft();
}

JournalState WaitingJournal()
{
    bool unreadable = false;
    JournalRead read = ReadChangeJournal(unreadable);
    if (!read.plan)
        return unreadable ? JournalState::Unreadable : JournalState::None;
    return read.plan->phase == ChangePhase::Owed ? JournalState::Owed : JournalState::CutOff;
}

RecoveryReport PutInOrder(const std::string& modFolder, const ChangeProgress& progress)
{
    RecoveryReport report;
    bool unreadable = false;
    JournalRead read = ReadChangeJournal(unreadable);
    if (!read.plan) {
        if (unreadable) {
            report.outcome = RecoveryReport::Outcome::Unreadable;
            RemoveChangeJournal();
        }
        return report;
    }
    const ChangePlan& plan = *read.plan;
    report.kind = plan.kind;
    report.phase = plan.phase;
    report.folder = plan.folder;
    report.mod = plan.mod;
    if (!FolderExists(plan.folder) || !IsSameFolder(plan.folder, modFolder, FoldedKey)) {
        report.outcome = FolderExists(plan.folder) ? RecoveryReport::Outcome::OtherFolder
                                                   : RecoveryReport::Outcome::FolderMissing;
        report.owed = NamesNow(plan);
        return report;
    }
    for (size_t step : StepsRefused(plan))
        report.refused.push_back(plan.steps[step].first);
    bool version = plan.kind == ChangeKind::Update || plan.kind == ChangeKind::Restore;
    if (version && !report.refused.empty()) {
        report.outcome = RecoveryReport::Outcome::Unreadable;  // not a plan the tool writes
        report.refused.clear();
        RemoveChangeJournal();
        return report;
    }

    std::vector<MoveGroup> groups = GroupsMade(plan, read.done, read.reached, NamesIn(plan.folder));
    JournalWriter writer;
    if (plan.phase == ChangePhase::Owed || !version) {
        RepairRun run;
        if (plan.phase == ChangePhase::Owed) {
            ChangePlan owed = OwedPlan(plan, FinishMoves(plan, groups));
            run = writer.Rewrite(owed) ? RunOwed(writer, owed, ChangeStage::PuttingBack, progress)
                                       : RepairRun{{}, FinishMoves(plan, groups), GetLastError()};
        } else {
            run = Undo(writer, plan, groups, progress, report.inRecycleBin);
        }
        report.outcome = RecoveryReport::Outcome::PutBack;
        report.putBack = run.made;
        report.owed = OwedNames(run.pending);
        report.error = run.error;
        return report;
    }
    if (std::any_of(groups.begin(), groups.end(), [](const MoveGroup& group) { return group.made < 0; })) {
        report.outcome = RecoveryReport::Outcome::Changed;
        RemoveChangeJournal();
        return report;
    }
    if (CanFinish(plan, groups)) {
        FinishVersionChange(plan, groups, progress, report);
    } else {
        RepairRun undone = Undo(writer, plan, groups, progress, report.inRecycleBin);
        report.outcome = RecoveryReport::Outcome::Undone;
        report.putBack = undone.made;
        report.owed = OwedNames(undone.pending);
        report.error = undone.error;
    }
    TidyAfter(plan, report);
    return report;
}

bool GiveUpJournalOf(const std::string& folder)
{
    FolderLock lock(FolderWork::PutInOrder);
    if (!lock.Held())
        return false;
    bool unreadable = false;
    JournalRead read = ReadChangeJournal(unreadable);
    return read.plan && read.plan->folder == folder && RemoveChangeJournal();
}
