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
// 4. Before naming a result, the search checks it: with each of its mods left
//    out and every other suspect on, the problem must not show (the result
//    alone was seen showing it). When it shows, the problem does not show
//    every time (an answer "does not show" was wrong), or more than one mod
//    causes it; the player goes on or stops. Going on, the search takes the
//    suspects of that check, which showed the problem, and searches them
//    afresh as in 2 and 3 (without the first check), none of the answers
//    before it used again; that result is checked in turn.
// Within one round of the search, answers already given are used again: no
// set of mods is tried twice in it.
//
// The answers disagree when every suspect on, tried again, does not show the
// problem (the player's first report said it did). The search tries every
// suspect on again before it names them all as the culprits, or splits them
// finer than in halves (where delta debugging would otherwise try every part
// of a problem that shows with none of them): a problem that is gone with
// every part ends there.
//
// The number of starts, the first check and the check of the result
// included: one culprit among N suspects takes at most ceil(log2 N) + 2 when
// the last halving start showed the problem, and one more when it did not
// (the culprit, left over, tried alone): at most ceil(log2 N) + 3 (among one
// or two suspects, the check is a start made already: ceil(log2 N) + 2). Two
// mods that cause the problem only together take at most 7 ceil(log2 N) + 1
// starts (measured for every pair among 2 to 24 suspects, and among 32, 48
// and 64: 41 at most for 64); three or more take more. A problem gone with
// every part ends after ceil(log2 N) + 4 starts at most.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
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
    // The check of a result (`culprits`) showed the problem with
    // `shownWithout` off: the player goes on with the test `on` or stops.
    NotEveryTime,
};

struct SearchStep {
    StepKind kind = StepKind::Test;
    // Test, NotEveryTime: one flag per suspect, true for those to turn on; the
    // mods kept on are on besides.
    std::vector<bool> on;
    // Test, NotEveryTime: the number of this start, counting from 1 (the first
    // check).
    size_t number = 0;
    // Test: the most starts the search can still take, this one included,
    // when one mod alone causes the problem and the answers are right. When
    // mods cause it only together, the search takes more starts than this;
    // once the answers have shown that no one mod causes it alone, it is 0
    // (MostStartsLeftIfTogether then gives a bound for two mods), and so it is
    // after a check disagreed.
    size_t mostStartsLeftIfOneMod = 0;
    // Culprits, NotEveryTime: their display names, in the suspects' order.
    std::vector<std::string> culprits;
    std::string shownWithout;  // NotEveryTime: a display name
};

// The next step from the answers so far: replays the search with them, so
// it depends on nothing else, and a search stopped and taken up again goes on
// exactly as it would have. Answers are taken in order, each for the test
// the search asked at its point; from the first that is not (a search that
// CheckSearch refuses), none is used.
SearchStep NextStep(const ProblemSearch& search);

// Adds the answer to the test NextStep asks for (after NotEveryTime, the
// player goes on); false, adding nothing, when the search has ended.
bool RecordAnswer(ProblemSearch& search, bool shows);

// Answers to the tests after those of the search: whether the problem shows
// with these suspects on, or nothing to stop there.
typedef std::function<std::optional<bool>(const std::vector<bool>& on)> MoreAnswers;

struct PlayedOn {
    SearchStep step;   // where it stopped, or its end
    size_t given = 0;  // the search's own answers taken
    size_t more = 0;   // answers taken from `more`
};

// The search replayed from its answers as NextStep does, then played on with
// `more` (which goes on after NotEveryTime).
PlayedOn PlaySearchOn(const ProblemSearch& search, const MoreAnswers& more);

// True when every answer is to the test the search asked at its point, in
// order, and none comes after its end: a search built by RecordAnswer.
bool AnswersFollowTheSearch(const ProblemSearch& search);

// The display names of the mods to have on for `on`: the mods kept on, then
// the suspects flagged, in order.
std::vector<std::string> ModsOnAt(const ProblemSearch& search, const std::vector<bool>& on);
