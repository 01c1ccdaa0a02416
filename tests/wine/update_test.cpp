// New versions of installed mods: updated by a drop after one question or
// from the lists' menu, the previous version kept (an older one in the
// Recycle Bin) and restored with one click, an archive in use left alone, and
// a change cut off finished or undone at the next start.
#include "app_test.h"

#include <map>

#include "drops.h"
#include "menus.h"
#include "mods/mod_lists.h"
#include "recycle_bin.h"
#include "sets/mod_switch.h"
#include "sets/set_store.h"
#include "shared/text_format.h"
#include "shared/window_state.h"
#include "updates/version_journal.h"
#include "updates/version_plan.h"

namespace {

typedef std::map<std::string, std::string> Contents;

// The game running: an archive held open without sharing.
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL))
    {
    }
    ~HeldOpen() { CloseHandle(file_); }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool Held() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE file_;
};

class UpdateTest : public AppTest {
protected:
    void Start(const Contents& installed)
    {
        for (const auto& file : installed)
            mods.Write(file.first, file.second);
        StartAppIn(mods.Path());
    }
    // A new start of the tool, with exactly these files in the mod folder.
    void StartWith(const Contents& installed)
    {
        CloseApp();
        EmptyFolder(mods.Path());
        EnabledMods.clear();
        DisabledMods.clear();
        dialogs.Forget();
        Start(installed);
    }
    // The menu of the mod's row, from the keyboard, and one of its entries.
    std::vector<std::string> ChooseInMenu(const std::string& mod, const std::string& entry)
    {
        HWND list = RowOf(EnabledList, mod) >= 0 ? EnabledList : DisabledList;
        SelectRow(list, RowOf(list, mod));
        MenuChooser menu({entry});
        OpenListMenu(list, -1);
        EXPECT_TRUE(menu.Shown());
        return menu.Entries();
    }
    TempFolder mods, download;
    RecycleBinWatch bin{mods.Path()};
};

std::string QuestionLine(const std::vector<std::string>& details)
{
    return FormatText(UpdateQuestionLine(), details);
}

TEST_F(UpdateTest, ADropAsksOnceForEveryNewVersionAndKeepsThePreviousOnes)
{
    const struct {
        int answer;
        Contents after;
        std::string summary;
    } cases[] = {
        {IDYES,
         {{"Better Towns.pak", "towns 2!"},
          {"Better Towns.txt", "about towns 2"},
          {"Better Towns.previous", "towns 1"},
          {"Better Towns.previous-txt", "about towns 1"},
          {"Rich Maps.mod", "maps 2"},
          {"Rich Maps.previous", "maps 1"},
          {"Same.pak", "same"},
          {"New.pak", "new"}},
         "Same.pak: installed already"},
        {IDNO,
         {{"Better Towns.pak", "towns 1"},
          {"Better Towns.txt", "about towns 1"},
          {"Rich Maps.mod", "maps 1"},
          {"Same.pak", "same"},
          {"New.pak", "new"}},
         "Better Towns.pak: a mod with this name already exists\n"
         "Rich Maps.pak: a mod with this name already exists\n"
         "Same.pak: installed already"},
    };
    const Contents installed = {{"Better Towns.pak", "towns 1"},
                                {"Better Towns.txt", "about towns 1"},
                                {"Rich Maps.mod", "maps 1"},
                                {"Same.pak", "same"}};
    download.Write("Better Towns.pak", "towns 2!");
    download.Write("Better Towns.txt", "about towns 2");
    download.Write("Rich Maps.pak", "maps 2");
    download.Write("Same.pak", "same");
    download.Write("New.pak", "new");
    SetWrittenOn(download.Path("Better Towns.pak"), 2026, 11, 30);
    SetWrittenOn(download.Path("Rich Maps.pak"), 2026, 12, 1);
    ASSERT_TRUE(SaveModSet({"Campaign", {"Better Towns", "New", "Same"}}));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer == IDYES ? "updated" : "left as they were");
        StartWith(installed);
        SetWrittenOn(mods.Path("Better Towns.pak"), 2024, 3, 1);
        SetWrittenOn(mods.Path("Rich Maps.mod"), 2025, 1, 15);

        dialogs.AnswerQuestion(c.answer);
        DropFiles({download.Path("Better Towns.pak"), download.Path("Better Towns.txt"),
                   download.Path("Rich Maps.pak"), download.Path("Same.pak"), download.Path("New.pak")});

        std::string lines = QuestionLine({"Better Towns", "7 bytes", "2024-03-01", "8 bytes", "2026-11-30"}) +
                            "\n" + QuestionLine({"Rich Maps", "6 bytes", "2025-01-15", "6 bytes", "2026-12-01"});
        ExpectBoxes(dialogs, {Box(Message::UpdateQuestion, MainWindow, {lines}),
                              {c.summary, "Error", MB_ICONWARNING, MainWindow}});
        EXPECT_EQ(c.after, mods.Contents());
        ExpectLists({"Better Towns", "New", "Same"}, {"Rich Maps"});
        std::optional<ModSet> campaign = FindModSet("Campaign");
        ASSERT_TRUE(campaign.has_value());
        EXPECT_TRUE(IsOnNow(*campaign, ArchivesNow())) << "the set no longer matches the mods it names";
    }

    // Once more, after an update: the version kept before goes to the
    // Recycle Bin, and the installed description stays with both versions
    // when none comes.
    StartWith(cases[0].after);
    download.Write("Better Towns.pak", "towns 3");
    DeleteFileA(download.Path("Better Towns.txt").c_str());
    dialogs.AnswerQuestion(IDYES);
    DropFiles({download.Path("Better Towns.pak")});
    EXPECT_EQ(1u, dialogs.MessageBoxes().size()) << "only the question";
    Contents after = cases[0].after;
    after["Better Towns.pak"] = "towns 3";
    after["Better Towns.txt"] = "about towns 2";
    after["Better Towns.previous"] = "towns 2!";
    after["Better Towns.previous-txt"] = "about towns 2";
    EXPECT_EQ(after, mods.Contents());
    EXPECT_EQ((std::vector<std::string>{"Better Towns.previous", "Better Towns.previous-txt"}), bin.Names())
        << "the older version was not moved to the Recycle Bin";
}

