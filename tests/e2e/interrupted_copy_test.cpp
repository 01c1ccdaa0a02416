// The program ended in the middle of adding a large archive, as by a crash, the
// task manager or a power cut: the game's folder never holds part of the
// archive under a name the game loads, and the next start lists none of it.
#include <gtest/gtest.h>

#include <algorithm>

#include "registry.h"
#include "running_app.h"
#include "settings/mod_directory.h"
#include "shared/window_state.h"

namespace {

TEST(InterruptedCopyTest, AProgramEndedMidCopyLeavesNoPartOfTheArchiveUnderItsName)
{
    const unsigned long long size = 4ull << 30;
    TempFolder mods, download;
    mods.Write("Existing.pak", "existing");
    ASSERT_TRUE(MakeLargeFile(download.Path("Huge.pak"), size));
    SettingsRestorer keep;
    StoreSettingsValue(kSettingsValue, REG_SZ, mods.Path());

    {
        RunningApp app;
        ASSERT_TRUE(app.Start());
        ASSERT_NE((HWND)NULL, app.WaitForWindow());
        PostMessageA(app.Window(), WM_COMMAND, MAKEWPARAM(IDC_ADD_MOD, BN_CLICKED), 0);
        ASSERT_TRUE(app.ChooseInOpenDialog(download.Path("Huge.pak"))) << "no open-file dialog";
        ASSERT_TRUE(WaitUntil([&] { return FileSize(mods.Path("Huge.pa~")) > (64u << 20); }))
            << "the copy did not start";
        app.Kill();
    }

    std::vector<std::string> names = mods.Names();
    if (std::find(names.begin(), names.end(), "Huge.pak") != names.end()) {
        EXPECT_EQ(size, FileSize(mods.Path("Huge.pak"))) << "part of the archive under its own name";
    }
    RunningApp next;
    ASSERT_TRUE(next.Start());
    ASSERT_NE((HWND)NULL, next.WaitForWindow());
    EXPECT_EQ(std::vector<std::string>{"Existing"}, Rows(next.Control(IDC_ENABLED_LIST)));
    EXPECT_EQ(std::vector<std::string>{}, Rows(next.Control(IDC_DISABLED_LIST)));
    PostMessageA(next.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, next.WaitForExit());
}

}  // namespace
