#include <gtest/gtest.h>

#include "launcher/game_path.h"

TEST(GameLaunchFor, StartsTheGameInTheBinFolderBesideTheDataFolder)
{
    const struct {
        const char* modDirectory;
        const char* executable;
        const char* folder;
    } cases[] = {
        {"D:\\Play\\data", "D:\\Play\\bin\\H5_Game.exe", "D:\\Play\\bin"},
        {"E:\\", "E:\\bin\\H5_Game.exe", "E:\\bin"},                          // drive root
        {"D:\\Play\\data\\", "D:\\Play\\bin\\H5_Game.exe", "D:\\Play\\bin"},  // trailing backslash
        {"\\\\server\\share\\data", "\\\\server\\share\\bin\\H5_Game.exe", "\\\\server\\share\\bin"},
    };
    for (const auto& c : cases) {
        std::optional<GameLaunch> game = GameLaunchFor(c.modDirectory);
        ASSERT_TRUE(game.has_value()) << c.modDirectory;
        EXPECT_EQ(c.executable, game->executable) << c.modDirectory;
        EXPECT_EQ(c.folder, game->folder) << c.modDirectory;
    }
}

TEST(GameLaunchFor, APathWithoutBackslashHasNoGame)
{
    for (const char* modDirectory : {"data", "", "D:data", "mods/data", "data\\"})
        EXPECT_FALSE(GameLaunchFor(modDirectory).has_value()) << '"' << modDirectory << '"';
}