TEST_F(UpdateTest, UpdateFromFileTakesTheModsNameAndRestoreSwapsTheVersionsBackAndForth)
{
    Start({{"Rich Maps.mod", "maps 1"}, {"Rich Maps.txt", "about maps 1"}, {"Other.pak", "other"}});
    download.Write("rich-maps-v2.pak", "maps 2");
    download.Write("rich-maps-v2.txt", "about maps 2");
    const Contents first = {{"Rich Maps.mod", "maps 1"}, {"Rich Maps.txt", "about maps 1"}},
                   second = {{"Rich Maps.mod", "maps 2"}, {"Rich Maps.txt", "about maps 2"}};
    auto kept = [](const Contents& current, const Contents& previous) {
        Contents contents = {{"Other.pak", "other"},
                             {"Rich Maps.previous", previous.at("Rich Maps.mod")},
                             {"Rich Maps.previous-txt", previous.at("Rich Maps.txt")}};
        contents.insert(current.begin(), current.end());
        return contents;
    };
    const std::string update = "&Update from File...", restore = "&Restore Previous Version";
    const struct {
        std::string entry;
        std::vector<std::string> offered;  // the version entries the menu shows
        Contents after;
        std::string shown;
    } steps[] = {
        {update, {update}, kept(second, first), "about maps 2"},
        {restore, {update, restore}, kept(first, second), "about maps 1"},
        {restore, {update, restore}, kept(second, first), "about maps 2"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.entry + " to " + step.shown);
        if (step.entry == update)
            dialogs.ChooseFile(download.Path("rich-maps-v2.pak"));
        std::vector<std::string> entries = ChooseInMenu("Rich Maps", step.entry);
        std::vector<std::string> offered;
        for (const std::string& entry : entries)
            if (entry == update || entry == restore)
                offered.push_back(entry);
        EXPECT_EQ(step.offered, offered);
        EXPECT_EQ(step.after, mods.Contents());
        ExpectLists({"Other"}, {"Rich Maps"});
        EXPECT_EQ(step.shown, TextOf(InformationBox)) << "the mod is not shown again";
    }
    ASSERT_EQ(1u, dialogs.Seen().size());
    EXPECT_EQ(DialogKind::OpenFile, dialogs.Seen()[0].kind);
    EXPECT_EQ("Update Rich Maps from File", dialogs.Seen()[0].caption);
    EXPECT_EQ(MainWindow, dialogs.Seen()[0].owner);
    EXPECT_TRUE(bin.Names().empty());

    // The menu of another mod, without a previous version, and of no row.
    MenuChooser other({});
    SelectRow(EnabledList, RowOf(EnabledList, "Other"));
    OpenListMenu(EnabledList, -1);
    EXPECT_EQ(update, other.Entries().at(2));
    EXPECT_NE(restore, other.Entries().at(3));
}

