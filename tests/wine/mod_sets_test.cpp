// Mod sets: saved, switched, renamed and deleted through the real dialog, kept
// in the registry in any script, and a switch that never stops halfway.
#include "app_test.h"

#include <memory>

#include "../res/resource.h"
#include "clipboard.h"
#include "menus.h"
#include "mods/directory_scan.h"
#include "sets/mod_sets_dialog.h"
#include "sets/mod_switch.h"
#include "sets/set_store.h"
#include "journal.h"
#include "shared/text_conversion.h"
#include "shared/window_state.h"

namespace {

class ModSetsTest : public ModFolderTest {};

std::vector<std::string> DialogRows(HWND dialog)
{
    return Rows(GetDlgItem(dialog, IDC_SET_LIST));
}

void Press(HWND dialog, int button)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

void SelectSet(HWND dialog, const std::string& row)
{
    HWND list = GetDlgItem(dialog, IDC_SET_LIST);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(RowOf(list, row)), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SET_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void TypeName(HWND dialog, const std::string& name)
{
    SetDlgItemTextA(dialog, IDC_SET_NAME, name.c_str());
}

TEST_F(ModSetsTest, TheDialogSavesSwitchesRenamesAndDeletesAndOffersTheToolsOwnSets)
{
    Start({"A.pak", "B.pak", "C.mod"});
    ASSERT_TRUE(SaveModSet({"Friends", {"C", "Gone", "Lost"}}));
    struct Step {
        std::string what;
        std::vector<std::string> rows, folder;
    };
    std::vector<Step> seen;
    HWND setsDialog = NULL;
    bool usableUnderTheDialog = false;
    auto record = [&](HWND dialog, const std::string& what) {
        seen.push_back({what, DialogRows(dialog), mods.Names()});
        usableUnderTheDialog |= IsEnabled(MainWindow);
    };

    dialogs.AnswerQuestion(IDNO);   // switch to "Friends" without its two missing mods? No
    dialogs.AnswerQuestion(IDYES);  // ... Yes
    dialogs.AnswerQuestion(IDNO);   // replace "Кампания"? No
    dialogs.AnswerQuestion(IDYES);  // delete "Кампания"? Yes
    dialogs.ActIn("Mod Sets", [&](HWND dialog) {
        setsDialog = dialog;
        record(dialog, "opened");
        TypeName(dialog, "Campaign");
        Press(dialog, IDC_SET_SAVE);
        record(dialog, "saved");
        SelectSet(dialog, "No mods");
        Press(dialog, IDC_SET_SWITCH);
        record(dialog, "no mods");
        SelectSet(dialog, "Before the last switch");
        Press(dialog, IDC_SET_SWITCH);
        record(dialog, "back");
        SelectSet(dialog, "Friends");
        Press(dialog, IDC_SET_SWITCH);
        record(dialog, "not switched");
        Press(dialog, IDC_SET_SWITCH);
        record(dialog, "friends");
        SelectSet(dialog, "Campaign");
        TypeName(dialog, "Кампания");
        Press(dialog, IDC_SET_RENAME);
        record(dialog, "renamed");
        Press(dialog, IDC_SET_SAVE);  // the name in use: not replaced
        SelectSet(dialog, "Кампания");
        Press(dialog, IDC_SET_DELETE);
        record(dialog, "deleted");
        for (const char* name : {"   ", "no MODS"}) {
            TypeName(dialog, name);
            Press(dialog, IDC_SET_SAVE);
        }
        SelectSet(dialog, "No mods");
        seen.push_back({IsWindowEnabled(GetDlgItem(dialog, IDC_SET_DELETE)) ? "own set deletable" : "", {}, {}});
        Press(dialog, IDCANCEL);
    });
    SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(IDM_MOD_SETS, 1), 0);  // Ctrl+M

    const std::vector<std::string> on = {"A.pak", "B.pak", "C.mod"}, off = {"A.mod", "B.mod", "C.mod"};
    const Step expected[] = {
        {"opened", {"No mods", "Friends"}, on},
        {"saved", {"No mods", "Campaign   (on now)", "Friends"}, on},
        {"no mods", {"No mods   (on now)", "Before the last switch", "Campaign", "Friends"}, off},
        {"back", {"No mods", "Before the last switch", "Campaign   (on now)", "Friends"}, on},
        {"not switched", {"No mods", "Before the last switch", "Campaign   (on now)", "Friends"}, on},
        {"friends", {"No mods", "Before the last switch", "Campaign", "Friends"}, {"A.mod", "B.mod", "C.pak"}},
        {"renamed", {"No mods", "Before the last switch", "Friends", "Кампания"}, {"A.mod", "B.mod", "C.pak"}},
        {"deleted", {"No mods", "Before the last switch", "Friends"}, {"A.mod", "B.mod", "C.pak"}},
        {"", {}, {}},
    };
    ASSERT_EQ(sizeof expected / sizeof expected[0], seen.size()) << "the dialog did not open, or closed early";
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(expected[i].what, seen[i].what);
        EXPECT_EQ(expected[i].rows, seen[i].rows) << "after " << seen[i].what;
        EXPECT_EQ(expected[i].folder, seen[i].folder) << "after " << seen[i].what;
    }
    const std::vector<std::string> missing = {"2", "Gone, Lost"};
    ExpectBoxes(
        dialogs,
        {Box(Message::SetModsMissing, MainWindow, missing), Box(Message::SetModsMissing, MainWindow, missing),
         Box(Message::SetReplace, setsDialog, {"Кампания"}), Box(Message::SetDelete, setsDialog, {"Кампания"}),
         Box(Message::SetNameInvalid, setsDialog), Box(Message::SetNameReserved, setsDialog)});
    EXPECT_EQ((std::vector<std::string>{"C", "Gone", "Lost"}), FindModSet("Friends")->mods)
        << "the set was pruned";
    ExpectLists({"C"}, {"A", "B"});
    EXPECT_FALSE(usableUnderTheDialog) << "a switch enabled the main window under the modal dialog";
    EXPECT_FALSE(IsEnabled(EnableButton));
}

