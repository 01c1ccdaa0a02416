#include <gtest/gtest.h>

#include "sets/set_text.h"

namespace {

TEST(SetText, ReadsBackWhatItWrites)
{
    const SharedSet sets[] = {
        {"Campaign with friends", {{"Better Towns.pak", 0}, {"Rich Map Pack.pak", 52428800}}},
        {"Кампания", {{"Мод.pak", 4294967295u}, {"模组.pak", 4294967296u}, {"Ελληνικά.MOD", UINT64_MAX}}},
        {"No mods", {}},
    };
    for (const SharedSet& set : sets) {
        std::string text = SetText(set);
        EXPECT_EQ(std::string::npos, text.find("\r\n\r\n")) << "no empty line";
        EXPECT_EQ("\r\n", text.substr(text.size() - 2));
        ReadSetTextResult read = ReadSetText(text);
        ASSERT_TRUE(read.set.has_value()) << text;
        EXPECT_EQ(set.name, read.set->name);
        ASSERT_EQ(set.mods.size(), read.set->mods.size());
        for (size_t i = 0; i < set.mods.size(); ++i) {
            EXPECT_EQ(set.mods[i].fileName, read.set->mods[i].fileName);
            EXPECT_EQ(set.mods[i].size, read.set->mods[i].size);
        }
    }
    EXPECT_EQ("Quillmoor mod set: A\r\nB.pak\t12\r\n", SetText({"A", {{"B.pak", 12}}}));
}

TEST(SetText, TakesTextAsChatProgramsCarryIt)
{
    ReadSetTextResult read =
        ReadSetText("\n\xEF\xBB\xBFQuillmoor mod set: Friends  \n\nA.pak\t1 \r\n\r\n B.mod\t2\n");
    EXPECT_EQ(SetTextProblem::NotASet, read.problem) << "a mark after the first line break is text";
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"LF and CR LF, a mark, trailing spaces, empty lines",
         "\xEF\xBB\xBF\nQuillmoor mod set: Friends  \n\nA.pak\t1 \r\n\r\n B.mod\t2"},
        {"CR alone", "\rQuillmoor mod set: Friends\r\rA.pak\t1 \r B.mod\t2\r"},
        {"spaces before the first line", "  \t Quillmoor mod set: Friends\r\nA.pak\t1\r\n B.mod\t2\r\n"},
        {"a line twice, in another case too",
         "Quillmoor mod set: Friends\nA.pak\t1\n B.mod\t2\nA.pak\t1\na.MOD\t1\n B.mod\t2\n"},
    };
    for (const auto& c : cases) {
        read = ReadSetText(c.text);
        ASSERT_TRUE(read.set.has_value()) << c.what;
        EXPECT_EQ("Friends", read.set->name) << c.what;
        ASSERT_EQ(2u, read.set->mods.size()) << c.what;
        EXPECT_EQ("A.pak", read.set->mods[0].fileName) << c.what;
        EXPECT_EQ(" B.mod", read.set->mods[1].fileName) << c.what;
    }
}

TEST(SetText, RefusesWithTheLineNumber)
{
    const std::string heading = "Quillmoor mod set: S\n";
    const struct {
        std::string text;
        SetTextProblem problem;
        size_t line;
        size_t firstLine = 0;
    } cases[] = {
        {"", SetTextProblem::NotASet, 1},
        {"Hello!\nQuillmoor mod set: S\n", SetTextProblem::NotASet, 1},
        {"quillmoor mod set: S\n", SetTextProblem::NotASet, 1},
        {"Quillmoor mod set:S\n", SetTextProblem::NotASet, 1},
        {"Quillmoor mod set:    \n", SetTextProblem::BadName, 1},
        {"Quillmoor mod set: " + std::string(65, 'n') + "\n", SetTextProblem::BadName, 1},
        {heading + "A.pak 12\n", SetTextProblem::NoTab, 2},
        {heading + "\nA.pak\t12\n\nB.pak\t1.5\n", SetTextProblem::BadSize, 5},
        {heading + "A.pak\t\n", SetTextProblem::BadSize, 2},
        {heading + "A.pak\t-1\n", SetTextProblem::BadSize, 2},
        {heading + "A.pak\t18446744073709551616\n", SetTextProblem::BadSize, 2},
        {heading + "A.pak\t12\tmore\n", SetTextProblem::BadSize, 2},
        {heading + "A.zip\t12\n", SetTextProblem::NotArchive, 2},
        {heading + "A.pak.txt\t12\n", SetTextProblem::NotArchive, 2},
        {heading + std::string(252, 'x') + ".pak\t12\n", SetTextProblem::NotArchive, 2},
        {heading + "..\\A.pak\t12\n", SetTextProblem::PathInName, 2},
        {heading + "C:/mods/A.pak\t12\n", SetTextProblem::PathInName, 2},
        {heading + "A.pak:stream\t12\n", SetTextProblem::PathInName, 2},
        {heading + "P5-Data.mod\t12\n", SetTextProblem::BaseArchive, 2},
        {heading + "A.pak\t1\rB.pak\t2\r\ra.mod\t3\r\n", SetTextProblem::TwoSizes, 5, 2},
        {heading + "A.pak\t1\r\r\nB.pak 2\r\n", SetTextProblem::NoTab, 3},  // CR CR LF: one line end
    };
    for (const auto& c : cases) {
        ReadSetTextResult read = ReadSetText(c.text);
        EXPECT_FALSE(read.set.has_value()) << c.text;
        EXPECT_EQ(c.problem, read.problem) << c.text;
        EXPECT_EQ(c.line, read.line) << c.text;
        EXPECT_EQ(c.firstLine, read.firstLine) << c.text;
    }
}

TEST(SetText, ReadsATenMegabyteTextWhole)
{
    std::string text = "Quillmoor mod set: Big\r\n";
    for (int i = 0; text.size() < (10u << 20); ++i)
        text += "A mod with a rather long name, number " + std::to_string(i) + ".pak\t123456789\r\n";
    ReadSetTextResult read = ReadSetText(text);
    ASSERT_TRUE(read.set.has_value());
    EXPECT_GT(read.set->mods.size(), 100000u);
    read = ReadSetText("Quillmoor mod set: Big\r\n" + std::string(10u << 20, '\r') + "A.pak 1");
    EXPECT_EQ(SetTextProblem::NoTab, read.problem);
    EXPECT_EQ((10u << 20) + 2, read.line);
}

TEST(SetText, HeadingsOfNamesAnotherProgramWroteAreReadBack)
{
    const struct {
        std::string name;
        std::string shared;
    } cases[] = {
        {" Campaign", " Campaign"}, {"line\r\nbreak", "line  break"},
        {"tab\there ", "tab here"}, {std::string(63, 'n') + " x", std::string(63, 'n')},
        {" \n ", "Mod set"},
    };
    for (const auto& c : cases) {
        std::string name = SharableSetName(c.name, "Mod set");
        EXPECT_EQ(c.shared, name) << c.name;
        ReadSetTextResult read = ReadSetText(SetText({name, {{"A.pak", 1}}}));
        ASSERT_TRUE(read.set.has_value()) << c.name;
        EXPECT_EQ(c.shared, read.set->name);
    }
}

}  // namespace
