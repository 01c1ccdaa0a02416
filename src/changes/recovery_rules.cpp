#include "changes/recovery_rules.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include "mods/mod_names.h"

namespace {

// Names that the file system takes for one are one key.
std::string Key(const std::string& name)
{
    return AsciiLower(name);
}

size_t Root(std::vector<size_t>& parent, size_t i)
{
    while (parent[i] != i)
        i = parent[i] = parent[parent[i]];
    return i;
}

// Which moves belong to steps that a change of the plan's kind makes.
std::vector<bool> UsableMoves(const ChangePlan& plan)
{
    std::vector<size_t> refused = StepsRefused(plan);
    std::vector<bool> usable;
    for (size_t step = 0; step < plan.steps.size(); ++step) {
        bool fits = !std::binary_search(refused.begin(), refused.end(), step);
        usable.insert(usable.end(), MovesOf(plan.steps[step]).size(), fits);
    }
    return usable;
}

// The usable moves, grouped by the names they share.
std::vector<std::vector<size_t>> Groups(const std::vector<NameMove>& moves, const std::vector<bool>& usable)
{
    std::vector<size_t> parent(moves.size());
    std::iota(parent.begin(), parent.end(), size_t(0));
    std::unordered_map<std::string, size_t> firstMove;
    for (size_t i = 0; i < moves.size(); ++i) {
        if (!usable[i])
            continue;
        for (const std::string* name : {&moves[i].from, &moves[i].to}) {
            if (name->empty())
                continue;
            // A name inside a folder goes with the folder (to the Recycle Bin).
            for (const std::string& key : {Key(*name), Key(name->substr(0, name->find('\\')))}) {
                auto found = firstMove.emplace(key, i);
                if (!found.second)
                    parent[Root(parent, i)] = Root(parent, found.first->second);
            }
        }
    }
    std::map<size_t, std::vector<size_t>> byRoot;
    for (size_t i = 0; i < moves.size(); ++i)
        if (usable[i])
            byRoot[Root(parent, i)].push_back(i);
    std::vector<std::vector<size_t>> groups;
    groups.reserve(byRoot.size());
    for (auto& entry : byRoot)
        groups.push_back(std::move(entry.second));
    std::sort(groups.begin(), groups.end());
    return groups;
}

bool IsCopy(const NameMove& move)
{
    return move.from.empty();
}

enum Presence : char { Absent, Present, Either };

// The point of one group that the folder shows, among `lowest`..`highest`
// moves made: -1 for none, or more than one.
long PointShown(const std::vector<NameMove>& moves, const std::vector<size_t>& group, size_t lowest,
                size_t highest, const NamePresent& present)
{
    // Before the group's first move, a name is there when it first appears as
    // a move's source; a copy's name may be there in part before it is done.
    std::map<std::string, Presence> state;
    std::map<std::string, bool> now;
    for (size_t i : group) {
        for (const std::string* name : {&moves[i].from, &moves[i].to}) {
            if (name->empty() || now.count(Key(*name)))
                continue;
            state[Key(*name)] = name == &moves[i].from ? Present : IsCopy(moves[i]) ? Either : Absent;
            now[Key(*name)] = present(*name);
        }
    }
    auto shows = [&state, &now]() {
        for (const auto& name : state)
            if (name.second != Either && (name.second == Present) != now[name.first])
                return false;
        return true;
    };
    long shown = -1;
    for (size_t made = 0; made <= highest; ++made) {
        if (made >= lowest && shows()) {
            if (shown >= 0)
                return -1;  // two points look alike: which one is not known
            shown = static_cast<long>(made);
        }
        if (made == group.size())
            break;
        const NameMove& move = moves[group[made]];
        if (!move.from.empty())
            state[Key(move.from)] = Absent;
        if (!move.to.empty())
            state[Key(move.to)] = Present;
        // A folder gone takes the names inside it along.
        std::string inside = Key(move.from) + "\\";
        for (auto& name : state)
            if (move.to.empty() && !move.from.empty() && name.first.compare(0, inside.size(), inside) == 0)
                name.second = Absent;
    }
    return shown;
}

}  // namespace

std::vector<size_t> StepsRefused(const ChangePlan& plan)
{
    std::vector<size_t> refused;
    for (size_t i = 0; i < plan.steps.size(); ++i)
        if (!StepFits(plan, plan.steps[i]))
            refused.push_back(i);
    return refused;
}

