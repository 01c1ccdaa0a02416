// Listing a folder and testing for a path: the one way the program and its
// tests walk a folder's names.
#pragma once

#include <windows.h>

#include <string>

#include "shared/text_conversion.h"

// True when the platform can read the attributes of `path`.
bool DirectoryExists(const char* path);

// True when `path` is a folder: a mod folder replaced by a file is none.
bool FolderExists(const std::string& path);

// True when `path` names something under its own long name (letter case
// aside). On a volume with 8.3 names a path can also reach a file through that
// file's generated short name ("BETT~L2Q.TXT" for "Better Towns.txt"): then
// it is false.
bool IsOwnName(const std::string& path);

// The entry in code page `codePage`, when its names can be held there exactly
// and fit the ANSI find data; false otherwise. A short name that cannot is left
// empty. Where a code page has no character for a letter, the system would
// give a "best fit" that may be the name of another file ("Łódź" as "Lódz").
bool ExactNarrowEntry(const WIN32_FIND_DATAW& wide, UINT codePage, WIN32_FIND_DATAA& narrow);

// Calls visit(const WIN32_FIND_DATAA&) for every entry of `folder` that
// matches `pattern`, in the order the file system lists them, "." and ".."
// left out, and so are names that the process's code page cannot hold exactly.
// False when nothing could be listed (no such folder, or no match).
template <typename Visit>
bool ForEachEntry(const std::string& folder, const char* pattern, Visit visit)
{
    std::string base = folder;
    if (base.empty() || base.back() != '\\')
        base += '\\';
    base += pattern;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(ToWide(base, CP_ACP).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    UINT codePage = GetACP();
    WIN32_FIND_DATAA entry;
    do {
        const WCHAR* name = found.cFileName;
        bool dots = name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
        if (!dots && ExactNarrowEntry(found, codePage, entry))
            visit(entry);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}
