#include <gtest/gtest.h>

#include <random>

#include "search/problem_search.h"
#include "search/search_bounds.h"
#include "search_runs.h"

namespace {

TEST(ProblemSearch, NamesOneCulpritAmongUpTo64Mods)
{
    for (size_t count = 1; count <= 64; ++count) {
        // Among one or two suspects, the check of the result is a start made already.
        const size_t bound = CeilLog2(count) + (count >= 3 ? 3 : 2);
        size_t worst = 0;
        for (size_t culprit = 0; culprit < count; ++culprit) {
            PlayedSearch played = Play(NewSearch(count), CausedBy({culprit}), 100);
            const std::string what = std::to_string(culprit) + " of " + std::to_string(count);
            ASSERT_EQ(StepKind::Culprits, played.end.kind) << what;
            EXPECT_EQ(SuspectNames({culprit}), played.end.culprits) << what;
            const size_t starts = played.search.answers.size();
            worst = std::max(worst, starts);
            // One start more only when the culprit, found as the one left, was
            // tried alone: that start has two to go, itself and the check.
            std::vector<bool> alone(count, false);
            alone[culprit] = true;
            bool triedAlone = count <= 3;
            for (const SearchStep& test : played.tests)
                triedAlone |= test.on == alone && test.mostStartsLeftIfOneMod == 2;
            EXPECT_LE(starts, triedAlone ? bound : bound - 1) << what;
            for (const SearchStep& test : played.tests)
                EXPECT_LE(starts - test.number + 1, test.mostStartsLeftIfOneMod)
                    << what << ", start " << test.number;
        }
        EXPECT_EQ(bound, worst) << count << " mods";
    }
}

TEST(ProblemSearch, NamesTwoModsThatCauseItOnlyTogether)
{
    for (size_t count = 2; count <= 24; ++count) {
        for (size_t first = 0; first < count; ++first) {
            for (size_t second = first + 1; second < count; ++second) {
                PlayedSearch played = Play(NewSearch(count), CausedBy({first, second}), 200);
                const std::string what =
                    std::to_string(first) + " and " + std::to_string(second) + " of " + std::to_string(count);
                ASSERT_EQ(StepKind::Culprits, played.end.kind) << what;
                EXPECT_EQ(SuspectNames({first, second}), played.end.culprits) << what;
                EXPECT_LE(played.search.answers.size(), 7 * CeilLog2(count) + 1) << what;
                EXPECT_FALSE(played.askedTwice) << what;
            }
        }
    }
}

TEST(ProblemSearch, EndsAsTheAnswersShow)
{
    const auto always = [](const std::vector<bool>&) { return true; };
    const auto never = [](const std::vector<bool>&) { return false; };
    // Mod 6 causes the problem, and the game crashed once by chance with
    // mods 0 to 3 on.
    const auto chanceCrash = [](const std::vector<bool>& on) {
        return on[6] || on == std::vector<bool>{true, true, true, true, false, false, false, false};
    };
    const struct {
        const char* what;
        size_t count;
        Player player;
        bool goOn;  // when a check disagrees
        StepKind end;
        std::vector<size_t> culprits;  // NotEveryTime: the result the check disagreed with
        size_t starts;                 // exactly
    } cases[] = {
        {"shows with every suspect off", 40, always, false, StepKind::ShowsWithoutMods, {}, 1},
        {"no suspects, shows", 0, always, false, StepKind::ShowsWithoutMods, {}, 1},
        {"no suspects, does not show", 0, never, false, StepKind::AnswersDisagree, {}, 1},
        {"one suspect, gone when tried again", 1, never, false, StepKind::AnswersDisagree, {}, 2},
        // first check, halving to the last mod, that mod, the other half, all
        {"gone with every part", 64, never, false, StepKind::AnswersDisagree, {}, 10},
        {"only all three together", 3, CausedBy({0, 1, 2}), false, StepKind::Culprits, {0, 1, 2}, 8},
        {"three together", 20, CausedBy({2, 9, 17}), false, StepKind::Culprits, {2, 9, 17}, 45},
        // The check without mod 2 shows it: mod 11 is on.
        {"one mod, or two others together",
         16,
         [](const std::vector<bool>& on) { return on[11] || (on[2] && on[5]); },
         false,
         StepKind::NotEveryTime,
         {2, 5},
         17},
        {"a chance crash, the player stops", 8, chanceCrash, false, StepKind::NotEveryTime, {0, 1, 2, 3}, 13},
        {"a chance crash, the player goes on", 8, chanceCrash, true, StepKind::Culprits, {6}, 18},
    };
    for (const auto& c : cases) {
        PlayedSearch played = Play(NewSearch(c.count), c.player, 200, c.goOn);
        EXPECT_EQ(c.end, played.end.kind) << c.what;
        EXPECT_EQ(SuspectNames(c.culprits), played.end.culprits) << c.what;
        EXPECT_EQ(c.starts, played.search.answers.size()) << c.what;
        EXPECT_FALSE(played.askedTwice) << c.what;
    }
}

// The problem comes with one mod and shows at 70 % of the starts with it:
// a "does not show" may be wrong. The player goes on whenever a check
// disagrees; the search seldom blames a mod that is not behind it.
TEST(ProblemSearch, AProblemThatDoesNotShowEveryTimeIsSeldomBlamedOnAnotherMod)
{
    for (size_t count : {8, 64}) {
        const unsigned trials = 500;
        unsigned right = 0, innocent = 0, disagree = 0;
        for (unsigned trial = 0; trial < trials; ++trial) {
            std::mt19937 random(trial);
            const size_t culprit = trial % count;
            PlayedSearch played = Play(NewSearch(count), ShowsAtRandom(culprit, 70, random), 1000, true);
            const std::string what = "trial " + std::to_string(trial) + " of " + std::to_string(count);
            ASSERT_NE(StepKind::Test, played.end.kind) << what << ": no end";
            if (played.end.kind == StepKind::Culprits)
                (played.end.culprits == SuspectNames({culprit}) ? right : innocent) += 1;
            disagree += played.end.kind == StepKind::AnswersDisagree;
        }
        // Measured: 84 and 85 % right, 10 and 9 % blame another mod too, 6 %
        // end in disagreement (before the checks: 65 %, 29 %, 6 %).
        EXPECT_GE(right, trials * 78 / 100) << count << " mods";
        EXPECT_LE(innocent, trials * 15 / 100) << count << " mods";
        EXPECT_LE(disagree, trials * 10 / 100) << count << " mods";
    }
}

bool AnsweredAs(const ProblemSearch& search, const std::vector<bool>& on, bool shows)
{
    for (const SearchAnswer& answer : search.answers) {
        if (answer.on == on)
            return answer.shows == shows;
    }
    return false;
}

// Answers at random, or from a culprit that shows the problem only every
// other time: whatever it ends with, the answers given must bear it out.
TEST(ProblemSearch, AnswersAtRandomOrNotEveryTimeEndWithWhatTheyBearOut)
{
    const size_t counts[] = {1, 2, 3, 5, 8, 13, 21, 34};
    for (unsigned trial = 0; trial < 400; ++trial) {
        const size_t count = counts[trial % 8];
        std::mt19937 random(trial);
        bool showedLastTime = false;
        const size_t culprit = trial % count;
        Player player = [&](const std::vector<bool>& on) {
            if (trial % 2 == 0)
                return random() % 2 == 0;
            showedLastTime = on[culprit] && !showedLastTime;
            return showedLastTime;
        };
        PlayedSearch played = Play(NewSearch(count), player, count * count + 4 * count + 4);
        const std::string what = "trial " + std::to_string(trial);
        EXPECT_FALSE(played.askedTwice) << what;
        const ProblemSearch& search = played.search;
        switch (played.end.kind) {
        case StepKind::Test: ADD_FAILURE() << what << ": no end after " << search.answers.size(); break;
        case StepKind::ShowsWithoutMods: EXPECT_EQ(1u, search.answers.size()) << what; break;
        case StepKind::AnswersDisagree:
            EXPECT_EQ(std::vector<bool>(count, true), search.answers.back().on) << what;
            EXPECT_FALSE(search.answers.back().shows) << what;
            break;
        case StepKind::NotEveryTime: {
            // The check: every suspect on but one of the result, and it showed.
            std::vector<bool> on(count, true);
            for (size_t i = 0; i < count; ++i)
                on[i] = played.end.shownWithout != SuspectNames({i})[0];
            EXPECT_EQ(on, search.answers.back().on) << what;
            EXPECT_TRUE(search.answers.back().shows) << what;
            EXPECT_NE(played.end.culprits.end(),
                      std::find(played.end.culprits.begin(), played.end.culprits.end(), played.end.shownWithout))
                << what;
            break;
        }
        case StepKind::Culprits: {
            std::vector<bool> on(count, false);
            for (const std::string& name : played.end.culprits)
                on[std::stoul(name.substr(4))] = true;
            EXPECT_TRUE(AnsweredAs(search, on, true)) << what << ": never seen showing it";
            for (size_t i = 0; i < count; ++i) {
                if (!on[i])
                    continue;
                on[i] = false;
                EXPECT_TRUE(AnsweredAs(search, on, false)) << what << ": without " << i;
                on[i] = true;
                std::vector<bool> allBut(count, true);
                allBut[i] = false;
                EXPECT_TRUE(AnsweredAs(search, allBut, false)) << what << ": all but " << i;
            }
            if (trial % 2 == 1) {
                EXPECT_TRUE(on[culprit]) << what;
            }
            break;
        }
        }
    }
}

TEST(ProblemSearch, TellsTheMostStartsLeft)
{
    for (size_t count = 1; count <= 12; ++count) {
        for (size_t culprit = 0; culprit < count; ++culprit) {
            PlayedSearch played = Play(NewSearch(count), CausedBy({culprit}), 100);
            ProblemSearch search = NewSearch(count);
            for (const SearchStep& test : played.tests) {
                EXPECT_EQ(test.mostStartsLeftIfOneMod, MostStartsLeftIfTogether(search, 1))
                    << culprit << " of " << count << ", start " << test.number;
                search.answers.push_back(played.search.answers[test.number - 1]);
            }
            EXPECT_EQ(0u, MostStartsLeftIfTogether(search, 1)) << "ended";
        }
    }
    // Two mods: the bound holds at every start, and once no one mod fits, that
    // bound is 0.
    for (size_t count = 2; count <= 8; ++count) {
        for (size_t first = 0; first < count; ++first) {
            for (size_t second = first + 1; second < count; ++second) {
                PlayedSearch played = Play(NewSearch(count), CausedBy({first, second}), 100);
                ProblemSearch search = NewSearch(count);
                for (const SearchStep& test : played.tests) {
                    const size_t left = played.search.answers.size() - search.answers.size();
                    EXPECT_LE(left, MostStartsLeftIfTogether(search, 2)) << first << ", " << second;
                    EXPECT_EQ(test.mostStartsLeftIfOneMod, MostStartsLeftIfTogether(search, 1));
                    search.answers.push_back(played.search.answers[test.number - 1]);
                }
            }
        }
    }
}

}  // namespace
