// The game look-up's share of start-up, for the benchmark.
#pragma once

// Times start-up finding the game against start-up with the same folder
// stored, prints both and the difference; false when the look-up adds more
// than its target or the set-up could not be made.
bool MeasureGameLookUp();
