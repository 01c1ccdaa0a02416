#include "changes/recovery_rules.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <unordered_map>

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

// The moves of the usable steps, grouped by the names they share.
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
            auto found = firstMove.emplace(Key(*name), i);
            if (!found.second)
                parent[Root(parent, i)] = Root(parent, found.first->second);
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

// The point of one group that the folder shows, among `from`..`to` moves made.
long PointShown(const std::vector<NameMove>& moves, const std::vector<size_t>& group, size_t from, size_t to,
                const NamePresent& present)
{
    // Before the group's first move, a name is there when it first appears as
    // a move's source.
    std::map<std::string, bool> state, now;
    std::map<std::string, const std::string*> spelled;
    for (size_t i : group) {
        state.emplace(Key(moves[i].from), true);
        spelled.emplace(Key(moves[i].from), &moves[i].from);
        if (!moves[i].to.empty()) {
            state.emplace(Key(moves[i].to), false);
            spelled.emplace(Key(moves[i].to), &moves[i].to);
        }
    }
    for (const auto& name : spelled)
        now[name.first] = present(*name.second);
    long shown = -1;
    for (size_t made = 0; made <= to; ++made) {
        if (made >= from && state == now) {
            if (shown >= 0)
                return -1;  // two points look alike: which one is not known
            shown = static_cast<long>(made);
        }
        if (made == group.size())
            break;
        const NameMove& move = moves[group[made]];
        state[Key(move.from)] = false;
        if (!move.to.empty())
            state[Key(move.to)] = true;
    }
    return shown;
}

}  // namespace

std::vector<MoveGroup> GroupsMade(const ChangePlan& plan, size_t done, size_t reached, const NamePresent& present)
{
    std::vector<NameMove> moves = AllMoves(plan.steps);
    std::vector<bool> usable(moves.size());
    for (size_t step = 0, move = 0; step < plan.steps.size(); ++step) {
        bool fits = StepFits(plan, plan.steps[step]);
        for (size_t n = MovesOf(plan.steps[step]).size(); n-- > 0;)
            usable[move++] = fits;
    }
    size_t doneMoves = MovesBefore(plan.steps, done), reachedMoves = MovesBefore(plan.steps, reached);
    std::vector<MoveGroup> groups;
    for (std::vector<size_t>& indices : Groups(moves, usable)) {
        size_t lowest = 0, highest = 0;
        for (size_t i : indices) {
            lowest += i < doneMoves;
            highest += i < reachedMoves;
        }
        MoveGroup group;
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
    std::vector<std::pair<size_t, size_t>> made;  // move index, group
    for (size_t g = 0; g < groups.size(); ++g)
        for (long i = 0; i < groups[g].made; ++i)
            made.emplace_back(groups[g].moves[static_cast<size_t>(i)], g);
    std::sort(made.rbegin(), made.rend());
    std::vector<RepairMove> undo;
    for (const auto& entry : made) {
        const NameMove& move = moves[entry.first];
        if (move.to.empty())
            inRecycleBin.push_back(move.from);
        else
            undo.push_back({move.to, move.from, entry.second});
    }
    return undo;
}

std::vector<RepairMove> FinishMoves(const ChangePlan& plan, const std::vector<MoveGroup>& groups)
{
    std::vector<NameMove> moves = AllMoves(plan.steps);
    std::vector<std::pair<size_t, size_t>> left;
    for (size_t g = 0; g < groups.size(); ++g)
        for (size_t i = groups[g].made < 0 ? groups[g].moves.size() : static_cast<size_t>(groups[g].made);
             i < groups[g].moves.size(); ++i)
            left.emplace_back(groups[g].moves[i], g);
    std::sort(left.begin(), left.end());
    std::vector<RepairMove> finish;
    finish.reserve(left.size());
    for (const auto& entry : left)
        finish.push_back({moves[entry.first].from, moves[entry.first].to, entry.second});
    return finish;
}

ChangePlan OwedPlan(const ChangePlan& plan, const std::vector<RepairMove>& pending)
{
    ChangePlan owed;
    owed.kind = plan.kind;
    owed.phase = ChangePhase::Owed;
    owed.folder = plan.folder;
    owed.mod = plan.mod;
    for (const RepairMove& move : pending)
        owed.steps.push_back(move.to.empty() ? ChangeStep{StepKind::Recycle, move.from, "", ""}
                                             : ChangeStep{StepKind::Rename, move.from, move.to, ""});
    return owed;
}
