// The commands of the main window: every key and menu entry gives the command
// it names, and the command table's guards.
#include "app_test.h"

#include <functional>

#include "../res/resource.h"
#include "app/commands.h"
#include "menus.h"
#include "sets/set_store.h"
#include "shared/busy.h"
#include "shared/window_state.h"

namespace {

class CommandsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        mods.Write("A.pak", "A");
        mods.Write("A.previous", "A before");  // a version to restore
        mods.Write("B.mod", "B");
        ASSERT_TRUE(SaveModSet({"Mine", {"B"}}));
        StartAppIn(mods.Path());
        SelectRow(EnabledList, 0);
    }
    TempFolder mods;
};

// The key as the message loop's TranslateAccelerator takes it.
void PressKey(WPARAM key, bool control)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE before = keys[VK_CONTROL];
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG message = {MainWindow, WM_KEYDOWN, key, 0, 0, {0, 0}};
    TranslateAcceleratorA(MainWindow, table, &message);
    keys[VK_CONTROL] = before;
    SetKeyboardState(keys);
}

// The system menu's entry of this text, chosen.
void ChooseInSystemMenu(const std::string& entry)
{
    HMENU menu = GetSystemMenu(MainWindow, FALSE);
    std::vector<std::string> texts = MenuTexts(menu);
    for (size_t i = 0; i < texts.size(); ++i)
        if (texts[i] == entry)
            SendMessageA(MainWindow, WM_SYSCOMMAND, GetMenuItemID(menu, static_cast<int>(i)), 0);
}

TEST_F(CommandsTest, EachKeyAndMenuEntryGivesTheCommandItNames)
{
    mods.Write("New.pak");
    const std::string sets = "Mod Sets", search = TextFor(Text::SearchCaption);
    const struct {
        const char* what;
        std::function<void()> give;
        std::string opens;               // the dialog it opens, or
        std::function<bool()> finished;  // what it leaves
    } entries[] = {
        {"F5", [] { PressKey(VK_F5, false); }, "", [] { return RowOf(EnabledList, "New") >= 0; }},
        {"Ctrl+M", [] { PressKey('M', true); }, sets, nullptr},
        {"Mod Sets in the system menu", [] { ChooseInSystemMenu(TextFor(Text::SystemModSets)); }, sets, nullptr},
        {"Find a Problem Mod in the system menu", [] { ChooseInSystemMenu(TextFor(Text::SearchMenuEntry)); },
         search, nullptr},
        {"Mod Sets in the lists' menu", [] { ChooseInListMenu(EnabledList, -1, {"&Mod Sets...\tCtrl+M"}); }, sets,
         nullptr},
        {"Find a Problem Mod in the lists' menu",
         [] { ChooseInListMenu(EnabledList, -1, {"F&ind a Problem Mod..."}); }, search, nullptr},
        {"Disable in the lists' menu",
         [] {
             SelectRow(EnabledList, RowOf(EnabledList, "A"));
             ChooseInListMenu(EnabledList, -1, {"&Disable"});
         },
         "", [&] { return mods.Exists("A.mod"); }},
    };
    for (const auto& entry : entries) {
        SCOPED_TRACE(entry.what);
        dialogs.Forget();
        if (!entry.opens.empty())  // whichever opens, closed
            dialogs.ActIn("*", [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
        entry.give();
        std::vector<std::string> seen;
        for (const SeenDialog& dialog : dialogs.Seen())
            seen.push_back(dialog.caption);
        EXPECT_EQ(entry.opens.empty() ? std::vector<std::string>{} : std::vector<std::string>{entry.opens}, seen);
        if (entry.finished) {
            EXPECT_TRUE(entry.finished()) << "the command did not run";
        }
    }
}

TEST_F(CommandsTest, ACommandThatOpensAModalWindowWaitsForNoneAndOneThatNeedsTheFolderSaysItIsMissing)
{
    const std::string a = mods.Path("A.pak");
    const struct {
        const char* what;
        UINT id;
        CommandSource source;
        CommandTarget target;
        bool refusedWhileBusy, needsFolder;
    } commands[] = {
        {"Add Mod", IDC_ADD_MOD, CommandSource::Window, {}, true, false},
        {"Mod Sets", IDM_MOD_SETS, CommandSource::Window, {}, true, false},
        {"Find a Problem Mod", IDM_PROBLEM_SEARCH, CommandSource::SystemMenu, {}, true, false},
        {"Update from File", IDM_UPDATE_FROM_FILE, CommandSource::ListMenu, {a, ""}, true, true},
        {"Restore Previous Version", IDM_RESTORE_PREVIOUS, CommandSource::ListMenu, {a, ""}, true, true},
        {"Switch To", IDM_SWITCH_FIRST, CommandSource::ListMenu, {"", "Mine"}, true, false},
        {"Open Mod Folder", IDM_OPEN_FOLDER, CommandSource::ListMenu, {a, ""}, false, true},
        {"Allow Changes to This Folder", IDM_ALLOW_CHANGES, CommandSource::SystemMenu, {}, true, true},
    };
    // The mod folder replaced by a file: only the directory error.
    std::string away = mods.Path() + "-away";
    ASSERT_TRUE(MoveFileA(mods.Path().c_str(), away.c_str()));
    ASSERT_TRUE(WriteFileBytes(mods.Path(), "not a folder"));
    for (const auto& c : commands) {
        SCOPED_TRACE(std::string(c.what) + ", the folder missing");
        if (!c.needsFolder)
            continue;
        dialogs.Forget();
        RunCommand(c.id, c.source, c.target);
        ExpectBoxes(dialogs, {Box(Message::DirectoryMissing, MainWindow)});
    }
    DeleteFileA(mods.Path().c_str());
    ASSERT_TRUE(MoveFileA(away.c_str(), mods.Path().c_str()));

    // While a modal window of the tool is open: nothing opens, nothing changes.
    // Whatever opens all the same is closed.
    const size_t kClosers = 8;
    for (size_t i = 0; i < kClosers; ++i)
        dialogs.ActIn("*", [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    {
        BusyScope busy;
        for (const auto& c : commands) {
            SCOPED_TRACE(std::string(c.what) + ", the tool busy");
            if (!c.refusedWhileBusy)
                continue;
            dialogs.Forget();
            auto before = mods.Contents();
            RunCommand(c.id, c.source, c.target);
            EXPECT_TRUE(dialogs.Seen().empty()) << Describe(dialogs.Seen()[0]);
            EXPECT_EQ(before, mods.Contents());
        }
    }
    EXPECT_EQ(kClosers, dialogs.PendingActions());
}

}  // namespace