TEST_F(ModSetsTest, SetsInOtherScriptsAreReadBackExactlyAfterARestartAndSwitched)
{
    Start({"Мод.pak", "模组.mod", "Ελληνικά.pak"});
    ASSERT_TRUE(SaveModSet({"Кампания с друзьями", {"Мод", "模组"}}));
    ASSERT_TRUE(SaveModSet({"模组集合", {"Ελληνικά"}}));
    RestartApp();

    std::vector<ModSet> sets = LoadModSets();
    ASSERT_EQ(2u, sets.size());
    EXPECT_EQ("Кампания с друзьями", sets[0].name);
    EXPECT_EQ((std::vector<std::string>{"Мод", "模组"}), sets[0].mods);
    EXPECT_EQ("模组集合", sets[1].name);
    MenuChooser menu({"&Switch To", "Кампания с друзьями"});
    OpenListMenu(EnabledList, MAKELPARAM(300, 300));
    EXPECT_TRUE(menu.Shown());
    EXPECT_EQ((std::vector<std::string>{"No mods", "Кампания с друзьями", "模组集合"}), menu.SubmenuEntries());
    EXPECT_EQ((std::vector<std::string>{"Ελληνικά.mod", "Мод.pak", "模组.pak"}), Sorted(mods.Names()));
    ExpectLists({"Мод", "模组"}, {"Ελληνικά"});
}

