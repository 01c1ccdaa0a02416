// New versions of installed mods: updated by a drop after one question or
// from the lists' menu, the previous version kept (an older one in the
// Recycle Bin) and restored with one click, and a new version told apart from
// the installed one, also when that takes a while.
#include "menus.h"
#include "sets/mod_switch.h"
#include "sets/set_store.h"
#include "shared/folder_listing.h"
#include "shared/locale_format.h"
#include "shared/progress_window.h"
#include "shared/text_format.h"
#include "shared/window_state.h"
#include "update_fixture.h"
#include "updates/version_plan.h"

namespace {

TEST_F(UpdateTest, ADropAsksOnceAboutTheNewVersionsAndKeepsThePreviousOnes)
{
    const std::string kept = "Better Towns.previous=towns 1|Better Towns.previous-txt=about towns 1|";
    const struct {
        int answer;
        std::string after, summary;
    } cases[] = {
        {IDYES,
         kept + "Better Towns.pak=towns 2!|Better Towns.txt=about towns 2|Rich Maps.mod=maps 2|"
                "Rich Maps.previous=maps 1|Same.pak=same|New.pak=new",
         "Same.pak: installed already"},
        {IDNO,
         "Better Towns.pak=towns 1|Better Towns.txt=about towns 1|Rich Maps.mod=maps 1|Same.pak=same|New.pak=new",
         "Better Towns.pak: a mod with this name already exists\nRich Maps.pak: a mod with this name already "
         "exists\nSame.pak: installed already"},
    };
    for (const auto& file : Files("Better Towns.pak=towns 2!|Better Towns.txt=about towns 2|Rich Maps.pak=maps 2|"
                                  "Same.pak=same|New.pak=new"))
        download.Write(file.first, file.second);
    SetWrittenOn(download.Path("Better Towns.pak"), 2026, 11, 30);
    SetWrittenOn(download.Path("Rich Maps.pak"), 2026, 12, 1);
    ASSERT_TRUE(SaveModSet({"Campaign", {"Better Towns", "New", "Same"}}));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer == IDYES ? "updated" : "left as they were");
        StartWith(
            Files("Better Towns.pak=towns 1|Better Towns.txt=about towns 1|Rich Maps.mod=maps 1|Same.pak=same"));
        SetWrittenOn(mods.Path("Better Towns.pak"), 2024, 3, 1);
        SetWrittenOn(mods.Path("Rich Maps.mod"), 2025, 1, 15);
        dialogs.AnswerQuestion(c.answer);
        DropFiles({download.Path("Better Towns.pak"), download.Path("Better Towns.txt"),
                   download.Path("Rich Maps.pak"), download.Path("Same.pak"), download.Path("New.pak")});

        std::string lines =
            TextFor(Text::UpdateQuestionLine, {"Better Towns", FormatSize(7), FormatDate(2024, 3, 1),
                                               FormatSize(8), FormatDate(2026, 11, 30)}) +
            "\n" +
            TextFor(Text::UpdateQuestionLine,
                    {"Rich Maps", FormatSize(6), FormatDate(2025, 1, 15), FormatSize(6), FormatDate(2026, 12, 1)});
        ExpectBoxes(dialogs, {Box(Message::UpdateQuestion, MainWindow, {lines}),
                              {c.summary, "Error", MB_ICONWARNING, MainWindow}});
        EXPECT_EQ(Files(c.after), mods.Contents());
        ExpectLists({"Better Towns", "New", "Same"}, {"Rich Maps"});
        EXPECT_TRUE(IsOnNow(FindModSet("Campaign").value(), ArchivesNow())) << "the set no longer matches";
    }

    // Once more: the version kept before goes to the Recycle Bin, and the
    // installed description stays with both versions when none comes.
    StartWith(Files(cases[0].after));
    download.Write("Better Towns.pak", "towns 3");
    DeleteFileA(download.Path("Better Towns.txt").c_str());
    dialogs.AnswerQuestion(IDYES);
    DropFiles({download.Path("Better Towns.pak")});
    EXPECT_EQ(1u, dialogs.MessageBoxes().size()) << "only the question";
    Contents after = Files(cases[0].after +
                           "|Better Towns.pak=towns 3|Better Towns.txt=about towns 2|"
                           "Better Towns.previous=towns 2!|Better Towns.previous-txt=about towns 2");
    EXPECT_EQ(after, mods.Contents());
    EXPECT_EQ(std::vector<std::string>{"Better Towns.older"}, bin.Names())
        << "the older version did not go to the Recycle Bin as one item";
    ASSERT_TRUE(bin.TakeBack("Better Towns.older"));
    EXPECT_EQ("towns 1", mods.Read("Better Towns.older\\previous"));
    EXPECT_EQ("about towns 1", mods.Read("Better Towns.older\\previous-txt"));
}

