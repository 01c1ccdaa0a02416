// Why the mod folder refuses changes, as far as the system can tell: the
// facts behind the rules of access_rules.h, read from the system, and the
// sentence that tells the player.
#pragma once

#include <windows.h>

#include <string>

#include "access/access_rules.h"

// The Windows folder and the program folders (Program Files and Program Files
// (x86), of a 64-bit system also for a 32-bit program), in normal form in
// `codePage`.
SystemFolders TheSystemFolders(UINT codePage);

// Windows Security's controlled folder access blocks changes (its setting is 1).
bool ControlledFolderAccessOn();

struct WriteCauseText {
    std::string sentence;  // in the player's language, for the notice's "%2"
    bool offerAllow;       // an entry for the player's account can open the folder
};

// Why the write test of `folder` (in the process code page) failed with `error`.
WriteCauseText DescribeWriteFailure(const std::string& folder, DWORD error);
