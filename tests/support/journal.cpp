#include "journal.h"

#include "changes/change_journal.h"
#include "changes/journal_home.h"
#include "shared/registry_strings.h"

void StoreChangeJournal(const ChangePlan& plan, size_t doneMoves, size_t reachedMoves)
{
    WriteHomeFile(kChangeJournalFile, PlanText(plan) + ReachLine(reachedMoves) + DoneLine(doneMoves));
}

std::optional<ChangePlan> StoredChangePlan()
{
    std::optional<std::string> text = ReadHomeFile(kChangeJournalFile);
    return text ? ReadJournalText(*text).plan : std::nullopt;
}

std::string StoredJournalText()
{
    return ReadHomeFile(kChangeJournalFile).value_or("");
}

void ClearJournalHome()
{
    RemoveHomeFile(kChangeJournalFile);
    RemoveHomeFile(kProblemSearchFile);
}

void StoreLegacyVersionJournal(const std::vector<std::string>& strings, size_t stepsDone)
{
    const char key[] = "Software\\RozUrovere\\Updates";
    WriteUserStrings(key, L"Plan", strings, false);
    HKEY opened = OpenUserKey(key, true);
    DWORD done = static_cast<DWORD>(stepsDone);
    RegSetValueExW(opened, L"Done", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&done), sizeof done);
    RegCloseKey(opened);
}

FolderHeldElsewhere::FolderHeldElsewhere(FolderWork work) : work_(work)
{
    ready_ = CreateEventW(NULL, TRUE, FALSE, NULL);
    release_ = CreateEventW(NULL, TRUE, FALSE, NULL);
    thread_ = CreateThread(NULL, 0, &FolderHeldElsewhere::Hold, this, 0, NULL);
    WaitForSingleObject(ready_, 10000);
}

FolderHeldElsewhere::~FolderHeldElsewhere()
{
    SetEvent(release_);
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
    CloseHandle(ready_);
    CloseHandle(release_);
}

DWORD WINAPI FolderHeldElsewhere::Hold(void* self)
{
    auto* holder = static_cast<FolderHeldElsewhere*>(self);
    HANDLE mutex = CreateMutexW(NULL, FALSE, kFolderLockName);
    HANDLE mapping =
        CreateFileMappingW(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(LONG), kFolderHolderName);
    auto* word = static_cast<LONG*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
    DWORD waited = WaitForSingleObject(mutex, 0);
    holder->held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (holder->held_ && word)
        InterlockedExchange(word, static_cast<LONG>(holder->work_));
    SetEvent(holder->ready_);
    WaitForSingleObject(holder->release_, INFINITE);
    if (holder->held_) {
        if (word)
            InterlockedExchange(word, 0);
        ReleaseMutex(mutex);
    }
    if (word)
        UnmapViewOfFile(word);
    CloseHandle(mapping);
    CloseHandle(mutex);
    return 0;
}
