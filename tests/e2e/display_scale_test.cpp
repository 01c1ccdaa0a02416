// The built program started at 144 DPI (150 %), as on most laptops: the window
// and every control are scaled, and the font with them.
#include <gtest/gtest.h>

#include "layout.h"
#include "registry.h"
#include "running_app.h"
#include "settings/mod_directory.h"
#include "shared/window_state.h"

namespace {

TEST(DisplayScaleTest, At144DpiTheWindowAndEveryControlAreScaledAndTheRowsFollowTheFont)
{
    TempFolder mods;
    mods.Write("A Mod.pak");
    SettingsRestorer keep;
    StoreSettingsValue(kSettingsValue, REG_SZ, mods.Path());

    const struct {
        DWORD dpi;
        int width, height;
    } cases[] = {{96, 500, 405}, {144, 750, 608}};
    int rowAt96 = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dpi) + " DPI");
        DisplayScale scale(c.dpi);
        RunningApp app;
        ASSERT_TRUE(app.Start());
        ASSERT_NE((HWND)NULL, app.WaitForWindow());

        RECT window;
        GetWindowRect(app.Window(), &window);
        EXPECT_NEAR(c.width, window.right - window.left, 1);
        EXPECT_NEAR(c.height, window.bottom - window.top, 1);
        EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2 - c.width / 2, window.left, 1) << "not centred";
        EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2 - c.height / 2, window.top, 1) << "not centred";
        ExpectLayout(app.Window(), c.dpi);

        int row = static_cast<int>(SendMessageA(app.Control(IDC_ENABLED_LIST), LB_GETITEMHEIGHT, 0, 0));
        if (c.dpi == 96)
            rowAt96 = row;
        else
            EXPECT_GE(row, MulDiv(rowAt96, static_cast<int>(c.dpi), 96) - 1)
                << "the rows did not grow with the font";
        PostMessageA(app.Window(), WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, app.WaitForExit());
    }
}

}  // namespace
