// The catalogue holds the system's texts exactly, and ShowMessage shows them
// as they stand, with the owner it is given. The other tests name messages by
// their entry; this is where the texts themselves are checked.
#include "app_test.h"

#include "shared/language.h"
#include "shared/system_reason.h"

namespace {

TEST(MessagesTest, EveryMessageIsShownWithItsTextCaptionIconAndOwner)
{
    const ExpectedBox kExpected[] = {
        {"Error on window class registering!", "Error!", MB_ICONWARNING, NULL},
        {"Error on window creating!", "Error!", MB_ICONWARNING, NULL},
        {"Specified directory does not exist.", "Error", MB_ICONERROR, NULL},
        // Crossed on purpose: Enable warns "wasn't disabled", Disable "wasn't enabled".
        {"Mod wasn't disabled!", "Not disabled!", MB_ICONWARNING, NULL},
        {"Mod wasn't enabled!", "Not enabled!", MB_ICONWARNING, NULL},
        {"A mod with this name already exists.", "Error", MB_ICONWARNING, NULL},
        {"Mod could not be copied.", "Error", MB_ICONWARNING, NULL},
        {"Mod was added, but its description could not be copied.", "Error", MB_ICONWARNING, NULL},
        {"Game could not be started, please check the correct directory has been set.", "Error", MB_ICONWARNING,
         NULL},
    };
    HWND owner = CreateWindowExA(0, "Static", "owner", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    DialogAnswerer dialogs;
    std::vector<ExpectedBox> expected;
    for (size_t i = 0; i < sizeof kExpected / sizeof kExpected[0]; ++i) {
        HWND shownOwner = i % 2 ? owner : NULL;
        ShowMessage(shownOwner, static_cast<Message>(i));
        expected.push_back(kExpected[i]);
        expected.back().owner = shownOwner;
    }
    ShowDropSummary(owner, "a.zip: not a mod archive\nb.pak: could not be copied");
    expected.push_back({"a.zip: not a mod archive\nb.pak: could not be copied", "Error", MB_ICONWARNING, owner});
    ExpectBoxes(dialogs, expected);
    DestroyWindow(owner);

    const char* const reasons[] = {"a mod with this name already exists", "not a mod archive",
                                   "name of one of the game's own archives", "could not be copied",
                                   "added, but its description could not be copied"};
    for (size_t i = 0; i < sizeof reasons / sizeof reasons[0]; ++i)
        EXPECT_EQ(reasons[i], DropReasonText(static_cast<DropReason>(i)));

    // Lists in messages: the names shown, and how many more.
    EXPECT_EQ("A, B and 2 more", NameList({"A", "B", "C", "D"}, 2));
    EXPECT_EQ("A, B", NameList({"A", "B"}, 2));
    EXPECT_EQ("a\nb", JoinLines({"a", "b"}, 2));
    EXPECT_EQ("a\nb\nand 2 more", JoinLines({"a", "b", "c", "d"}, 2));
    EXPECT_EQ("", JoinLines({}, 15));
}

// The last line of a failure: Windows' text in the tool's language (the
// system's own where Windows has none in it), and the number.
TEST(MessagesTest, TheReasonLineIsWindowsTextInTheToolsLanguageWithItsNumber)
{
    const LANGID before = CurrentLanguage();
    const LANGID languages[] = {0x0409, 0x0407, 0x040E, 0x0419, 0x0804};
    std::vector<std::string> lines;
    for (LANGID language : languages) {
        UseLanguage(language);
        std::string line = SystemReasonLine(ERROR_ACCESS_DENIED);
        EXPECT_TRUE(line.size() > 4 && line.compare(line.size() - 4, 4, " (5)") == 0)
            << "language " << language << ": expected a text and \" (5)\", got \"" << line << "\"";
        lines.push_back(line);
    }
    EXPECT_NE(lines[0], lines[1]) << "the German line is the English one: the tool's language was not asked for";
    EXPECT_EQ("(536875572)", SystemReasonLine(0x20001234)) << "a code without a text";
    UseLanguage(before);
}

}  // namespace