// Each version keeps its own description, or none: a mod whose first version
// had none is offered Restore all the same, and never shows one version with
// the other's description. A description kept without its archive is no
// version to restore.
TEST_F(UpdateTest, UpdateFromFileTakesTheModsNameAndRestoreSwapsTheVersionsBackAndForth)
{
    download.MakeFolder("v2");
    download.Write("v2\\rich-maps-v2.pak", "maps 2");
    download.Write("v2\\rich-maps-v2.txt", "about maps 2");
    const std::string others = "Other.pak=other|Stray.pak=stray|Stray.previous-txt=about no version|",
                      two = others + "Rich Maps.mod=maps 2|Rich Maps.txt=about maps 2|";
    const struct {
        const char* what;
        std::string one, keptOne, shownOne;
    } mods_[] = {
        {"with a description", others + "Rich Maps.mod=maps 1|Rich Maps.txt=about maps 1",
         "Rich Maps.previous=maps 1|Rich Maps.previous-txt=about maps 1", "about maps 1"},
        {"whose first version had no description", others + "Rich Maps.mod=maps 1", "Rich Maps.previous=maps 1",
         ""},
    };
    for (const auto& mod : mods_) {
        SCOPED_TRACE(mod.what);
        StartWith(Files(mod.one));
        const std::string keptTwo = "Rich Maps.previous=maps 2|Rich Maps.previous-txt=about maps 2";
        const struct {
            std::string entry;
            std::vector<std::string> offered;  // the version entries of the menu
            std::string after, shown;
        } steps[] = {
            {kUpdateEntry, {kUpdateEntry}, two + mod.keptOne, "about maps 2"},
            {kRestoreEntry, {kUpdateEntry, kRestoreEntry}, mod.one + "|" + keptTwo, mod.shownOne},
            {kRestoreEntry, {kUpdateEntry, kRestoreEntry}, two + mod.keptOne, "about maps 2"},
        };
        for (const auto& step : steps) {
            SCOPED_TRACE(step.entry + " to " + step.shown);
            if (step.entry == kUpdateEntry)
                dialogs.ChooseFile(download.Path("v2\\rich-maps-v2.pak"));
            std::vector<std::string> offered;
            for (const std::string& entry : ChooseInMenu("Rich Maps", step.entry))
                if (entry == kUpdateEntry || entry == kRestoreEntry)
                    offered.push_back(entry);
            EXPECT_EQ(step.offered, offered);
            EXPECT_EQ(Files(step.after), mods.Contents());
            ExpectLists({"Other", "Stray"}, {"Rich Maps"});
            EXPECT_EQ(step.shown, TextOf(InformationBox)) << "the mod was not shown again";
        }
        ASSERT_EQ(1u, dialogs.Seen().size());
        EXPECT_EQ("open-file dialog \"Update Rich Maps from File\": \"\"", Describe(dialogs.Seen()[0]));
        EXPECT_EQ(MainWindow, dialogs.Seen()[0].owner);
        std::vector<std::string> stray = ChooseInMenu("Stray", "");
        EXPECT_EQ(stray.end(), std::find(stray.begin(), stray.end(), kRestoreEntry))
            << "a description alone was offered as a version to restore";
    }
    EXPECT_TRUE(bin.Names().empty());
    // The tool does not keep the chosen file's folder as its current one,
    // which would keep the player from deleting it.
    RemoveTree(download.Path("v2"));
    EXPECT_FALSE(FolderExists(download.Path("v2"))) << "the folder of the chosen file is held";
}

// A download folder named in another script: the chosen archive's path is
// within Windows' limits but longer than MAX_PATH bytes in UTF-8, and is
// taken whole by Update from File..., as by Add Mod.
TEST_F(UpdateTest, UpdateFromFileTakesAnArchiveWhosePathIsLongInUtf8)
{
    std::string folder;  // 110 Cyrillic letters: 220 bytes of UTF-8
    for (int i = 0; i < 110; ++i)
        folder += "Д";
    download.MakeFolder(folder);
    download.Write(folder + "\\Карты 2.pak", "maps 2");
    std::string chosen = download.Path(folder + "\\Карты 2.pak");
    ASSERT_GT(chosen.size(), static_cast<size_t>(MAX_PATH));
    StartWith(Files("Rich Maps.pak=maps 1"));

    UpdateFromFile("Rich Maps", chosen);

    EXPECT_EQ(std::vector<std::string>{}, BoxTexts(dialogs));
    EXPECT_EQ(Files("Rich Maps.pak=maps 2|Rich Maps.previous=maps 1"), mods.Contents());
}

