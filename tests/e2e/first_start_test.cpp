// The built program on its first start, with the game in a second Steam
// library and nothing stored: it shows that game's data folder, and stores nothing.
#include <gtest/gtest.h>

#include "game_installs.h"
#include "registry.h"
#include "running_app.h"
#include "shared/window_state.h"

namespace {

TEST(FirstStart, ShowsTheGameInASecondSteamLibraryAndStoresNothing)
{
    IsolatedHome home;
    GameInstalls installs;
    std::string steam = installs.Folder(), library = installs.Folder();
    installs.Record(HKEY_CURRENT_USER, "Software\\Valve\\Steam").Set("SteamPath", steam);
    installs.LibraryList(steam, "steamapps", {steam, library});
    std::string data = MakeGame(library + "\\steamapps\\common\\Game", {"MyMod.pak"});
    DeleteSettingsKey();

    RunningApp app;
    ASSERT_TRUE(app.Start());
    ASSERT_NE((HWND)NULL, app.WaitForWindow()) << "no main window within 10 s";
    EXPECT_EQ(data, TextOf(GetWindow(app.Window(), GW_CHILD)));
    EXPECT_EQ(std::vector<std::string>{"MyMod"}, Rows(app.Control(IDC_ENABLED_LIST)));
    PostMessageA(app.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, app.WaitForExit());
    EXPECT_EQ(std::nullopt, StoredDirectory());
}

}  // namespace
