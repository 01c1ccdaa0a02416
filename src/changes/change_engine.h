// The one engine that changes the mod folder whole or not at all: it writes
// a change's plan to its journal before the first step, carries the steps
// out with their progress, undoes what it made when a step fails, and puts a
// change cut off (killed, crashed, power cut) in order: a switch is put back,
// an update or a restore is finished where it can be and undone where it
// cannot, what is owed is made. It shows nothing itself: the caller tells
// the player (change_view.h).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "changes/change_plan.h"
#include "changes/folder_lock.h"

enum class ChangeStage { PuttingBack, Changing, Finishing };

// After each rename: the stage, the renames made and to make in it.
typedef std::function<void(ChangeStage stage, size_t done, size_t total)> ChangeProgress;

// Copies the file at `source` whole to `target` (a path), with the caller's
// progress: ERROR_SUCCESS, ERROR_CANCELLED when the player cancelled, or the
// system's error.
typedef std::function<DWORD(const std::string& source, const std::string& target)> CopyIn;

struct ChangeOutcome {
    enum class Result {
        Done,
        Held,            // another copy of the tool holds the mod folder: nothing done
        EarlierPending,  // a journal of an earlier change is left: nothing done
        NotJournalled,   // the journal could not be written: nothing done
        Failed,          // a step failed; what was made before it is undone
        Cancelled,       // the player cancelled a copy; what was made is undone
        NotPutBack,      // failed, and not all of it could be undone yet: it is owed
    };
    Result result = Result::Done;
    FolderWork holder = FolderWork::Unknown;  // Held: what the other copy does
    std::string failed;                       // the file of the step that failed
    DWORD error = ERROR_SUCCESS;              // and the system's reason
    std::vector<std::string> owed;            // NotPutBack: not put back yet, as named now
};

// Carries the plan out in its folder, with the lock (taken here when the
// caller does not hold it already for `work`).
ChangeOutcome CarryOut(const ChangePlan& plan, FolderWork work, const ChangeProgress& progress,
                       const CopyIn& copyIn = CopyIn());

struct RecoveryReport {
    enum class Outcome {
        Nothing,        // no journal
        Unreadable,     // a journal that cannot be read: reported, then removed
        FolderMissing,  // its folder is not there: kept for a later start
        OtherFolder,    // its folder is not the mod folder: kept for when it is
        Changed,        // the folder was changed since: nothing done, removed
        PutBack,        // a switch put back, or what was owed made
        Finished,       // an update or a restore finished
        Undone,         // an update or a restore undone
    };
    Outcome outcome = Outcome::Nothing;
    ChangeKind kind = ChangeKind::Switch;
    ChangePhase phase = ChangePhase::Doing;
    std::string folder, mod;
    std::vector<std::string> putBack;       // files put back, as named now
    std::vector<std::string> owed;          // files still to put back (kept for later), as named now
    std::vector<std::string> refused;       // steps no change of the kind makes, left alone
    std::vector<std::string> inRecycleBin;  // files an update had sent there, not brought back
    DWORD error = ERROR_SUCCESS;            // why the first file owed was not put back

    // True when nothing is left for later: the journal is gone.
    bool Settled() const;
};

// True when a journal of a change waits.
bool JournalLeft();

// What the journal left holds.
enum class JournalState { None, CutOff, Owed, Unreadable };
JournalState WaitingJournal();

// Puts the journal left in order in `modFolder`; the caller holds the lock.
RecoveryReport PutInOrder(const std::string& modFolder, const ChangeProgress& progress);

// The player gives up a journal of `folder` that cannot be put in order here
// (its folder missing, or not the mod folder): removed when it is still that
// one and no other copy of the tool holds the lock. Its files stay as they are.
bool GiveUpJournalOf(const std::string& folder);

// Whether a name is in the folder now, letter case aside, from one listing.
std::function<bool(const std::string&)> NamesIn(const std::string& folder);
