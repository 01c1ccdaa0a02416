// The journal of a change of the mod folder and the lock of the folder, as
// tests set up what a cut-off change or another copy of the tool leaves.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "changes/folder_lock.h"
#include "changes/journal_text.h"

// Writes a journal of `plan` with its progress, as the tool leaves it.
void StoreChangeJournal(const ChangePlan& plan, size_t doneMoves, size_t reachedMoves);
// The journal left, when there is one that can be read.
std::optional<ChangePlan> StoredChangePlan();
// Its text as it is on disk ("" for none).
std::string StoredJournalText();
// The journal and the search's record removed.
void ClearJournalHome();

// As earlier versions of the tool kept an update's or a restore's plan: the
// Updates key's "Plan" and the steps done.
void StoreLegacyVersionJournal(const std::vector<std::string>& strings, size_t stepsDone);

// Another copy of the tool holding the mod folder's lock, saying what it
// does: a thread of the test owns the lock while this lives.
class FolderHeldElsewhere {
public:
    explicit FolderHeldElsewhere(FolderWork work);
    ~FolderHeldElsewhere();
    FolderHeldElsewhere(const FolderHeldElsewhere&) = delete;
    FolderHeldElsewhere& operator=(const FolderHeldElsewhere&) = delete;
    bool Held() const { return held_; }

private:
    static DWORD WINAPI Hold(void* self);
    FolderWork work_;
    HANDLE thread_ = NULL, ready_ = NULL, release_ = NULL;
    bool held_ = false;
};
