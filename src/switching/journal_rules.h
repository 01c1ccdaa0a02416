// The journal of a switch: the plan that a switch writes before its first
// rename, read back by the next start or the next switch when the switch that
// wrote it did not end. A journal is a claim, trusted only as far as a switch
// could have made it and the folder bears it out. Pure logic with no platform
// headers, so it is also built and tested natively.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "switching/switch_plan.h"

enum class JournalKind {
    Switching,  // a switch under way: cut off if its writer is gone
    Owed,       // what a failed switch could not put back at once
};

struct Journal {
    JournalKind kind = JournalKind::Switching;
    std::string folder;                // the mod folder the switch renamed in
    std::vector<std::string> renames;  // file names as they were before, in the order renamed
};

// The journal as the strings of one registry value, read back only when whole
// (the form that earlier versions wrote too, which holds a switch under way).
std::vector<std::string> JournalStrings(const Journal& journal);
std::optional<Journal> ReadJournal(const std::vector<std::string>& strings);

// True when the journal's folder is the mod folder, letter case and one
// trailing backslash aside: a journal is never followed into another folder.
bool IsJournalFolder(const std::string& journalFolder, const std::string& modFolder, const FoldName& fold);

struct PutBackStep {
    std::string from;  // the name the switch gave the archive
    std::string to;    // its name before the switch
};

struct JournalCheck {
    std::vector<PutBackStep> steps;    // in the reverse order of the switch's renames
    std::vector<std::string> refused;  // entries no switch could have made: left alone
};

// What putting the journal back may do in its folder: each rename it names
// is undone only when the name is one a switch renames, names no archive
// named before in the journal, and the folder shows the state the switch left
// (`present` says whether a name is in the folder, letter case aside: the
// name it was given is there and the name it had is not). An entry whose
// archive is as before, or was changed since, is passed over without a word.
JournalCheck CheckJournal(const Journal& journal, const std::function<bool(const std::string&)>& present,
                          const FoldName& fold);
