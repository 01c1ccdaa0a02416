// A mod's versions as pure logic: the names its current and previous versions
// and their copies in progress have, the steps that update or restore it, how
// far such steps got when they were cut off, and their journal. No platform
// headers, so it is also built and tested natively.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The files of one mod in its folder, by name. The previous version's names
// end neither in .pak, .mod nor .txt, and their extension does not begin
// with "pak" either, so that no generated short name ("BETTER~1.PRE") is
// matched by the game's *.pak: the game never loads them and the lists never
// show them. They do not depend on the mod's state, so a mod keeps its
// previous version when it is enabled or disabled. An older previous version
// that an update gives up is moved into a folder of its own first, so that
// its two files go to the Recycle Bin as one item, with one question where
// the drive has no Recycle Bin: both go, or neither.
struct VersionNames {
    std::string archive;               // "Better Towns.pak" (or .mod)
    std::string description;           // "Better Towns.txt"
    std::string previousArchive;       // "Better Towns.previous"
    std::string previousDescription;   // "Better Towns.previous-txt"
    std::string archiveTemporary;      // "Better Towns.pa~": the copy in progress, as adding has it
    std::string descriptionTemporary;  // "Better Towns.tx~"
    std::string olderFolder;           // "Better Towns.older"
    std::string olderArchive;          // "Better Towns.older\previous"
    std::string olderDescription;      // "Better Towns.older\previous-txt"
};

VersionNames NamesOfVersions(const std::string& archive);

// One call on the folder. Recycle: `first` (a file, or a folder with what it
// holds) to the Recycle Bin. Rename: `first` to `second`, never over a file.
// Replace: `second` takes the name `first`, whose file is kept under `third`,
// in one call of the platform's.
enum class VersionStepKind { Recycle, Rename, Replace };
struct VersionStep {
    VersionStepKind kind;
    std::string first, second, third;
};

// What is in the folder before an update or a restore, besides the archive.
struct VersionFiles {
    bool description = false;
    bool previousArchive = false;
    bool previousDescription = false;
};

// An update whose new archive (and description, when `newDescription`) has
// been copied whole under the temporary names: an older previous version is
// moved into its folder (made empty beforehand), archive before description;
// then the archive and the description each take the new file and keep the
// installed one as the previous version; only then does the older version's
// folder go to the Recycle Bin. A failure before that last step is undone
// with no file given up. A description that stays (none came) has been
// copied to its temporary name too, so that both versions have it.
std::vector<VersionStep> UpdateSteps(const VersionNames& names, const VersionFiles& files, bool newDescription);

// A restore: the previous version and the current one change places, the
// archive first, then the description (or only one of the two descriptions
// moves, when the other version has none).
std::vector<VersionStep> RestoreSteps(const VersionNames& names, const VersionFiles& files);

// The renames that make up a step, in the order they happen; `to` is empty for
// a file that goes to the Recycle Bin.
struct NameMove {
    std::string from, to;
};
std::vector<NameMove> MovesOf(const VersionStep& step);

// How many moves of the steps had been made, judged from the names the folder
// holds (`present`, without regard to case), when `stepsDone` steps were
// recorded as done: the step in flight may have made none, some or all of its
// moves. When the folder matches no point of that step, it is compared with
// every point of the steps, and the one point it matches is taken; nullopt
// when it matches none, or more than one. `present` is also asked about the
// names inside the older version's folder; they go with the folder.
std::optional<size_t> MovesMade(const std::vector<VersionStep>& steps, size_t stepsDone,
                                const std::function<bool(const std::string&)>& present);

// The moves that finish the steps from `made`; and the renames that undo the
// first `made` moves, latest first (what went to the Recycle Bin stays there).
std::vector<NameMove> MovesToFinish(const std::vector<VersionStep>& steps, size_t made);
std::vector<NameMove> MovesToUndo(const std::vector<VersionStep>& steps, size_t made);

// What the first `made` moves sent to the Recycle Bin, which an undo leaves
// there. (Only updates journalled by earlier versions of the tool gave up the
// older version before their replace, and so before a point they are undone
// from.)
std::vector<std::string> RecycledAmong(const std::vector<VersionStep>& steps, size_t made);

// The names the steps give files, each once: the names that must fit the
// folder before anything is copied.
std::vector<std::string> NamesGiven(const std::vector<VersionStep>& steps);

// The steps wholly done once `made` moves are.
size_t StepsDone(const std::vector<VersionStep>& steps, size_t made);

// The journal of an update or a restore, kept while its steps run: the folder,
// the mod's archive and the steps, as the strings of one registry value. Read
// back only when whole and when every name in it is one of that mod's.
enum class VersionChange { Update, Restore };
struct VersionJournal {
    VersionChange change;
    std::string folder;
    std::string archive;
    std::vector<VersionStep> steps;
};

std::vector<std::string> VersionJournalStrings(const VersionJournal& journal);
std::optional<VersionJournal> ReadVersionJournal(const std::vector<std::string>& strings);
