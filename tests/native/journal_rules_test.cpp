#include <gtest/gtest.h>

#include <set>

#include "mods/mod_names.h"
#include "switching/journal_rules.h"

namespace {

TEST(Journal, ReadsBackOnlyWhatWasWrittenWholeInEitherForm)
{
    for (JournalKind kind : {JournalKind::Switching, JournalKind::Owed}) {
        std::vector<std::string> written = JournalStrings({kind, "C:\\Games\\data", {"A.pak", "Мод.mod"}});
        std::optional<Journal> read = ReadJournal(written);
        ASSERT_TRUE(read.has_value());
        EXPECT_TRUE(read->kind == kind);
        EXPECT_EQ("C:\\Games\\data", read->folder);
        EXPECT_EQ((std::vector<std::string>{"A.pak", "Мод.mod"}), read->renames);

        std::vector<std::string> cut(written.begin(), written.end() - 1);
        std::vector<std::string> foreign = written, unknownKind = written, noFolder = written;
        foreign[0] = "something else";
        unknownKind[1] = "undo everything";
        noFolder[2] = "";
        for (const auto& bad : {cut, foreign, unknownKind, noFolder, std::vector<std::string>{},
                                std::vector<std::string>{written[0]}})
            EXPECT_FALSE(ReadJournal(bad).has_value()) << ::testing::PrintToString(bad);
    }
    // As the version before this one wrote it: a switch under way.
    std::optional<Journal> old =
        ReadJournal({"Quillmoor mod set switch, version 1", "C:\\Games\\data", "2", "A.pak", "B.mod"});
    ASSERT_TRUE(old.has_value());
    EXPECT_TRUE(old->kind == JournalKind::Switching);
    EXPECT_EQ((std::vector<std::string>{"A.pak", "B.mod"}), old->renames);
}

TEST(Journal, IsFollowedOnlyInTheModFolder)
{
    const struct {
        const char *journal, *modFolder;
        bool same;
    } cases[] = {
        {"C:\\Games\\data", "C:\\Games\\data", true},
        {"c:\\games\\DATA", "C:\\Games\\data", true},
        {"C:\\Games\\data\\", "C:\\Games\\data", true},
        {"Q:\\", "Q:\\", true},
        {"C:\\Windows", "C:\\Games\\data", false},
        {"C:\\Games\\data\\sub", "C:\\Games\\data", false},
        {"Q:", "Q:\\", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.same, IsJournalFolder(c.journal, c.modFolder, AsciiLower))
            << c.journal << " / " << c.modFolder;
}

TEST(Journal, PutsBackOnlyWhatASwitchCouldHaveMadeAndTheFolderBearsOut)
{
    const struct {
        const char* what;
        std::vector<std::string> renames;
        std::set<std::string> folder;
        std::vector<std::string> steps;  // "from>to", in the order taken
        std::vector<std::string> refused;
    } cases[] = {
        {"a cut-off switch, in reverse order",
         {"A.pak", "B.pak", "C.mod"},
         {"A.mod", "B.mod", "C.mod"},
         {"B.mod>B.pak", "A.mod>A.pak"},
         {}},
        {"letter case aside", {"Town.PAK"}, {"TOWN.mod"}, {"Town.mod>Town.PAK"}, {}},
        {"already undone, or changed by the player since: passed over",
         {"A.pak", "B.pak", "C.pak"},
         {"A.pak", "B.pak", "B.mod"},
         {},
         {}},
        {"the game's own archives, in either form",
         {"data.pak", "Texts.mod", "p12-data.pak", "Mine.pak"},
         {"data.mod", "Texts.pak", "p12-data.mod", "Mine.mod"},
         {"Mine.mod>Mine.pak"},
         {"data.pak", "Texts.mod", "p12-data.pak"}},
        {"other extensions",
         {"texts.exe", "report.doc", ".pak", "notes.txt"},
         {"texts.pak", "report.pak", ".mod", "notes.pak"},
         {},
         {"texts.exe", "report.doc", ".pak", "notes.txt"}},
        {"paths and subfolders",
         {"sub\\moveme.pak", "..\\up.pak", "C:\\x.pak", "a/b.pak", "w*.pak", "line\nbreak.pak"},
         {"sub\\moveme.mod", "..\\up.mod", "C:\\x.mod", "a/b.mod", "w*.mod", "line\nbreak.mod"},
         {},
         {"sub\\moveme.pak", "..\\up.pak", "C:\\x.pak", "a/b.pak", "w*.pak", "line\nbreak.pak"}},
        {"one archive named twice", {"A.pak", "a.MOD"}, {"A.mod"}, {"A.mod>A.pak"}, {"a.MOD"}},
    };
    for (const auto& c : cases) {
        std::set<std::string> folded;
        for (const std::string& name : c.folder)
            folded.insert(AsciiLower(name));
        JournalCheck check = CheckJournal(
            {JournalKind::Switching, "C:\\data", c.renames},
            [&](const std::string& name) { return folded.count(AsciiLower(name)) != 0; }, AsciiLower);
        std::vector<std::string> steps;
        for (const PutBackStep& step : check.steps)
            steps.push_back(step.from + ">" + step.to);
        EXPECT_EQ(c.steps, steps) << c.what;
        EXPECT_EQ(c.refused, check.refused) << c.what;
    }
}

}  // namespace
