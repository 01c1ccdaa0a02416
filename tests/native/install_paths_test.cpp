#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "finder/install_paths.h"

namespace {

typedef std::optional<std::string> Path;

TEST(InstallPaths, LinuxPathsAreReachedThroughDriveZ)
{
    const struct {
        const char* linuxPath;
        Path expected;
    } cases[] = {
        {"/mnt/games/SteamLibrary", "Z:\\mnt\\games\\SteamLibrary"},
        {"/home/u//.local/share/Steam/", "Z:\\home\\u\\.local\\share\\Steam"},
        {"/", "Z:\\"},
        {"mnt/games", std::nullopt},
        {"", std::nullopt},
        {"/mnt/a\\..\\b", std::nullopt},  // one Linux name, not three Windows ones
        {"D:\\Games", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, WinePathOf(c.linuxPath)) << '"' << c.linuxPath << '"';
    EXPECT_EQ(Path("Z:\\home\\player"), WineHomeFolder("\\??\\Z:\\home\\player"));
    EXPECT_EQ(std::nullopt, WineHomeFolder("\\??\\unix\\home\\player"));
}

TEST(InstallPaths, TheModFolderIsTheDataFolderInOneFormWhenItFits)
{
    std::string folder254 = "D:\\" + std::string(251, 'g');
    const struct {
        std::string game;
        Path expected;
    } cases[] = {
        {"d:/games/game", "d:\\games\\game\\data"},  // as Steam writes its own folder
        {"D:\\Games\\Game\\\\", "D:\\Games\\Game\\data"},
        {"E:\\", "E:\\data"},
        {"E:/", "E:\\data"},
        {folder254, folder254 + "\\data"},  // 259 bytes
        {folder254 + "g", std::nullopt},
        {"", std::nullopt},
        {"Games\\Game", std::nullopt},    // relative: wherever the current folder is
        {"\\Games\\Game", std::nullopt},  // on whichever drive the current folder is
        {"D:Game", std::nullopt},
        {"\\\\server\\share\\Game", "\\\\server\\share\\Game\\data"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ModFolderOf(c.game)) << '"' << c.game << '"';
}

}  // namespace
