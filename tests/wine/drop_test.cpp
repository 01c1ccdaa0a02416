// Adding mods by dropping files on the window, the refusals of both ways in,
// the progress window of a long copy, arrival under the archive's own name
// only when it is whole, and drops that arrive while the tool is busy.
#include "app_test.h"

#include <algorithm>

#include "shared/copy_progress.h"
#include "mods/mod_names.h"
#include "shared/text_conversion.h"
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
        download.Write("Empty.pak", "");
        download.Write("Existing.pak", "newcomer");
        download.Write("notes.txt", "notes");
        download.Write("pack.zip", "zip");
        download.Write("p5-data.pak", "a game archive's name");
        download.Write("data.mod", "a game archive's name, disabled");
        download.Write("P5-Texts.MOD", "the same in capitals");
        download.MakeFolder("Folder.pak");
    }
    std::vector<std::string> Paths(const std::vector<std::string>& names) const
    {
        std::vector<std::string> paths;
        for (const std::string& name : names)
            paths.push_back(download.Path(name));
        return paths;
    }
    void Drop(const std::vector<std::string>& names)
    {
        SendMessageA(MainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(Paths(names))), 0);
    }
    // As the shell delivers it while the tool may be busy: through the queue.
    void PostDrop(const std::vector<std::string>& names)
    {
        PostMessageA(MainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(Paths(names))), 0);
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

    // Another version of an installed mod: left as it is, it is refused as before.
    SetWrittenOn(mods.Path("Existing.pak"), 2024, 3, 1);
    SetWrittenOn(download.Path("Existing.pak"), 2026, 11, 30);
    dialogs.AnswerQuestion(IDNO);
    Drop({"A.pak", "A.txt", "notes.txt", "B.mod", "Existing.pak", "pack.zip", "p5-data.pak", "data.mod",
          "P5-Texts.MOD", "Folder.pak", "C.PAK"});

    ExpectBoxes(dialogs, {Box(Message::UpdateQuestion, MainWindow,
                              {"Existing: installed 8 bytes of 3/1/2024, dropped 8 bytes of 11/30/2026"}),
                          {"notes.txt: not a mod archive\n"
                           "Existing.pak: a mod with this name already exists\n"
                           "pack.zip: not a mod archive\n"
                           "p5-data.pak: name of one of the game's own archives\n"
                           "data.mod: name of one of the game's own archives\n"
                           "P5-Texts.MOD: name of one of the game's own archives\n"
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

// The generated 8.3 name of a file ("BETT~L2Q.TXT" for "Better Towns.txt").
std::string ShortNameOf(const std::string& path)
{
    WCHAR shortPath[MAX_PATH] = L"";
    GetShortPathNameW(ToWide(path, CP_UTF8).c_str(), shortPath, MAX_PATH);
    return FileNamePart(FromWide(shortPath, CP_UTF8));
}

TEST_F(DropTest, LeftoversNamesAtTheLimitAndShortNamesOfOtherFiles)
{
    mods.Write("A.pa~", "left by a copy that was cut off");
    mods.MakeFolder("B.mo~");
    mods.Write("Better Towns.mod", "another mod");
    mods.Write("Better Towns.txt", "another mod's description");
    // Names that reach the other mod's files through their short names.
    std::string textAlias = ShortNameOf(mods.Path("Better Towns.txt"));
    std::string archiveAlias = ShortNameOf(mods.Path("Better Towns.mod"));
    ASSERT_NE("Better Towns.txt", textAlias) << "no short names on this volume";
    std::string aliasPak = ReplaceExtension(textAlias, "pak");
    download.Write(aliasPak, "a new archive");
    download.Write(ReplaceExtension(textAlias, "txt"), "its description");
    download.Write(archiveAlias, "an archive named like another's short name");
    // A name whose path in the mod folder is as long as the platform allows.
    size_t longest = std::max(mods.Path().size(), download.Path().size());
    std::string longName = std::string(259 - longest - 5, 'L') + ".pak";
    download.Write(longName, "long");
    StartAppIn(mods.Path());

    Drop({"A.pak", "B.mod", aliasPak, ReplaceExtension(textAlias, "txt"), archiveAlias, longName});

    ExpectBoxes(dialogs,
                {{"B.mod: a leftover of an interrupted copy, B.mo~, is in the way and cannot be replaced\n" +
                      aliasPak + ": added, but its description could not be copied\n" + archiveAlias +
                      ": a mod with this name already exists",
                  "Error", MB_ICONWARNING, MainWindow}});
    EXPECT_EQ("another mod's description", mods.Read("Better Towns.txt")) << "replaced through its short name";
    EXPECT_EQ("another mod", mods.Read("Better Towns.mod"));
    EXPECT_EQ("a", mods.Read("A.pak"));
    EXPECT_EQ("long", mods.Read(longName));
    EXPECT_FALSE(mods.Exists("A.pa~")) << "the leftover was not replaced";
    ExpectLists({"A", "Existing", DisplayName(aliasPak), DisplayName(longName)}, {"Better Towns"});
}

TEST_F(DropTest, TheSummaryShowsFifteenLinesAndShortensLongNames)
{
    std::vector<std::string> names;
    for (int i = 0; i < 20; ++i)
        names.push_back((i == 0 ? std::string(100, 'n') : "z" + std::to_string(i)) + ".zip");
    for (const std::string& name : names)
        download.Write(name, "zip");
    StartAppIn(mods.Path());
    Drop(names);

    std::vector<std::string> texts = BoxTexts(dialogs);
    ASSERT_EQ(1u, texts.size());
    std::string shortened = std::string(29, 'n') + "..." + std::string(24, 'n') + ".zip: not a mod archive";
    EXPECT_EQ(shortened, texts[0].substr(0, texts[0].find('\n')));
    EXPECT_EQ(15, std::count(texts[0].begin(), texts[0].end(), '\n'));
    EXPECT_EQ("\nand 5 more", texts[0].substr(texts[0].rfind('\n')));
}

// Makes a file appear under the name that the copy in progress is to get.
std::string appearingPath;
void CALLBACK MakeTheNameAppear(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
    WriteFileBytes(appearingPath, "appeared meanwhile");
}

TEST_F(DropTest, ANameThatAppearsDuringTheCopyIsNeverReplaced)
{
    ASSERT_TRUE(MakeLargeFile(download.Path("Big.pak"), 64u << 20));
    StartAppIn(mods.Path());
    appearingPath = mods.Path("Big.pak");
    SetTimer(NULL, 0, 1, MakeTheNameAppear);

    Drop({"Big.pak"});

    ASSERT_TRUE(mods.Exists("Big.pak")) << "the name did not appear during the copy";
    ExpectBoxes(dialogs, {{"Big.pak: a mod with this name already exists", "Error", MB_ICONWARNING, MainWindow}});
    EXPECT_EQ("appeared meanwhile", mods.Read("Big.pak"));
    EXPECT_EQ(64u << 20, FileSize(download.Path("Big.pak")));
    EXPECT_EQ((std::vector<std::string>{"Big.pak", "Existing.pak"}), mods.Names());
}

// What the progress window showed, seen from a timer while the copy runs; then
// a second drop arrives and Cancel is pressed.
struct SeenProgress {
    bool owned = false, ownerDisabled = false;
    std::vector<std::string> texts;
    HGLOBAL secondDrop = NULL, thirdDrop = NULL;
} seenProgress;

void CALLBACK CancelWhenShown(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND progress = FindWindowA(kProgressWindowClass, NULL);
    if (!progress || !IsWindowVisible(progress))
        return;
    KillTimer(NULL, timer);
    seenProgress.owned = GetWindow(progress, GW_OWNER) == MainWindow;
    seenProgress.ownerDisabled = !IsWindowEnabled(MainWindow);
    seenProgress.texts = ChildTexts(progress);
    if (seenProgress.secondDrop)
        PostMessageA(MainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(seenProgress.secondDrop), 0);
    PostMessageA(progress, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

TEST_F(DropTest, ALongCopyShowsItsProgressAndCancelSkipsTheRestWhileALaterDropWaits)
{
    ASSERT_TRUE(MakeLargeFile(download.Path("Huge.pak"), kLarge));
    StartAppIn(mods.Path());
    seenProgress = SeenProgress();
    seenProgress.secondDrop = DropOf(Paths({"B.mod"}));
    UINT_PTR timer = SetTimer(NULL, 0, 50, CancelWhenShown);

    dialogs.AnswerQuestion(IDNO);
    Drop({"A.pak", "Huge.pak", "notes.txt", "Empty.pak", "Existing.pak"});
    KillTimer(NULL, timer);  // also when the window never showed

    EXPECT_TRUE(seenProgress.owned) << "no progress window owned by the main window";
    EXPECT_TRUE(seenProgress.ownerDisabled);
    EXPECT_EQ((std::vector<std::string>{"Huge.pak", "2 of 5", "", "Cancel"}), seenProgress.texts);
    ASSERT_EQ(1u, dialogs.MessageBoxes().size()) << "a cancel is not an error";
    EXPECT_EQ(MessageFor(Message::UpdateQuestion).caption, dialogs.MessageBoxes()[0].caption)
        << "only the question about the installed mod, before the copies";
    EXPECT_EQ((std::vector<std::string>{"A.pak", "A.txt", "Existing.pak"}), mods.Names())
        << "part of the archive was left, or a file after it was copied";
    EXPECT_TRUE(IsWindowEnabled(MainWindow));
    EXPECT_EQ((HWND)NULL, FindWindowA(kProgressWindowClass, NULL));

    // The drop that arrived during the copy is handled once the copy is over, once.
    EXPECT_TRUE(PumpUntil([&] { return mods.Exists("B.mod"); })) << "the drop during the copy was lost";
    DispatchWaitingMessages();  // a second handling would already be queued
    ExpectLists({"A", "Existing"}, {"B"});
}

TEST_F(DropTest, ADropOfManySmallFilesShowsItsProgressFromTheStartOfTheBatch)
{
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        names.push_back("Small" + std::to_string(i) + ".pak");
        ASSERT_TRUE(MakeLargeFile(download.Path(names.back()), 512u << 10));
    }
    StartAppIn(mods.Path());
    seenProgress = SeenProgress();
    UINT_PTR timer = SetTimer(NULL, 0, 50, CancelWhenShown);

    Drop(names);
    KillTimer(NULL, timer);

    ASSERT_EQ(4u, seenProgress.texts.size()) << "no progress window";
    EXPECT_EQ(" of 300", seenProgress.texts[1].substr(seenProgress.texts[1].find(' ')));
    EXPECT_EQ(std::vector<std::string>{}, BoxTexts(dialogs));
    size_t added = mods.Names().size() - 1;
    EXPECT_LT(added, 300u) << "Cancel did not end the batch";
    EXPECT_EQ(added, Rows(EnabledList).size() - 1);
}

void CALLBACK DropDuringTheBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
    for (HGLOBAL drop : {seenProgress.secondDrop, seenProgress.thirdDrop})
        PostMessageA(MainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

TEST_F(DropTest, ADropDuringAMessageBoxWaitsUntilTheBoxIsClosed)
{
    StartAppIn(mods.Path());
    seenProgress.secondDrop = DropOf(Paths({"A.pak", "notes.txt"}));
    seenProgress.thirdDrop = DropOf(Paths({"B.mod"}));
    SetTimer(NULL, 0, 1, DropDuringTheBox);  // fires in the loop of the first drop's warning

    Drop({"pack.zip"});
    ASSERT_TRUE(PumpUntil([&] { return dialogs.MessageBoxes().size() == 2; }));

    std::vector<SeenDialog> boxes = dialogs.MessageBoxes();
    EXPECT_EQ("pack.zip: not a mod archive", boxes[0].text);
    EXPECT_EQ("notes.txt: not a mod archive", boxes[1].text);
    EXPECT_FALSE(boxes[1].overAnother) << "the second drop was handled under the first one's warning";
    EXPECT_TRUE(PumpUntil([&] { return mods.Exists("B.mod"); })) << "the third drop was never added";
    DispatchWaitingMessages();  // a second handling would already be queued
    EXPECT_EQ(2u, dialogs.MessageBoxes().size());
    ExpectLists({"A", "Existing"}, {"B"});
}

}  // namespace
