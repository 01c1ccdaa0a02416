// Problem searches played to their end against a simulated player, for the
// native tests of the search and of its stored form.
#pragma once

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "search/problem_search.h"

// Whether the problem shows with these suspects on.
typedef std::function<bool(const std::vector<bool>& on)> Player;

// A player whose problem comes with `culprits` (suspects' indexes), only when
// all of them are on.
Player CausedBy(const std::vector<size_t>& culprits);

// A player whose problem comes with `culprit` only, and then shows at `percent`
// of the starts at random (of `random`, seeded by the caller).
Player ShowsAtRandom(size_t culprit, unsigned percent, std::mt19937& random);

// A search of `count` suspects named "Mod 0", "Mod 1", ..., one mod kept on.
ProblemSearch NewSearch(size_t count);

// The suspects' names for their indexes.
std::vector<std::string> SuspectNames(const std::vector<size_t>& indexes);

struct PlayedSearch {
    ProblemSearch search;           // with every answer
    std::vector<SearchStep> tests;  // the tests asked on the way, in order
    SearchStep end;                 // a Test when it took more than the starts allowed
    size_t doubted = 0;             // the checks that disagreed, the player going on
    bool askedTwice = false;        // some mods were tried twice
};

// Plays the search on from its answers so far, for at most `mostStarts` starts;
// with `goOn`, the player goes on when a check disagrees (it ends there
// otherwise). Mods tried twice in one round count as asked twice.
PlayedSearch Play(ProblemSearch search, const Player& player, size_t mostStarts, bool goOn = false);

// ceil(log2 n), 0 for n <= 1.
size_t CeilLog2(size_t n);
