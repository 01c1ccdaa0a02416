// New versions of installed mods: updated by a drop after one question or
// from the lists' menu, the previous version kept (an older one in the
// Recycle Bin) and restored with one click, an archive in use left alone, and
// a change cut off put in order at the next start.
#include "app_test.h"

#include <map>
#include <memory>
#include <sstream>

#include "menus.h"
#include "recycle_bin.h"
#include "sets/mod_switch.h"
#include "sets/set_store.h"
#include "shared/locale_format.h"
#include "shared/text_format.h"
#include "shared/window_state.h"
#include "updates/version_journal.h"
#include "updates/version_plan.h"

namespace {

typedef std::map<std::string, std::string> Contents;

// "Mod.pak=v1|Mod.txt=about v1": the files and what each holds.
Contents Files(const std::string& text)
{
    Contents files;
    std::istringstream entries(text);
    for (std::string entry; std::getline(entries, entry, '|');)
        files[entry.substr(0, entry.find('='))] = entry.substr(entry.find('=') + 1);
    return files;
}

// The game running: a file held open without sharing, until the hold ends.
std::shared_ptr<void> Hold(const std::string& path)
{
    return std::shared_ptr<void>(CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL),
                                 CloseHandle);
}

class UpdateTest : public AppTest {
protected:
    // A new start of the tool, with exactly these files in the mod folder.
    void StartWith(const Contents& installed)
    {
        CloseApp();
        EmptyFolder(mods.Path());
        EnabledMods.clear();
        DisabledMods.clear();
        dialogs.Forget();
        for (const auto& file : installed)
            mods.Write(file.first, file.second);
        StartAppIn(mods.Path());
    }
    // The menu of the mod's row, from the keyboard, and one of its entries.
    std::vector<std::string> ChooseInMenu(const std::string& mod, const std::string& entry)
    {
        HWND list = RowOf(EnabledList, mod) >= 0 ? EnabledList : DisabledList;
        SelectRow(list, RowOf(list, mod));
        MenuChooser menu({entry});
        OpenListMenu(list, -1);
        return menu.Entries();
    }
    TempFolder mods, download;
    RecycleBinWatch bin{mods.Path()};
};

const char kUpdate[] = "&Update from File...", kRestore[] = "&Restore Previous Version";

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
    EXPECT_EQ((std::vector<std::string>{"Better Towns.previous", "Better Towns.previous-txt"}), bin.Names())
        << "the older version did not go to the Recycle Bin";
}

TEST_F(UpdateTest, UpdateFromFileTakesTheModsNameAndRestoreSwapsTheVersionsBackAndForth)
{
    StartWith(Files("Rich Maps.mod=maps 1|Rich Maps.txt=about maps 1|Other.pak=other"));
    download.Write("rich-maps-v2.pak", "maps 2");
    download.Write("rich-maps-v2.txt", "about maps 2");
    const std::string one = "Rich Maps.mod=maps 1|Rich Maps.txt=about maps 1|Other.pak=other|",
                      two = "Rich Maps.mod=maps 2|Rich Maps.txt=about maps 2|Other.pak=other|",
                      keptOne = "Rich Maps.previous=maps 1|Rich Maps.previous-txt=about maps 1",
                      keptTwo = "Rich Maps.previous=maps 2|Rich Maps.previous-txt=about maps 2";
    const struct {
        std::string entry;
        std::vector<std::string> offered;  // the version entries of the menu
        std::string after, shown;
    } steps[] = {
        {kUpdate, {kUpdate}, two + keptOne, "about maps 2"},
        {kRestore, {kUpdate, kRestore}, one + keptTwo, "about maps 1"},
        {kRestore, {kUpdate, kRestore}, two + keptOne, "about maps 2"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.entry + " to " + step.shown);
        if (step.entry == kUpdate)
            dialogs.ChooseFile(download.Path("rich-maps-v2.pak"));
        std::vector<std::string> offered;
        for (const std::string& entry : ChooseInMenu("Rich Maps", step.entry))
            if (entry == kUpdate || entry == kRestore)
                offered.push_back(entry);
        EXPECT_EQ(step.offered, offered);
        EXPECT_EQ(Files(step.after), mods.Contents());
        ExpectLists({"Other"}, {"Rich Maps"});
        EXPECT_EQ(step.shown, TextOf(InformationBox)) << "the mod was not shown again";
    }
    ASSERT_EQ(1u, dialogs.Seen().size());
    EXPECT_EQ("open-file dialog \"Update Rich Maps from File\": \"\"", Describe(dialogs.Seen()[0]));
    EXPECT_EQ(MainWindow, dialogs.Seen()[0].owner);
    EXPECT_TRUE(bin.Names().empty());
}

