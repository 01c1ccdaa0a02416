// A switch of 1,000 archives against 1,000 bare MoveFileA calls of the same
// files, in a folder of 1,000 archives. The two run alternately: the bare
// renames switch every archive off, the switch switches them all on again.
// Then a set pasted as text, 10 MB in 100,000 lines, read and previewed
// against the plain conversion of the clipboard's text.
#include "switch_sets.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../res/resource.h"
#include "app/list_menu.h"
#include "app/main_window.h"
#include "measure.h"
#include "mods/mod_names.h"
#include "registry.h"
#include "sets/mod_sets_dialog.h"
#include "sets/mod_switch.h"
#include "sets/set_preview.h"
#include "sets/set_text.h"
#include "shared/text_conversion.h"
#include "settings/mod_directory.h"
#include "shared/window_state.h"
#include "temp_folder.h"

namespace {

const int kArchives = 1000;
const double kTarget = 1.5;
const double kPasteLimitMs = 1000;  // the window does not freeze for longer
const double kOpenLimitMs = 250;    // what a player takes for "at once"

// Zero timers fire once the modal loop that was opened waits for input.
void CALLBACK CloseSetsDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
    PostMessageA(FindWindowA("#32770", "Mod Sets"), WM_COMMAND, IDCANCEL, 0);
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
    EndMenu();
}

// Read and previewed as Paste from Text does, from the clipboard's UTF-16.
bool MeasurePaste(const std::vector<ListedArchive>& archives)
{
    std::string text = "Quillmoor mod set: Big\r\n";
    for (int i = 0; text.size() < (10u << 20); ++i)
        text += "A mod with a long name of its own, number " + std::to_string(i) + ".pak\t123456789\r\n";
    std::wstring clipboard = ToWide(text, CP_UTF8);
    auto fold = [](const std::string& name) { return FromWide(FoldCase(name), CP_UTF8); };
    double convert, paste;
    size_t mods = 0;
    Measure([&] { FromWide(clipboard, CP_UTF8); },
            [&] {
                ReadSetTextResult read = ReadSetText(FromWide(clipboard, CP_UTF8));
                mods = read.set ? read.set->mods.size() : 0;
                PreviewText(PreviewOf(archives, *read.set, fold), 200);
            },
            convert, paste);
    std::printf("  text of 10 MB, converted only (%zu mods)       %8.1f\n", mods, convert);
    std::printf("  read and previewed                         %8.1f\n", paste);
    std::printf("  under one second: %s\n", paste < kPasteLimitMs ? "ok" : "MISSED");
    return paste < kPasteLimitMs;
}

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
    if (!OpenMainWindow())
        return false;

    double bare, switched;
    Measure(
        [&] {
            for (const std::string& name : allOn.mods)
                MoveFileA(folder.Path(name + ".pak").c_str(), folder.Path(name + ".mod").c_str());
        },
        [&] { SwitchToModSet(allOn); }, bare, switched);
    std::vector<ListedArchive> archives = ArchivesNow();
    bool whole = folder.Names().size() == static_cast<size_t>(kArchives) && ModsOn(archives).size() == kArchives;
    CloseMainWindow();

    std::printf("\nSwitch of a mod set, median of %d rounds each, ms (%d archives):\n", kRounds, kArchives);
    std::printf("  1,000 bare MoveFileA                       %8.1f\n", bare);
    std::printf("  switch of 1,000, journal and lists         %8.1f\n", switched);
    if (!whole)
        std::printf("  the switch did not leave every archive on: MISSED\n");
    bool met = Report("switch / bare renames", switched / bare, kTarget) && whole;
    return MeasurePaste(archives) && met;
}

bool MeasureOpening()
{
    for (int i = 0; i < 100; ++i) {
        ModSet set = {"Set " + std::to_string(i), {}};
        for (size_t mod = static_cast<size_t>(i); mod < EnabledMods.size(); mod += 97)
            set.mods.push_back(DisplayName(EnabledMods[mod].fileName));
        SaveModSet(set);
    }
    double dialog, menu;
    Measure(
        [] {
            SetTimer(NULL, 0, 0, CloseSetsDialog);
            ShowModSetsDialog();
        },
        [] {
            SetTimer(NULL, 0, 0, CloseMenu);
            ShowListMenu(EnabledList, MAKELPARAM(300, 300));
        },
        dialog, menu);
    std::printf("\nOpening with %zu mods and 100 sets, median of %d rounds each, ms:\n",
                EnabledMods.size() + DisabledMods.size(), kRounds);
    std::printf("  the Mod Sets dialog, open and closed       %8.1f   (target < %g) %s\n", dialog, kOpenLimitMs,
                dialog < kOpenLimitMs ? "ok" : "MISSED");
    std::printf("  the lists' menu, open and closed           %8.1f   (target < %g) %s\n", menu, kOpenLimitMs,
                menu < kOpenLimitMs ? "ok" : "MISSED");
    return dialog < kOpenLimitMs && menu < kOpenLimitMs;
}
