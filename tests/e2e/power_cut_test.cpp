// A power cut in the middle of a switch of mod sets, an update and a step of
// the problem search, under Wine. This program runs once per phase, and
// tests/power_cut.sh kills every process of the Wine prefix between the
// phases, the Wine server too, as a flat battery would: what Wine kept in
// memory only (the registry written in the last half minute) is lost, what
// was written to files stays. The next start puts each change back or
// finishes it and says so.
//
//   QMM_POWER_CUT  prepare, cut or after
//   QMM_POWER_CUT_KIND  switch, update or search
//   QMM_POWER_CUT_FOLDER  a folder the script made (its Windows path); it
//                         outlives the phases
//   QMM_POWER_CUT_MARK  the file the cut phase makes once the change is under way
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "../res/resource.h"
#include "changes/change_engine.h"
#include "game_installs.h"
#include "registry.h"
#include "running_app.h"
#include "search/search_store.h"
#include "settings/mod_directory.h"
#include "shared/messages.h"
#include "shared/text_format.h"

namespace {

const int kArchives = 4000;
const unsigned long long kNewSize = 1ull << 30;
const int kUpdateFromFile = 2;  // "&Disable", "Open Mod &Folder", "&Update from File..."
const char kSearchCaption[] = "Find a Problem Mod";

std::string Setting(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string Data()
{
    return Setting("QMM_POWER_CUT_FOLDER") + "\\data";
}

size_t CountOf(const char* extension)
{
    return CountWithExtension(FolderNames(Data()), extension);
}

// The change is under way: the script may cut the power now. The phase then
// waits to be killed; if it is not, the change ended first and it fails.
void CutThePowerNow()
{
    WriteFileBytes(Setting("QMM_POWER_CUT_MARK"), "under way");
    Sleep(60000);
    ADD_FAILURE() << "the power was not cut";
}

void Prepare(const std::string& kind)
{
    DeleteSettingsKey();  // and what an earlier run left in the journal's home
    std::vector<std::string> archives;
    for (int i = 0; i < (kind == "update" ? 0 : kArchives); ++i)
        archives.push_back("Mod" + std::to_string(10000 + i) + ".pak");
    if (kind == "update")
        archives = {"Huge.pak", "Other.pak"};
    std::string data = MakeGame(Setting("QMM_POWER_CUT_FOLDER"), archives);
    ASSERT_EQ(Data(), data);
    if (kind == "update") {
        WriteFileBytes(data + "\\Huge.txt", "about the old version");
        WriteFileBytes(data + "\\Huge.pak", "the old version");
        ASSERT_TRUE(MakeLargeFile(Setting("QMM_POWER_CUT_FOLDER") + "\\Huge v2.pak", kNewSize));
    }
    StoreSettingsValue(kSettingsValue, REG_SZ, data);
}

void Cut(const std::string& kind)
{
    RunningApp app;
    ASSERT_TRUE(app.Start());
    ASSERT_NE((HWND)NULL, app.WaitForWindow());
    if (kind == "switch") {
        ASSERT_TRUE(app.SwitchToNoMods());
    } else if (kind == "update") {
        ASSERT_TRUE(app.ChooseInListMenu(IDC_ENABLED_LIST, 0, kUpdateFromFile));
        ASSERT_TRUE(
            app.ChooseInOpenDialog(Setting("QMM_POWER_CUT_FOLDER") + "\\Huge v2.pak", "Update Huge from File"));
        ASSERT_TRUE(WaitUntil([] { return FileSize(Data() + "\\Huge.pa~") > (64u << 20); }, 60000));
    } else {
        PostMessageA(app.Window(), WM_SYSCOMMAND, IDM_PROBLEM_SEARCH, 0);
        HWND dialog = app.WaitForDialog(kSearchCaption);
        ASSERT_NE((HWND)NULL, dialog);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_BEGIN, BN_CLICKED), 0);
    }
    if (kind != "update") {
        ASSERT_TRUE(WaitUntil([] { return CountOf(".mod") > 0; }, 60000)) << "the switch did not start";
    }
    CutThePowerNow();
}

void After(const std::string& kind)
{
    ASSERT_TRUE(JournalLeft()) << "the journal did not outlast the power cut";
    RunningApp next;
    ASSERT_TRUE(next.Start());
    ASSERT_NE((HWND)NULL, next.WaitForWindow());
    Message told = kind == "update" ? Message::UpdateCutOffUndone : Message::SwitchCutOff;
    HWND box = next.WaitForDialog(MessageFor(told).caption, 120000);
    ASSERT_NE((HWND)NULL, box) << "the player was not told";
    EXPECT_EQ(FormatText(MessageFor(told).text, {"Huge"}), BoxText(box));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    if (kind == "update") {
        EXPECT_EQ((std::vector<std::string>{"Huge.pak", "Huge.txt", "Other.pak"}), FolderNames(Data()))
            << "the part copied was left";
        EXPECT_EQ("the old version", ReadFileBytes(Data() + "\\Huge.pak"));
    } else {
        EXPECT_EQ(static_cast<size_t>(kArchives), CountOf(".pak")) << "not every archive was put back";
    }
    if (kind == "search") {
        // The search outlasted the power cut too: taken up at its first start.
        HWND dialog = next.WaitForDialog(kSearchCaption, 120000);
        ASSERT_NE((HWND)NULL, dialog) << "the search was forgotten";
        EXPECT_TRUE(WaitUntil([] { return CountOf(".mod") == static_cast<size_t>(kArchives); }, 120000))
            << "its first start was not switched again";
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);  // Stop
        EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }, 120000)) << "Stop did not end the search";
        EXPECT_EQ(static_cast<size_t>(kArchives), CountOf(".pak"));
        EXPECT_FALSE(SearchStored());
    }
    EXPECT_FALSE(JournalLeft());
    // Closed as a player would, once nothing modal is left open.
    ASSERT_TRUE(WaitUntil([&next] { return IsWindowEnabled(next.Window()) != FALSE; }, 60000));
    PostMessageA(next.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, next.WaitForExit(20000));
}

TEST(PowerCut, Phase)
{
    std::string phase = Setting("QMM_POWER_CUT"), kind = Setting("QMM_POWER_CUT_KIND");
    ASSERT_TRUE(kind == "switch" || kind == "update" || kind == "search") << kind;
    if (phase == "prepare")
        Prepare(kind);
    else if (phase == "cut")
        Cut(kind);
    else if (phase == "after")
        After(kind);
    else
        FAIL() << "no phase: " << phase;
}

}  // namespace
