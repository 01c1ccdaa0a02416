// The elevated part: the tool started as administrator with
// "--allow-changes FOLDER SID" gives that one account the right to change
// files in that one mod folder, shows no window and answers with its exit
// code (allow_request.h). It refuses any folder that is not a game's mod
// folder, and any SID that is not a user account's.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "access/allow_request.h"

// True when the command line asks for the elevated part; `exitCode` is then
// its answer, and the program ends with it. False for any other command line:
// the program starts as usual.
bool RunAllowChangesCommand(const wchar_t* commandLine, uint32_t& exitCode);

// The elevated part for a request already read (paths and SID in UTF-8).
uint32_t AllowChanges(const AllowRequest& request);

// What the elevated part would refuse in `folder` (UTF-8), asked without
// changing anything and without rights of an administrator, so that the tool
// started normally asks for no elevation it would refuse. A mod folder may be
// opened to an account when its path is a full path of a folder that is not
// a drive's or share's root, not the Windows folder or in it, not Program
// Files or Program Files (x86) itself (also where a link leads), and it holds
// one of the game's own archives (data.pak, ...) or has bin\H5_Game.exe beside it.
std::optional<AllowRefusal> RefusalOfFolder(const std::string& folder);