TEST_F(UpdateTest, AnArchiveInUseIsNotUpdatedNorRestoredAndNothingChanges)
{
    const Contents installed = {{"Better Towns.pak", "towns 2"},
                                {"Better Towns.txt", "about towns 2"},
                                {"Better Towns.previous", "towns 1"},
                                {"Better Towns.previous-txt", "about towns 1"}};
    Start(installed);
    download.Write("Better Towns.pak", "towns 3");
    const struct {
        const char* what;
        std::function<void()> act;
        ExpectedBox told;
    } cases[] = {
        {"a drop",
         [this] {
             dialogs.AnswerQuestion(IDYES);
             DropFiles({download.Path("Better Towns.pak")});
         },
         {"Better Towns.pak: in use, perhaps by the game: not updated", "Error", MB_ICONWARNING, NULL}},
        {"Update from File",
         [this] {
             dialogs.ChooseFile(download.Path("Better Towns.pak"));
             ChooseInMenu("Better Towns", "&Update from File...");
         },
         Box(Message::UpdateInUse, NULL, {"Better Towns"})},
        {"Restore Previous Version", [this] { ChooseInMenu("Better Towns", "&Restore Previous Version"); },
         Box(Message::RestoreInUse, NULL, {"Better Towns"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.Forget();
        {
            HeldOpen game(mods.Path("Better Towns.pak"));
            ASSERT_TRUE(game.Held());
            c.act();
        }
        ExpectedBox told = c.told;
        told.owner = MainWindow;
        std::vector<SeenDialog> boxes = dialogs.MessageBoxes();
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(told.text, boxes.back().text);
        EXPECT_EQ(told.owner, boxes.back().owner);
        EXPECT_EQ(installed, mods.Contents()) << "no file changed, none left behind";
        EXPECT_TRUE(bin.Names().empty()) << "the previous version was given up for nothing";
    }
}

// A journal and a folder as a kill leaves them, at a start of the tool.
TEST_F(UpdateTest, AChangeCutOffIsFinishedOrUndoneAtTheNextStartAndTheToolSaysSo)
{
    const VersionNames names = NamesOfVersions("Better Towns.pak");
    const Contents before = {{names.archive, "v1"},
                             {names.description, "about v1"},
                             {names.archiveTemporary, "v2"},
                             {names.descriptionTemporary, "about v2"}};
    const Contents updated = {{names.archive, "v2"},
                              {names.description, "about v2"},
                              {names.previousArchive, "v1"},
                              {names.previousDescription, "about v1"}};
    const Contents asBefore = {{names.archive, "v1"}, {names.description, "about v1"}};
    const Contents leftover = {
        {names.archive, "v1"}, {names.description, "about v1"}, {names.archiveTemporary, "v2"}};
    // The archive kept as the previous version, the new one not yet in place.
    const Contents halfway = {{names.previousArchive, "v1"},
                              {names.description, "about v1"},
                              {names.archiveTemporary, "v2"},
                              {names.descriptionTemporary, "about v2"}};
    const std::vector<VersionStep> steps = UpdateSteps(names, {true, false, false}, true);
    const struct {
        const char* what;
        Contents folder;
        std::vector<std::string> held;  // open without sharing, as the game holds archives
        bool folderThere;
        Message told;
        Contents after;
        bool journalKept;
    } cases[] = {
        {"cut off halfway through the archive", halfway, {}, true, Message::UpdateCutOffFinished, updated, false},
        {"cut off before the first step", before, {}, true, Message::UpdateCutOffFinished, updated, false},
        {"the new archive cannot take its place (its copy stays, never listed)",
         halfway,
         {names.archiveTemporary},
         true,
         Message::UpdateCutOffUndone,
         leftover,
         false},
        {"neither can the old one go back",
         halfway,
         {names.archiveTemporary, names.previousArchive},
         true,
         Message::VersionCutOffNotRepaired,
         halfway,
         true},
        {"the copies removed since", asBefore, {}, true, Message::VersionCutOffChanged, asBefore, false},
        {"the mod folder missing", before, {}, false, Message::VersionCutOffFolderMissing, {}, true},
    };
    Start({});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CloseApp();
        EmptyFolder(mods.Path());
        for (const auto& file : c.folder)
            mods.Write(file.first, file.second);
        std::string folder = c.folderThere ? mods.Path() : mods.Path("gone");
        ASSERT_TRUE(
            WriteVersionJournal(VersionJournalStrings({VersionChange::Update, folder, names.archive, steps})));
        std::vector<std::unique_ptr<HeldOpen>> held;
        for (const std::string& name : c.held)
            held.push_back(std::make_unique<HeldOpen>(mods.Path(name)));
        dialogs.Forget();
        RestartApp();
        ASSERT_TRUE(PumpUntil([&] { return !dialogs.MessageBoxes().empty(); })) << "the player was not told";
        std::vector<std::string> details = {"Better Towns"};
        if (!c.folderThere)
            details.push_back(folder);
        ExpectBoxes(dialogs, {Box(c.told, MainWindow, details)});
        held.clear();
        if (c.folderThere) {
            EXPECT_EQ(c.after, mods.Contents());
        }
        size_t done = 0;
        EXPECT_EQ(c.journalKept, !ReadVersionJournalStrings(done).empty());
        RemoveVersionJournal();
    }

    // A journal that is not one of the tool's is dropped without a word.
    CloseApp();
    ASSERT_TRUE(
        WriteVersionJournal({"update", mods.Path(), "Better Towns.pak", "rename\tBetter Towns.pak\tx.exe"}));
    dialogs.Forget();
    RestartApp();
    DispatchWaitingMessages();
    EXPECT_TRUE(dialogs.MessageBoxes().empty());
    size_t done = 0;
    EXPECT_TRUE(ReadVersionJournalStrings(done).empty());
}

}  // namespace