std::vector<MoveGroup> GroupsMade(const ChangePlan& plan, size_t doneMoves, size_t reachedMoves,
                                  const NamePresent& present)
{
    std::vector<NameMove> moves = AllMoves(plan.steps);
    std::vector<MoveGroup> groups;
    for (std::vector<size_t>& indices : Groups(moves, UsableMoves(plan))) {
        MoveGroup group;
        size_t lowest = 0;
        for (size_t i : indices) {
            lowest += i < doneMoves;
            group.reached += i < reachedMoves;
        }
        // A copy not known to be done bounds the point: nothing after it was made.
        size_t highest = group.reached;
        for (size_t n = 0; n < indices.size() && n < highest; ++n)
            if (IsCopy(moves[indices[n]]) && indices[n] >= doneMoves)
                highest = n;
        group.made = PointShown(moves, indices, lowest, highest, present);
        group.moves = std::move(indices);
        groups.push_back(std::move(group));
    }
    return groups;
}

std::vector<RepairMove> UndoMoves(const ChangePlan& plan, const std::vector<MoveGroup>& groups,
                                  std::vector<std::string>& inRecycleBin)
{
    std::vector<NameMove> moves = AllMoves(plan.steps);
    std::vector<size_t> undone;  // move indices
    for (const MoveGroup& group : groups) {
        if (group.made < 0)
            continue;
        undone.insert(undone.end(), group.moves.begin(), group.moves.begin() + group.made);
        // A copy that was begun but not done is removed too.
        for (size_t n = static_cast<size_t>(group.made); n < group.reached; ++n)
            if (IsCopy(moves[group.moves[n]]))
                undone.push_back(group.moves[n]);
    }
    std::sort(undone.rbegin(), undone.rend());
    std::vector<RepairMove> undo;
    for (size_t i : undone) {
        const NameMove& move = moves[i];
        if (IsCopy(move))
            undo.push_back({RepairKind::Remove, move.to, ""});
        else if (move.to.empty())
            inRecycleBin.insert(inRecycleBin.begin(), move.from);  // in the plan's order
        else
            undo.push_back({RepairKind::Rename, move.to, move.from});
    }
    return undo;
}

bool CanFinish(const ChangePlan& plan, const std::vector<MoveGroup>& groups)
{
    std::vector<NameMove> moves = AllMoves(plan.steps);
    for (const MoveGroup& group : groups) {
        if (group.made < 0)
            return false;
        for (size_t n = static_cast<size_t>(group.made); n < group.moves.size(); ++n)
            if (IsCopy(moves[group.moves[n]]))
                return false;
    }
    return true;
}

std::vector<RepairMove> FinishMoves(const ChangePlan& plan, const std::vector<MoveGroup>& groups)
{
    std::vector<NameMove> moves = AllMoves(plan.steps);
    std::vector<size_t> left;
    for (const MoveGroup& group : groups) {
        if (group.made < 0)
            continue;
        std::vector<size_t> rest(group.moves.begin() + group.made, group.moves.end());
        if (std::none_of(rest.begin(), rest.end(), [&moves](size_t i) { return IsCopy(moves[i]); }))
            left.insert(left.end(), rest.begin(), rest.end());
    }
    std::sort(left.begin(), left.end());
    std::unordered_set<size_t> removes;
    for (size_t step = 0, move = 0; step < plan.steps.size(); move += MovesOf(plan.steps[step++]).size())
        if (plan.steps[step].kind == ChangeStepKind::Remove)
            removes.insert(move);
    std::vector<RepairMove> finish;
    finish.reserve(left.size());
    for (size_t i : left) {
        const NameMove& move = moves[i];
        RepairKind kind = !move.to.empty()   ? RepairKind::Rename
                          : removes.count(i) ? RepairKind::Remove
                                             : RepairKind::Recycle;
        finish.push_back({kind, move.from, move.to});
    }
    return finish;
}

ChangePlan OwedPlan(const ChangePlan& plan, const std::vector<RepairMove>& pending)
{
    ChangePlan owed;
    owed.kind = plan.kind;
    owed.phase = ChangePhase::Owed;
    owed.folder = plan.folder;
    owed.mod = plan.mod;
    for (const RepairMove& move : pending) {
        switch (move.kind) {
        case RepairKind::Rename: owed.steps.push_back({ChangeStepKind::Rename, move.from, move.to, ""}); break;
        case RepairKind::Recycle: owed.steps.push_back({ChangeStepKind::Recycle, move.from, "", ""}); break;
        case RepairKind::Remove: owed.steps.push_back({ChangeStepKind::Remove, move.from, "", ""}); break;
        }
    }
    return owed;
}
