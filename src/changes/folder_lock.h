// The one lock of the mod folder, shared by every copy of the tool: every
// change that must be whole or not at all (a switch, an update, a restore,
// putting a change cut off in order) and the problem search, while its
// dialog shows, hold it. A named mutex really owned: created, waited for (not
// at all: a change never waits for another), released, and its handle closed
// by a copy that was refused, so that a later copy is refused only while the
// holder holds it. The holder says what it is doing, so that a refused change
// can tell the player.
#pragma once

#include <windows.h>

extern const wchar_t kFolderLockName[];
// The shared word where the holder says what it does (FolderWork).
extern const wchar_t kFolderHolderName[];

// What the holder of the lock is doing.
enum class FolderWork { Unknown, Switch, Update, Restore, Search, PutInOrder };

class FolderLock {
public:
    // Tries once. A copy that holds the lock already holds it again (the
    // search's switches, under the search's own hold).
    explicit FolderLock(FolderWork work);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool Held() const { return held_; }
    // When not held: what the copy that holds it is doing (Unknown when it
    // has not said yet).
    FolderWork Holder() const { return holder_; }

private:
    bool held_;
    FolderWork holder_;
};
