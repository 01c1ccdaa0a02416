// A mod set shared as text through the clipboard: copied in one mod folder,
// pasted in a friend's that differs, previewed before anything changes, and
// switched to.
#include "app_test.h"

#include "../res/resource.h"
#include "clipboard.h"
#include "menus.h"
#include "sets/set_store.h"
#include "settings/mod_directory.h"
#include "shared/text_conversion.h"
#include "shared/text_format.h"
#include "shared/window_state.h"

namespace {

class SetSharingTest : public AppTest {
protected:
    void Paste()
    {
        MenuChooser menu({"&Paste from Text"});
        OpenListMenu(EnabledList, -1);
    }
    TempFolder mine, friends;
};

TEST_F(SetSharingTest, ACopiedSetIsPreviewedInAFolderThatDiffersAndSwitchedTo)
{
    mine.Write("Мод.pak", "12345");
    mine.Write("Beta.pak", "0123456789");
    mine.Write("Shared.pak", "abc");
    mine.Write("Off.mod", "off");
    StartAppIn(mine.Path());
    ASSERT_TRUE(SaveModSet({"Friends night", {"Мод", "Beta", "Gone", "Shared"}}));
    dialogs.ActIn("Mod Sets", [](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_SET_LIST);
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(RowOf(list, "Friends night")), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SET_COPY, BN_CLICKED), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    Click(IDM_MOD_SETS);
    EXPECT_EQ("Quillmoor mod set: Friends night\r\nМод.pak\t5\r\nBeta.pak\t10\r\nShared.pak\t3\r\n",
              ClipboardText());
    ASSERT_EQ(1u, dialogs.MessageBoxes().size()) << "the mod left out was not named";
    EXPECT_EQ(FormatText(Text(Message::SetCopiedWithout), {"Gone"}), dialogs.MessageBoxes()[0].text);
    dialogs.Forget();

    // The friend's folder: another version of one mod, one off, one extra, one lacking.
    friends.Write("Мод.pak", "1234567");
    friends.Write("Shared.mod", "ab");
    friends.Write("Extra.pak", "x");
    DeleteSettingsKey();
    StoreSettingsValue(kSettingsValue, REG_SZ, friends.Path());
    RestartApp();
    std::string preview;
    std::vector<std::string> namesBeforeTheChoice;
    dialogs.ActIn("Mod Set from Text", [&](HWND dialog) {
        preview = TextOf(GetDlgItem(dialog, IDC_PREVIEW_TEXT));
        namesBeforeTheChoice = friends.Names();
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_SWITCH, BN_CLICKED), 0);
    });
    Paste();

    EXPECT_EQ(
        "Switched on (1):\r\n    Shared\r\n"
        "Switched off (1):\r\n    Extra\r\n"
        "Not in this mod folder (1):\r\n    Beta.pak\r\n"
        "Another version here (2):\r\n    Мод.pak: 7 bytes here, 5 in the text\r\n"
        "    Shared.pak: 2 bytes here, 3 in the text\r\n",
        preview);
    EXPECT_EQ((std::vector<std::string>{"Extra.pak", "Shared.mod", "Мод.pak"}), namesBeforeTheChoice);
    EXPECT_EQ((std::vector<std::string>{"Extra.mod", "Shared.pak", "Мод.pak"}), friends.Names());
    EXPECT_TRUE(dialogs.MessageBoxes().empty()) << "asked again about what the preview showed";
    ExpectLists({"Мод", "Shared"}, {"Extra"});
    EXPECT_TRUE(LoadModSets().empty()) << "a set was stored without being saved";
}

TEST_F(SetSharingTest, TextThatIsNotASetIsRefusedAndChangesNothing)
{
    mine.Write("A.pak", "a");
    StartAppIn(mine.Path());
    const struct {
        std::string text;
        ExpectedBox box;
    } cases[] = {
        {"Are we playing tonight?", Box(Message::NoSetOnClipboard, MainWindow)},
        {"Quillmoor mod set: Night\n\nA.pak 12\n", Box(Message::SetTextNoTab, MainWindow, {"3"})},
        {"Quillmoor mod set: Night\r\nA.pak\t1\r\n..\\..\\Windows\\B.pak\t2\r\n",
         Box(Message::SetTextPath, MainWindow, {"3"})},
        {"Quillmoor mod set: Night\rA.pak\t1\r\rA.PAK\t1\ra.pak\t2\r",
         Box(Message::SetTextTwoSizes, MainWindow, {"2", "5"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        dialogs.Forget();
        PutOnClipboard(c.text);
        Paste();
        ExpectBoxes(dialogs, {c.box});
    }
    EXPECT_EQ(std::vector<std::string>{"A.pak"}, mine.Names());
    EXPECT_TRUE(LoadModSets().empty());
}

}  // namespace
