// The built program as a separate process: starts, shows its window, ends with
// exit code 0 when closed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "version.h"

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

TEST(Program, CarriesItsNameAndTheVersionSetInTheBuild)
{
    std::string exe = TestProgramFolder() + "QuillmoorModManager.exe";
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), NULL);
    ASSERT_NE(0u, size) << "no version resource";
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = NULL;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(QMM_VERSION_MINOR, QMM_VERSION_MAJOR)), fixed->dwFileVersionMS);
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(0, QMM_VERSION_PATCH)), fixed->dwFileVersionLS);

    char* text = NULL;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904B0\\ProductName", reinterpret_cast<void**>(&text),
                               &length));
    EXPECT_STREQ("Quillmoor Mod Manager", text);
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904B0\\ProductVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(QMM_VERSION_STRING, text);
}

TEST(Program, ThePackagedProgramStartsAndCloses)
{
    const char* packaged = std::getenv("QMM_PACKAGED_EXE");  // set by scripts/test after unpacking the zip
    if (!packaged)
        GTEST_SKIP() << "QMM_PACKAGED_EXE is not set";
    std::string exe = std::string("Z:") + packaged;
    std::replace(exe.begin(), exe.end(), '/', '\\');
    TempFolder folder;
    DeleteSettingsKey();
    StoreSettingsValue(kSettingsValue, REG_SZ, folder.Path());

    RunningApp app;
    ASSERT_TRUE(app.Start(exe)) << exe;
    ASSERT_NE((HWND)NULL, app.WaitForWindow());
    PostMessageA(app.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, app.WaitForExit());
    DeleteSettingsKey();
}

}  // namespace
