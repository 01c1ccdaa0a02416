// Adding a mod through the real open-file dialog.
#include "app_test.h"

#include <algorithm>

#include "shared/window_state.h"
#include "settings/mod_directory.h"
#include "unix_tools.h"

namespace {

class AddModTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        mods.Write("Existing.pak", "existing");
        mods.Write("Old.mod", "old");
        download.Write("Big.pak", "new big archive");
        download.Write("Big.txt", "about Big");
        download.Write("Bare.pak", "no description");
        download.Write("Later.mod", "disabled on arrival");
        download.Write("Later.txt", "about Later");
    }
    void Start() { StartAppIn(mods.Path()); }
    // Chooses `file` in the dialog that "Add Mod" opens.
    void AddThrough(const std::string& file)
    {
        dialogs.ChooseFile(file);
        Click(IDC_ADD_MOD);
        EXPECT_EQ(0u, dialogs.PendingActions()) << "the open-file dialog did not appear";
    }
    void ExpectOnlyBox(Message message) { ExpectBoxes(dialogs, {Box(message, MainWindow)}); }
    // With `present` in the mod folder, adding `chosen` warns and changes nothing.
    void ExpectRefused(const char* present, const char* chosen)
    {
        mods.Write(present, "the player's own copy");
        download.Write(chosen, "newcomer");
        Start();
        std::vector<std::string> namesBefore = mods.Names();
        std::vector<std::string> enabledBefore = Rows(EnabledList), disabledBefore = Rows(DisabledList);

        AddThrough(download.Path(chosen));

        ExpectOnlyBox(Message::NameTaken);
        EXPECT_EQ("the player's own copy", mods.Read(present));
        EXPECT_EQ(namesBefore, mods.Names()) << "something was copied";
        EXPECT_EQ(enabledBefore, Rows(EnabledList));
        EXPECT_EQ(disabledBefore, Rows(DisabledList));
    }
    TempFolder mods;
    TempFolder download;
};

TEST_F(AddModTest, CopiesTheArchiveWithItsDescriptionAndListsIt)
{
    Start();
    AddThrough(download.Path("Big.pak"));

    ASSERT_FALSE(dialogs.Seen().empty());
    EXPECT_EQ(DialogKind::OpenFile, dialogs.Seen()[0].kind);
    EXPECT_EQ("Choose", dialogs.Seen()[0].caption);
    EXPECT_EQ(MainWindow, dialogs.Seen()[0].owner);
    EXPECT_TRUE(dialogs.MessageBoxes().empty()) << Describe(dialogs.MessageBoxes()[0]);
    EXPECT_EQ("new big archive", mods.Read("Big.pak"));
    EXPECT_EQ("about Big", mods.Read("Big.txt"));
    EXPECT_EQ("new big archive", download.Read("Big.pak")) << "the source changed";

    ExpectLists({"Big", "Existing"}, {"Old"});
    SelectRow(EnabledList, RowOf(EnabledList, "Big"));
    EXPECT_EQ("about Big", TextOf(InformationBox));
}

TEST_F(AddModTest, CopiesOnlyTheArchiveWhenItHasNoDescription)
{
    Start();
    AddThrough(download.Path("Bare.pak"));
    EXPECT_EQ("no description", mods.Read("Bare.pak"));
    EXPECT_EQ((std::vector<std::string>{"Bare.pak", "Existing.pak", "Old.mod"}), mods.Names());
    EXPECT_TRUE(dialogs.MessageBoxes().empty());
    ExpectLists({"Bare", "Existing"}, {"Old"});
}

TEST_F(AddModTest, AModChosenDisabledArrivesDisabled)
{
    Start();
    AddThrough(download.Path("Later.mod"));
    EXPECT_EQ("disabled on arrival", mods.Read("Later.mod"));
    EXPECT_EQ("about Later", mods.Read("Later.txt"));
    ExpectLists({"Existing"}, {"Later", "Old"});
}

TEST_F(AddModTest, ReplacesAnOlderDescriptionOfTheSameName)
{
    mods.Write("Big.txt", "stale text");
    Start();
    AddThrough(download.Path("Big.pak"));
    EXPECT_EQ("about Big", mods.Read("Big.txt"));
    EXPECT_EQ("new big archive", mods.Read("Big.pak"));
    ExpectLists({"Big", "Existing"}, {"Old"});
}

TEST_F(AddModTest, BigPakIsRefusedWhileBigModIsThere)
{
    ExpectRefused("Big.mod", "Big.pak");
}

TEST_F(AddModTest, BigPakIsRefusedWhileBigPakIsThere)
{
    ExpectRefused("Big.pak", "Big.pak");
}

TEST_F(AddModTest, BigModIsRefusedWhileBigPakIsThere)
{
    // Otherwise the pair could be neither enabled nor disabled.
    ExpectRefused("Big.pak", "Big.mod");
}