TEST_F(UpdateTest, AnArchiveInUseIsNeitherUpdatedNorRestoredAndNothingChanges)
{
    const Contents installed = Files(
        "Better Towns.pak=towns 2|Better Towns.txt=about towns 2|"
        "Better Towns.previous=towns 1|Better Towns.previous-txt=about towns 1");
    StartWith(installed);
    download.Write("Better Towns.pak", "towns 3");
    const struct {
        const char* what;
        std::function<void()> act;
        std::string told;
    } cases[] = {
        {"a drop",
         [this] {
             dialogs.AnswerQuestion(IDYES);
             DropFiles({download.Path("Better Towns.pak")});
         },
         "Better Towns.pak: in use, perhaps by the game: not updated"},
        {"Update from File",
         [this] {
             dialogs.ChooseFile(download.Path("Better Towns.pak"));
             ChooseInMenu("Better Towns", kUpdate);
         },
         FormatText(Text(Message::UpdateInUse), {"Better Towns"})},
        {"Restore Previous Version", [this] { ChooseInMenu("Better Towns", kRestore); },
         FormatText(Text(Message::RestoreInUse), {"Better Towns"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.Forget();
        std::shared_ptr<void> game = Hold(mods.Path("Better Towns.pak"));
        c.act();
        game.reset();
        std::vector<std::string> told = BoxTexts(dialogs);
        EXPECT_EQ(c.told, told.empty() ? "(nothing)" : told.back());
        EXPECT_EQ(installed, mods.Contents()) << "no file changed, none left behind";
        EXPECT_TRUE(bin.Names().empty()) << "the previous version was given up for nothing";
    }
}

// The journal and the folder as a kill leaves them halfway through the
// archive's replacement (its previous version kept, the new one not yet in
// place), at a start of the tool where that cannot be finished; and an update
// of another mod afterwards, which must not write its journal over that one.
TEST_F(UpdateTest, AChangeCutOffThatCannotBeFinishedIsUndoneOrKeptForALaterStart)
{
    const VersionNames names = NamesOfVersions("Better Towns.pak");
    const std::string halfway =
        "Better Towns.previous=v1|Better Towns.txt=about v1|Better Towns.pa~=v2|"
        "Better Towns.tx~=about v2|Other.pak=o1";
    enum class Folder { Mods, Gone, Elsewhere };
    const struct {
        const char* what;
        std::string held;
        Folder folder;
        Message told;
        std::string after;
        bool journalKept;
    } cases[] = {
        {"the new archive cannot take its place (its copy stays, never listed)", names.archiveTemporary,
         Folder::Mods, Message::UpdateCutOffUndone,
         "Better Towns.pak=v1|Better Towns.txt=about v1|Better Towns.pa~=v2|Other.pak=o1", false},
        {"the mod folder missing", "", Folder::Gone, Message::VersionCutOffFolderMissing, halfway, true},
        {"a folder that is not the mod folder (a record tampered with)", "", Folder::Elsewhere,
         Message::VersionCutOffOtherFolder, halfway, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StartWith(Files(halfway));
        CloseApp();
        EmptyFolder(download.Path());
        for (const auto& file : Files(halfway))
            download.Write(file.first, file.second);
        std::string folder = c.folder == Folder::Mods   ? mods.Path()
                             : c.folder == Folder::Gone ? mods.Path("gone")
                                                        : download.Path();
        ASSERT_TRUE(WriteVersionJournal(VersionJournalStrings(
            {VersionChange::Update, folder, names.archive, UpdateSteps(names, {true, false, false}, true)})));
        std::shared_ptr<void> held = c.held.empty() ? nullptr : Hold(mods.Path(c.held));
        RestartApp();
        ASSERT_TRUE(PumpUntil([&] { return !dialogs.MessageBoxes().empty(); })) << "the player was not told";
        std::vector<std::string> details = {"Better Towns"};
        if (c.folder != Folder::Mods)
            details.push_back(folder);
        ExpectBoxes(dialogs, {Box(c.told, MainWindow, details)});
        held.reset();
        if (c.journalKept) {
            dialogs.Forget();
            dialogs.AnswerQuestion(IDNO);  // keep that change for later
            ChooseInMenu("Other", kUpdate);
            ExpectBoxes(dialogs, {Box(c.told, MainWindow, details),
                                  Box(Message::VersionChangeOwed, MainWindow, {"Better Towns", folder})});
            dialogs.Forget();
            dialogs.AnswerQuestion(IDYES);  // update Other
            dialogs.AnswerQuestion(IDNO);   // but keep that change
            download.MakeFolder("new");
            download.Write("new\\Other.pak", "o2");
            DropFiles({download.Path("new\\Other.pak")});
            std::vector<std::string> told = BoxTexts(dialogs);
            EXPECT_EQ("Other.pak: " + DropReasonText(DropReason::NotUpdated), told.empty() ? "" : told.back());
            DeleteFileA(download.Path("new\\Other.pak").c_str());
            RemoveDirectoryA(download.Path("new").c_str());
        }
        EXPECT_EQ(Files(c.after), mods.Contents());
        EXPECT_EQ(Files(halfway), download.Contents()) << "a folder the journal names was changed";
        size_t done = 0;
        std::vector<std::string> journal = ReadVersionJournalStrings(done);
        EXPECT_EQ(c.journalKept, !journal.empty());
        EXPECT_TRUE(journal.empty() || journal[2] == names.archive) << "the kept journal was written over";
        RemoveVersionJournal();
    }
}

}  // namespace
