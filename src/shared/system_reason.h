// Why a call on a file failed, as the system words it: the last line of every
// message that reports a failed rename, copy, replace or removal.
#pragma once

#include <windows.h>

#include <string>

// The system's text for `error` in the tool's language (in the system's
// default language where Windows has none in that one), without its line
// break, and its number: "Access is denied. (5)". In the process code page.
std::string SystemReasonLine(DWORD error);
