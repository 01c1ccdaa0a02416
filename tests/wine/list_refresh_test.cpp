// The lists follow changes made in the mod folder while the player was in
// another window, and a right click on a mod offers what can be done with it.
#include "app_test.h"

#include <algorithm>
#include <functional>

#include "../res/resource.h"
#include "menus.h"
#include "mods/mod_names.h"
#include "shared/window_state.h"

namespace {

class ListRefreshTest : public AppTest {
protected:
    void Start(const std::vector<std::string>& files)
    {
        for (const std::string& name : files)
            mods.Write(name, "about " + name);
        StartAppIn(mods.Path());
        elsewhere =
            CreateWindowExA(0, "Static", "Explorer", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
        SetForegroundWindow(MainWindow);
    }
    void TearDown() override
    {
        DestroyWindow(elsewhere);
        AppTest::TearDown();
    }
    // The player goes to another window, changes the folder there and comes back.
    void ChangeElsewhere(const std::function<void()>& change)
    {
        SetForegroundWindow(elsewhere);
        change();
        SetForegroundWindow(MainWindow);
    }
    void Rename(const std::string& from, const std::string& to)
    {
        ASSERT_TRUE(MoveFileA(mods.Path(from).c_str(), mods.Path(to).c_str()));
    }
    TempFolder mods;
    HWND elsewhere = NULL;
};

TEST_F(ListRefreshTest, OnReturnTheListsFollowTheFolderInThePlayersOrder)
{
    Start({"C.pak", "A.pak", "B.pak", "D.mod"});
    std::vector<std::string> enabled = Rows(EnabledList);  // in the folder's order, which a return keeps
    ASSERT_EQ(3u, enabled.size());
    SelectRow(EnabledList, RowOf(EnabledList, "B"));

    ChangeElsewhere([&] { mods.Write("New.pak"); });
    enabled.push_back("New");
    ExpectScreen({enabled, {"D"}, RowOf(EnabledList, "B"), -1, false, true, ""}, "after an archive was added");

    ChangeElsewhere([&] { DeleteFileA(mods.Path("C.pak").c_str()); });
    enabled.erase(std::find(enabled.begin(), enabled.end(), "C"));
    ExpectScreen({enabled, {"D"}, RowOf(EnabledList, "B"), -1, false, true, ""}, "after an archive was deleted");

    ChangeElsewhere([&] { mods.Write("B.txt", "about B"); });
    ExpectScreen({enabled, {"D"}, RowOf(EnabledList, "B"), -1, false, true, ""},
                 "after a description appeared: the box keeps its text until the next selection");
    SelectRow(EnabledList, RowOf(EnabledList, "B"));
    EXPECT_EQ("about B", TextOf(InformationBox));

    // Another copy of the tool updates the selected mod, then restores it:
    // each version is shown with its own description.
    const struct {
        const char* what;
        std::string archive, description, shown;
    } versions[] = {
        {"after another copy of the tool updated the selected mod", "B.new", "B.new-txt", "about B, 2"},
        {"after another copy of the tool restored its previous version", "B.previous", "B.previous-txt",
         "about B"},
    };
    mods.Write("B.new", "B, 2");
    mods.Write("B.new-txt", "about B, 2");
    for (const auto& version : versions) {
        ChangeElsewhere([&] {
            ASSERT_TRUE(ReplaceFileA(mods.Path("B.pak").c_str(), mods.Path(version.archive).c_str(),
                                     mods.Path("B.kept").c_str(), 0, NULL, NULL));
            ASSERT_TRUE(ReplaceFileA(mods.Path("B.txt").c_str(), mods.Path(version.description).c_str(),
                                     mods.Path("B.kept-txt").c_str(), 0, NULL, NULL));
            Rename("B.kept", "B.previous");
            Rename("B.kept-txt", "B.previous-txt");
        });
        ExpectScreen({enabled, {"D"}, RowOf(EnabledList, "B"), -1, false, true, version.shown}, version.what);
    }

    ChangeElsewhere([&] { Rename("B.pak", "B.mod"); });
    enabled.erase(std::find(enabled.begin(), enabled.end(), "B"));
    ExpectScreen({enabled, {"D", "B"}, -1, 1, true, false, "about B"},
                 "after the selected mod was renamed to the other side");

    ChangeElsewhere([&] { DeleteFileA(mods.Path("B.mod").c_str()); });
    ExpectScreen({enabled, {"D"}, -1, -1, false, false, ""}, "after the selected mod was deleted");

    ChangeElsewhere([&] {
        mods.Write("E.pak");
        mods.Write("F.pak");
    });
    enabled = Rows(EnabledList);  // the two at the end, in the folder's order
    ChangeElsewhere([&] {
        for (const char* gone : {"A.pak", "New.pak"})
            DeleteFileA(mods.Path(gone).c_str());
    });
    enabled.erase(enabled.begin(), enabled.begin() + 2);
    ExpectScreen({enabled, {"D"}, -1, -1, false, false, ""}, "after the first two rows of a side were deleted");
    EXPECT_TRUE(dialogs.Seen().empty()) << Describe(dialogs.Seen()[0]);
}

TEST_F(ListRefreshTest, APlayerWhoLeftFromADialogOfTheToolFindsTheListsCurrentWhenItCloses)
{
    Start({"A.pak"});
    dialogs.ActIn("Mod Sets", [&](HWND dialog) {
        SendMessageA(MainWindow, WM_ACTIVATEAPP, FALSE, 0);  // to another program, from the dialog
        mods.Write("New.pak");
        SendMessageA(MainWindow, WM_ACTIVATEAPP, TRUE, 0);  // and back to the dialog
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Click(IDM_MOD_SETS);
    EXPECT_TRUE(PumpUntil([] { return Rows(EnabledList).size() == 2; })) << "the lists stayed as they were";
    ExpectLists({"A", "New"}, {});
}

// Counts the messages that change a list box.
WNDPROC originalProcs[2];
int changes;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_SETCURSEL:
    case WM_SETREDRAW: ++changes;
    }
    return CallWindowProcA(originalProcs[window == EnabledList ? 0 : 1], window, message, wParam, lParam);
}

TEST_F(ListRefreshTest, ReturningToAnUnchangedFolderTouchesNothing)
{
    Start({"A.pak", "B.pak", "C.mod", "C.txt"});
    SelectRow(DisabledList, 0);
    Click(IDC_ENABLE);  // C moves to the end of the enabled side, as the folder now agrees
    Screen before = Shown();
    changes = 0;
    for (int i = 0; i < 2; ++i)
        originalProcs[i] = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            i ? DisabledList : EnabledList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));

