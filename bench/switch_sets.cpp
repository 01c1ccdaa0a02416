// A switch of 1,000 archives against 1,000 bare MoveFileA calls of the same
// files, in a folder of 1,000 archives. The two run alternately: the bare
// renames switch every archive off, the switch switches them all on again.
#include "switch_sets.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "measure.h"
#include "mods/mod_names.h"
#include "registry.h"
#include "sets/mod_switch.h"
#include "settings/mod_directory.h"
#include "shared/window_state.h"
#include "temp_folder.h"

namespace {

const int kArchives = 1000;
const double kTarget = 1.5;

}  // namespace

bool MeasureSetSwitch()
{
    TempFolder folder;
    ModSet allOn = {"All", {}};
    for (int i = 0; i < kArchives; ++i) {
        std::string name = "Mod " + std::to_string(10000 + i);
        folder.Write(name + ".pak", "archive");
        allOn.mods.push_back(name);
    }
    SettingsRestorer restorer;
    StoreSettingsValue(kSettingsValue, REG_SZ, folder.Path());
    if (!CreateMainWindow(GetModuleHandleA(NULL))) {
        std::fprintf(stderr, "the main window could not be created\n");
        return false;
    }

    double bare, switched;
    Measure(
        [&] {
            for (const std::string& name : allOn.mods)
                MoveFileA(folder.Path(name + ".pak").c_str(), folder.Path(name + ".mod").c_str());
        },
        [&] { SwitchToModSet(allOn); }, bare, switched);
    bool whole =
        folder.Names().size() == static_cast<size_t>(kArchives) && ModsOn(ArchivesNow()).size() == kArchives;
    DestroyWindow(MainWindow);

    std::printf("\nSwitch of a mod set, median of %d rounds each, ms (%d archives):\n", kRounds, kArchives);
    std::printf("  1,000 bare MoveFileA                       %8.1f\n", bare);
    std::printf("  switch of 1,000, journal and lists         %8.1f\n", switched);
    if (!whole)
        std::printf("  the switch did not leave every archive on: MISSED\n");
    return Report("switch / bare renames", switched / bare, kTarget) && whole;
}
