#include <gtest/gtest.h>

#include <set>

#include "mods/mod_names.h"

// The game's own archives, listed out one by one.
static std::set<std::string> AllBaseArchives()
{
    std::set<std::string> names = {"data.pak", "sound.pak", "texts.pak"};
    for (int n = 0; n <= 99; ++n) {
        names.insert("p" + std::to_string(n) + "-data.pak");
        names.insert("p" + std::to_string(n) + "-texts.pak");
    }
    return names;
}

TEST(IsBaseArchive, KnowsAllTwoHundredThreeNamesInAnyCase)
{
    std::set<std::string> names = AllBaseArchives();
    ASSERT_EQ(203u, names.size());
    for (const std::string& name : names) {
        EXPECT_TRUE(IsBaseArchive(name)) << name;
        std::string upper = name;
        for (char& c : upper)
            c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        EXPECT_TRUE(IsBaseArchive(upper)) << upper;
    }
    for (const char* mixed : {"DATA.PAK", "Sound.Pak", "P12-Texts.PAK", "p3-DATA.pak", "TeXtS.pAk"})
        EXPECT_TRUE(IsBaseArchive(mixed)) << mixed;
}

TEST(IsBaseArchive, TreatsNearMissesAsMods)
{
    const char* nearMisses[] = {
        "p00-data.pak",
        "p07-data.pak",
        "p100-data.pak",
        "p5-sound.pak",
        "p-data.pak",
        "p1data.pak",
        "q1-data.pak",
        "p1-data.mod",
        "data.mod",
        "data.pak.pak",
        "xdata.pak",
        "data.pakx",
        "data",
        "p1-text.pak",
        "p1-datas.pak",
        "p1-data.pa",
        " data.pak",
        "data.pak ",
        "p-1-data.pak",
        "p+1-data.pak",
        "p\xB9-data.pak",
        "",
        ".pak",
        "p",
        "p1",
        "p12",
        "p123-texts.pak",
        "sound.pak\xC4",
    };
    for (const char* name : nearMisses)
        EXPECT_FALSE(IsBaseArchive(name)) << '"' << name << '"';
}

TEST(IsBaseArchive, AgreesWithTheFullListOnEveryShortName)
{
    // Every name "p" + up to three characters from a small alphabet + a suffix.
    std::set<std::string> names = AllBaseArchives();
    const std::string alphabet = "0159-pP";
    for (const char* suffix : {"-data.pak", "-texts.pak", "data.pak", ".pak"}) {
        for (char a : alphabet)
            for (char b : alphabet + " ")
                for (char c : alphabet + " ") {
                    std::string name = std::string("p") + a;
                    if (b != ' ')
                        name += b;
                    if (b != ' ' && c != ' ')
                        name += c;
                    name += suffix;
                    EXPECT_EQ(names.count(name) == 1, IsBaseArchive(name)) << name;
                }
    }
}

TEST(DisplayName, CutsTheLastFourCharactersWhateverTheyAre)
{
    const struct {
        const char* fileName;
        const char* shown;
    } cases[] = {
        {"MyMod.pak", "MyMod"},
        {"Big Mod.mod", "Big Mod"},
        {"MyMod.MOD", "MyMod"},
        {".pak", ""},
        {"a.pak", "a"},
        {"abc", ""},
        {"", ""},
        {"x.y.pak", "x.y"},
        {"Extra.pakk", "Extra."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, DisplayName(c.fileName)) << c.fileName;
}

TEST(ReplaceExtension, ReplacesTheLastThreeCharacters)
{
    const struct {
        const char* name;
        const char* extension;
        const char* expected;
    } cases[] = {
        {"D:\\m\\MyMod.pak", "txt", "D:\\m\\MyMod.txt"},
        {"MyMod.pak", "mod", "MyMod.mod"},
        {"MyMod.MOD", "pak", "MyMod.pak"},
        {"My.Mod.Mod", "pak", "My.Mod.pak"},
        {"E:\\\\a.pak", "txt", "E:\\\\a.txt"},
        {".pak", "mod", ".mod"},
        {"ab", "txt", "txt"},
        {"", "txt", "txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ReplaceExtension(c.name, c.extension)) << c.name;
}

TEST(HasExtension, MatchesTheLongNameOnly)
{
    const struct {
        const char* name;
        const char* extension;
        bool expected;
    } cases[] = {
        {"MyMod.pak", ".pak", true},
        {"MyMod.PAK", ".pak", true},
        {"MyMod.Pak", ".pak", true},
        {".pak", ".pak", true},
        {"x.y.pak", ".pak", true},
        {"MyMod.mod", ".mod", true},
        {"MyMod.MOD", ".mod", true},
        {"Readme.TXT", ".txt", true},
        // Returned by "*.pak" through a generated short name, never loaded by the game:
        {"Big.pak_old", ".pak", false},
        {"x.pakk", ".pak", false},
        {"x.pak.bak", ".pak", false},
        {"pak", ".pak", false},
        {"xpak", ".pak", false},
        {"", ".pak", false},
        {"MyMod.pak ", ".pak", false},
        {"MyMod.mod", ".pak", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, HasExtension(c.name, c.extension)) << c.name << " " << c.extension;
}

TEST(Paths, JoinAndSplitWithoutLookingForSeparators)
{
    EXPECT_EQ("D:\\m\\a.pak", JoinPath("D:\\m", "a.pak"));
    EXPECT_EQ("E:\\\\a.pak", JoinPath("E:\\", "a.pak"));  // a drive root doubles the backslash
    EXPECT_EQ("Big.txt", FileNamePart("D:\\dl\\Big.txt"));
    EXPECT_EQ("Big.txt", FileNamePart("Big.txt"));
    EXPECT_EQ("", FileNamePart("D:\\dl\\"));
}

TEST(AsciiLower, ChangesOnlyAsciiCapitals)
{
    EXPECT_EQ("p12-texts.pak", AsciiLower("P12-Texts.PAK"));
    EXPECT_EQ("\xC4\xD6@[`{", AsciiLower("\xC4\xD6@[`{"));
}