TEST_F(ModSetsTest, SetsThatAnotherProgramNamedOddlyAreSwitchedRenamedDeletedAndCopiedReadably)
{
    Start({"M.mod"});
    const struct {
        const char* what;
        std::wstring odd;     // what another program wrote after "A " and "B "
        std::string shown;    // how the tool shows it
        std::string heading;  // the first line that Copy as Text writes for set A
    } cases[] = {
        {"a stray surrogate", L"\xD800x", "\xEF\xBF\xBDx", "Quillmoor mod set: A \xEF\xBF\xBDx"},
        {"a line break", L"line\r\nbreak", "line\r\nbreak", "Quillmoor mod set: A line  break"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.Forget();
        StoreModSetValue(L"A " + c.odd, {"M"});
        StoreModSetValue(L"B " + c.odd, {"Other"});
        MenuChooser menu({"&Switch To", "A " + c.shown});
        OpenListMenu(EnabledList, -1);
        EXPECT_EQ(std::vector<std::string>{"M.pak"}, mods.Names()) << "not switched from the menu";

        std::string copied;
        HWND setsDialog = NULL;
        dialogs.AnswerQuestion(IDYES);  // delete "B ..."? Yes
        dialogs.ActIn("Mod Sets", [&](HWND dialog) {
            setsDialog = dialog;
            SelectSet(dialog, "A " + c.shown + "   (on now)");
            Press(dialog, IDC_SET_COPY);
            copied = ClipboardText();
            TypeName(dialog, "Renamed");
            Press(dialog, IDC_SET_RENAME);
            SelectSet(dialog, "B " + c.shown);
            Press(dialog, IDC_SET_DELETE);
            Press(dialog, IDCANCEL);
        });
        Click(IDM_MOD_SETS);

        EXPECT_EQ(c.heading, copied.substr(0, copied.find("\r\n")));
        ExpectBoxes(dialogs, {Box(Message::SetDelete, setsDialog, {"B " + c.shown})});
        EXPECT_EQ((std::vector<std::wstring>{L"Before the last switch", L"Renamed"}), ModSetValueNames())
            << "renamed as a copy, or not deleted";
        EXPECT_EQ(std::vector<std::string>{"M"}, FindModSet("Renamed").value_or(ModSet()).mods);
        DeleteModSet({"Renamed", {}});
        ASSERT_TRUE(MoveFileA(mods.Path("M.pak").c_str(), mods.Path("M.mod").c_str()));
        Click(IDC_RESCAN);
    }
}

TEST_F(ModSetsTest, AnArchiveInUseAtAnyPointUndoesEveryRenameAndWarnsOnce)
{
    std::vector<std::string> archives;
    for (int i = 0; i < 10; ++i)
        archives.push_back("Mod" + std::to_string(i) + (i % 3 ? ".pak" : ".mod"));
    Start(archives);
    ASSERT_TRUE(SaveModSet({"Opposite", {"Mod0", "Mod3", "Mod6", "Mod9"}}));
    std::vector<std::string> before = mods.Names();
    // The renames in the order the switch makes them: those switched off first.
    FolderListing listing = ListFolder(mods.Path());
    std::vector<std::string> order = listing.enabled;
    order.insert(order.end(), listing.disabled.begin(), listing.disabled.end());
    ASSERT_EQ(10u, order.size());

    for (size_t place : {size_t(0), size_t(5), size_t(9)}) {
        SCOPED_TRACE("held open: " + order[place]);
        dialogs.Forget();
        {
            HeldOpen game(mods.Path(order[place]));
            ASSERT_TRUE(game.Held());
            MenuChooser menu({"&Switch To", "Opposite"});
            OpenListMenu(DisabledList, -1);
        }
        ExpectBoxes(dialogs,
                    {{WithReason(order[place] +
                                     " could not be switched: it may be in use by the game, a file of its other "
                                     "name may exist, or its path may be too long. No mod was changed.",
                                 ERROR_SHARING_VIOLATION),
                      "Error", MB_ICONWARNING, MainWindow}});
        EXPECT_EQ(before, mods.Names()) << "not every archive was put back";
        ExpectLists({"Mod1", "Mod2", "Mod4", "Mod5", "Mod7", "Mod8"}, {"Mod0", "Mod3", "Mod6", "Mod9"});
        EXPECT_FALSE(FindModSet(kBeforeLastSwitchSet)) << "a switch that did not happen counts as one";
        EXPECT_FALSE(JournalLeft()) << "the journal of the undone switch was left";
    }
}

TEST_F(ModSetsTest, ASwitchCutOffIsUndoneOnlyWhenNoOtherCopyIsSwitchingAndItsFolderIsThere)
{
    // Cut off after its first rename: A.pak was switched off, B.pak not yet.
    Start({"A.mod", "B.pak"});
    StoreModSetValue(L"", {"Quillmoor mod set switch, version 1", mods.Path(), "2", "A.pak", "B.pak"});
    std::string away = mods.Path() + "-away";

    const struct {
        const char* what;
        bool otherCopySwitching, folderThere;
        std::vector<std::string> folder;
        bool journalKept;
    } starts[] = {
        {"another copy is switching", true, true, {"A.mod", "B.pak"}, true},
        {"the folder is not there", false, false, {}, true},
        {"the folder is back", false, true, {"A.pak", "B.pak"}, false},
    };
    for (const auto& start : starts) {
        SCOPED_TRACE(start.what);
        dialogs.Forget();
        std::unique_ptr<FolderHeldElsewhere> otherCopy;
        if (start.otherCopySwitching)
            otherCopy = std::make_unique<FolderHeldElsewhere>(FolderWork::Switch);
        if (!start.folderThere) {
            ASSERT_TRUE(MoveFileA(mods.Path().c_str(), away.c_str()));
        }
        RestartApp();
        if (start.otherCopySwitching)
            SwitchToSetNamed(kNoModsSet);  // refused: it would write a journal of its own
        else                               // the folder's absence is also the start's own directory error
            PumpUntil([&] { return dialogs.MessageBoxes().size() == (start.folderThere ? 1u : 2u); });
        otherCopy.reset();
        if (start.folderThere) {
            EXPECT_EQ(start.folder, mods.Names());
        } else {
            ASSERT_TRUE(MoveFileA(away.c_str(), mods.Path().c_str()));
        }
        EXPECT_EQ(start.journalKept, JournalLeft());
        Message told = start.otherCopySwitching ? Message::SwitchElsewhere
                       : start.folderThere      ? Message::SwitchCutOff
                                                : Message::SwitchCutOffFolderMissing;
        std::vector<ExpectedBox> expected = {Box(told, MainWindow, {mods.Path()})};
        if (!start.folderThere)
            expected.insert(expected.begin(), Box(Message::DirectoryMissing, NULL));
        ExpectBoxes(dialogs, expected);
    }
}

}  // namespace
