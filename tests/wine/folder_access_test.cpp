// A mod folder that refuses changes is known before the first change: the
// tool tests it at start, after Change... and on return to the window, and
// tells the player once per folder and start why, offering to allow changes.
#include "app_test.h"

#include "../res/resource.h"
#include "access/folder_access.h"
#include "access/message_filter.h"
#include "access/write_causes.h"
#include "access/write_test.h"
#include "elevation_seam.h"
#include "game_installs.h"
#include "settings/mod_directory.h"
#include "sets/mod_switch.h"
#include "shared/system_reason.h"
#include "unix_tools.h"

namespace {

class FolderAccessTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        elsewhere =
            CreateWindowExA(0, "Static", "Explorer", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
    }
    void TearDown() override
    {
        DestroyWindow(elsewhere);
        AppTest::TearDown();
    }
    // A game's mod folder, with a mod on each side.
    std::string ModFolder(const TempFolder& folder, const std::string& name = "data") const
    {
        folder.MakeFolder(name);
        for (const char* file : {"data.pak", "On.pak", "Off.mod"})
            folder.Write(name + "\\" + file, file);
        return folder.Path(name);
    }
    // The posted test, and the notice it shows, handled.
    void Settle() { DispatchWaitingMessages(); }
    void Start(const std::string& folder)
    {
        StartAppIn(folder);
        SetForegroundWindow(MainWindow);
        Settle();
    }
    // The player goes to another window and comes back.
    void ComeBack()
    {
        SetForegroundWindow(elsewhere);
        SetForegroundWindow(MainWindow);
        Settle();
    }
    void ChangeTo(const std::string& folder)
    {
        dialogs.ChooseFolder(folder);
        Click(IDC_CHANGE);
        Settle();
    }
    ExpectedBox Notice(const std::string& folder, const std::string& cause, bool offer = true) const
    {
        return Box(offer ? Message::AccessNotAllowedOffer : Message::AccessNotAllowed, MainWindow,
                   {folder, cause});
    }
    std::string AccessDenied() const
    {
        return TextFor(Text::AccessCauseSystem, {SystemReasonLine(ERROR_ACCESS_DENIED)});
    }

    TempFolder temp;
    HWND elsewhere = NULL;
};

TEST_F(FolderAccessTest, AClosedFolderIsToldOncePerFolderAndStartAndNothingChanges)
{
    if (!CanMakeRootFaults())
        GTEST_SKIP() << "needs root to make a folder immutable";
    std::string first = ModFolder(temp, "first"), second = ModFolder(temp, "second");
    std::map<std::string, std::string> before = temp.Contents();
    ClosedFolder closedFirst(first);
    ASSERT_TRUE(closedFirst.Closed());

    StoreSettingsValue(kSettingsValue, REG_SZ, first);
    StartApp();
    SetForegroundWindow(MainWindow);
    std::vector<std::string> controls = ControlStates();
    dialogs.AnswerQuestion(IDNO);
    Settle();
    ExpectBoxes(dialogs, {Notice(first, AccessDenied())});
    EXPECT_EQ(controls, ControlStates()) << "the notice changes none of the main window's controls";
    ExpectLists({"On"}, {"Off"});

    ComeBack();        // told already
    ChangeTo(second);  // allows changes: nothing to tell
    ClosedFolder closedSecond(second);
    ComeBack();       // refuses them now
    ChangeTo(first);  // told already in this start
    ExpectBoxes(dialogs, {Notice(first, AccessDenied()), Notice(second, AccessDenied())});

    dialogs.Forget();
    RestartApp();  // a new start tells again
    SetForegroundWindow(MainWindow);
    Settle();
    // A change tried anyway says why it failed instead of guessing.
    SwitchToModSet({kNoModsSet, {}});
    ExpectedBox refused = Box(Message::SwitchFailed, MainWindow, {"On.pak"});
    refused.text = WithReason(TextFor(Text::AccessRefusedHere, {first}), ERROR_ACCESS_DENIED);
    ExpectBoxes(dialogs, {Notice(first, AccessDenied()), refused});
    ExpectLists({"On"}, {"Off"});
    closedFirst.Open();
    closedSecond.Open();
    EXPECT_EQ(before, temp.Contents()) << "no file was made, left or changed";
}