    ChangeElsewhere([] {});
    EXPECT_EQ(0, changes) << "a list box was changed";
    ExpectScreen(before, "after a return with nothing changed");
    EXPECT_EQ("C", Rows(EnabledList).back());

    std::string folder = mods.Path();
    ChangeElsewhere([&] { RemoveTree(folder); });
    EXPECT_EQ(0, changes) << "a folder that is gone changed the lists";
    EXPECT_TRUE(dialogs.Seen().empty()) << "a folder that is gone is reported only by the next command";
}

// Wine's Explorer window showing `folder`, if it is open.
HWND ExplorerShowing(const std::string& folder)
{
    return FindWindowA("ExplorerWClass", FileNamePart(folder).c_str());
}

TEST_F(ListRefreshTest, ARightClickSelectsTheModAndOffersWhatCanBeDoneWithIt)
{
    Start({"A.pak", "B.mod", "B.txt"});
    RECT row;
    SendMessageA(DisabledList, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    POINT onRow = {row.left + 5, row.top + 2}, below = {row.left + 5, row.bottom + 40};
    ClientToScreen(DisabledList, &onRow);
    ClientToScreen(DisabledList, &below);

    MenuChooser enable({"&Enable"});
    OpenListMenu(DisabledList, MAKELPARAM(onRow.x, onRow.y));
    EXPECT_EQ((std::vector<std::string>{"&Enable", "Open Mod &Folder", "&Update from File...", "-",
                                        "&Mod Sets...\tCtrl+M", "&Switch To", "-", "&Copy Mods On as Text",
                                        "&Paste from Text", "-", "F&ind a Problem Mod..."}),
              enable.Entries());
    ExpectLists({"A", "B"}, {});
    EXPECT_EQ("about B.txt", TextOf(InformationBox)) << "the row was not selected as a click selects it";

    MenuChooser disable({"&Disable"});
    OpenListMenu(EnabledList, -1);  // Shift+F10: no selection
    EXPECT_EQ("Open Mod &Folder", disable.Entries().front()) << "the keyboard's menu without a selected row";

    ASSERT_EQ((HWND)NULL, ExplorerShowing(mods.Path()));
    MenuChooser open({"Open Mod &Folder"});
    OpenListMenu(DisabledList, MAKELPARAM(below.x, below.y));
    EXPECT_EQ("Open Mod &Folder", open.Entries().front()) << "an empty part of the list offers no state command";
    HWND explorer = NULL;
    EXPECT_TRUE(WaitUntil([&] { return (explorer = ExplorerShowing(mods.Path())) != NULL; }))
        << "no Explorer window";
    PostMessageA(explorer, WM_CLOSE, 0, 0);
    EXPECT_TRUE(dialogs.Seen().empty());
}

TEST(KeysTest, F5RescansAndCtrlMOpensTheModSets)
{
    HACCEL keys = LoadAcceleratorsA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ACCEL table[8];
    int count = CopyAcceleratorTableA(keys, table, 8);
    std::vector<std::string> found;
    for (int i = 0; i < count; ++i)
        found.push_back(std::to_string(table[i].key) + (table[i].fVirt & FCONTROL ? "+ctrl" : "") + " -> " +
                        std::to_string(table[i].cmd));
    EXPECT_EQ((std::vector<std::string>{std::to_string('M') + "+ctrl -> " + std::to_string(IDM_MOD_SETS),
                                        std::to_string(VK_F5) + " -> " + std::to_string(IDC_RESCAN)}),
              found);
}

}  // namespace
