// Faults and bad input a player's folder can hold: each case ends in a clear
// message or a correct result, with no file lost or changed by accident.
#include "app_test.h"

#include <algorithm>
#include <cstdlib>

#include "shared/window_state.h"
#include "settings/mod_directory.h"
#include "unix_tools.h"

namespace {

class ReliabilityTest : public AppTest {
protected:
    TempFolder folder;
};

TEST_F(ReliabilityTest, AReadOnlyModFolderRefusesRenamesWithAWarning)
{
    if (!CanMakeRootFaults())
        GTEST_SKIP() << "needs root to make a folder immutable";
    folder.Write("On.pak", "on");
    folder.Write("Off.mod", "off");
    StartAppIn(folder.Path());
    ASSERT_TRUE(SetFolderImmutable(folder.Path(), true));
    SelectRow(EnabledList, 0);
    Click(IDC_DISABLE);
    SelectRow(DisabledList, 0);
    Click(IDC_ENABLE);
    ASSERT_TRUE(SetFolderImmutable(folder.Path(), false));

    EXPECT_EQ((std::vector<std::string>{Text(Message::ModNotEnabled), Text(Message::ModNotDisabled)}),
              BoxTexts(dialogs));
    EXPECT_EQ((std::vector<std::string>{"Off.mod", "On.pak"}), folder.Names());
    EXPECT_EQ("on", folder.Read("On.pak"));
    EXPECT_EQ(std::vector<std::string>{"On"}, Rows(EnabledList));
    EXPECT_EQ(std::vector<std::string>{"Off"}, Rows(DisabledList));
}

TEST_F(ReliabilityTest, AnArchiveAddedOutsideAppearsOnRescan)
{
    folder.Write("First.pak");
    StartAppIn(folder.Path());
    folder.Write("Outside.pak", "dropped in by hand");
    SelectRow(EnabledList, 0);
    Click(IDC_DISABLE);
    EXPECT_EQ(std::vector<std::string>{}, Rows(EnabledList));
    EXPECT_TRUE(folder.Exists("First.mod"));

    Click(IDC_RESCAN);
    EXPECT_EQ(std::vector<std::string>{"Outside"}, Rows(EnabledList));
    EXPECT_EQ(std::vector<std::string>{"First"}, Rows(DisabledList));
    EXPECT_EQ("dropped in by hand", folder.Read("Outside.pak"));
    EXPECT_TRUE(dialogs.Seen().empty());
}

TEST_F(ReliabilityTest, NamesWithSpacesAndAccentsMoveLikeAnyOther)
{
    const std::string names[] = {"Big Mod v2", "Ärger über été", "  leading spaces", "x.y"};
    for (const std::string& name : names) {
        folder.Write(name + ".pak", name);
        folder.Write(name + ".txt", "about " + name);
    }
    StartAppIn(folder.Path());
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        int row = RowOf(EnabledList, name);
        ASSERT_NE(-1, row) << "not listed";
        SelectRow(EnabledList, row);
        EXPECT_EQ("about " + name, TextOf(InformationBox));
        Click(IDC_DISABLE);
        EXPECT_EQ(name, folder.Read(name + ".mod"));
        EXPECT_FALSE(folder.Exists(name + ".pak"));
        SelectRow(DisabledList, RowOf(DisabledList, name));
        Click(IDC_ENABLE);
        EXPECT_EQ(name, folder.Read(name + ".pak"));
    }
    EXPECT_TRUE(dialogs.Seen().empty());
    ExpectListsMirrored();
}

// Creates a file whatever the length of its path.
bool CreateLongFile(const std::string& path)
{
    std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written;
    WriteFile(file, "x", 1, &written, NULL);
    CloseHandle(file);
    return true;
}

