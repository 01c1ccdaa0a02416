// The journal of a switch, trusted only as far as it is true: a switch cut off
// in another copy of the tool is put back before the next one, only what a
// failed switch owes is put back later (and no switch goes before it),
// nothing is renamed before the plan is stored, and a journal is never
// followed outside what a switch could do.
#include "app_test.h"

#include <memory>

#include "../res/resource.h"
#include "changes/journal_home.h"
#include "journal.h"
#include "menus.h"
#include "mods/list_refresh.h"
#include "running_app.h"
#include "sets/mod_sets_dialog.h"
#include "sets/set_store.h"
#include "settings/mod_directory.h"
#include "shared/text_conversion.h"
#include "shared/window_state.h"
#include "switching/folder_switch.h"

namespace {

class SwitchJournalTest : public ModFolderTest {};

void ChooseInListMenu(const std::vector<std::string>& path)
{
    MenuChooser menu(path);
    OpenListMenu(EnabledList, -1);
}

TEST_F(SwitchJournalTest, ASwitchCutOffInAnotherCopyIsPutBackAndToldBeforeTheNextSwitch)
{
    const int kArchives = 2000;
    std::vector<std::string> archives, half;
    for (int i = 0; i < kArchives; ++i) {
        archives.push_back("Mod" + std::to_string(10000 + i) + ".pak");
        if (i % 2)
            half.push_back("Mod" + std::to_string(10000 + i));
    }
    Start(archives);  // this copy stays open meanwhile
    ASSERT_TRUE(SaveModSet({"Half", half}));

    {
        RunningApp other;
        ASSERT_TRUE(other.Start());
        ASSERT_NE((HWND)NULL, other.WaitForWindow());
        ASSERT_TRUE(other.SwitchToNoMods());
        ASSERT_TRUE(WaitUntil([&] { return CountWithExtension(mods.Names(), ".mod") > 0; }))
            << "the switch did not start";
        other.Kill();
    }
    size_t cutOff = CountWithExtension(mods.Names(), ".mod");
    ASSERT_LT(cutOff, static_cast<size_t>(kArchives)) << "the other copy's switch ended before it was killed";

    SwitchToSetNamed("Half");

    ExpectBoxes(dialogs, {Box(Message::SwitchCutOff, MainWindow)});
    std::vector<std::string> expected;
    for (int i = 0; i < kArchives; ++i)
        expected.push_back("Mod" + std::to_string(10000 + i) + (i % 2 ? ".pak" : ".mod"));
    EXPECT_EQ(expected, mods.Names()) << "the folder is a mix of two switches (" << cutOff << " were cut off)";
    EXPECT_FALSE(JournalLeft());
    EXPECT_EQ(static_cast<size_t>(kArchives / 2), EnabledMods.size());
}

TEST_F(SwitchJournalTest, OnlyWhatAFailedSwitchOwesIsPutBackAtTheNextStart)
{
    Start({"A.pak", "B.pak", "C.mod", "D.pak"});
    SwitchOutcome outcome;
    std::unique_ptr<HeldOpen> switchedOff;
    {
        // C cannot be switched on (the game holds it), and once A has been
        // switched off the game holds it too, so it cannot be put back.
        HeldOpen game(mods.Path("C.mod"));
        ASSERT_TRUE(game.Held());
        outcome = SwitchFolder(
            mods.Path(),
            [](const std::vector<ListedArchive>& now) {
                return PlanSwitch(now, {"C", "D"}, FoldedKey);
            },
            [&](ChangeStage, size_t done, size_t) {
                if (done == 1 && !switchedOff)
                    switchedOff = std::make_unique<HeldOpen>(mods.Path("A.mod"));
            });
        ASSERT_TRUE(switchedOff && switchedOff->Held());
    }
    EXPECT_TRUE(outcome.change.result == ChangeOutcome::Result::NotPutBack);
    EXPECT_EQ("C.mod", outcome.change.failed);
    EXPECT_EQ(std::vector<std::string>{"A.mod"}, outcome.change.owed);
    const std::string owed = StoredJournalText();

    // While A is held, the next switch tries to put it back, cannot, and is
    // refused: what is owed stays owed, not written over by its plan.
    dialogs.Forget();
    SwitchToSetNamed(kNoModsSet);
    ExpectBoxes(dialogs,
                {FailureBox(Message::SwitchOwedNotPutBack, MainWindow, ERROR_SHARING_VIOLATION, {"A.mod"}),
                 Box(Message::SwitchAfterEarlier, MainWindow)});
    EXPECT_EQ((std::vector<std::string>{"A.mod", "B.pak", "C.mod", "D.pak"}), mods.Names());
    EXPECT_EQ(owed, StoredJournalText());
    EXPECT_FALSE(FindModSet(kBeforeLastSwitchSet));

    // The game lets A go; the player disables B in the tool.
    switchedOff.reset();
    SelectRow(EnabledList, RowOf(EnabledList, "B"));
    Click(IDC_DISABLE);
    ASSERT_TRUE(mods.Exists("B.mod"));

    dialogs.Forget();
    RestartApp();
    EXPECT_TRUE(PumpUntil([&] { return !dialogs.MessageBoxes().empty(); }));
    ExpectBoxes(dialogs, {Box(Message::SwitchOwedPutBack, MainWindow, {"A.pak"})});
    EXPECT_EQ((std::vector<std::string>{"A.pak", "B.mod", "C.mod", "D.pak"}), mods.Names())
        << "more than the owed archive was put back";
    EXPECT_FALSE(JournalLeft());
    ExpectLists({"A", "D"}, {"B", "C"});
}

// One lock for the mod folder, whatever another copy of the tool changes:
// a switch is refused with what holds the folder, and a copy that was
// refused does not keep the lock alive: once the holder lets go, the same
// switch is made.
TEST_F(SwitchJournalTest, TheFolderHeldByAnyChangeIsNamedAndFreeOnceItsHolderLetsGo)
{
    Start({"A.pak", "B.mod"});
    const struct {
        FolderWork holder;
        Message told;
    } holders[] = {
        {FolderWork::Update, Message::VersionChangeElsewhere},
        {FolderWork::Restore, Message::VersionChangeElsewhere},
        {FolderWork::Switch, Message::SwitchElsewhere},
        {FolderWork::Search, Message::SearchElsewhere},
        {FolderWork::PutInOrder, Message::FolderHeld},
    };
    for (const auto& c : holders) {
        SCOPED_TRACE(MessageFor(c.told).text);
        dialogs.Forget();
        {
            FolderHeldElsewhere other(c.holder);
            ASSERT_TRUE(other.Held());
            SwitchToSetNamed(kNoModsSet);
            ExpectBoxes(dialogs, {Box(c.told, MainWindow)});
            EXPECT_EQ((std::vector<std::string>{"A.pak", "B.mod"}), mods.Names());
        }
        dialogs.Forget();
        SwitchToSetNamed(kNoModsSet);
        ExpectBoxes(dialogs, {});
        EXPECT_EQ((std::vector<std::string>{"A.mod", "B.mod"}), mods.Names()) << "the refused copy kept the lock";
        ASSERT_TRUE(MoveFileA(mods.Path("A.mod").c_str(), mods.Path("A.pak").c_str()));
        RefreshModLists();
    }
}

TEST_F(SwitchJournalTest, NothingIsRenamedWhenTheJournalCannotBeWritten)
{
    Start({"A.pak", "B.pak", "C.mod"});
    {
        // A folder where the journal's new text would be written.
        std::wstring inTheWay = JournalHome() + L"\\" + kChangeJournalFile + L".new";
        ASSERT_TRUE(CreateDirectoryW(inTheWay.c_str(), NULL));
        SwitchToSetNamed(kNoModsSet);
        RemoveDirectoryW(inTheWay.c_str());
    }
    ExpectBoxes(dialogs, {FailureBox(Message::SwitchNotJournalled, MainWindow, ERROR_ACCESS_DENIED)});
    EXPECT_EQ((std::vector<std::string>{"A.pak", "B.pak", "C.mod"}), mods.Names());
    EXPECT_FALSE(FindModSet(kBeforeLastSwitchSet));
    ExpectLists({"A", "B"}, {"C"});
}

TEST_F(SwitchJournalTest, AJournalIsFollowedOnlyAsFarAsASwitchCouldHaveMadeIt)
{
    // As a switch would have left them, and as it never could have.
    Start({"Mine.mod", "data.mod", "texts.pak", "report.pak", "Other.pak"});
    mods.MakeFolder("sub");
    mods.Write("sub\\moveme.mod");
    TempFolder elsewhere;
    elsewhere.Write("Theirs.mod");
    const std::string mark = "Quillmoor mod set switch, version 2";

    const struct {
        const char* what;
        std::vector<std::string> journal;
        std::vector<std::pair<Message, std::vector<std::string>>> told;
        bool kept;
    } starts[] = {
        {"another folder named",
         {mark, "switching", elsewhere.Path(), "1", "Theirs.pak"},
         {{Message::SwitchJournalOtherFolder, {elsewhere.Path()}}},
         true},
        {"not well formed",
         {mark, "undo everything", mods.Path(), "1", "Other.mod"},
         {{Message::SwitchJournalUnreadable, {}}},
         false},
        {"entries no switch makes",
         {mark, "switching", mods.Path(), "5", "Mine.pak", "data.pak", "texts.exe", "report.doc",
          "sub\\moveme.pak"},
         {{Message::SwitchCutOff, {}},
          {Message::SwitchJournalRefused, {"data.pak, texts.exe, report.doc, sub\\moveme.pak"}}},
         false},
    };
    for (const auto& start : starts) {
        SCOPED_TRACE(start.what);
        dialogs.Forget();
        StoreSwitchJournal(start.journal);
        RestartApp();
        EXPECT_TRUE(PumpUntil([&] { return dialogs.MessageBoxes().size() == start.told.size(); }));
        std::vector<ExpectedBox> told;
        for (const auto& message : start.told)
            told.push_back(Box(message.first, MainWindow, message.second));
        ExpectBoxes(dialogs, told);
        EXPECT_EQ(start.kept, JournalLeft());
        ClearJournalHome();
    }
    EXPECT_EQ((std::vector<std::string>{"Mine.pak", "Other.pak", "data.mod", "report.pak", "sub", "texts.pak"}),
              mods.Names())
        << "only Mine may have been put back";
    EXPECT_EQ(std::vector<std::string>{"moveme.mod"}, mods.Names("sub"));
    EXPECT_EQ(std::vector<std::string>{"Theirs.mod"}, elsewhere.Names());

    // A journal of another folder holds up every switch until the player
    // gives it up; its folder stays as it is.
    dialogs.Forget();
    StoreSwitchJournal(starts[0].journal);
    dialogs.AnswerQuestion(IDYES);
    SwitchToSetNamed(kNoModsSet);
    ExpectBoxes(dialogs, {Box(Message::SwitchJournalOtherFolder, MainWindow, {elsewhere.Path()}),
                          Box(Message::SwitchForgetEarlier, MainWindow, {elsewhere.Path()})});
    EXPECT_FALSE(JournalLeft()) << "the player gave it up";
    SwitchToSetNamed(kNoModsSet);
    EXPECT_EQ((std::vector<std::string>{"Mine.mod", "Other.mod", "data.mod", "report.mod", "sub", "texts.pak"}),
              mods.Names());
    EXPECT_EQ(std::vector<std::string>{"Theirs.mod"}, elsewhere.Names());
}

TEST_F(SwitchJournalTest, AModFolderThatIsAFileIsTreatedAsMissingByEveryCommandBeyondTheButtons)
{
    Start({"A.pak", "B.mod"});
    ASSERT_TRUE(SaveModSet({"Mine", {"A"}}));
    std::string away = mods.Path() + "-away";
    ASSERT_TRUE(MoveFileW(ToWide(mods.Path(), CP_UTF8).c_str(), ToWide(away, CP_UTF8).c_str()));
    ASSERT_TRUE(WriteFileBytes(mods.Path(), "not a folder"));

    HWND setsDialog = NULL;
    const struct {
        const char* what;
        std::function<void()> act;
        bool told;
    } commands[] = {
        {"coming back to the window",
         [] {
             NoteActivation(false);
             NoteActivation(true);
         },
         false},
        {"Save Mods On over a set",
         [&] {
             dialogs.ActIn("Mod Sets", [&](HWND dialog) {
                 setsDialog = dialog;
                 SetDlgItemTextA(dialog, IDC_SET_NAME, "Mine");
                 SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SET_SAVE, BN_CLICKED), 0);
                 SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
             });
             SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(IDM_MOD_SETS, 1), 0);
         },
         true},
        {"Switch To",
         [] {
             ChooseInListMenu({"&Switch To", "Mine"});
         },
         true},
        {"Copy as Text", [] { ChooseInListMenu({"&Copy Mods On as Text"}); }, true},
        {"Paste from Text", [] { ChooseInListMenu({"&Paste from Text"}); }, true},
        {"Open Mod Folder", [] { ChooseInListMenu({"Open Mod &Folder"}); }, true},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.what);
        dialogs.Forget();
        command.act();
        HWND owner = setsDialog ? setsDialog : MainWindow;
        setsDialog = NULL;
        std::vector<ExpectedBox> told;
        if (command.told)
            told.push_back(Box(Message::DirectoryMissing, owner));
        ExpectBoxes(dialogs, told);
        ExpectLists({"A"}, {"B"});
        EXPECT_EQ(std::vector<std::string>{"A"}, FindModSet("Mine")->mods);
        EXPECT_FALSE(FindModSet(kBeforeLastSwitchSet));
    }
    DeleteFileW(ToWide(mods.Path(), CP_UTF8).c_str());
    ASSERT_TRUE(MoveFileW(ToWide(away, CP_UTF8).c_str(), ToWide(mods.Path(), CP_UTF8).c_str()));
}

}  // namespace
