// Enabling and disabling mods: real renames in a real folder.
#include "app_test.h"

#include "shared/window_state.h"
#include "mods/directory_scan.h"

namespace {

// The name a folder entry really has, case included, or "" when missing.
std::string NameOnDisk(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return "";
    FindClose(search);
    return found.cFileName;
}

class ModStateTest : public AppTest {
protected:
    void Start() { StartAppIn(folder.Path()); }
    TempFolder folder;
};

TEST_F(ModStateTest, DisablingRenamesTheArchiveAndMovesTheModToTheEnd)
{
    folder.Write("MyMod.pak", "archive bytes");
    folder.Write("MyMod.txt", "about MyMod");
    folder.Write("Old.mod");
    Start();
    SelectRow(EnabledList, 0);
    ASSERT_EQ("about MyMod", TextOf(InformationBox));

    Click(IDC_DISABLE);

    EXPECT_FALSE(folder.Exists("MyMod.pak"));
    EXPECT_EQ("archive bytes", folder.Read("MyMod.mod"));
    EXPECT_TRUE(EnabledMods.empty());
    ASSERT_EQ(2u, DisabledMods.size());
    const ModEntry& moved = DisabledMods.back();
    EXPECT_EQ(folder.Path("MyMod.mod"), moved.path);
    EXPECT_EQ("MyMod.mod", moved.fileName);
    EXPECT_EQ(folder.Path("MyMod.txt"), moved.infoPath);
    EXPECT_EQ("MyMod", Rows(DisabledList).back());
    EXPECT_FALSE(IsEnabled(DisableButton));
    EXPECT_EQ(-1, Selection(EnabledList));
    EXPECT_EQ(-1, Selection(DisabledList));
    EXPECT_EQ("about MyMod", TextOf(InformationBox));
    ExpectListsMirrored();
    EXPECT_TRUE(dialogs.Seen().empty());
}

TEST_F(ModStateTest, EnablingRenamesTheArchiveAndMovesTheModToTheEnd)
{
    folder.Write("MyMod.MOD", "archive bytes");
    folder.Write("First.pak");
    Start();
    SelectRow(DisabledList, 0);

    Click(IDC_ENABLE);

    EXPECT_EQ("MyMod.pak", NameOnDisk(folder.Path("MyMod.pak")));
    EXPECT_EQ("archive bytes", folder.Read("MyMod.pak"));
    EXPECT_EQ("", NameOnDisk(folder.Path("MyMod.MOD")));
    ASSERT_EQ(2u, EnabledMods.size());
    EXPECT_EQ("MyMod.pak", EnabledMods.back().fileName);
    EXPECT_EQ(folder.Path("MyMod.pak"), EnabledMods.back().path);
    EXPECT_TRUE(DisabledMods.empty());
    EXPECT_FALSE(IsEnabled(EnableButton));
    EXPECT_EQ(-1, Selection(EnabledList));
    ExpectListsMirrored();
}

TEST_F(ModStateTest, DisablingTheThirdOfFiveKeepsTheOthersInOrder)
{
    for (const char* name : {"A.pak", "B.pak", "C.pak", "D.pak", "E.pak"})
        folder.Write(name);
    Start();
    std::vector<std::string> before = Rows(EnabledList);
    ASSERT_EQ(5u, before.size());

    SelectRow(EnabledList, 2);
    Click(IDC_DISABLE);

    std::vector<std::string> expected = before;
    expected.erase(expected.begin() + 2);
    EXPECT_EQ(expected, Rows(EnabledList));
    EXPECT_EQ(std::vector<std::string>{before[2]}, Rows(DisabledList));
    EXPECT_TRUE(folder.Exists(before[2] + ".mod"));
    ExpectListsMirrored();
}

TEST_F(ModStateTest, ANameTakenOnTheOtherSideIsRefusedWithAWarningEveryTime)
{
    folder.Write("MyMod.pak", "enabled copy");
    folder.Write("MyMod.mod", "disabled copy");
    Start();
    const struct {
        HWND list;
        int button;
        Message warning;
    } cases[] = {
        {EnabledList, IDC_DISABLE, Message::ModNotEnabled},
        {DisabledList, IDC_ENABLE, Message::ModNotDisabled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Text(c.warning));
        std::vector<ModEntry> enabledBefore = EnabledMods, disabledBefore = DisabledMods;
        SelectRow(c.list, 0);
        dialogs.Forget();
        Click(c.button);
        Click(c.button);  // the second click fails the same way

        ExpectedBox warning = Box(c.warning, MainWindow);
        ExpectBoxes(dialogs, {warning, warning});
        EXPECT_EQ("enabled copy", folder.Read("MyMod.pak"));
        EXPECT_EQ("disabled copy", folder.Read("MyMod.mod"));
        ASSERT_EQ(1u, EnabledMods.size());
        EXPECT_EQ(enabledBefore[0].path, EnabledMods[0].path) << "the entry changed after a failed rename";
        EXPECT_EQ(enabledBefore[0].fileName, EnabledMods[0].fileName);
        ASSERT_EQ(1u, DisabledMods.size());
        EXPECT_EQ(disabledBefore[0].path, DisabledMods[0].path);
        EXPECT_EQ(disabledBefore[0].fileName, DisabledMods[0].fileName);
        EXPECT_EQ(0, Selection(c.list));
        EXPECT_TRUE(IsEnabled(GetDlgItem(MainWindow, c.button)));
        ExpectListsMirrored();
    }
}

TEST_F(ModStateTest, AnArchiveGoneOrInUseSinceTheScanIsNotMoved)
{
    folder.Write("Gone.pak");
    folder.Write("Busy.pak", "in use");
    Start();
    DeleteFileA(folder.Path("Gone.pak").c_str());
    HANDLE game = CreateFileA(folder.Path("Busy.pak").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, game);

    for (const char* name : {"Gone", "Busy"}) {
        SCOPED_TRACE(name);
        dialogs.Forget();
        SelectRow(EnabledList, RowOf(EnabledList, name));
        Click(IDC_DISABLE);
        ExpectBoxes(dialogs, {Box(Message::ModNotEnabled, MainWindow)});
        EXPECT_NE(-1, RowOf(EnabledList, name));
    }
    CloseHandle(game);
    EXPECT_EQ("in use", folder.Read("Busy.pak"));
    EXPECT_FALSE(folder.Exists("Busy.mod"));
    EXPECT_FALSE(folder.Exists("Gone.mod"));
    EXPECT_EQ(2u, EnabledMods.size());
    EXPECT_TRUE(DisabledMods.empty());
    ExpectListsMirrored();
}

TEST_F(ModStateTest, WithoutASelectionNothingHappens)
{
    folder.Write("A.pak");
    folder.Write("B.mod");
    Start();
    // As after "Change..." or "Add Mod" rebuilt the lists: the button stays
    // enabled while no row is selected.
    SelectRow(EnabledList, 0);
    ClearModLists();
    RescanModDirectory();
    ASSERT_TRUE(IsEnabled(DisableButton));

    Click(IDC_DISABLE);
    Click(IDC_ENABLE);

    EXPECT_TRUE(folder.Exists("A.pak"));
    EXPECT_TRUE(folder.Exists("B.mod"));
    EXPECT_EQ(std::vector<std::string>{"A"}, Rows(EnabledList));
    EXPECT_EQ(std::vector<std::string>{"B"}, Rows(DisabledList));
    EXPECT_TRUE(dialogs.Seen().empty());
}

}  // namespace
