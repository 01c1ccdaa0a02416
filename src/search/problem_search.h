// The search for the mod behind a problem: which mods to turn on for the next
// start of the game, from the player's answers so far, and what the answers
// show at the end. Pure logic with no platform headers, so it is also built
// and tested natively.
//
// The suspects are the mods on when the search starts; the mods kept on are
// on at every start and never suspects. The player comes with a problem that
// shows with every suspect on: that report counts as the first answer, "all
// suspects on: shows". Each start turns some suspects on (the others off) and
// the player answers whether the problem shows.
//
// How the search goes:
// 1. The first check: every suspect off. When the problem shows even then, the
//    search ends: it does not come from these mods.
// 2. Halving: of a set of suspects known to show the problem, the first half
//    (the larger one) is tried. If it shows, the search goes on in it; if not,
//    the second half is taken to show it without a start, since the whole did.
// 3. When halving ends on one mod that was only taken to show it, that mod is
//    tried alone. It shows: that mod is the culprit. It does not: no one mod
//    causes the problem alone, and the search drops what it took without a
//    start and goes on from the last set seen showing the problem (or every
//    suspect) by delta debugging: it tries the set without one of its parts,
//    then each part alone, and splits the set into more and smaller parts
//    when none shows it, until no single mod can be left out. The result was
//    seen showing the problem, and with any one of its mods left out, it did
//    not: mods that cause it only together, none of them to spare.
// Answers already given are used again: no set of mods is tried twice.
//
// The answers disagree when one set of mods got two different answers, the
// player's first report included: so when every suspect on, tried again, does
// not show the problem. The search tries every suspect on again before it
// names them all as the culprits, or splits them finer than in halves (where
// delta debugging would otherwise try every part of a problem that shows with
// none of them): a problem that is gone with every part ends there.
//
// The number of starts, the first check included: one culprit among N
// suspects takes at most ceil(log2 N) + 1 when the last halving start showed
// the problem, and one more when it did not (the culprit, left over, tried
// alone): at most ceil(log2 N) + 2. No search that sees a culprit show the
// problem alone before naming it can do with fewer. Two mods that cause the
// problem only together take at most 7 ceil(log2 N) - 1 starts (measured for
// every pair among 2 to 24 suspects, and among 32, 48 and 64: 39 at most for
// 64); three or more take more. A problem gone with every part ends after
// ceil(log2 N) + 4 starts at most.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct SearchAnswer {
    std::vector<bool> on;  // one flag per suspect: on at that start
    bool shows;            // the problem showed
};

struct ProblemSearch {
    std::vector<std::string> startState;  // the caller's own, kept as given (see search_record.h)
    std::vector<std::string> keptOn;      // display names of the mods kept on
    std::vector<std::string> suspects;    // display names of the mods on at the start, in order
    std::vector<SearchAnswer> answers;    // in the order given
};

enum class StepKind {
    Test,              // start the game with `on`, then answer
    Culprits,          // the problem comes with `culprits` (one mod, or mods only together)
    ShowsWithoutMods,  // the first check, every suspect off, showed the problem
    AnswersDisagree,
};

struct SearchStep {
    StepKind kind = StepKind::Test;
    // Test: one flag per suspect, true for those to turn on; the mods kept on
    // are on besides.
    std::vector<bool> on;
    // Test: the number of this start, counting from 1 (the first check).
    size_t number = 0;
    // Test: the most starts the search can still take, this one included,
    // when one mod alone causes the problem and the answers are right. When
    // mods cause it only together, the search takes more starts than this;
    // once the answers have shown that no one mod causes it alone, it is 0
    // (MostStartsLeftIfTogether then gives a bound for two mods).
    size_t mostStartsLeftIfOneMod = 0;
    // Culprits: their display names, in the suspects' order.
    std::vector<std::string> culprits;
};

// The next step from the answers so far: replays the search with them, so
// it depends on nothing else, and a search stopped and taken up again goes on
// exactly as it would have. Answers are looked up by the mods that were on;
// one whose flags do not match the suspects in number is ignored.
SearchStep NextStep(const ProblemSearch& search);

// Adds the answer to the test NextStep asks for; false, adding nothing, when
// the search has ended.
bool RecordAnswer(ProblemSearch& search, bool shows);

// The most starts the search can still take, the next one included, if
// exactly `together` of the suspects cause the problem, only when all of them
// are on, and the answers so far and to come are right; 0 when no such mods
// fit the answers so far, or the search has ended. It plays the rest of the
// search once for each group of `together` suspects that fits: N for one
// mod, N (N - 1) / 2 for two.
size_t MostStartsLeftIfTogether(const ProblemSearch& search, size_t together);

// True when every answer is to the test the search asked at its point, in
// order, and none comes after its end: a search built by RecordAnswer.
bool AnswersFollowTheSearch(const ProblemSearch& search);

// The display names of the mods to have on for `on`: the mods kept on, then
// the suspects flagged, in order.
std::vector<std::string> ModsOnAt(const ProblemSearch& search, const std::vector<bool>& on);
