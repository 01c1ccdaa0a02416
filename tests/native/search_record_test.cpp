#include <gtest/gtest.h>

#include <random>

#include "search/search_record.h"
#include "search_runs.h"

namespace {

TEST(SearchRecord, WritesTheFormAndReadsItBack)
{
    ProblemSearch search{{"C:\\Games\\Heroes\\data", "Better Towns.pak", "Ελληνικά.pak"},
                         {"Ελληνικά"},
                         {"Better Towns", "Rich Map Pack", " spaced ", "Sky", "模组"},
                         {}};
    for (bool shows : {false, false, true, false})
        ASSERT_TRUE(RecordAnswer(search, shows));
    const std::vector<std::string> expected = {
        "Quillmoor problem search, version 1",
        "3 1 5 4",
        "C:\\Games\\Heroes\\data",
        "Better Towns.pak",
        "Ελληνικά.pak",
        "Ελληνικά",
        "Better Towns",
        "Rich Map Pack",
        " spaced ",
        "Sky",
        "模组",
        "-00",
        "-e0",
        "+10",
        "-e8",  // the check: every suspect but Sky
    };
    EXPECT_EQ(expected, SearchRecord(search));
    EXPECT_EQ(std::vector<std::string>{"Sky"}, NextStep(search).culprits);

    ReadRecordResult read = ReadSearchRecord(expected);
    ASSERT_TRUE(read.search.has_value());
    EXPECT_EQ(expected, SearchRecord(*read.search));
}

// Stopped after any start and taken up from the stored form, a search asks
// the same tests and ends the same way.
TEST(SearchRecord, ASearchTakenUpAgainGoesOnAsBefore)
{
    std::mt19937 random(7);
    const struct {
        size_t count;
        Player player;
        bool goOn;  // when a check disagrees
    } runs[] = {
        {13, CausedBy({12}), false},
        {10, CausedBy({0, 5}), false},
        {9, CausedBy({1, 4, 8}), false},
        {6, [](const std::vector<bool>&) { return false; }, false},
        {21, [&](const std::vector<bool>&) { return random() % 2 == 0; }, false},
        // A chance crash with mods 0 to 3 on: the check disagrees, the player goes on.
        {8,
         [](const std::vector<bool>& on) {
             return on[6] || on == std::vector<bool>{true, true, true, true, false, false, false, false};
         },
         true},
    };
    for (const auto& run : runs) {
        const PlayedSearch whole = Play(NewSearch(run.count), run.player, 200, run.goOn);
        ASSERT_NE(StepKind::Test, whole.end.kind);
        const std::vector<SearchAnswer>& answers = whole.search.answers;
        for (size_t stop = 0; stop <= answers.size(); ++stop) {
            ProblemSearch cut = NewSearch(run.count);
            cut.answers.assign(answers.begin(), answers.begin() + static_cast<std::ptrdiff_t>(stop));
            ReadRecordResult read = ReadSearchRecord(SearchRecord(cut));
            ASSERT_TRUE(read.search.has_value()) << "stopped after " << stop;
            size_t next = stop;
            const PlayedSearch resumed = Play(
                *read.search,
                [&](const std::vector<bool>& on) {
                    EXPECT_EQ(answers[next].on, on) << "stopped after " << stop << ", start " << next + 1;
                    return answers[next++].shows;
                },
                answers.size(), run.goOn);
            EXPECT_EQ(answers.size(), resumed.search.answers.size()) << "stopped after " << stop;
            EXPECT_EQ(whole.end.kind, resumed.end.kind) << "stopped after " << stop;
            EXPECT_EQ(whole.end.culprits, resumed.end.culprits) << "stopped after " << stop;
        }
    }
}

TEST(SearchRecord, RefusesWhatIsNotWholeOrDoesNotAddUp)
{
    const std::string mark = kSearchRecordMark;
    // Two suspects A and B, one kept; the first check did not show it.
    const auto record = [&](const std::string& counts, std::vector<std::string> rest) {
        rest.insert(rest.begin(), {mark, counts});
        return rest;
    };
    const std::vector<std::string> base = {"C:\\data", "Kept", "A", "B"};
    const auto with = [&](std::vector<std::string> answers) {
        std::vector<std::string> strings = base;
        strings.insert(strings.end(), answers.begin(), answers.end());
        return record("1 1 2 " + std::to_string(answers.size()), strings);
    };
    ASSERT_TRUE(ReadSearchRecord(with({"-0", "-8", "+4"})).search.has_value());
    ASSERT_TRUE(ReadSearchRecord(record("1 0 0 0", {"C:\\data"})).search.has_value()) << "no suspects";

    const struct {
        std::vector<std::string> record;
        RecordProblem problem;
    } cases[] = {
        {{}, RecordProblem::NotASearch},
        {{"Quillmoor problem search, version 2", "1 1 2 0", "C:\\data", "Kept", "A", "B"},
         RecordProblem::NotASearch},
        {{mark}, RecordProblem::BadCounts},
        {record("1 1 2", base), RecordProblem::BadCounts},
        {record("1 1 2 0 ", base), RecordProblem::BadCounts},
        {record("1 1 02 0", base), RecordProblem::BadCounts},
        {record("1 1 2 -0", base), RecordProblem::BadCounts},
        {record("1 1 2 1000000000", base), RecordProblem::BadCounts},
        {record("1 1 3 0", base), RecordProblem::WrongCount},
        {record("1 1 1 0", base), RecordProblem::WrongCount},
        {record("0 1 2 0", {"Kept", "A", "B"}), RecordProblem::None},
        {record("1 1 2 0", {"", "Kept", "A", "B"}), RecordProblem::EmptyString},
        {record("1 1 2 0", {"C:\\data", "Kept", "A", std::string("B\0C", 3)}), RecordProblem::EmptyString},
        {with({""}), RecordProblem::EmptyString},
        {with({"0"}), RecordProblem::BadAnswer},
        {with({"-"}), RecordProblem::BadAnswer},
        {with({"-00"}), RecordProblem::BadAnswer},
        {with({"-0", "-A"}), RecordProblem::BadAnswer},
        {with({"-0", "-g"}), RecordProblem::BadAnswer},
        {with({"-0", "-a"}), RecordProblem::BadAnswer},  // a third suspect
        {record("1 1 2 0", {"C:\\data", "Kept", "A", "a"}), RecordProblem::DuplicateName},
        {record("1 2 2 0", {"C:\\data", "K", "k", "A", "B"}), RecordProblem::DuplicateName},
        {record("1 1 2 0", {"C:\\data", "b", "A", "B"}), RecordProblem::KeptSuspect},
        {with({"-8"}), RecordProblem::AnswerNotAsked},
        {with({"-0", "-0"}), RecordProblem::AnswerNotAsked},
        {with({"-0", "+8", "-4", "-4"}), RecordProblem::AnswerNotAsked},  // after the end
        {with({"+0", "-8"}), RecordProblem::AnswerNotAsked},
    };
    for (const auto& c : cases) {
        ReadRecordResult read = ReadSearchRecord(c.record);
        std::string shown;
        for (const std::string& text : c.record)
            shown += "[" + text + "]";
        EXPECT_EQ(c.problem, read.problem) << shown;
        EXPECT_EQ(c.problem == RecordProblem::None, read.search.has_value()) << shown;
    }
}

}  // namespace
