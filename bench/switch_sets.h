// The switch of a mod set, for the benchmark.
#pragma once

#include <string>

// Times a switch of 1,000 archives, journal and rebuild of the lists
// included, against 1,000 bare renames of the same files; false when it
// misses its target.
bool MeasureSetSwitch();

// The same for every archive of a folder of 10,000, each switched to its
// other state by bare renames and back by the switch.
bool MeasureLargeSwitch(const std::string& folder);

// With the main window showing a folder of 10,000 archives and 100 sets
// saved: the time until the "Mod Sets" dialog and the lists' menu are open.
bool MeasureOpening();
