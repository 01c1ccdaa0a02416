// Files dropped on the main window, as the shell delivers them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A DROPFILES block in global memory with the names in the ANSI code page,
// which the window frees.
HGLOBAL DropOf(const std::vector<std::string>& paths);

// Sends the drop to the main window; it returns when the drop is handled.
void DropFiles(const std::vector<std::string>& paths);
