// Whether this process may create, rename and remove files in a folder,
// learnt by doing so: a file of its own, which the system removes as its
// handle closes, also when the process is killed meanwhile.
#pragma once

#include <windows.h>

#include <string>

struct FolderWrite {
    bool told;       // false: the folder is missing, or the test could not tell
    bool mayChange;  // when told
    DWORD error;     // the system's reason when it may not
};

// The file is created new ("~qmm-write-test-<process>-<n>.tmp", hidden and
// temporary: no list shows it, the game never loads it, and no short name of
// it ends in .pak, .mod or .txt), on Windows renamed inside the folder as
// Enable renames, and gone when the handle closes. Never touches a file of
// another name.
FolderWrite TestFolderWrite(const std::string& folder);

// The beginning of every name the test gives its file.
extern const char kWriteTestPrefix[];
