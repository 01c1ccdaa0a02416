// The one change the elevated part makes: an entry in the mod folder's
// permissions that lets one account create, rename, write and remove files
// there, inherited by the files made in it from then on.
#pragma once

#include <windows.h>

#include <vector>

// Read, write and append, attributes, and the folder's own "add file",
// "add subfolder" and "delete child": what a copy, a rename and a removal of
// a file in it need. The folder itself cannot be deleted or renamed with it
// (no DELETE), nor its permissions changed (no WRITE_DAC).
const DWORD kModFolderRights = FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_DELETE_CHILD;

struct AllowedDescriptor {
    bool made;                     // false: the descriptor could not be read or built
    bool changed;                  // false: the account has that entry already, or the folder has no DACL
    std::vector<BYTE> descriptor;  // self-relative: owner, group and DACL; when changed
};

// The folder's descriptor with one access-allowed entry more, for `account`:
// kModFolderRights, OBJECT_INHERIT_ACE (this folder and its files), placed
// after the folder's own entries and before the inherited ones, as the
// system orders them. Owner, group, the other entries and the DACL's
// protection and inheritance flags stay as they are.
AllowedDescriptor WithChangesAllowedFor(PSECURITY_DESCRIPTOR current, PSID account);

// Makes that change on the open folder (READ_CONTROL and WRITE_DAC): only its
// DACL is written, nothing is passed on to what it holds, nothing else is
// touched. ERROR_SUCCESS, or the system's error.
DWORD AllowChangesOn(HANDLE folder, PSID account);
