// "Open Mod Folder": Explorer shows the mod folder.
#pragma once

#include <string>

// With `archive` (a full path) selected in it, or the folder alone when it is
// empty; a failed start gets a warning. The router has checked that the
// folder is there.
void OpenModFolder(const std::string& archive);
