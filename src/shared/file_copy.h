// Copying, or comparing, files block by block, with a word after every block:
// whether to go on. (The system's copy with a progress routine does not call the routine
// under Wine, where players on Linux run the tool.)
#pragma once

#include <windows.h>

#include <string>

enum class CopyOutcome { Copied, Failed, Cancelled };

// Called after each block with the bytes copied so far and the file's size;
// returns false to cancel.
typedef bool (*CopyProgress)(ULONGLONG done, ULONGLONG total, void* context);

// Copies `source` to `destination`, replacing a file there, and gives the copy
// the source's times. A copy that fails or is cancelled is removed.
CopyOutcome CopyWithProgress(const std::string& source, const std::string& destination, CopyProgress progress,
                             void* context);

enum class CompareOutcome { Same, Different, Cancelled };

// Whether the two files have the same size and bytes (or are one file), read
// block by block with the same word after each block as a copy. A file that
// cannot be read is different.
CompareOutcome CompareWithProgress(const std::string& first, const std::string& second, CopyProgress progress,
                                   void* context);
