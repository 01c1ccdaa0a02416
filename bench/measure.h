// Timing for the benchmark: each measurement runs a candidate side by side
// with its baseline, alternately, in one run, and is quoted as a ratio.
#pragma once

#include <functional>
#include <string>

const int kRounds = 7;

// Milliseconds from an arbitrary start.
double Now();

// Runs the two alternately, `rounds` times each, and gives their median times in ms.
void Measure(const std::function<void()>& baseline, const std::function<void()>& candidate, double& baselineMs,
             double& candidateMs, int rounds = kRounds);

// The main window created as the program creates it; false when it could not be.
bool OpenMainWindow();
// Destroyed again, its quit message taken back and its class unregistered, so
// that the next measurement starts as a new process would.
void CloseMainWindow();

// The baseline of folder listings: the bare ANSI enumeration of every name,
// on purpose without the listing helper's checks, which are part of what is
// measured. Gives the number of names.
int EnumerateNames(const std::string& folder);

// Prints the ratio against its target; false when it missed.
bool Report(const char* what, double ratio, double target);
