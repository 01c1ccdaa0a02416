#include "folder_access.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "access/folder_access.h"
#include "app/main_window.h"
#include "measure.h"
#include "registry.h"
#include "settings/mod_directory.h"
#include "shared/window_state.h"
#include "temp_folder.h"

namespace {

const double kTarget = 1.05;
const int kStartRounds = 31;  // the test is a few milliseconds of a start's hundreds

// The main window created as the program creates it, the messages its start
// posts handled (or all but the write test's), then closed again.
void StartAndClose(bool withTest)
{
    std::strcpy(ModDirectory, kDefaultModDirectory);
    EnabledMods.clear();
    DisabledMods.clear();
    HWND window = CreateMainWindow(GetModuleHandleA(NULL));
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        if (message.message == WM_APP_CHECK_ACCESS && !withTest)
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DestroyWindow(window);
    MainWindow = NULL;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
        ;
    UnregisterClassA(kMainWindowClass, GetModuleHandleA(NULL));
}

bool MeasureIn(const std::string& folder, const char* what)
{
    StoreSettingsValue(kSettingsValue, REG_SZ, folder);
    double without, with;
    Measure([] { StartAndClose(false); }, [] { StartAndClose(true); }, without, with, kStartRounds);
    std::printf("  %-42s %8.1f  without the test %8.1f\n", what, with, without);
    return Report("    with / without the write test", with / without, kTarget);
}

}  // namespace

bool MeasureFolderAccessCheck(const std::string& folder10000)
{
    SettingsRestorer restorer;
    TempFolder small;
    for (int i = 0; i < 200; ++i)
        small.Write("Mod " + std::to_string(i) + (i % 2 ? ".mod" : ".pak"), "archive");
    std::printf("\nStart-up with the mod folder's write test, median of %d rounds each, ms:\n", kStartRounds);
    bool met = MeasureIn(folder10000, "10,000 archives, 2,500 descriptions");
    met &= MeasureIn(small.Path(), "200 archives");
    return met;
}
