// The built program as a separate process: starts, shows its window, ends with
// exit code 0 when closed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "version.h"

#include "game_installs.h"
#include "registry.h"
#include "running_app.h"
#include "settings/mod_directory.h"
#include "shared/messages.h"
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
    EXPECT_EQ(folder.Path(), TextOf(directoryLabel));

    PostMessageA(app.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, app.WaitForExit());
    DeleteSettingsKey();
}

TEST(Program, AMissingDirectoryIsReportedBeforeTheWindowOpens)
{
    IsolatedHome home;  // no game of the machine's user is found instead
    DeleteSettingsKey();
    RunningApp app;
    ASSERT_TRUE(app.Start());

    HWND box = app.WaitForDialog(MessageFor(Message::DirectoryMissing).caption);
    ASSERT_NE((HWND)NULL, box) << "no directory error within 10 s";
    EXPECT_EQ(std::string(MessageFor(Message::DirectoryMissing).text), BoxText(box));
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
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904B0\\ProductName",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ("Quillmoor Mod Manager", text);
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904B0\\ProductVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(QMM_VERSION_STRING, text);
}

#pragma pack(push, 2)
struct IconGroupEntry {  // one image of an icon group resource
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(Program, CarriesTwelveIconImagesAndItsManifest)
{
    HMODULE program =
        LoadLibraryExA((TestProgramFolder() + "QuillmoorModManager.exe").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE((HMODULE)NULL, program);

    HRSRC group = FindResourceA(program, MAKEINTRESOURCEA(102), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE((HRSRC)NULL, group) << "no icon group 102";
    const WORD* header = static_cast<const WORD*>(LockResource(LoadResource(program, group)));
    ASSERT_EQ(12, header[2]);
    const IconGroupEntry* images = reinterpret_cast<const IconGroupEntry*>(header + 3);
    std::vector<std::string> found;
    for (int i = 0; i < 12; ++i)
        found.push_back(std::to_string(images[i].width) + "x" + std::to_string(images[i].bitCount));
    std::sort(found.begin(), found.end());
    std::vector<std::string> expected = {"16x32", "16x4", "16x8", "32x24", "32x4", "32x8",
                                         "48x32", "48x4", "48x8", "64x32", "64x4", "64x8"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, found) << "size x bits per pixel";

    HRSRC manifestResource = FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE((HRSRC)NULL, manifestResource) << "no manifest";
    std::string manifest(static_cast<const char*>(LockResource(LoadResource(program, manifestResource))),
                         SizeofResource(program, manifestResource));
    for (const char* part :
         {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" processorArchitecture=\"amd64\"",
          "processorArchitecture=\"amd64\" name=\"RozUrovere.QuillmoorModManager\"",
          "<requestedExecutionLevel level=\"asInvoker\""})
        EXPECT_NE(std::string::npos, manifest.find(part)) << "the manifest lacks " << part;
    FreeLibrary(program);
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
