// What a change cut off had made, judged from its journal and the folder,
// and the renames that put it in order: a switch is put back; an update or a
// restore is finished, or undone where it cannot be; what is owed is made.
// Pure logic with no platform headers, so it is also built and tested
// natively.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "changes/change_plan.h"

// Whether a name is in the folder now, letter case aside.
typedef std::function<bool(const std::string&)> NamePresent;

// How far each group of the plan's moves got. Moves that share a name form a
// group (an archive's flip alone; all the moves of an update's archive); a
// group's point is the number of its moves made, read from the folder among
// the points that the journal allows: every move before `doneMoves` made,
// none from `reachedMoves` on, any number of those in between, but a copy
// only when it is done (a copy cut off may have left part of its file).
// Steps that a change of the plan's kind does not make are in no group.
struct MoveGroup {
    std::vector<size_t> moves;  // indices into AllMoves(plan.steps), in order
    // Moves made, when the folder matches exactly one allowed point; -1 when
    // it matches none (changed since) or more than one.
    long made = -1;
    size_t reached = 0;  // moves that may have been begun (from `reachedMoves`)
};
std::vector<MoveGroup> GroupsMade(const ChangePlan& plan, size_t doneMoves, size_t reachedMoves,
                                  const NamePresent& present);

// The steps that no change of the plan's kind makes: left alone.
std::vector<size_t> StepsRefused(const ChangePlan& plan);

// One call that puts the folder in order.
enum class RepairKind { Rename, Recycle, Remove };
struct RepairMove {
    RepairKind kind;
    std::string from, to;  // Recycle and Remove: `from` only
};

// The calls that undo what the groups made, latest first; a copy begun is
// removed. A recycled file cannot come back by a rename: it is named in
// `inRecycleBin` instead.
std::vector<RepairMove> UndoMoves(const ChangePlan& plan, const std::vector<MoveGroup>& groups,
                                  std::vector<std::string>& inRecycleBin);

// True when every group shows its point and every copy is done: what is left
// of the plan is renames and recycling.
bool CanFinish(const ChangePlan& plan, const std::vector<MoveGroup>& groups);
// The calls that finish the groups from where they stopped, in the plan's
// order; a group that shows no point, or whose copy is not done, is left
// alone.
std::vector<RepairMove> FinishMoves(const ChangePlan& plan, const std::vector<MoveGroup>& groups);

// The plan of what is owed when `pending` repair calls are still to be made:
// the same kind, folder and mod, phase Owed, one step per call, in order.
ChangePlan OwedPlan(const ChangePlan& plan, const std::vector<RepairMove>& pending);
