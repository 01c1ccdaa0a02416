// The journal of a change in its home (journal_home.h): written whole before
// the first step, progress appended while the steps run, removed when the
// change is whole. A plan that earlier versions of the tool left in the
// registry is moved here when it is read.
#pragma once

#include <windows.h>

#include <memory>

#include "changes/journal_home.h"
#include "changes/journal_text.h"

// The journal left: the file's, else a form the registry holds (moved into
// the file). `unreadable` is set for one that is there but cannot be read;
// no plan then.
JournalRead ReadChangeJournal(bool& unreadable);
bool ChangeJournalLeft();
// The journal left removed: the file, or else the registry's form.
bool RemoveChangeJournal();

// The journal of a change while it runs.
class JournalWriter {
public:
    // Writes the plan whole, with no move begun; false, with the system's
    // reason, when it could not be written.
    bool Begin(const ChangePlan& plan, DWORD* error = nullptr);
    // Writes what is still owed over the plan of a change under way. False
    // when no progress can be appended; whatever plan was written stays.
    bool Rewrite(const ChangePlan& owed);
    // Goes on with the journal left, appending its progress.
    bool Resume();
    // No move from `moves` on was begun: flushed to disk when asked. False
    // when it could not be written: no move from there on may be begun.
    bool Reach(size_t moves, bool flush);
    // The first `moves` moves are made: written at once, not flushed (the
    // reach written before bounds what a power cut can lose).
    void Done(size_t moves);
    bool Remove();
    // Lets go of the file, which stays.
    void Close() { appender_.reset(); }

private:
    std::unique_ptr<HomeFileAppender> appender_;
};
