// The rules of the mod folder's access, as pure string logic: which folders
// the elevated part may open to an account, and which cause a failed write
// test is told with. Paths are compared with ASCII letters folded, as the
// system's own folders are named in ASCII.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "access/allow_request.h"

// A full path in one form: "C:\Games\data" (the drive letter in capitals) or
// "\\server\share\data", "/" read as "\", no backslash at the end but for a
// drive's root ("C:\"). Nothing for a path that is relative, only rooted
// ("\data", "C:data"), a device or long-path form ("\\?\", "\\.\"), or holds
// "." or ".." steps, an empty step, a step ending in a dot or a space (the
// system would drop those and reach another name), or a character that no
// name may hold.
std::optional<std::string> NormalFolderPath(const std::string& path);

// The same for what the system gives as a handle's final path
// ("\\?\C:\Games\data", "\\?\UNC\server\share\data").
std::optional<std::string> NormalFinalPath(const std::string& finalPath);

// True for a drive's root ("C:\") and a share's ("\\server\share").
bool IsRootPath(const std::string& normal);

// True when `normal` is `folder` or a folder inside it.
bool IsSameOrInside(const std::string& normal, const std::string& folder);

// The system's own folders, in normal form.
struct SystemFolders {
    std::string windows;
    std::vector<std::string> programs;  // Program Files, Program Files (x86)
};

// The refusal a folder's path alone earns: a root, the Windows folder or a
// folder in it, a program folder itself. Whether it is a folder, and a game's,
// the elevated part asks the file system.
std::optional<AllowRefusal> PathRefusal(const std::string& normal, const SystemFolders& system);

// The program folder that holds `normal` (not the program folder itself), or "".
std::string ProgramFolderHolding(const std::string& normal, const SystemFolders& system);

// What is known about a folder that the write test found closed.
struct WriteFacts {
    uint32_t error;               // the system's error of the test
    bool readOnlyVolume;          // the volume says it is read-only
    bool inProgramFolder;         // inside Program Files or Program Files (x86)
    bool controlledFolderAccess;  // Windows Security's controlled folder access is on
    bool otherOwner;              // owned by another user account
};

enum class WriteCause { ReadOnlyVolume, ProgramFolder, ControlledFolderAccess, OtherOwner, System };

struct WriteCauseChoice {
    WriteCause cause;
    bool offerAllow;  // an entry for the player's account can open the folder
};

// A read-only volume (or the error that says so) first: no permission opens
// it. For a refused access, then, a program folder, controlled folder access
// (which blocks whatever the permissions say, so no entry is offered), a
// folder of another user, else the system's own reason. Another error is told
// as the system's reason, with no offer.
WriteCauseChoice ChooseWriteCause(const WriteFacts& facts);

// The system's error codes the choice knows.
const uint32_t kErrorAccessDenied = 5;
const uint32_t kErrorWriteProtect = 19;
const uint32_t kErrorNetworkAccessDenied = 65;
