// Adding mods by dropping files on the window, the refusals of both ways in,
// the progress window of a long copy, and arrival under the archive's own name
// only when it is whole.
#include "app_test.h"

#include <shlobj.h>

#include "adding/copy_progress.h"
#include "shared/window_state.h"

namespace {

const unsigned long long kLarge = 4ull << 30;  // sparse: copied for seconds, stored in no room

class DropTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        mods.Write("Existing.pak", "existing");
        download.Write("A.pak", "a");
        download.Write("A.txt", "about A");
        download.Write("B.mod", "b");
        download.Write("C.PAK", "c");
        download.Write("Existing.pak", "newcomer");
        download.Write("notes.txt", "notes");
        download.Write("pack.zip", "zip");
        download.Write("p5-data.pak", "a game archive's name");
        download.MakeFolder("Folder.pak");
    }
    // What the shell sends when files are dropped: a DROPFILES block in global
    // memory with the names in the ANSI code page, which the window frees.
    void Drop(const std::vector<std::string>& names)
    {
        std::string list;
        for (const std::string& name : names)
            list += download.Path(name) + '\0';
        list += '\0';
        HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
        DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(memory));
        drop->pFiles = sizeof(DROPFILES);
        drop->fWide = FALSE;
        memcpy(drop + 1, list.data(), list.size());
        GlobalUnlock(memory);
        SendMessageA(MainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    }
    TempFolder mods;
    TempFolder download;
};

// Counts the rebuilds of the enabled list: each empties its list box once.
WNDPROC originalListProc;
int resets;
LRESULT CALLBACK CountingListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LB_RESETCONTENT)
        ++resets;
    return CallWindowProcA(originalListProc, window, message, wParam, lParam);
}

TEST_F(DropTest, EveryAcceptedFileIsAddedAndOneWarningListsExactlyTheOthers)
{
    StartAppIn(mods.Path());
    resets = 0;
    originalListProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(EnabledList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingListProc)));

    Drop({"A.pak", "notes.txt", "B.mod", "Existing.pak", "pack.zip", "p5-data.pak", "Folder.pak", "C.PAK"});

    ExpectBoxes(dialogs, {{"notes.txt: not a mod archive\n"
                           "Existing.pak: a mod with this name already exists\n"
                           "pack.zip: not a mod archive\n"
                           "p5-data.pak: name of one of the game's own archives\n"
                           "Folder.pak: not a mod archive",
                           "Error", MB_ICONWARNING, MainWindow}});
    EXPECT_EQ(1, resets) << "the lists were not rebuilt exactly once";
    EXPECT_EQ((std::vector<std::string>{"A.pak", "A.txt", "B.mod", "C.PAK", "Existing.pak"}), mods.Names());
    EXPECT_EQ("existing", mods.Read("Existing.pak"));
    EXPECT_EQ("about A", mods.Read("A.txt"));
    ExpectLists({"A", "C", "Existing"}, {"B"});
}

TEST_F(DropTest, ADropOfOnlyGoodArchivesSaysNothing)
{
    StartAppIn(mods.Path());
    Drop({"A.pak", "B.mod"});
    EXPECT_EQ(std::vector<std::string>{}, BoxTexts(dialogs));
    ExpectLists({"A", "Existing"}, {"B"});
}

TEST_F(DropTest, AMissingModFolderGivesOnlyTheDirectoryErrorOnce)
{
    StartAppIn(mods.Path());
    RemoveTree(mods.Path());
    Drop({"A.pak", "B.mod", "pack.zip"});
    ExpectBoxes(dialogs, {Box(Message::DirectoryMissing, MainWindow)});
    EXPECT_FALSE(mods.Exists("A.pak"));
    ExpectLists({"Existing"}, {});
}

TEST_F(DropTest, ALeftoverOfACutOffCopyIsNeverListedAndTheNextAddReplacesIt)
{
    mods.Write("A.pak.partial", "cut off");
    StartAppIn(mods.Path());
    ExpectLists({"Existing"}, {});
    Drop({"A.pak"});
    EXPECT_EQ(std::vector<std::string>{}, BoxTexts(dialogs));
    EXPECT_EQ((std::vector<std::string>{"A.pak", "A.txt", "Existing.pak"}), mods.Names());
    EXPECT_EQ("a", mods.Read("A.pak"));
}

// What the progress window showed, seen from a timer while the copy runs; then Cancel.
struct SeenProgress {
    bool owned = false, ownerDisabled = false;
    std::vector<std::string> texts;
} seenProgress;

void CALLBACK CancelWhenShown(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND progress = FindWindowA(kProgressWindowClass, NULL);
    if (!progress || !IsWindowVisible(progress))
        return;
    KillTimer(NULL, timer);
    seenProgress.owned = GetWindow(progress, GW_OWNER) == MainWindow;
    seenProgress.ownerDisabled = !IsWindowEnabled(MainWindow);
    for (HWND child = GetWindow(progress, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        seenProgress.texts.push_back(TextOf(child));
    PostMessageA(progress, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

TEST_F(DropTest, ALongCopyShowsItsProgressAndCancelLeavesNothingOfIt)
{
    ASSERT_TRUE(MakeLargeFile(download.Path("Huge.pak"), kLarge));
    StartAppIn(mods.Path());
    seenProgress = SeenProgress();
    UINT_PTR timer = SetTimer(NULL, 0, 50, CancelWhenShown);

    Drop({"A.pak", "Huge.pak", "B.mod"});
    KillTimer(NULL, timer);  // also when the window never showed

    EXPECT_TRUE(seenProgress.owned) << "no progress window owned by the main window";
    EXPECT_TRUE(seenProgress.ownerDisabled);
    EXPECT_EQ((std::vector<std::string>{"Huge.pak", "2 of 3", "", "Cancel"}), seenProgress.texts);
    EXPECT_EQ(std::vector<std::string>{}, BoxTexts(dialogs)) << "a cancel is not an error";
    EXPECT_EQ((std::vector<std::string>{"A.pak", "A.txt", "Existing.pak"}), mods.Names())
        << "part of the archive was left, or a file after it was copied";
    ExpectLists({"A", "Existing"}, {});
    EXPECT_TRUE(IsWindowEnabled(MainWindow));
    EXPECT_EQ((HWND)NULL, FindWindowA(kProgressWindowClass, NULL));
}

}  // namespace