TEST_F(FolderAccessTest, TheNoticeNamesTheCauseItCanTellAndOffersAnEntryWhereOneHelps)
{
    if (!CanMakeRootFaults())
        GTEST_SKIP() << "needs root to make a folder immutable";
    const std::string programFolder = "C:\\Program Files\\Quillmoor Access Test";
    const std::string controlledKey =
        "SOFTWARE\\Microsoft\\Windows Defender\\Windows Defender Exploit Guard\\Controlled Folder Access";
    const struct {
        const char* what;
        std::function<std::string()> make;  // the folder, set up
        bool controlledFolderAccess;
        std::string cause;
        bool offer;
    } cases[] = {
        {"a folder in Program Files", [&] { return MakeGame(programFolder, {"data.pak"}); }, false,
         TextFor(Text::AccessCauseProgramFolder, {"C:\\Program Files"}), true},
        {"controlled folder access on", [this] { return ModFolder(temp, "cfa"); }, true,
         TextFor(Text::AccessCauseControlledFolderAccess), false},
        {"a folder of another user",
         [this] {
             std::string folder = ModFolder(temp, "owned");
             EXPECT_TRUE(GiveFolderToNobody(folder));
             return folder;
         },
         false, TextFor(Text::AccessCauseOtherOwner, {"NT AUTHORITY\\ANONYMOUS LOGON"}), true},
        {"a folder without the game's archives",
         [this] {
             temp.MakeFolder("mods");
             temp.Write("mods\\On.pak");
             return temp.Path("mods");
         },
         false, AccessDenied(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string folder = c.make();
        std::optional<RegistryRecord> controlled;
        if (c.controlledFolderAccess) {
            controlled.emplace(HKEY_LOCAL_MACHINE, controlledKey, KEY_WOW64_64KEY);
            DWORD on = 1;
            RegSetKeyValueA(HKEY_LOCAL_MACHINE, controlledKey.c_str(), "EnableControlledFolderAccess", REG_DWORD,
                            &on, sizeof on);
        }
        {
            ClosedFolder closed(folder);
            ASSERT_TRUE(closed.Closed());
            dialogs.AnswerQuestion(IDNO);
            Start(folder);
            ExpectBoxes(dialogs, {Notice(folder, c.cause, c.offer)});
        }
        CloseApp();
        dialogs.Forget();
        RemoveTree(programFolder);
    }
}

TEST_F(FolderAccessTest, AFolderThatAllowsChangesIsToldNothingAndKeepsNoTestFile)
{
    std::string folder = ModFolder(temp);
    std::map<std::string, std::string> before = temp.Contents();
    ElevationSeam seam;
    Start(folder);
    ComeBack();
    ChangeTo(temp.Path());
    ChangeTo(folder);
    EXPECT_EQ(std::vector<std::string>{}, BoxTexts(dialogs));
    EXPECT_FALSE(ModFolderRefusesChanges());

    SendMessageA(MainWindow, WM_SYSCOMMAND, IDM_ALLOW_CHANGES, 0);
    ExpectBoxes(dialogs, {Box(Message::AllowNotNeeded, MainWindow, {folder})});
    EXPECT_TRUE(seam.requests.empty()) << "no elevation asked for";
    EXPECT_EQ(before, temp.Contents()) << "the write test left something";

    FolderWrite write = TestFolderWrite(folder);
    EXPECT_TRUE(write.told && write.mayChange);
    FolderWrite missing = TestFolderWrite(temp.Path("gone"));
    EXPECT_FALSE(missing.told) << "a missing folder says nothing about permissions";
}

TEST_F(FolderAccessTest, TheMainWindowLetsTheDropMessagesThrough)
{
    // Wine answers the filter's calls but keeps no filter that could be read
    // back: the calls are recorded, then made for real.
    static std::vector<std::pair<HWND, UINT>> calls;
    MessageFilterChange saved = ChangeMessageFilter;
    ChangeMessageFilter = [](HWND window, UINT message, DWORD action, PCHANGEFILTERSTRUCT status) -> BOOL {
        calls.push_back(
            {action == MSGFLT_ALLOW && status && status->cbSize == sizeof *status ? window : NULL, message});
        return TRUE;
    };
    StartApp();
    ChangeMessageFilter = saved;
    EXPECT_EQ((std::vector<std::pair<HWND, UINT>>{
                  {MainWindow, WM_DROPFILES}, {MainWindow, WM_COPYDATA}, {MainWindow, 0x0049}}),
              calls);
    EXPECT_TRUE(LetDropsThrough(MainWindow)) << "the system refused a message";
}

}  // namespace
