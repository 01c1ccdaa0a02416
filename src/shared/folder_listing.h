// Listing a folder and testing for a path: the one way the program and its
// tests walk a folder's names, and the one way each asks what is at a path.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "shared/text_conversion.h"

// True when anything is at `path`, a file or a folder.
bool PathExists(const std::string& path);

// True when `path` is a folder: a mod folder replaced by a file is none.
bool FolderExists(const std::string& path);

// True when `path` is a file, not a folder.
bool FileExists(const std::string& path);

// True when the program runs under Wine rather than on Windows.
bool UnderWine();

// False for a new name that the file system would not keep whole. Windows
// keeps every name of up to 255 UTF-16 units; Wine cuts a name it creates or
// renames to at 255 bytes of UTF-8 (the limit of Linux's own file systems),
// even on a volume that holds longer names: "<87 Chinese characters>.pak"
// would lose its extension and more.
bool NameKeptWhole(const std::string& name);

// True when `path` names something under its own long name (letter case
// aside). On a volume with 8.3 names a path can also reach a file through that
// file's generated short name ("BETT~L2Q.TXT" for "Better Towns.txt"): then
// it is false.
bool IsOwnName(const std::string& path);

// What lies at a name that a file is copied under before it gets its own.
enum class TemporarySpot {
    Free,      // nothing
    Leftover,  // a file under that very name: a copy that was cut off, the tool's own to replace
    Taken,     // the name reaches another file through its short name: not the tool's
    InTheWay,  // a folder or a read-only file, which cannot be replaced
};
TemporarySpot WhatLiesAt(const std::string& temporary);

// One name of a folder, in the process's code page, of any length the file
// system allows (a name of 255 UTF-16 units takes up to 765 bytes in UTF-8).
struct FolderEntry {
    std::string name;
    std::string shortName;  // its generated 8.3 name, or "" (none, or not exact in the code page)
    DWORD attributes = 0;
    uint64_t size = 0;
};

// The entry in code page `codePage`, when its name can be held there exactly;
// false otherwise. A short name that cannot is left empty. Where a code page
// has no character for a letter, the system would give a "best fit" that may
// be the name of another file ("Łódź" as "Lódz").
bool ExactEntry(const WIN32_FIND_DATAW& wide, UINT codePage, FolderEntry& entry);

// Calls visit(const FolderEntry&) for every entry of `folder` that matches
// `pattern`, in the order the file system lists them, "." and ".." left out,
// and so are names that the process's code page cannot hold exactly.
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
    FolderEntry entry;  // one for all, so that its strings keep their room
    do {
        const WCHAR* name = found.cFileName;
        bool dots = name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
        if (!dots && ExactEntry(found, codePage, entry))
            visit(static_cast<const FolderEntry&>(entry));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}
