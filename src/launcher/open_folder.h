// "Open Mod Folder": Explorer shows the mod folder.
#pragma once

#include <string>

// With `archive` (a full path) selected in it, or the folder alone when it is
// empty. A missing folder gets the directory error, a failed start a warning.
void OpenModFolder(const std::string& archive);
