// The description of the selected mod in the information box.
#include "app_test.h"

#include <fstream>

#include "shared/window_state.h"
#include "mods/mod_information.h"
#include "shared/text_conversion.h"

namespace {

// A mod, its description file and what the box must show for it.
struct ShownCase {
    const char* name;
    std::string file;
    std::string shown;
};

class InformationTest : public AppTest {
protected:
    // Starts on a folder holding one enabled mod per description given.
    void StartWith(const std::vector<std::pair<std::string, std::string>>& descriptions)
    {
        for (const auto& mod : descriptions) {
            folder.Write(mod.first + ".pak");
            folder.Write(mod.first + ".txt", mod.second);
        }
        StartAppIn(folder.Path());
    }
    // What the box shows for the enabled mod named `name`.
    std::string Shown(const std::string& name)
    {
        for (size_t row = 0; row < EnabledMods.size(); ++row)
            if (EnabledMods[row].fileName == name + ".pak") {
                SelectRow(EnabledList, static_cast<int>(row));
                return TextOf(InformationBox);
            }
        return "<not listed>";
    }
    // Starts with one mod per case, then selects each and reads the box.
    void ExpectShown(const std::vector<ShownCase>& cases)
    {
        std::vector<std::pair<std::string, std::string>> mods;
        for (const ShownCase& c : cases)
            mods.push_back({c.name, c.file});
        StartWith(mods);
        for (const ShownCase& c : cases)
            EXPECT_EQ(c.shown, Shown(c.name)) << c.name;
    }
    TempFolder folder;
};

TEST_F(InformationTest, SelectingASideEnablesItsButtonAndClearsTheOtherSide)
{
    folder.Write("On.pak");
    folder.Write("Off.mod");
    StartAppIn(folder.Path());

    SelectRow(EnabledList, 0);
    EXPECT_TRUE(IsEnabled(DisableButton));
    EXPECT_FALSE(IsEnabled(EnableButton));

    SelectRow(DisabledList, 0);
    EXPECT_EQ(-1, Selection(EnabledList));
    EXPECT_EQ(0, Selection(DisabledList));
    EXPECT_TRUE(IsEnabled(EnableButton));
    EXPECT_FALSE(IsEnabled(DisableButton));

    SelectRow(EnabledList, 0);
    EXPECT_EQ(-1, Selection(DisabledList));
    EXPECT_TRUE(IsEnabled(DisableButton));
    EXPECT_FALSE(IsEnabled(EnableButton));
}

TEST_F(InformationTest, ShowsEachLineOfTheFileAsALineOfTheBox)
{
    std::string longText;
    for (int i = 0; i < 500; ++i)
        longText += "line " + std::to_string(i % 10) + " ok\n";  // 5000 characters
    ASSERT_EQ(5000u, longText.size());
    std::string expectedLong;
    for (int i = 0; i < 500; ++i)
        expectedLong += "line " + std::to_string(i % 10) + " ok\r\n";

    ExpectShown({
        {"CrLf", "first\r\nsecond\r\n", "first\r\nsecond\r\n"},
        {"Lf", "first\nsecond\n", "first\r\nsecond\r\n"},
        {"EmptyFirstLine", "\nafter an empty line", "\r\nafter an empty line"},
        {"LoneCr", "one\rline", "one\rline"},
        {"OnlyCr", "one\rtwo\rthree\r", "one\rtwo\rthree\r"},  // old Mac line ends stay as they are
        {"Long", longText, expectedLong},
        // Not UTF-8: the legacy code page of the user's locale, 1252 here.
        {"HighAnsi", "\xC4pfel und \xD6l\n", "\xC3\x84pfel und \xC3\x96l\r\n"},
        {"BlockEdge", std::string(1022, 'a') + "\r\n" + "b", std::string(1022, 'a') + "\r\nb"},
    });
}

TEST_F(InformationTest, EveryEncodingOfADescriptionShowsTheSameText)
{
    const std::string text = "Мод для героев, 模组, Ελληνικά 🎮\r\nsecond line\r\n";
    auto utf16 = [](const std::string& utf8, bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (wchar_t unit : ToWide(utf8, CP_UTF8)) {
            char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        return bytes;
    };
    ExpectShown({
        {"Utf8", text, text},
        {"Utf8Mark", "\xEF\xBB\xBF" + text, text},
        {"Utf16LittleEndian", utf16(text, false), text},
        {"Utf16BigEndian", utf16(text, true), text},
        {"Utf16OddByte", utf16("ab", false) + "c", "ab"},
        {"Legacy1252", "Caf\xE9 \x80 5\n", "Café € 5\r\n"},
    });
}

// How the text-mode stream of the standard library reads a description, block
// by block: the reference that the program's single binary read must match.
std::string StreamRead(const std::string& path)
{
    std::ifstream file(path);
    std::string text;
    char block[1024];
    while (file) {
        file.read(block, sizeof block - 1);
        block[file.gcount()] = '\0';
        text += block;
    }
    return text;
}

TEST_F(InformationTest, TheReadGivesWhatTheTextModeStreamGives)
{
    const std::string edge(1022, 'e');
    const std::string cases[] = {
        "plain\r\ntext\n",
        "lone\rcarriage\rreturns\r",
        std::string("zero\0in the first block", 24) + std::string(2000, 'z'),
        edge + "\r\n" + std::string("\0after", 6) + std::string(1100, 'n') + std::string("\0", 1) + "tail",
        edge + "\r" + "\n" + "across the block edge",
        "control-Z\x1A"
        "after it",
        std::string(3000, '\r'),
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        folder.Write("case.txt", cases[i]);
        EXPECT_EQ(StreamRead(folder.Path("case.txt")), ReadDescription(folder.Path("case.txt"))) << "case " << i;
    }
}

TEST_F(InformationTest, AZeroByteEndsWhatItsBlockContributes)
{
    std::string block = "abc" + std::string(1, '\0') + std::string(1019, 'x');
    ASSERT_EQ(1023u, block.size());
    StartWith({{"Zero", block + "next block"}});
    EXPECT_EQ("abcnext block", Shown("Zero"));
}

TEST_F(InformationTest, AModWithoutDescriptionOrAnEmptyOneEmptiesTheBox)
{
    folder.Write("Plain.pak");
    StartWith({{"Described", "some text"}, {"Empty", ""}});
    EXPECT_EQ("some text", Shown("Described"));
    EXPECT_EQ("", Shown("Plain")) << "the previous mod's text stayed";
    EXPECT_EQ("some text", Shown("Described"));
    EXPECT_EQ("", Shown("Empty"));
}

TEST_F(InformationTest, ADescriptionThatCannotBeReadShowsNothingAndTheWindowGoesOn)
{
    StartWith({{"Deleted", "gone soon"}, {"Locked", "locked text"}, {"Folder", "x"}, {"Fine", "fine text"}});
    DeleteFileA(folder.Path("Deleted.txt").c_str());
    DeleteFileA(folder.Path("Folder.txt").c_str());
    folder.MakeFolder("Folder.txt");
    HANDLE lock = CreateFileA(folder.Path("Locked.txt").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);

    EXPECT_EQ("", Shown("Deleted"));
    EXPECT_EQ("", Shown("Locked"));
    EXPECT_EQ("", Shown("Folder"));
    EXPECT_EQ("fine text", Shown("Fine")) << "the window stopped working";
    CloseHandle(lock);
    EXPECT_EQ("locked text", Shown("Locked"));
    EXPECT_TRUE(dialogs.Seen().empty());
}

TEST_F(InformationTest, ReadDescriptionOfAMissingFileIsEmpty)
{
    EXPECT_EQ("", ReadDescription(folder.Path("none.txt")));
    EXPECT_EQ("", ReadDescription(""));
}

}  // namespace
