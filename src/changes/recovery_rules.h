// What a change cut off had made, judged from its journal and the folder,
// and what putting it in order does: a switch is put back; an update or a
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
// group (an archive's flip alone; all the moves of an update); a group's
// point is the number of its moves made, read from the folder among the
// points that the journal allows: every move of a step before `done` made,
// none of a step from `reached` on, and any number of those in between.
struct MoveGroup {
    std::vector<size_t> moves;  // indices into AllMoves(plan.steps), in order
    // Moves made, when the folder matches exactly one allowed point; -1 when
    // it matches none (changed since) or more than one.
    long made = -1;
};
std::vector<MoveGroup> GroupsMade(const ChangePlan& plan, size_t done, size_t reached, const NamePresent& present);

// One rename to put the folder in order; `to` empty: to the Recycle Bin.
struct RepairMove {
    std::string from, to;
    size_t group;  // index into the groups
};

// The renames that undo what the groups made, latest first. A recycled file
// cannot come back by a rename: it is named in `inRecycleBin` instead.
std::vector<RepairMove> UndoMoves(const ChangePlan& plan, const std::vector<MoveGroup>& groups,
                                  std::vector<std::string>& inRecycleBin);

// The moves that finish the groups from where they stopped, in the plan's
// order.
std::vector<RepairMove> FinishMoves(const ChangePlan& plan, const std::vector<MoveGroup>& groups);

// The plan of what is still owed when `pending` of the repair moves were not
// made: the same kind and folder, phase Owed, one rename per move, in order.
ChangePlan OwedPlan(const ChangePlan& plan, const std::vector<RepairMove>& pending);
