#include <gtest/gtest.h>

#include <random>

#include "search/problem_search.h"
#include "search_runs.h"

namespace {

TEST(ProblemSearch, NamesOneCulpritAmongUpTo64Mods)
{
    for (size_t count = 1; count <= 64; ++count) {
        const size_t bound = CeilLog2(count) + 2;
        size_t worst = 0;
        for (size_t culprit = 0; culprit < count; ++culprit) {
            PlayedSearch played = Play(NewSearch(count), CausedBy({culprit}), 100);
            const std::string what = std::to_string(culprit) + " of " + std::to_string(count);
            ASSERT_EQ(StepKind::Culprits, played.end.kind) << what;
            EXPECT_EQ(SuspectNames({culprit}), played.end.culprits) << what;
            const size_t starts = played.search.answers.size();
            worst = std::max(worst, starts);
            // One start more only when the culprit, found as the one left, was tried alone.
            const bool triedAlone = played.tests.back().mostStartsLeftIfOneMod == 1;
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
                EXPECT_LE(played.search.answers.size(), 7 * CeilLog2(count) - 1) << what;
                EXPECT_FALSE(played.askedTwice) << what;
            }
        }
    }
}

TEST(ProblemSearch, EndsAsTheAnswersShow)
{
    const auto always = [](const std::vector<bool>&) { return true; };
    const auto never = [](const std::vector<bool>&) { return false; };
    const struct {
        const char* what;
        size_t count;
        Player player;
        StepKind end;
        std::vector<size_t> culprits;
        size_t starts;  // exactly
    } cases[] = {
        {"shows with every suspect off", 40, always, StepKind::ShowsWithoutMods, {}, 1},
        {"no suspects, shows", 0, always, StepKind::ShowsWithoutMods, {}, 1},
        {"no suspects, does not show", 0, never, StepKind::AnswersDisagree, {}, 1},
        {"one suspect, gone when tried again", 1, never, StepKind::AnswersDisagree, {}, 2},
        // first check, halving to the last mod, that mod, the other half, all
        {"gone with every part", 64, never, StepKind::AnswersDisagree, {}, 10},
        {"only all three together", 3, CausedBy({0, 1, 2}), StepKind::Culprits, {0, 1, 2}, 8},
        {"three together", 20, CausedBy({2, 9, 17}), StepKind::Culprits, {2, 9, 17}, 42},
        {"one mod, or two others together",
         16,
         [](const std::vector<bool>& on) { return on[11] || (on[2] && on[5]); },
         StepKind::Culprits,
         {2, 5},
         16},
    };
    for (const auto& c : cases) {
        PlayedSearch played = Play(NewSearch(c.count), c.player, 200);
        EXPECT_EQ(c.end, played.end.kind) << c.what;
        EXPECT_EQ(SuspectNames(c.culprits), played.end.culprits) << c.what;
        EXPECT_EQ(c.starts, played.search.answers.size()) << c.what;
        EXPECT_FALSE(played.askedTwice) << c.what;
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
