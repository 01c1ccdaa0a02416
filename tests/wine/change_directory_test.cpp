// Changing the mod folder through the real folder browser.
#include "app_test.h"

#include <shlobj.h>

#include "shared/window_state.h"
#include "settings/mod_directory.h"

namespace {

class ChangeDirectoryTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        first.Write("First.pak");
        first.Write("First.txt", "about First");
        second.Write("Second.pak");
        second.Write("Gone.mod");
        StartAppIn(first.Path());
        SelectRow(EnabledList, 0);
        DeleteSettingsKey();  // so that a write shows
    }
    void ChangeTo(const std::string& folder)
    {
        dialogs.ChooseFolder(folder);
        Click(IDC_CHANGE);
        EXPECT_EQ(0u, dialogs.PendingActions()) << "the folder browser did not appear";
    }
    void ExpectNothingChanged()
    {
        EXPECT_EQ(first.Path(), ModDirectory);
        EXPECT_EQ(first.Path(), TextOf(DirectoryLabel));
        EXPECT_FALSE(SettingsKeyExists()) << "the registry was written";
        EXPECT_EQ(std::vector<std::string>{"First"}, Rows(EnabledList));
        EXPECT_EQ(0, Selection(EnabledList));
    }
    TempFolder first;
    TempFolder second;
};

TEST_F(ChangeDirectoryTest, AChosenFolderIsSavedShownAndScanned)
{
    ChangeTo(second.Path());

    ASSERT_FALSE(dialogs.Seen().empty());
    EXPECT_EQ(DialogKind::FolderBrowser, dialogs.Seen()[0].kind);
    EXPECT_EQ(MainWindow, dialogs.Seen()[0].owner);
    EXPECT_TRUE(dialogs.MessageBoxes().empty()) << Describe(dialogs.MessageBoxes()[0]);
    EXPECT_EQ(second.Path(), ModDirectory);
    EXPECT_EQ(second.Path(), StoredDirectory().value_or("<none>").c_str());
    EXPECT_EQ(second.Path(), TextOf(DirectoryLabel));
    EXPECT_EQ(std::vector<std::string>{"Second"}, Rows(EnabledList));
    EXPECT_EQ(std::vector<std::string>{"Gone"}, Rows(DisabledList));
    EXPECT_TRUE(IsEnabled(DisableButton)) << "the buttons are left as they were";
    EXPECT_EQ("about First", TextOf(InformationBox)) << "the information box is left as it was";
    ExpectListsMirrored();
}

TEST_F(ChangeDirectoryTest, TheFolderAlreadySetIsSavedAndScannedAgain)
{
    first.Write("New.mod");
    ChangeTo(first.Path());
    EXPECT_EQ(first.Path(), StoredDirectory().value_or("<none>").c_str());
    ExpectLists({"First"}, {"New"});
}

TEST_F(ChangeDirectoryTest, CancellingChangesNothing)
{
    dialogs.CancelFolder();
    Click(IDC_CHANGE);
    EXPECT_EQ(0u, dialogs.PendingActions());
    EXPECT_TRUE(dialogs.MessageBoxes().empty());
    ExpectNothingChanged();
}

TEST_F(ChangeDirectoryTest, AFolderWithoutAFileSystemPathIsRefused)
{
    PIDLIST_ABSOLUTE computer = NULL;
    ASSERT_EQ(S_OK, SHGetSpecialFolderLocation(NULL, CSIDL_DRIVES, &computer));
    dialogs.ChooseFolderItem(computer);
    Click(IDC_CHANGE);
    CoTaskMemFree(computer);

    ExpectBoxes(dialogs, {Box(Message::DirectoryMissing, MainWindow)});
    ExpectNothingChanged();
}

TEST_F(ChangeDirectoryTest, ADriveRootKeepsItsBackslash)
{
    DriveRoot drive;
    if (!drive.Available())
        GTEST_SKIP() << "drive Q: is not mapped (ctest maps it)";
    WriteFileBytes(drive.Path("Root.pak"), "");
    ChangeTo(drive.Root());
    EXPECT_STREQ("Q:\\", ModDirectory);
    EXPECT_EQ(std::string("Q:\\"), StoredDirectory().value_or("<none>").c_str());
    ASSERT_EQ(1u, EnabledMods.size());
    EXPECT_EQ("Q:\\\\Root.pak", EnabledMods[0].path);
}

TEST_F(ChangeDirectoryTest, ALongPathIsShortenedInTheLabel)
{
    std::string deep = second.Path(std::string(60, 'n'));
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), NULL));
    ASSERT_GT(deep.size(), 70u);
    ChangeTo(deep);
    EXPECT_EQ(deep, ModDirectory);
    EXPECT_EQ(deep.substr(0, 70) + "...", TextOf(DirectoryLabel));
}

}  // namespace
