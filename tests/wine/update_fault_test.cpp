// Updates and restores that cannot be made, and changes cut off: whatever
// stops them, the mod keeps its version and its kept previous version, file
// for file; a refusal says why; a change cut off is finished or undone at a
// start where it can be, and kept for a later one where it cannot.
#include <functional>

#include "mods/mod_names.h"
#include "changes/change_engine.h"
#include "shared/text_format.h"
#include "shared/window_state.h"
#include "update_fixture.h"
#include "journal.h"
#include "updates/version_plan.h"

namespace {

const unsigned long long kLongCopy = 64u << 20;  // sparse: copied for a while, stored in no room

// The game started while an update's copy runs: once the copy under the
// temporary name has begun, the file is taken without sharing.
struct TakenDuringCopy {
    std::string copy, file;
    std::shared_ptr<void> hold;
} during;

void CALLBACK TakeOnceCopying(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (GetFileAttributesA(during.copy.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    KillTimer(NULL, timer);
    during.hold = Hold(during.file);
}

// The installed version and the one kept before it stay as they were, file for
// file, whether the game holds the archive before the update or takes it or
// the description while the new version is copied; nothing goes to the
// Recycle Bin, and the message ends with the system's reason.
TEST_F(UpdateTest, AnUpdateOrRestoreThatCannotBeMadeKeepsBothVersionsAsTheyWere)
{
    const Contents installed = Files(
        "Better Towns.pak=towns 2|Better Towns.txt=about towns 2|"
        "Better Towns.previous=towns 1|Better Towns.previous-txt=about towns 1");
    download.Write("Better Towns.pak", "towns 3");
    download.MakeFolder("big");
    ASSERT_TRUE(MakeLargeFile(download.Path("big\\Better Towns.pak"), kLongCopy));
    download.Write("big\\Better Towns.txt", "about towns 3");
    enum class Act { Drop, UpdateFromFile, Restore };
    enum class When { Before, DuringCopy };
    const std::string dropInUse = "Better Towns.pak: " + DropReasonText(DropReason::UpdateInUse);
    auto inUse = [](Message message) {
        return WithReason(FormatText(Text(message), {"Better Towns"}), ERROR_SHARING_VIOLATION);
    };
    const struct {
        const char* what;
        Act act;
        When when;
        std::string file;
        std::string told;
    } cases[] = {
        {"a drop, the game running", Act::Drop, When::Before, "Better Towns.pak", dropInUse},
        {"Update from File, the game running", Act::UpdateFromFile, When::Before, "Better Towns.pak",
         inUse(Message::UpdateInUse)},
        {"Restore Previous Version, the game running", Act::Restore, When::Before, "Better Towns.pak",
         inUse(Message::RestoreInUse)},
        {"Update from File, the game started during the copy", Act::UpdateFromFile, When::DuringCopy,
         "Better Towns.pak", inUse(Message::UpdateInUse)},
        {"a drop, the description's replace refused", Act::Drop, When::DuringCopy, "Better Towns.txt", dropInUse},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StartWith(installed);
        std::string path = mods.Path(c.file);
        std::string source =
            download.Path(c.when == When::DuringCopy ? "big\\Better Towns.pak" : "Better Towns.pak");
        std::shared_ptr<void> game = c.when == When::Before ? Hold(path) : nullptr;
        during = {mods.Path("Better Towns.pa~"), path, nullptr};
        UINT_PTR timer = c.when == When::DuringCopy ? SetTimer(NULL, 0, 1, TakeOnceCopying) : 0;
        switch (c.act) {
        case Act::Drop:
            DropAndUpdate(c.when == When::DuringCopy
                              ? std::vector<std::string>{source, ReplaceExtension(source, "txt")}
                              : std::vector<std::string>{source});
            break;
        case Act::UpdateFromFile: UpdateFromFile("Better Towns", source); break;
        case Act::Restore: ChooseInMenu("Better Towns", kRestoreEntry); break;
        }
        if (timer)
            KillTimer(NULL, timer);
        EXPECT_TRUE(c.when != When::DuringCopy || during.hold) << "the copy ended before the file was taken";
        game.reset();
        during.hold.reset();
        std::vector<std::string> told = BoxTexts(dialogs);
        EXPECT_EQ(c.told, told.empty() ? "(nothing)" : told.back());
        EXPECT_EQ(installed, mods.Contents()) << "no file changed, none left behind";
        EXPECT_TRUE(bin.Names().empty()) << "the previous version was given up for nothing";
    }
}

// What the player chose is refused before anything changes, and the message
// says why: a mod installed both enabled and disabled (which of the two?), a
// name of the mod's that holds a folder, a name too long for the names its
// versions are kept under, another copy of the tool changing a version; the
// installed file chosen again is installed already.
TEST_F(UpdateTest, ARefusedUpdateOrRestoreSaysWhyAndChangesNothing)
{
    const std::string kept = "Better Towns.previous=towns 1|Better Towns.previous-txt=about towns 1|";
    const std::string installed = kept + "Better Towns.pak=towns 2|Better Towns.txt=about towns 2";
    std::string longName;  // 82 Chinese characters: 246 bytes of UTF-8, 259 with ".previous-txt"
    for (int i = 0; i < 82; ++i)
        longName += "模";
    download.Write("Better Towns.pak", "towns 3");
    download.Write(longName + ".pak", "long 2");
    enum class Act { Drop, UpdateFromFile, Restore };
    auto inTheWay = [](Message message, const std::string& name) {
        return Box(message, MainWindow, {"Better Towns", name});
    };
    auto dropLine = [](const std::string& file, DropReason reason, const std::string& detail) {
        return ExpectedBox{TextFor(Text::DropLine, {ShortenInMiddle(file, 60),
                                                    DropReasonText(reason, {ShortenInMiddle(detail, 60)})}),
                           "Error", MB_ICONWARNING, MainWindow};
    };
    const struct {
        const char* what;
        std::string files;
        std::function<void(TempFolder&)> also;
        Act act;
        std::string mod, chosen;  // chosen: none when no open-file dialog is to open
        ExpectedBox told;
        std::string caption;
    } cases[] = {
        {"Update from File of a mod installed both enabled and disabled", installed + "|Better Towns.mod=towns x",
         nullptr, Act::UpdateFromFile, "Better Towns", "",
         Box(Message::UpdateBothStates, MainWindow, {"Better Towns", "Better Towns.pak", "Better Towns.mod"}),
         "Update Mod"},
        {"Restore of a mod installed both enabled and disabled", installed + "|Better Towns.mod=towns x", nullptr,
         Act::Restore, "Better Towns", "",
         Box(Message::RestoreBothStates, MainWindow, {"Better Towns", "Better Towns.pak", "Better Towns.mod"}),
         "Restore Previous Version"},
        {"Update from File, the name of its description taken by a folder", kept + "Better Towns.pak=towns 2",
         [](TempFolder& folder) { folder.MakeFolder("Better Towns.txt"); }, Act::UpdateFromFile, "Better Towns",
         "Better Towns.pak", inTheWay(Message::UpdateNameInTheWay, "Better Towns.txt"), "Error"},
        {"Restore, a kept name that is a folder", "Better Towns.pak=towns 2|Better Towns.previous=towns 1",
         [](TempFolder& folder) { folder.MakeFolder("Better Towns.previous-txt"); }, Act::Restore, "Better Towns",
         "", inTheWay(Message::RestoreNameInTheWay, "Better Towns.previous-txt"), "Error"},
        {"a drop, a kept name that is a folder", "Better Towns.pak=towns 2|Better Towns.previous=towns 1",
         [](TempFolder& folder) { folder.MakeFolder("Better Towns.previous-txt"); }, Act::Drop, "Better Towns",
         "Better Towns.pak", dropLine("Better Towns.pak", DropReason::NameInTheWay, "Better Towns.previous-txt"),
         "Error"},
        {"Update from File, an older version's folder that still holds files", installed,
         [](TempFolder& folder) {
             folder.MakeFolder("Better Towns.older");
             folder.Write("Better Towns.older\\previous", "towns 0");
         },
         Act::UpdateFromFile, "Better Towns", "Better Towns.pak",
         inTheWay(Message::UpdateNameInTheWay, "Better Towns.older"), "Error"},
        {"Update from File of a mod whose name is too long for its kept names",
         longName + ".pak=long 1|" + longName + ".txt=about long 1", nullptr, Act::UpdateFromFile, longName,
         longName + ".pak", Box(Message::UpdateNameTooLong, MainWindow, {longName, longName + ".previous-txt"}),
         "Error"},
        {"a drop of a mod whose name is too long for its kept names",
         longName + ".pak=long 1|" + longName + ".txt=about long 1", nullptr, Act::Drop, longName,
         longName + ".pak", dropLine(longName + ".pak", DropReason::NameTooLong, longName + ".previous-txt"),
         "Error"},
        {"a drop while another copy of the tool changes a version", installed, nullptr, Act::Drop, "Better Towns",
         "Better Towns.pak", dropLine("Better Towns.pak", DropReason::VersionChangeElsewhere, ""), "Error"},
        {"Update from File with the installed file itself", installed, nullptr, Act::UpdateFromFile,
         "Better Towns", "(installed)", Box(Message::UpdateIdentical, MainWindow, {"Better Towns"}), "Update Mod"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StartWith(Files(c.files));
        if (c.also)
            c.also(mods);
        const Contents before = mods.Contents();
        std::unique_ptr<FolderHeldElsewhere> otherCopy;  // held for the case that tells of it
        if (c.told.text.find(DropReasonText(DropReason::VersionChangeElsewhere)) != std::string::npos)
            otherCopy = std::make_unique<FolderHeldElsewhere>(FolderWork::Update);
        std::string chosen = c.chosen == "(installed)" ? mods.Path("Better Towns.pak") : download.Path(c.chosen);
        switch (c.act) {
        case Act::Drop: DropAndUpdate({chosen}); break;
        case Act::UpdateFromFile:
            if (!c.chosen.empty())
                dialogs.ChooseFile(chosen);
            ChooseInMenu(c.mod, kUpdateEntry);
            break;
        case Act::Restore: ChooseInMenu(c.mod, kRestoreEntry); break;
        }
        EXPECT_EQ(before, mods.Contents()) << "no file changed, none left behind";
        EXPECT_TRUE(bin.Names().empty());
        std::vector<SeenDialog> boxes = dialogs.MessageBoxes();
        if (boxes.size() != (c.act == Act::Drop ? 2u : 1u)) {
            ADD_FAILURE() << "expected the question of a drop and one message, got " << BoxTexts(dialogs).size();
            continue;
        }
        EXPECT_EQ(c.told.text, boxes.back().text);
        EXPECT_EQ(c.caption, boxes.back().caption);
        EXPECT_EQ(c.told.icon, boxes.back().icon);
        EXPECT_EQ(MainWindow, boxes.back().owner);
        EXPECT_EQ(0u, dialogs.PendingActions()) << "the open-file dialog did not open";
        for (const SeenDialog& seen : dialogs.Seen())
            EXPECT_TRUE(seen.expected) << "not expected: " << Describe(seen);
    }
}

// The journal and the folder as a kill leaves them, at a start of the tool:
// finished from where the steps stopped, undone where the new version cannot
// take its place, kept for a later start (and said so) where neither can be
// done now or the folder is not the mod folder; a later change never writes
// its journal over a kept one.
TEST_F(UpdateTest, AChangeCutOffIsPutInOrderAtAStartWhereItCan)
{
    const VersionNames names = NamesOfVersions("Better Towns.pak");
    // An update cut off halfway through the archive's replacement: the
    // installed version kept, the new one not yet in place.
    const std::string halfway =
        "Better Towns.previous=v1|Better Towns.txt=about v1|Better Towns.pa~=v2|"
        "Better Towns.tx~=about v2|Other.pak=o1";
    const std::string updated =
        "Better Towns.pak=v2|Better Towns.txt=about v2|Better Towns.previous=v1|"
        "Better Towns.previous-txt=about v1|Other.pak=o1";
    const std::string undone = "Better Towns.pak=v1|Better Towns.txt=about v1|Better Towns.pa~=v2|Other.pak=o1";
    const ChangePlan update = UpdatePlan("", names, {true, false, false}, download.Path(names.archive),
                                         download.Path(names.description));
    // As earlier versions of the tool journalled an update, in the registry:
    // the older version to the Recycle Bin first, file by file.
    const std::vector<std::string> updateOfOld = {
        "update",
        "",
        names.archive,
        "recycle\t" + names.previousArchive,
        "recycle\t" + names.previousDescription,
        "replace\t" + names.archive + "\t" + names.archiveTemporary + "\t" + names.previousArchive,
        "replace\t" + names.description + "\t" + names.descriptionTemporary + "\t" + names.previousDescription};
    // A restore cut off once its archives changed places: by names the folder
    // is as before it (or after it), only the moves recorded tell.
    const std::string swapped =
        "Better Towns.pak=v1|Better Towns.txt=about v2|Better Towns.previous=v2|"
        "Better Towns.previous-txt=about v1|Other.pak=o1";
    const std::string restored =
        "Better Towns.pak=v1|Better Towns.txt=about v1|Better Towns.previous=v2|"
        "Better Towns.previous-txt=about v2|Other.pak=o1";
    const ChangePlan restore = RestorePlan("", names, {true, true, true});
    const std::string oneHeld = names.archiveTemporary, bothHeld = oneHeld + "|" + names.previousArchive;
    enum class Folder { Mods, Gone, Elsewhere };
    const struct {
        const char* what;
        std::string before, recycledBefore;
        const ChangePlan* plan;  // or, with none, the registry's older form
        size_t done, reached;    // moves recorded (steps done, in the older form)
        std::string held;        // names held open, "|" between them
        Folder folder;
        Message told;
        std::string caption, after;
        bool journalKept;
    } cases[] = {
        // The copies made, then the archive kept as the previous version: three
        // moves made, the next one not yet begun.
        {"the new archive cannot take its place (its copy stays, never listed)", halfway, "", &update, 3, 3,
         oneHeld, Folder::Mods, Message::UpdateCutOffUndone, "Update Mod", undone, false},
        {"neither finished nor undone now (both versions' archives held)", halfway, "", &update, 2, 3, bothHeld,
         Folder::Mods, Message::VersionCutOffNotRepaired, "Error", halfway, true},
        {"a restore cut off after its archives changed places", swapped, "", &restore, 3, 3, "", Folder::Mods,
         Message::RestoreCutOffFinished, "Restore Previous Version", restored, false},
        {"the same, the archive's last rename made but not yet recorded", swapped, "", &restore, 2, 3, "",
         Folder::Mods, Message::RestoreCutOffFinished, "Restore Previous Version", restored, false},
        {"an update of an earlier version of the tool, undone after its older version went to the Recycle Bin",
         halfway, "Better Towns.previous=v0|Better Towns.previous-txt=about v0", nullptr, 2, 0, oneHeld,
         Folder::Mods, Message::UpdateCutOffUndoneOlderInBin, "Update Mod", undone, false},
        {"the mod folder missing", halfway, "", &update, 3, 3, "", Folder::Gone,
         Message::VersionCutOffFolderMissing, "Error", halfway, true},
        {"a folder that is not the mod folder (a record tampered with)", halfway, "", &update, 3, 3, "",
         Folder::Elsewhere, Message::VersionCutOffOtherFolder, "Error", halfway, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StartWith(Files(c.recycledBefore.empty() ? c.before : c.recycledBefore));
        CloseApp();
        for (const auto& file : Files(c.recycledBefore))
            ASSERT_TRUE(SendToRecycleBin(mods.Path(file.first)));
        for (const auto& file : Files(c.before))
            mods.Write(file.first, file.second);
        EmptyFolder(download.Path());
        for (const auto& file : Files(c.before))
            download.Write(file.first, file.second);
        std::string folder = c.folder == Folder::Mods   ? mods.Path()
                             : c.folder == Folder::Gone ? mods.Path("gone")
                                                        : download.Path();
        if (c.plan) {
            ChangePlan plan = *c.plan;
            plan.folder = folder;
            StoreChangeJournal(plan, c.done, c.reached);
        } else {
            std::vector<std::string> legacy = updateOfOld;
            legacy[1] = folder;
            StoreLegacyVersionJournal(legacy, c.done);
        }
        std::vector<std::shared_ptr<void>> held;
        for (const auto& name : Files(c.held))
            held.push_back(Hold(mods.Path(name.first)));
        RestartApp();
        EXPECT_TRUE(PumpUntil([&] { return !dialogs.MessageBoxes().empty(); })) << "the player was not told";
        std::vector<std::string> details = {"Better Towns"};
        if (c.folder != Folder::Mods)
            details.push_back(folder);
        if (!c.recycledBefore.empty())
            details.push_back(names.previousArchive + ", " + names.previousDescription);
        ExpectBoxes(dialogs, {c.told == Message::VersionCutOffNotRepaired
                                  ? FailureBox(c.told, MainWindow, ERROR_SHARING_VIOLATION, details)
                                  : Box(c.told, MainWindow, details)});
        EXPECT_EQ(c.caption, dialogs.MessageBoxes().empty() ? "(none)" : dialogs.MessageBoxes()[0].caption);
        held.clear();
        EXPECT_EQ(Files(c.after), mods.Contents());
        std::vector<std::string> inBin;
        for (const auto& file : Files(c.recycledBefore))
            inBin.push_back(file.first);
        EXPECT_EQ(inBin, bin.Names()) << "the older version is not where the message says";
        for (const std::string& name : inBin)
            bin.TakeBack(name);  // and the next case's folder is emptied
        EXPECT_EQ(c.journalKept, JournalLeft());
        if (c.journalKept && c.folder == Folder::Mods) {
            // Once nothing holds the files, the next start finishes it.
            dialogs.Forget();
            RestartApp();
            EXPECT_TRUE(PumpUntil([&] { return !dialogs.MessageBoxes().empty(); })) << "the player was not told";
            ExpectBoxes(dialogs, {Box(Message::UpdateCutOffFinished, MainWindow, details)});
            EXPECT_EQ(Files(updated), mods.Contents());
        } else if (c.journalKept) {
            dialogs.Forget();
            dialogs.AnswerQuestion(IDNO);  // keep that change for later
            ChooseInMenu("Other", kUpdateEntry);
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
            EXPECT_EQ(Files(c.after), mods.Contents());
            std::optional<ChangePlan> journal = StoredChangePlan();
            EXPECT_TRUE(journal && journal->mod == names.archive) << "the kept journal was written over";
        }
        EXPECT_EQ(Files(c.before), download.Contents()) << "a folder the journal names was changed";
        ClearJournalHome();
    }
}

}  // namespace
