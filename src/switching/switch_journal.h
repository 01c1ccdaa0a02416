// Where the journal of a switch lives (the unnamed value of the mod sets'
// registry key), the lock that tells a live switch from one cut off, and
// putting back what a journal names. Shows nothing itself.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "shared/named_lock.h"
#include "switching/journal_rules.h"

// The name of the lock a switch holds (a named mutex).
extern const char kSwitchLockName[];

// Held while a copy of the tool switches or puts a switch back: a second copy
// started meanwhile must not take the journal of a live switch for one that
// was cut off, nor start a switch of its own.
class SwitchLock : public NamedLock {
public:
    SwitchLock();
};

// Written and flushed in one call, so that a power cut after it finds it whole.
bool WriteSwitchJournal(const Journal& journal);
// Its strings as stored; empty when there is none.
std::vector<std::string> ReadSwitchJournal();
bool RemoveSwitchJournal();

// Called after each rename with the number made and to make.
typedef std::function<void(size_t done, size_t total)> RenameProgress;

struct PutBackReport {
    enum class Outcome { Nothing, Unreadable, FolderMissing, OtherFolder, PutBack };
    Outcome outcome = Outcome::Nothing;
    JournalKind kind = JournalKind::Switching;
    std::string folder;                // the journal's
    std::vector<std::string> putBack;  // archives put back, as they are named now
    std::vector<std::string> refused;  // entries no switch makes, left alone
    // Archives still to be put back, as they are named now: those that could
    // not be, or all that the journal names when its folder was not at hand.
    std::vector<std::string> owed;

    // True when nothing is left for later: the journal is gone.
    bool Settled() const;
};

// With the lock held: puts back, in `modFolder`, what the journal's switch
// did there and the folder bears out (CheckJournal). What could not be put
// back stays in the journal, alone; a journal of a folder that is missing or
// is not the mod folder is kept whole; one that cannot be read is removed.
PutBackReport PutBackJournal(const std::string& modFolder, const RenameProgress& progress);

// The player gives up a journal of `folder` that cannot be put back here (its
// folder missing, or not the mod folder): removed when it is still that one
// and no switch is live. Its mods stay as they are.
bool ForgetJournalOf(const std::string& folder);

// Renames `from` to `to` in `folder`, as Enable and Disable rename: never over
// a file.
bool RenameInFolder(const std::string& folder, const std::string& from, const std::string& to);
