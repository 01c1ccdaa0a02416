// Faults that only the Unix side can make: a folder nobody may change
// (chattr +i, root only). Wine starts Unix programs but does not report when
// they end, so each change is confirmed by probing the folder, with a bound.
#pragma once

#include <string>

// The Unix path of a Windows path under Wine, or "" elsewhere.
std::string UnixPath(const std::string& windowsPath);

// True when the test run may change file attributes (set by ctest for root).
bool CanMakeFoldersImmutable();

// Makes the folder refuse, or accept again, new entries, renames and
// deletions; false when that did not take effect within 5 s.
bool SetFolderImmutable(const std::string& folder, bool immutable);