bool LongFileExists(const std::string& path)
{
    std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
    return GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST_F(ReliabilityTest, PathsAtTheLengthLimitAreRenamedOrRefusedWithAWarning)
{
    // A deep folder, so that no single name is longer than a file system allows.
    std::string modFolder = folder.Path(std::string(120, 'd'));
    ASSERT_TRUE(CreateDirectoryA(modFolder.c_str(), NULL));
    const size_t lengths[] = {259, 260, 261, 300};
    std::vector<std::string> stems;
    for (size_t length : lengths) {
        std::string stem = std::to_string(length) + std::string(length - modFolder.size() - 1 - 4 - 3, 'n');
        std::string archive = modFolder + "\\" + stem + ".pak";
        ASSERT_EQ(length, archive.size());
        ASSERT_TRUE(CreateLongFile(archive)) << length;
        stems.push_back(stem);
    }
    StartAppIn(modFolder);
    ASSERT_EQ(4u, EnabledMods.size()) << "every archive is listed, whatever its path's length";

    for (size_t i = 0; i < stems.size(); ++i) {
        SCOPED_TRACE("path of " + std::to_string(lengths[i]) + " characters");
        dialogs.Forget();
        SelectRow(EnabledList, RowOf(EnabledList, stems[i]));
        Click(IDC_DISABLE);
        bool renamed = LongFileExists(modFolder + "\\" + stems[i] + ".mod");
        EXPECT_NE(renamed, LongFileExists(modFolder + "\\" + stems[i] + ".pak"))
            << "the archive was lost or doubled";
        if (renamed) {
            EXPECT_TRUE(dialogs.Seen().empty());
            EXPECT_NE(-1, RowOf(DisabledList, stems[i]));
        } else {
            EXPECT_EQ(std::vector<std::string>{Text(Message::ModNotEnabled)}, BoxTexts(dialogs));
            EXPECT_NE(-1, RowOf(EnabledList, stems[i]));
        }
        if (lengths[i] == 259) {
            EXPECT_TRUE(renamed) << "a path within the limit must be renamed";
        }
        if (lengths[i] > 260) {
            EXPECT_FALSE(renamed);
        }
    }
    ExpectListsMirrored();
}

TEST_F(ReliabilityTest, ATenMegabyteDescriptionIsShownWhole)
{
    std::string text;
    for (int line = 0; text.size() < (10u << 20); ++line)
        text += "Line " + std::to_string(line) + " of a very long description.\n";
    folder.Write("Huge.pak");
    folder.Write("Huge.txt", text);
    StartAppIn(folder.Path());
    SelectRow(EnabledList, 0);
    size_t lines = std::count(text.begin(), text.end(), '\n');
    EXPECT_EQ(text.size() + lines, static_cast<size_t>(GetWindowTextLengthA(InformationBox)));
    std::string shown = TextOf(InformationBox);
    EXPECT_EQ("Line 0 of a very long description.\r\nLine 1 of", shown.substr(0, 45));
    EXPECT_EQ("description.\r\n", shown.substr(shown.size() - 14));
}

TEST_F(ReliabilityTest, AModFolderRemovedWhileRunningIsReportedByEveryCommand)
{
    TempFolder game;
    game.MakeFolder("data");
    game.MakeFolder("bin");
    game.Write("data\\On.pak");
    game.Write("data\\Off.mod");
    ASSERT_TRUE(
        CopyFileA((TestProgramFolder() + "H5_Game.exe").c_str(), game.Path("bin\\H5_Game.exe").c_str(), FALSE));
    StartAppIn(game.Path("data"));
    RemoveTree(game.Path());

    SelectRow(EnabledList, 0);
    Click(IDC_DISABLE);
    SelectRow(DisabledList, 0);
    Click(IDC_ENABLE);
    Click(IDC_START_GAME);
    Click(IDC_RESCAN);

    EXPECT_EQ((std::vector<std::string>{Text(Message::ModNotEnabled), Text(Message::ModNotDisabled),
                                        Text(Message::GameNotStarted), Text(Message::DirectoryMissing)}),
              BoxTexts(dialogs));
    EXPECT_EQ(std::vector<std::string>{"On"}, Rows(EnabledList));
    EXPECT_EQ(std::vector<std::string>{"Off"}, Rows(DisabledList));
    ExpectListsMirrored();
}

TEST_F(ReliabilityTest, AFolderOfTenThousandArchives)
{
    const char* bigFolder = std::getenv("QMM_BIG_FOLDER");  // made natively by ctest
    if (!bigFolder)
        GTEST_SKIP() << "QMM_BIG_FOLDER is not set (ctest makes the folder)";
    std::string path = std::string("Z:") + bigFolder;
    std::replace(path.begin(), path.end(), '/', '\\');
    StartAppIn(path);

    EXPECT_EQ(5000u, EnabledMods.size());
    EXPECT_EQ(5000u, DisabledMods.size());
    size_t described = std::count_if(EnabledMods.begin(), EnabledMods.end(),
                                     [](const ModEntry& mod) { return !mod.infoPath.empty(); });
    EXPECT_EQ(2500u, described);
    ExpectListsMirrored();

    int row = 4999;
    while (row > 0 && EnabledMods[row].infoPath.empty())
        --row;
    SelectRow(EnabledList, row);
    std::string last = EnabledMods[row].fileName;
    EXPECT_EQ("A description.\r\nSecond line.\r\n", TextOf(InformationBox));
    Click(IDC_DISABLE);
    SelectRow(DisabledList, 5000);
    Click(IDC_ENABLE);
    EXPECT_EQ(last, EnabledMods.back().fileName);
    EXPECT_TRUE(PathExists(path + "\\" + last));
    Click(IDC_RESCAN);
    EXPECT_EQ(5000u, EnabledMods.size());
    ExpectListsMirrored();
    EXPECT_TRUE(dialogs.Seen().empty());
}

}  // namespace