TEST_F(AddModTest, AnArchiveAlreadyInTheModFolderIsRefused)
{
    Start();
    AddThrough(mods.Path("Existing.pak"));
    ExpectOnlyBox(Message::NameTaken);
    EXPECT_EQ("existing", mods.Read("Existing.pak"));
}

TEST_F(AddModTest, WhatIsNotAModArchiveAndTheGamesOwnNamesAreRefused)
{
    const struct {
        const char* file;
        Message warning;
    } cases[] = {{"pack.zip", Message::NotArchive},
                 {"notes.txt", Message::NotArchive},
                 {"p5-data.pak", Message::BaseArchiveName},
                 {"data.mod", Message::BaseArchiveName},
                 {"P5-Texts.MOD", Message::BaseArchiveName}};
    Start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        download.Write(c.file, "not a mod");
        dialogs.Forget();
        AddThrough(download.Path(c.file));
        ExpectOnlyBox(c.warning);
    }
    EXPECT_EQ((std::vector<std::string>{"Existing.pak", "Old.mod"}), mods.Names()) << "something was copied";
}

TEST_F(AddModTest, CancellingChangesNothing)
{
    Start();
    dialogs.CancelFile();
    Click(IDC_ADD_MOD);
    EXPECT_EQ(0u, dialogs.PendingActions());
    EXPECT_TRUE(dialogs.MessageBoxes().empty());
    EXPECT_EQ((std::vector<std::string>{"Existing.pak", "Old.mod"}), mods.Names());
}

TEST_F(AddModTest, AMissingModFolderShowsOnlyTheDirectoryError)
{
    Start();
    std::vector<std::string> enabledBefore = Rows(EnabledList);
    RemoveTree(mods.Path());

    AddThrough(download.Path("Big.pak"));

    ExpectOnlyBox(Message::DirectoryMissing);
    EXPECT_EQ(enabledBefore, Rows(EnabledList)) << "the lists lost their rows";
    ExpectListsMirrored();
}

TEST_F(AddModTest, ACopyThatFailsIsReportedAndStopsThere)
{
    Start();
    std::vector<std::string> enabledBefore = Rows(EnabledList);
    // The archive is in use elsewhere: it cannot be read for the copy.
    HANDLE busy = CreateFileA(download.Path("Big.pak").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, busy);
    AddThrough(download.Path("Big.pak"));
    CloseHandle(busy);

    ExpectOnlyBox(Message::CopyFailed);
    EXPECT_EQ((std::vector<std::string>{"Existing.pak", "Old.mod"}), mods.Names()) << "the description was copied";
    EXPECT_EQ(enabledBefore, Rows(EnabledList));
}

TEST_F(AddModTest, AModFolderThatRefusesWritesIsReported)
{
    if (!CanMakeRootFaults())
        GTEST_SKIP() << "needs root to make a folder immutable";
    Start();
    std::vector<std::string> enabledBefore = Rows(EnabledList);
    ASSERT_TRUE(SetFolderImmutable(mods.Path(), true));
    AddThrough(download.Path("Big.pak"));
    ASSERT_TRUE(SetFolderImmutable(mods.Path(), false));

    ExpectOnlyBox(Message::CopyFailed);
    EXPECT_EQ((std::vector<std::string>{"Existing.pak", "Old.mod"}), mods.Names());
    EXPECT_EQ(enabledBefore, Rows(EnabledList));
}

TEST_F(AddModTest, AFullDiskLeavesNoPartOfTheArchiveBehind)
{
    if (!CanMakeRootFaults())
        GTEST_SKIP() << "needs root to mount a small disk";
    TempFolder mountPoint;
    ASSERT_TRUE(MountSmallDisk(mountPoint.Path()));
    download.Write("Huge.pak", std::string(200000, 'h'));
    StartAppIn(mountPoint.Path());

    AddThrough(download.Path("Huge.pak"));
    ExpectOnlyBox(Message::CopyFailed);
    std::vector<std::string> left = mountPoint.Names();
    EXPECT_TRUE(left.empty()) << "left behind: " << left[0];
    EXPECT_TRUE(UnmountSmallDisk(mountPoint.Path()));
}

TEST_F(AddModTest, ADescriptionThatCannotBeCopiedIsReportedAfterTheModIsAdded)
{
    Start();
    HANDLE busy = CreateFileA(download.Path("Big.txt").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, busy);
    AddThrough(download.Path("Big.pak"));
    CloseHandle(busy);

    ExpectOnlyBox(Message::DescriptionNotCopied);
    EXPECT_EQ("new big archive", mods.Read("Big.pak"));
    EXPECT_FALSE(mods.Exists("Big.txt"));
    ExpectLists({"Big", "Existing"}, {"Old"});
}

}  // namespace
