// The mod folder's write test's share of start-up, for the benchmark.
#pragma once

#include <string>

// Times start-up with the write test against the same start-up without it
// (its posted test left unhandled), side by side, in the folder of 10,000
// archives and in one of 200; prints both and their ratio; false when one
// misses its target (1.05).
bool MeasureFolderAccessCheck(const std::string& folder10000);
