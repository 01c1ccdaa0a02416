#include "layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// x, y, width and height at 96 DPI, in creation order.
const struct {
    const char* what;
    int x, y, width, height;
} kControls[] = {
    {"directory label", 10, 22, 400, 25},
    {"Change...", 416, 18, 65, 22},
    {"Mod Directory", 10, 8, 150, 14},
    {"enabled list", 10, 60, 200, 140},
    {"Disable", 220, 60, 60, 22},
    {"Enabled Mods", 10, 45, 150, 14},
    {"disabled list", 10, 210, 200, 140},
    {"Enable", 220, 210, 60, 22},
    {"Disabled Mods", 10, 195, 150, 14},
    {"information box", 300, 60, 180, 270},
    {"Rescan Mod Directory", 10, 340, 120, 22},
    {"Mod Information", 300, 45, 150, 14},
    {"Start Game", 300, 340, 180, 22},
    {"Add Mod", 140, 340, 70, 22},
};

const char kDesktopKey[] = "Control Panel\\Desktop";

}  // namespace

void ExpectLayout(HWND window, UINT dpi)
{
    HWND control = GetWindow(window, GW_CHILD);
    for (const auto& expected : kControls) {
        SCOPED_TRACE(std::string(expected.what) + " at " + std::to_string(dpi) + " DPI");
        ASSERT_NE((HWND)NULL, control) << "fewer than fourteen controls";
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(NULL, window, reinterpret_cast<POINT*>(&rect), 2);
        int left = MulDiv(expected.x, static_cast<int>(dpi), 96),
            top = MulDiv(expected.y, static_cast<int>(dpi), 96);
        int width = MulDiv(expected.width, static_cast<int>(dpi), 96);
        int height = MulDiv(expected.height, static_cast<int>(dpi), 96);
        EXPECT_NEAR(left, rect.left, 1);
        EXPECT_NEAR(top, rect.top, 1);
        EXPECT_NEAR(width, rect.right - rect.left, 1);
        char className[16] = "";
        GetClassNameA(control, className, sizeof className);
        if (lstrcmpiA(className, "ListBox") == 0) {
            // Without LBS_NOINTEGRALHEIGHT a list box shows whole rows only.
            int row = static_cast<int>(SendMessageA(control, LB_GETITEMHEIGHT, 0, 0));
            EXPECT_LE(rect.bottom - rect.top, height + 1);
            EXPECT_GT(rect.bottom - rect.top, height - row - 1);
        } else {
            EXPECT_NEAR(height, rect.bottom - rect.top, 1);
        }
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ((HWND)NULL, control) << "more than fourteen controls";
}

DisplayScale::DisplayScale(DWORD dpi)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    DWORD size = sizeof old_;
    hadOld_ =
        RegQueryValueExA(key, "LogPixels", NULL, NULL, reinterpret_cast<BYTE*>(&old_), &size) == ERROR_SUCCESS;
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
}

DisplayScale::~DisplayScale()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    if (hadOld_)
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
    else
        RegDeleteValueA(key, "LogPixels");
    RegCloseKey(key);
}
