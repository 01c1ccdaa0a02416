// The refresh of the lists when the player comes back, for the benchmark.
#pragma once

#include <string>

// With the main window showing `folder` (10,000 archives): a refresh with
// nothing changed, and with 10 archives renamed meanwhile, against the bare
// enumeration of the folder; false when one misses its target.
bool MeasureRefresh(const std::string& folder);
