// The tool in other languages: every text fits at every display scale, none
// bypasses the catalogue (the pseudo-language shows no English), and a player
// with Russian or Chinese Windows uses it in that language.
#include <fstream>
#include <map>
#include <sstream>

#include "../res/resource.h"
#include "app_test.h"
#include "language_checks.h"
#include "layout.h"
#include "menus.h"
#include "shared/language.h"
#include "shared/language_rules.h"
#include "shared/locale_format.h"
#include "shared/text_conversion.h"
#include "shared/window_state.h"

namespace {

class LanguageTest : public AppTest {
protected:
    void TearDown() override
    {
        UseLanguage(kEnglish);
        AppTest::TearDown();
    }
    TempFolder folder;
};

TEST(FitTest, EveryTextFitsItsControlInEveryLanguageAt96And144And192Dpi)
{
    for (DWORD dpi : {96, 144, 192}) {
        SCOPED_TRACE(std::to_string(dpi) + " DPI");
        DisplayScale scale(dpi);
        SetEnvironmentVariableA("QMM_FIT_DPI", std::to_string(dpi).c_str());
        std::string output = TestProgramFolder() + "fit_probe_" + std::to_string(dpi) + ".txt";
        DWORD code = RunToEnd(TestProgramFolder() + "fit_probe.exe", "", output, 300000);
        std::ifstream in(output, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_EQ(0u, code) << text.str();
        std::string line;
        while (std::getline(text, line))
            if (line.rfind("tightest", 0) == 0)
                std::printf("%s\n", line.c_str());
    }
}

TEST_F(LanguageTest, UnderThePseudoLanguageNoEnglishIsLeftOnScreen)
{
    folder.Write("Better Towns.pak", "12345");
    folder.Write("Hard AI.mod", "123");
    UseLanguage(kPseudoLanguage);
    StartAppIn(folder.Path());
    std::vector<std::string> data = {"Better Towns.pak", "Gone.pak",    "Hard AI.mod", "Better Towns",
                                     "Hard AI",          folder.Path(), "Friends"};
    std::vector<std::string> seen;
    std::vector<std::string> entries =
        VisitEveryWindow(dialogs, "Quillmoor mod set: Friends\r\nBetter Towns.pak\t5\r\nGone.pak\t1\r\n",
                         [&](HWND window, const std::string& name) {
                             for (const std::string& text : TextsOnScreen(window))
                                 seen.push_back(name + ": " + text);
                         });
    for (const std::string& entry : entries)
        seen.push_back("menu: " + entry);
    for (size_t i = 0; i < MessageCount(); ++i) {
        if (MessageFor(static_cast<Message>(i)).buttons == MB_YESNO)
            dialogs.AnswerQuestion(IDNO);
        ShowMessage(MainWindow, static_cast<Message>(i), {"Better Towns.pak", folder.Path()});
    }
    ShowDropSummary(
        MainWindow,
        JoinLines({TextFor(Text::DropLine, {"Hard AI.mod", DropReasonText(DropReason::NotArchive)}), "x", "y"},
                  1));
    EXPECT_EQ(MessageCount() + 1, dialogs.MessageBoxes().size()) << "every message and the drop summary shown";
    for (const SeenDialog& box : dialogs.MessageBoxes())
        seen.push_back("message box: " + box.caption + " / " + box.text);
    // Every text of the catalogue, also those shown only at some moments (the
    // error a game ended with, the culprits); the title alone stays English.
    for (size_t i = 0; i < TextCount(); ++i)
        if (static_cast<enum Text>(i) != Text::MainTitle)
            seen.push_back("text: " + TextFor(static_cast<enum Text>(i), {"Better Towns", "1", "2", "3", "4"}));
    for (size_t i = 0; i < DropReasonCount(); ++i)
        seen.push_back("drop: " + DropReasonText(static_cast<DropReason>(i), {"Better Towns"}));
    seen.push_back("names: " + NameList({"Better Towns", "Hard AI", "Friends"}, 1));

    ASSERT_GT(seen.size(), 60u);
    for (const std::string& text : seen) {
        std::vector<std::string> english = EnglishIn(text.substr(text.find(": ") + 2), data);
        EXPECT_TRUE(english.empty()) << "expected only pseudo-language, got English "
                                     << ::testing::PrintToString(english) << " in " << text;
    }
}

// Start, select, disable, and a message box, in a language the Windows of the
// player prefers.
TEST_F(LanguageTest, APlayerWalksThroughTheToolInRussianAndInChinese)
{
    folder.Write("Better Towns.pak");
    folder.Write("Hard AI.mod");
    const struct {
        const char* preferred;
        const char* disable;  // the button, as the language's file has it
    } kWalks[] = {{"ru-RU", "Выкл."}, {"zh-CN", "禁用"}};
    for (const auto& walk : kWalks) {
        SCOPED_TRACE(walk.preferred);
        UseLanguage(ChooseLanguage({walk.preferred}));
        StartAppIn(folder.Path());
        EXPECT_EQ(walk.disable, TextOf(DisableButton));
        EXPECT_EQ("Quillmoor Mod Manager", TextOf(MainWindow));

        SelectRow(EnabledList, 0);
        Click(IDC_DISABLE);
        EXPECT_TRUE(folder.Exists("Better Towns.mod"));
        ExpectLists({}, {"Better Towns", "Hard AI"});

        // Enabling a mod whose enabled name is taken warns, in the language.
        folder.Write("Hard AI.pak");
        SelectRow(DisabledList, RowOf(DisabledList, "Hard AI"));
        Click(IDC_ENABLE);
        ExpectBoxes(dialogs, {Box(Message::ModNotDisabled, MainWindow)});
        std::string shown = dialogs.MessageBoxes().empty() ? "" : dialogs.MessageBoxes()[0].text;
        EXPECT_TRUE(EnglishIn(shown, {}).empty()) << shown;

        DeleteFileA(folder.Path("Hard AI.pak").c_str());
        MoveFileA(folder.Path("Better Towns.mod").c_str(), folder.Path("Better Towns.pak").c_str());
        CloseApp();
        dialogs.Forget();
    }
}

// Alt with a letter of the system menu's own entries must not stop at the
// tool's entries there instead, in any language.
TEST(AltLetterTest, TheToolsSystemMenuEntriesTakeNoLetterOfTheSystemsOwn)
{
    for (const LanguageInfo& language : Languages()) {
        SCOPED_TRACE(language.tag);
        std::vector<std::wstring> own = SystemMenuEntries(language.id);
        EXPECT_FALSE(own.empty()) << "expected the system menu in this language";
        std::map<wchar_t, std::wstring> taken;
        for (const std::wstring& entry : own)
            if (wchar_t letter = AltLetter(entry))
                taken.emplace(letter, entry);
        UseLanguage(language.id);
        for (UINT id : {IDS_SYSTEM_MOD_SETS, IDS_SEARCH_MENU_ENTRY, IDS_ALLOW_CHANGES_ENTRY}) {
            std::wstring entry = ResourceText(id);
            wchar_t letter = AltLetter(entry);
            if (!letter)
                continue;
            if (taken.count(letter))
                ADD_FAILURE() << FromWide(entry, CP_UTF8) << " takes the letter of "
                              << FromWide(taken[letter], CP_UTF8);
            taken.emplace(letter, entry);
        }
    }
    UseLanguage(kEnglish);
}

TEST(LocaleFormatTest, SizesAndDatesAreWrittenAsTheLocaleWritesThem)
{
    // The prefix runs in English (United States).
    EXPECT_EQ("1,200", FormatCount(1200));
    EXPECT_EQ("0", FormatCount(0)) << "a zero is no empty text";
    EXPECT_EQ("3/14/2024", FormatDate(2024, 3, 14));
    EXPECT_EQ("", FormatDate(2023, 2, 30)) << "no such day";

    // A size's number as the locale writes it, three digits of it, cut; its
    // unit in the tool's language, whatever the regional format.
    const struct {
        LANGID language;
        uint64_t bytes;
        std::string expected;
    } sizes[] = {
        {kEnglish, 1, "1 byte"},
        {kEnglish, 1023, "1,023 bytes"},
        {kEnglish, 1536, "1.50 KB"},
        {kEnglish, 1048575, "1,023 KB"},
        {kEnglish, 1500000, "1.43 MB"},
        {kEnglish, 157286400, "150 MB"},
        {kEnglish, 16106127360ull, "15.0 GB"},
        {kEnglish, 5ull << 40, "5.00 TB"},
        {kPseudoLanguage, 1536, ""},
    };
    for (const auto& size : sizes) {
        UseLanguage(size.language);
        std::string expected = size.expected.empty() ? TextFor(Text::SizeKilobytes, {"1.50"}) : size.expected;
        EXPECT_EQ(expected, FormatSize(size.bytes)) << size.bytes << " bytes";
        EXPECT_TRUE(size.language == kEnglish || FormatSize(size.bytes) != "1.50 KB")
            << "the unit did not come from the catalogue: " << FormatSize(size.bytes);
    }
    UseLanguage(kEnglish);
}

}  // namespace
