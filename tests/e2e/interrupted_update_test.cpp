// The program killed at several moments of updating a large archive, as by a
// crash, the task manager or a power cut: after the next start the mod's name
// holds one whole version, old or new, with that version's description, and
// nothing of a copy cut off is left; the player is told which. The
// renames after the copy take microseconds, too few for a kill timed from
// outside: the folder and journal as a kill between them leaves them are made
// by the test.
#include <gtest/gtest.h>

#include "registry.h"
#include "running_app.h"
#include "settings/mod_directory.h"
#include "shared/messages.h"
#include "shared/text_format.h"
#include "shared/window_state.h"
#include "changes/change_engine.h"
#include "journal.h"
#include "updates/version_plan.h"

namespace {

const unsigned long long kNewSize = 1ull << 30;
const int kUpdateFromFile = 2;  // "&Disable", "Open Mod &Folder", "&Update from File..."

TEST(InterruptedUpdateTest, AProgramKilledWhileUpdatingLeavesOneWholeVersionWithItsOwnDescription)
{
    const struct {
        const char* moment;
        unsigned long long copied;  // of the new archive, under its temporary name; 0: made by the test
    } moments[] = {
        {"as the copy starts", 64u << 20},
        {"halfway through the copy", kNewSize / 2},
        {"as soon as the copy is whole", kNewSize},
        {"between the renames of the archive", 0},
    };
    TempFolder download;
    ASSERT_TRUE(MakeLargeFile(download.Path("Huge v2.pak"), kNewSize));
    download.Write("Huge v2.txt", "about the new version");
    const std::map<std::string, std::string> oldVersion = {{"Huge.pak", "the old version"},
                                                           {"Huge.txt", "about the old version"}};
    SettingsRestorer keep;
    for (const auto& moment : moments) {
        SCOPED_TRACE(moment.moment);
        TempFolder mods;
        for (const auto& file : oldVersion)
            mods.Write(file.first, file.second);
        StoreSettingsValue(kSettingsValue, REG_SZ, mods.Path());
        if (moment.copied == 0) {
            // Both copies made and the installed archive kept as the previous
            // version: three moves made.
            VersionNames names = NamesOfVersions("Huge.pak");
            StoreChangeJournal(UpdatePlan(mods.Path(), names, {true, false, false}, download.Path("Huge v2.pak"),
                                          download.Path("Huge v2.txt")),
                               3, 3);
            ASSERT_TRUE(MoveFileA(mods.Path("Huge.pak").c_str(), mods.Path(names.previousArchive).c_str()));
            ASSERT_TRUE(MakeLargeFile(mods.Path(names.archiveTemporary), kNewSize));
            mods.Write(names.descriptionTemporary, download.Read("Huge v2.txt"));
        } else {
            RunningApp app;
            ASSERT_TRUE(app.Start());
            ASSERT_NE((HWND)NULL, app.WaitForWindow());
            ASSERT_TRUE(app.ChooseInListMenu(IDC_ENABLED_LIST, 0, kUpdateFromFile)) << "no menu";
            ASSERT_TRUE(app.ChooseInOpenDialog(download.Path("Huge v2.pak"), "Update Huge from File"))
                << "no open-file dialog";
            ASSERT_TRUE(WaitUntil(
                [&] {
                    return FileSize(mods.Path("Huge.pa~")) >= moment.copied ||
                           FileSize(mods.Path("Huge.pak")) == kNewSize;
                },
                120000))
                << "the copy did not get there";
            app.Kill();
        }
        // The journal is written before the first copy: a kill at any of these
        // moments leaves one, unless the update had ended.
        bool cutOffMidway = JournalLeft();

        RunningApp next;
        ASSERT_TRUE(next.Start());
        ASSERT_NE((HWND)NULL, next.WaitForWindow());
        std::string told;
        if (cutOffMidway) {
            HWND box = next.WaitForDialog(MessageFor(Message::UpdateCutOffFinished).caption);
            ASSERT_NE((HWND)NULL, box) << "the player was not told";
            told = BoxText(box);
            EXPECT_EQ(next.Window(), GetWindow(box, GW_OWNER)) << "told before the window showed";
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        EXPECT_EQ(std::vector<std::string>{"Huge"}, Rows(next.Control(IDC_ENABLED_LIST)));
        PostMessageA(next.Window(), WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, next.WaitForExit());

        EXPECT_FALSE(JournalLeft()) << "the journal was left";
        bool updated = moment.copied == 0 || FileSize(mods.Path("Huge.pak")) == kNewSize;
        if (cutOffMidway) {
            Message expected = updated ? Message::UpdateCutOffFinished : Message::UpdateCutOffUndone;
            EXPECT_EQ(FormatText(MessageFor(expected).text, {"Huge"}), told);
        }
        if (updated) {
            EXPECT_EQ(kNewSize, FileSize(mods.Path("Huge.pak")));
            EXPECT_EQ("about the new version", mods.Read("Huge.txt"));
            EXPECT_EQ(oldVersion.at("Huge.pak"), mods.Read("Huge.previous"));
            EXPECT_EQ(oldVersion.at("Huge.txt"), mods.Read("Huge.previous-txt"));
        } else {
            EXPECT_EQ(oldVersion, mods.Contents()) << "neither version whole under the mod's name, or a copy left";
        }
    }
}

// Two copies of the tool on one folder: while one updates a mod, a switch of
// mod sets in the other is refused with what holds the folder, and the folder
// ends as the update alone leaves it.
TEST(InterruptedUpdateTest, ASwitchInAnotherCopyWaitsForNoUpdate)
{
    TempFolder download;
    ASSERT_TRUE(MakeLargeFile(download.Path("Huge v2.pak"), kNewSize));
    SettingsRestorer keep;
    TempFolder mods;
    mods.Write("Huge.pak", "the old version");
    mods.Write("Other.pak", "another mod");
    StoreSettingsValue(kSettingsValue, REG_SZ, mods.Path());

    RunningApp updating, switching;
    ASSERT_TRUE(updating.Start());
    ASSERT_NE((HWND)NULL, updating.WaitForWindow());
    ASSERT_TRUE(switching.Start());
    ASSERT_NE((HWND)NULL, switching.WaitForWindow());
    ASSERT_TRUE(updating.ChooseInListMenu(IDC_ENABLED_LIST, 0, kUpdateFromFile)) << "no menu";
    ASSERT_TRUE(updating.ChooseInOpenDialog(download.Path("Huge v2.pak"), "Update Huge from File"));
    ASSERT_TRUE(WaitUntil([&] { return FileSize(mods.Path("Huge.pa~")) > 0; }, 60000)) << "the copy did not start";

    ASSERT_TRUE(switching.SwitchToNoMods());
    HWND box = switching.WaitForDialog(MessageFor(Message::VersionChangeElsewhere).caption, 30000);
    ASSERT_NE((HWND)NULL, box) << "the switch was not refused";
    EXPECT_EQ(MessageFor(Message::VersionChangeElsewhere).text, BoxText(box));
    PostMessageA(box, WM_COMMAND, IDOK, 0);

    EXPECT_TRUE(WaitUntil([&] { return FileSize(mods.Path("Huge.pak")) == kNewSize && !JournalLeft(); }, 120000))
        << "the update did not end";
    EXPECT_EQ((std::vector<std::string>{"Huge.pak", "Huge.previous", "Other.pak"}), FolderNames(mods.Path()))
        << "the switch changed the folder under the update";
    EXPECT_EQ("the old version", mods.Read("Huge.previous"));
}

}  // namespace
