// The update of a mod, for the benchmark.
#pragma once

#include <string>

// Times the update of an installed mod to `archive` (300 MB), the keeping of
// the previous version and the journal included, against CopyFileA of the
// same archive; false when it misses its target.
bool MeasureUpdate(const std::string& archive);
