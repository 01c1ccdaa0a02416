// The test support cleans up after itself, so that no test sees what an
// earlier one, or an earlier run, left behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "temp_folder.h"

namespace {

TEST(SupportTest, TheDriveRootCleanupEmptiesTheDriveAndKeepsIt)
{
    {
        DriveRoot drive;
        ASSERT_TRUE(drive.Available()) << "drive Q: is not mapped (scripts/test maps it)";
        ASSERT_TRUE(WriteFileBytes(drive.Path("Root.pak"), "x"));
        ASSERT_TRUE(CreateDirectoryA(drive.Path("sub").c_str(), NULL));
        ASSERT_TRUE(WriteFileBytes(drive.Path("sub\\Inner.txt"), "x"));
    }
    EXPECT_TRUE(DriveRoot().Available()) << "the cleanup removed the drive";
    EXPECT_EQ(std::vector<std::string>{}, FolderNames("Q:\\"));
}

TEST(SupportTest, ATempFolderIsRemovedWithPathsBeyondTheLengthLimit)
{
    std::string path;
    {
        TempFolder folder;
        path = folder.Path();
        std::wstring deep = L"\\\\?\\" + std::wstring(path.begin(), path.end()) + L"\\" + std::wstring(150, L'd');
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), NULL));
        std::wstring file = deep + L"\\" + std::wstring(150, L'f') + L".pak";
        HANDLE created = CreateFileW(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, created);
        CloseHandle(created);
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str())) << path << " is still there";
}

TEST(SupportTest, ATempFolderNeverReusesAFolderLeftFromAnEarlierRun)
{
    std::string leftover;
    {
        TempFolder probe;
        leftover = probe.Path();
    }
    // The next folder of this process would take the following number.
    std::string next = leftover.substr(0, leftover.find_last_of('-') + 1) +
                       std::to_string(std::stoul(leftover.substr(leftover.find_last_of('-') + 1)) + 1);
    ASSERT_TRUE(CreateDirectoryA(next.c_str(), NULL));
    ASSERT_TRUE(WriteFileBytes(next + "\\Stale.pak", "left over"));
    {
        TempFolder folder;
        EXPECT_NE(next, folder.Path());
        EXPECT_EQ(std::vector<std::string>{}, folder.Names());
    }
    EXPECT_EQ("left over", ReadFileBytes(next + "\\Stale.pak"));
    RemoveTree(next);
}

}  // namespace
