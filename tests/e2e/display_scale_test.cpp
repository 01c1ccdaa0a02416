// The built program started at 144 DPI (150 %), as on most laptops, and at 192
// (200 %): the window and every control are scaled, and the font with them; the
// list boxes show whole rows, and a window larger than the screen keeps its
// title bar on it.
#include <gtest/gtest.h>

#include <algorithm>

#include "layout.h"
#include "registry.h"
#include "running_app.h"
#include "settings/mod_directory.h"
#include "shared/window_state.h"

namespace {

TEST(DisplayScaleTest, TheWindowAndEveryControlAreScaledAndTheRowsFollowTheFont)
{
    TempFolder mods;
    mods.Write("A Mod.pak");
    SettingsRestorer keep;
    StoreSettingsValue(kSettingsValue, REG_SZ, mods.Path());

    const struct {
        DWORD dpi;
        int width, height;
    } cases[] = {{96, 500, 405}, {144, 750, 608}, {192, 1000, 810}};
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
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
        int left = GetSystemMetrics(SM_CXSCREEN) / 2 - c.width / 2;
        int top = GetSystemMetrics(SM_CYSCREEN) / 2 - c.height / 2;
        EXPECT_NEAR(std::max(left, static_cast<int>(work.left)), window.left, 1) << "not centred";
        EXPECT_NEAR(std::max(top, static_cast<int>(work.top)), window.top, 1)
            << "not centred, or above the screen";
        ExpectLayout(app.Window(), c.dpi);
        for (int list : {IDC_ENABLED_LIST, IDC_DISABLED_LIST}) {
            RECT client;
            GetClientRect(app.Control(list), &client);
            LRESULT rowHeight = SendMessageA(app.Control(list), LB_GETITEMHEIGHT, 0, 0);
            EXPECT_EQ(0, client.bottom % rowHeight) << "a row cut: " << client.bottom << " / " << rowHeight;
        }

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
