// A change of the mod folder that must be whole or not at all: a switch of
// mod sets (or of a problem search's start), an update or a restore of a mod.
// Its plan of steps, the renames each step makes, and which steps a change
// of its kind may hold at all: a plan read back after a crash is a claim,
// followed only as far as a change of its kind could have made it. Pure
// logic with no platform headers, so it is also built and tested natively.
#pragma once

#include <functional>
#include <string>
#include <vector>

// MoveIn: a mod's files moved from the folder's virtual copy (move_in_rules.h).
enum class ChangeKind { Switch, Update, Restore, MoveIn };

// Doing: the change as planned, cut off when the copy of the tool that made
// it is gone. Owed: what a failed change could not put back at once, as the
// renames that put it back, to be made at the next start or before the next
// change.
enum class ChangePhase { Doing, Owed };

// One call on the folder. Rename: `first` to `second`, never over a file.
// Replace: `second` takes the name `first`, whose file is kept under `third`,
// in one call of the platform's. Recycle: `first` to the Recycle Bin. Copy:
// the file at the path `first` (outside the folder) copied whole under the
// temporary name `second`. Remove: `first`, a temporary copy of the tool's
// own, deleted.
enum class ChangeStepKind { Rename, Replace, Recycle, Copy, Remove };

struct ChangeStep {
    ChangeStepKind kind = ChangeStepKind::Rename;
    std::string first, second, third;

    bool operator==(const ChangeStep& other) const
    {
        return kind == other.kind && first == other.first && second == other.second && third == other.third;
    }
};

struct ChangePlan {
    ChangeKind kind = ChangeKind::Switch;
    ChangePhase phase = ChangePhase::Doing;
    std::string folder;  // the mod folder, as the change named it
    std::string mod;     // the archive an update or a restore is about; empty for a switch
    std::vector<ChangeStep> steps;
};

// A step's name as a path: a name in `folder`, or a full path as it is (the
// file a move in takes from the virtual copy).
std::string PathOfName(const std::string& folder, const std::string& name);

// The rename of a switch: the archive to its other state.
ChangeStep FlipStep(const std::string& fileName);

// The names a step moves, in the order it moves them: `from` to `to`. `to` is
// empty for a file that goes to the Recycle Bin or is removed, `from` for a
// copy that makes `to`.
struct NameMove {
    std::string from, to;
};
std::vector<NameMove> MovesOf(const ChangeStep& step);
std::vector<NameMove> AllMoves(const std::vector<ChangeStep>& steps);
// The moves that the first `steps` steps make.
size_t MovesBefore(const std::vector<ChangeStep>& steps, size_t count);

// Whether a change of the plan's kind makes this step: a switch renames an
// archive between Name.pak and Name.mod (never one of the game's own, never a
// path or another extension); an update or a restore renames, replaces and
// recycles only its mod's own files (its archive and description, their
// previous versions and temporary copies), recycles only a previous version
// and copies in and removes only its temporary copies.
bool StepFits(const ChangePlan& plan, const ChangeStep& step);

// The path as the system resolves it: "/" as "\", "." and ".." segments
// and doubled backslashes gone, no trailing backslash but a drive root's
// ("C:\Games\bin\..\data\" is "C:\Games\data"). A relative path stays relative.
std::string NormalFolder(const std::string& path);

// True when two folders are one by their normal paths, compared under `fold`
// (letter case aside, as the file system matches names): a plan is never
// followed into another folder.
bool IsSameFolder(const std::string& first, const std::string& second,
                  const std::function<std::string(const std::string&)>& fold);
