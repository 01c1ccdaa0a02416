#include <gtest/gtest.h>

#include "mods/mod_names.h"
#include "sets/set_rules.h"
#include "switching/switch_plan.h"

namespace {

std::vector<ListedArchive> Folder(const std::vector<std::string>& names)
{
    std::vector<ListedArchive> archives;
    archives.reserve(names.size());
    for (const std::string& name : names)
        archives.push_back({name, name.size() > 4 && AsciiLower(name.substr(name.size() - 4)) == ".pak"});
    return archives;
}

TEST(PlanSwitch, RenamesExactlyTheArchivesWhoseStateDiffers)
{
    const struct {
        const char* what;
        std::vector<std::string> folder;
        std::vector<std::string> set;
        std::vector<std::string> renames;
        std::vector<std::string> missing;
    } cases[] = {
        {"the set is the state now", {"A.pak", "B.mod", "C.pak"}, {"A", "C"}, {}, {}},
        {"off first, then on",
         {"A.pak", "B.mod", "C.pak", "D.mod"},
         {"B", "D"},
         {"A.pak", "C.pak", "B.mod", "D.mod"},
         {}},
        {"no mods", {"A.pak", "B.mod", "C.PAK"}, {}, {"A.pak", "C.PAK"}, {}},
        {"letter case aside", {"Town.MOD", "Army.pak"}, {"TOWN", "army"}, {"Town.MOD"}, {}},
        {"names the folder lacks, each once",
         {"A.mod"},
         {"A", "Gone", "gone", "Lost"},
         {"A.mod"},
         {"Gone", "Lost"}},
        {"a name on both sides is on already", {"A.pak", "A.mod"}, {"A"}, {}, {}},
        {"a name on both sides switched off", {"A.mod", "A.pak"}, {}, {"A.pak"}, {}},
        {"two disabled of one name: one switched on", {"A.mod", "a.MOD"}, {"a"}, {"A.mod"}, {}},
        {"an empty folder", {}, {"A"}, {}, {"A"}},
        {"the game's own names are never made",
         {"data.mod", "P1-Texts.MOD", "A.pak"},
         {"data", "p1-texts"},
         {"A.pak"},
         {}},
    };
    for (const auto& c : cases) {
        SwitchPlan plan = PlanSwitch(Folder(c.folder), c.set, AsciiLower);
        EXPECT_EQ(c.renames, plan.renames) << c.what;
        EXPECT_EQ(c.missing, plan.missing) << c.what;
    }
}

TEST(PlanSomeMods, SwitchesOnlyTheModsItNames)
{
    const struct {
        std::vector<std::string> on, off, renames, missing;
    } cases[] = {
        {{"B"}, {"A"}, {"A.pak", "B.mod"}, {}},
        {{"A", "c"}, {"D"}, {}, {}},
        {{"Gone"}, {"C", "Lost"}, {"C.pak"}, {"Gone", "Lost"}},
    };
    for (const auto& c : cases) {
        SwitchPlan plan = PlanSomeMods(Folder({"A.pak", "B.mod", "C.pak", "D.mod"}), c.on, c.off, AsciiLower);
        EXPECT_EQ(c.renames, plan.renames) << ::testing::PrintToString(c.on);
        EXPECT_EQ(c.missing, plan.missing) << ::testing::PrintToString(c.on);
    }
}

TEST(ModsOn, GivesTheDisplayNamesOfTheEnabledArchives)
{
    EXPECT_EQ((std::vector<std::string>{"A", "Мод"}), ModsOn(Folder({"A.pak", "B.mod", "Мод.pak"})));
    EXPECT_EQ("A.mod", FlippedName("A.pak"));
    EXPECT_EQ("A.pak", FlippedName("A.MOD"));
}

TEST(IsValidSetName, TakesOneToSixtyFourCharactersOfAnyScript)
{
    for (const std::string& name : {std::string("Campaign"), std::string(" x "), std::string(64, 'a'),
                                    std::string("Кампания с друзьями"), std::string("模组集合")})
        EXPECT_TRUE(IsValidSetName(name)) << name;
    std::string cyrillic65;
    for (int i = 0; i < 65; ++i)
        cyrillic65 += "Ж";
    for (const std::string& name : {std::string(""), std::string("   "), std::string(65, 'a'), cyrillic65,
                                    std::string("tab\there"), std::string("line\nbreak")})
        EXPECT_FALSE(IsValidSetName(name)) << name;
}

}  // namespace
