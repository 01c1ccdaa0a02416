#include "shared/file_copy.h"

#include <cstring>
#include <vector>

#include "shared/text_conversion.h"

namespace {

const DWORD kBlock = 1 << 20;

HANDLE OpenToCompare(const std::string& path)
{
    return CreateFileW(ToWide(path, CP_ACP).c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                       FILE_FLAG_SEQUENTIAL_SCAN, NULL);
}

// One file reached by two names (or twice by one): nothing to read.
bool OneFile(HANDLE first, HANDLE second)
{
    BY_HANDLE_FILE_INFORMATION a, b;
    return GetFileInformationByHandle(first, &a) && GetFileInformationByHandle(second, &b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow && (a.nFileIndexHigh || a.nFileIndexLow);
}

CompareOutcome CompareOpen(HANDLE first, HANDLE second, CopyProgress progress, void* context)
{
    LARGE_INTEGER sizeA, sizeB;
    if (!GetFileSizeEx(first, &sizeA) || !GetFileSizeEx(second, &sizeB) || sizeA.QuadPart != sizeB.QuadPart)
        return CompareOutcome::Different;
    if (OneFile(first, second))
        return CompareOutcome::Same;
    std::vector<char> blockA(kBlock), blockB(kBlock);
    ULONGLONG done = 0, total = static_cast<ULONGLONG>(sizeA.QuadPart);
    for (;;) {
        DWORD gotA = 0, gotB = 0;
        if (!ReadFile(first, blockA.data(), kBlock, &gotA, NULL) ||
            !ReadFile(second, blockB.data(), kBlock, &gotB, NULL) || gotA != gotB ||
            std::memcmp(blockA.data(), blockB.data(), gotA) != 0)
            return CompareOutcome::Different;
        if (gotA == 0)
            return done == total ? CompareOutcome::Same : CompareOutcome::Different;
        done += gotA;
        if (progress && !progress(done, total, context))
            return CompareOutcome::Cancelled;
    }
}

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

CompareOutcome CompareWithProgress(const std::string& first, const std::string& second, CopyProgress progress,
                                   void* context)
{
    HANDLE a = OpenToCompare(first), b = OpenToCompare(second);
    CompareOutcome outcome = a != INVALID_HANDLE_VALUE && b != INVALID_HANDLE_VALUE
                                 ? CompareOpen(a, b, progress, context)
                                 : CompareOutcome::Different;
    if (a != INVALID_HANDLE_VALUE)
        CloseHandle(a);
    if (b != INVALID_HANDLE_VALUE)
        CloseHandle(b);
    return outcome;
}
