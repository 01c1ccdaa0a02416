#include "shared/file_copy.h"

#include <vector>

namespace {

const DWORD kBlock = 1 << 20;

}  // namespace

CopyOutcome CopyWithProgress(const std::string& source, const std::string& destination, CopyProgress progress,
                             void* context)
{
    // Shared for reading only, as the system's copy opens it: an archive that
    // the game holds open without sharing cannot be copied.
    HANDLE from = CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (from == INVALID_HANDLE_VALUE)
        return CopyOutcome::Failed;
    LARGE_INTEGER size;
    FILETIME created, accessed, written;
    if (!GetFileSizeEx(from, &size) || !GetFileTime(from, &created, &accessed, &written)) {
        CloseHandle(from);
        return CopyOutcome::Failed;
    }
    HANDLE to =
        CreateFileA(destination.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (to == INVALID_HANDLE_VALUE) {
        CloseHandle(from);
        return CopyOutcome::Failed;
    }

    CopyOutcome outcome = CopyOutcome::Copied;
    std::vector<char> block(kBlock);
    ULONGLONG done = 0, total = static_cast<ULONGLONG>(size.QuadPart);
    for (;;) {
        DWORD got = 0, put = 0;
        if (!ReadFile(from, block.data(), kBlock, &got, NULL)) {
            outcome = CopyOutcome::Failed;
            break;
        }
        if (got == 0)
            break;
        if (!WriteFile(to, block.data(), got, &put, NULL) || put != got) {
            outcome = CopyOutcome::Failed;  // a full disk, most often
            break;
        }
        done += got;
        if (progress && !progress(done, total, context)) {
            outcome = CopyOutcome::Cancelled;
            break;
        }
    }
    if (outcome == CopyOutcome::Copied && !SetFileTime(to, &created, &accessed, &written))
        outcome = CopyOutcome::Failed;
    // Closing flushes what the system still holds: it can fail on a full disk.
    if (!CloseHandle(to) && outcome == CopyOutcome::Copied)
        outcome = CopyOutcome::Failed;
    CloseHandle(from);
    if (outcome != CopyOutcome::Copied)
        DeleteFileA(destination.c_str());
    return outcome;
}
