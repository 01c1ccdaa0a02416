#include "changes/folder_lock.h"

const wchar_t kFolderLockName[] = L"QuillmoorModManager mod folder";
const wchar_t kFolderHolderName[] = L"QuillmoorModManager mod folder holder";

namespace {

// This copy's hold: the mutex owned once, however many locks share it, and
// the shared word where it says what it does.
HANDLE mutex = NULL;
HANDLE holderMapping = NULL;
LONG* holderWord = nullptr;
int depth = 0;

LONG* HolderWord()
{
    if (!holderWord) {
        holderMapping =
            CreateFileMappingW(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(LONG), kFolderHolderName);
        if (holderMapping)
            holderWord = static_cast<LONG*>(MapViewOfFile(holderMapping, FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
    }
    return holderWord;
}

}  // namespace

FolderLock::FolderLock(FolderWork work) : held_(false), holder_(FolderWork::Unknown)
{
    if (depth > 0) {
        held_ = true;
        ++depth;
        return;
    }
    HANDLE lock = CreateMutexW(NULL, FALSE, kFolderLockName);
    DWORD waited = lock ? WaitForSingleObject(lock, 0) : WAIT_FAILED;
    // An owner that ended without letting go leaves the lock to the next.
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        if (LONG* word = HolderWord())
            holder_ = static_cast<FolderWork>(InterlockedCompareExchange(word, 0, 0));
        if (lock)
            CloseHandle(lock);
        return;
    }
    mutex = lock;
    held_ = true;
    depth = 1;
    if (LONG* word = HolderWord())
        InterlockedExchange(word, static_cast<LONG>(work));
}

FolderLock::~FolderLock()
{
    if (!held_ || --depth > 0)
        return;
    if (LONG* word = HolderWord())
        InterlockedExchange(word, static_cast<LONG>(FolderWork::Unknown));
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    mutex = NULL;
}