// An archive copied from a disc is read-only, which Windows' replace refuses:
// it is updated and restored like any other, and each version stays
// read-only, the one installed and the one kept.
TEST_F(UpdateTest, AReadOnlyArchiveIsUpdatedAndRestoredAndStaysReadOnly)
{
    download.Write("Old Roads.pak", "roads 2");
    StartWith(Files("Old Roads.pak=roads 1"));
    ASSERT_TRUE(SetFileAttributesA(mods.Path("Old Roads.pak").c_str(), FILE_ATTRIBUTE_READONLY));
    const struct {
        std::string entry, after;
    } steps[] = {
        {kUpdateEntry, "Old Roads.pak=roads 2|Old Roads.previous=roads 1"},
        {kRestoreEntry, "Old Roads.pak=roads 1|Old Roads.previous=roads 2"},
        {kRestoreEntry, "Old Roads.pak=roads 2|Old Roads.previous=roads 1"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.entry + " to " + step.after);
        if (step.entry == kUpdateEntry)
            dialogs.ChooseFile(download.Path("Old Roads.pak"));
        ChooseInMenu("Old Roads", step.entry);
        EXPECT_EQ(Files(step.after), mods.Contents());
        for (const char* name : {"Old Roads.pak", "Old Roads.previous"}) {
            DWORD attributes = GetFileAttributesA(mods.Path(name).c_str());
            EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
                << name << ": expected read-only, got attributes " << attributes;
        }
    }
    EXPECT_TRUE(BoxTexts(dialogs).empty()) << BoxTexts(dialogs).front();
    for (const char* name : {"Old Roads.pak", "Old Roads.previous"})
        SetFileAttributesA(mods.Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// What the progress window showed, seen from a timer while the work runs;
// then Cancel is pressed.
struct SeenProgress {
    std::string caption;
    std::vector<std::string> texts;
} seenProgress;

void CALLBACK CancelWhenShown(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND progress = FindWindowA(kProgressWindowClass, NULL);
    if (!progress || !IsWindowVisible(progress))
        return;
    KillTimer(NULL, timer);
    seenProgress = {TextOf(progress), ChildTexts(progress)};
    PostMessageA(progress, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// A dropped or chosen archive of the installed one's size is read whole to
// tell whether it is that one again: a large one shows the progress window,
// as a copy does, and Cancel there changes nothing and asks nothing.
TEST_F(UpdateTest, ComparingALargeArchiveWithTheInstalledOneShowsItsProgressAndCanBeCancelled)
{
    const unsigned long long kLarge = 4ull << 30;  // sparse: read for seconds, stored in no room
    ASSERT_TRUE(MakeLargeFile(download.Path("Huge.pak"), kLarge));
    const struct {
        const char* what;
        bool drop;
    } cases[] = {{"a drop", true}, {"Update from File", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StartWith(Files("Huge.previous=kept"));
        CloseApp();
        ASSERT_TRUE(MakeLargeFile(mods.Path("Huge.pak"), kLarge));
        StartAppIn(mods.Path());
        seenProgress = SeenProgress();
        UINT_PTR timer = SetTimer(NULL, 0, 50, CancelWhenShown);
        if (c.drop)
            DropFiles({download.Path("Huge.pak")});
        else
            UpdateFromFile("Huge", download.Path("Huge.pak"));
        KillTimer(NULL, timer);  // also when the window never showed

        EXPECT_EQ(TextFor(Text::ComparingCaption), seenProgress.caption) << "no progress window while comparing";
        EXPECT_EQ((std::vector<std::string>{"Huge.pak", "", "", "Cancel"}), seenProgress.texts);
        EXPECT_TRUE(dialogs.MessageBoxes().empty()) << "a cancel is no error, and asks nothing";
        EXPECT_EQ((std::vector<std::string>{"Huge.pak", "Huge.previous"}), mods.Names());
        EXPECT_EQ(kLarge, FileSize(mods.Path("Huge.pak")));
        EXPECT_EQ("kept", mods.Read("Huge.previous"));
        EXPECT_TRUE(IsWindowEnabled(MainWindow));
    }
    EXPECT_TRUE(bin.Names().empty());
}

}  // namespace
