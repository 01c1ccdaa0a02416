#include "shared/folder_listing.h"

bool DirectoryExists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool FolderExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsOwnName(const std::string& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(ToWide(path, CP_ACP).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    size_t slash = path.find_last_of('\\');
    return FoldCase(path.substr(slash == std::string::npos ? 0 : slash + 1)) ==
           FoldCase(FromWide(found.cFileName, CP_ACP));
}

namespace {

// False when `wide` has no exact form in the code page that fits `size` bytes
// with its terminating zero.
bool ExactNarrow(const WCHAR* wide, UINT codePage, char* narrow, int size)
{
    BOOL usedDefault = FALSE;
    // UTF-8 holds every character; only a stray surrogate has no form there.
    DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL* defaultUsed = codePage == CP_UTF8 ? NULL : &usedDefault;
    int written = WideCharToMultiByte(codePage, flags, wide, -1, narrow, size, NULL, defaultUsed);
    return written > 0 && !usedDefault;
}

}  // namespace

bool ExactNarrowEntry(const WIN32_FIND_DATAW& wide, UINT codePage, WIN32_FIND_DATAA& narrow)
{
    narrow.dwFileAttributes = wide.dwFileAttributes;
    narrow.ftCreationTime = wide.ftCreationTime;
    narrow.ftLastAccessTime = wide.ftLastAccessTime;
    narrow.ftLastWriteTime = wide.ftLastWriteTime;
    narrow.nFileSizeHigh = wide.nFileSizeHigh;
    narrow.nFileSizeLow = wide.nFileSizeLow;
    narrow.dwReserved0 = wide.dwReserved0;
    narrow.dwReserved1 = wide.dwReserved1;
    if (!ExactNarrow(wide.cFileName, codePage, narrow.cFileName, sizeof narrow.cFileName))
        return false;
    if (!ExactNarrow(wide.cAlternateFileName, codePage, narrow.cAlternateFileName,
                     sizeof narrow.cAlternateFileName))
        narrow.cAlternateFileName[0] = '\0';
    return true;
}
