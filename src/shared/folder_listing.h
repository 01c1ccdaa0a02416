// Listing a folder and testing for a path: the one way the program and its
// tests walk a folder's names.
#pragma once

#include <windows.h>

#include <string>

// True when the platform can read the attributes of `path`.
bool DirectoryExists(const char* path);

// Calls visit(const WIN32_FIND_DATAA&) for every entry of `folder` that
// matches `pattern`, in the order the file system lists them, "." and ".."
// left out. False when nothing could be listed (no such folder, or no match).
template <typename Visit>
bool ForEachEntry(const std::string& folder, const char* pattern, Visit visit)
{
    std::string base = folder;
    if (base.empty() || base.back() != '\\')
        base += '\\';
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((base + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        const char* name = found.cFileName;
        bool dots = name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
        if (!dots)
            visit(found);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}
