// The built program as a separate process: starts, shows its window, ends with
// exit code 0 when closed.
#include <gtest/gtest.h>

#include "registry.h"
#include "running_app.h"
#include "settings/mod_directory.h"
#include "temp_folder.h"

namespace {

TEST(Program, StartsAndEndsWithExitCodeZeroWhenClosed)
{
    TempFolder folder;
    DeleteSettingsKey();
    StoreSettingsValue(kSettingsValue, REG_SZ, folder.Path());

    RunningApp app;
    ASSERT_TRUE(app.Start());
    ASSERT_NE((HWND)NULL, app.WaitForWindow()) << "no main window within 10 s";
    HWND directoryLabel = GetWindow(app.Window(), GW_CHILD);
    EXPECT_EQ(folder.Path(), RemoteText(directoryLabel));

    PostMessageA(app.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, app.WaitForExit());
    DeleteSettingsKey();
}

TEST(Program, AMissingDirectoryIsReportedBeforeTheWindowOpens)
{
    DeleteSettingsKey();
    RunningApp app;
    ASSERT_TRUE(app.Start());

    HWND box = app.WaitForDialog("Error");
    ASSERT_NE((HWND)NULL, box) << "no directory error within 10 s";
    EXPECT_EQ("Specified directory does not exist.", RemoteBoxText(box));
    EXPECT_EQ((HWND)NULL, GetWindow(box, GW_OWNER));
    PostMessageA(box, WM_COMMAND, IDOK, 0);

    ASSERT_NE((HWND)NULL, app.WaitForWindow()) << "the window did not open after the error";
    PostMessageA(app.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, app.WaitForExit());
}

}  // namespace
