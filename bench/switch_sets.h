// The switch of a mod set, for the benchmark.
#pragma once

// Times a switch of 1,000 archives, journal and rebuild of the lists
// included, against 1,000 bare renames of the same files; false when it
// misses its target.
bool MeasureSetSwitch();

// With the main window showing a folder of 10,000 archives and 100 sets
// saved: the time until the "Mod Sets" dialog and the lists' menu are open.
bool MeasureOpening();
