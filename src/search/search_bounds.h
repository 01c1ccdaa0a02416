// How many starts a problem search can still take: played out from its
// answers for each group of mods that could cause the problem. Pure logic
// with no platform headers, so it is also built and tested natively.
#pragma once

#include <cstddef>

#include "search/problem_search.h"

// The most starts the search can still take, the next one included, if
// exactly `together` of the suspects cause the problem, only when all of them
// are on, and the answers so far and to come are right; 0 when no such mods
// fit the answers so far, or the search has ended. It plays the rest of the
// search once for each group of `together` suspects that fits: N for one
// mod, N (N - 1) / 2 for two.
size_t MostStartsLeftIfTogether(const ProblemSearch& search, size_t together);
