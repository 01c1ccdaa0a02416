// Starting the game: the stand-in game records how it was started.
#include "app_test.h"

#include "shared/window_state.h"
#include "settings/mod_directory.h"

namespace {

// A game folder with data\ and bin\H5_Game.exe (the stand-in).
class StartGameTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        root.MakeFolder("data");
        root.MakeFolder("bin");
    }
    bool InstallGame(const std::string& bin)
    {
        return CopyFileA((TestProgramFolder() + "H5_Game.exe").c_str(), (bin + "\\H5_Game.exe").c_str(), FALSE);
    }
    // The lines the stand-in wrote, once there are `count` of them (10 s at most).
    std::vector<std::string> Launches(const std::string& bin, size_t count)
    {
        std::vector<std::string> lines;
        WaitUntil([&] {
            lines.clear();
            std::string log = ReadFileBytes(bin + "\\launches.txt");
            for (size_t start = 0, end; (end = log.find('\n', start)) != std::string::npos; start = end + 1)
                lines.push_back(log.substr(start, end - start));
            return lines.size() >= count;
        });
        return lines;
    }
    TempFolder root;
};

TEST_F(StartGameTest, StartsTheGameInItsBinFolderOncePerClick)
{
    ASSERT_TRUE(InstallGame(root.Path("bin")));
    StartAppIn(root.Path("data"));
    SetCurrentDirectoryA(root.Path("data").c_str());  // where a dialog may have left it

    Click(IDC_START_GAME);
    Click(IDC_START_GAME);

    std::vector<std::string> launches = Launches(root.Path("bin"), 2);
    ASSERT_EQ(2u, launches.size());
    for (const std::string& launch : launches)
        EXPECT_EQ(root.Path("bin") + "|", launch) << "working directory|arguments";
    EXPECT_TRUE(dialogs.Seen().empty());
    SetCurrentDirectoryA(TestProgramFolder().c_str());
}

TEST_F(StartGameTest, AMissingGameIsReportedOnceAndChangesNothing)
{
    root.Write("data\\A.pak");
    StartAppIn(root.Path("data"));
    SelectRow(EnabledList, 0);

    Click(IDC_START_GAME);

    ExpectBoxes(dialogs, {Box(Message::GameNotStarted, MainWindow)});
    EXPECT_EQ(root.Path("data"), ModDirectory);
    EXPECT_EQ(std::vector<std::string>{"A"}, Rows(EnabledList));
    EXPECT_EQ(0, Selection(EnabledList));
    EXPECT_TRUE(IsEnabled(DisableButton));
}

TEST_F(StartGameTest, ADriveRootStartsTheGameInItsBinFolder)
{
    DriveRoot drive;
    if (!drive.Available())
        GTEST_SKIP() << "drive Q: is not mapped (ctest maps it)";
    CreateDirectoryA(drive.Path("bin").c_str(), NULL);
    ASSERT_TRUE(InstallGame(drive.Path("bin")));
    StartAppIn(drive.Root());

    Click(IDC_START_GAME);

    std::vector<std::string> launches = Launches(drive.Path("bin"), 1);
    ASSERT_EQ(1u, launches.size());
    EXPECT_EQ("Q:\\bin|", launches[0]);
}

TEST_F(StartGameTest, ARelativeDirectoryStartsNothingAndWarns)
{
    ASSERT_TRUE(InstallGame(root.Path("bin")));
    SetCurrentDirectoryA(root.Path().c_str());
    StartAppIn("data");  // a stored relative path: it exists from here
    ASSERT_STREQ("data", ModDirectory);

    Click(IDC_START_GAME);

    ExpectBoxes(dialogs, {Box(Message::GameNotStarted, MainWindow)});
    EXPECT_FALSE(root.Exists("bin\\launches.txt"));
    SetCurrentDirectoryA(TestProgramFolder().c_str());
}

}  // namespace
