// The program killed in the middle of switching 2,000 archives, as by a crash,
// the task manager or a power cut: the next start puts every archive back as
// it was before the switch, and says so once the window shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <regex>

#include "../res/resource.h"
#include "registry.h"
#include "running_app.h"
#include "sets/set_store.h"
#include "settings/mod_directory.h"
#include "shared/messages.h"
#include "shared/progress_window.h"
#include "shared/window_state.h"
#include "changes/change_engine.h"

namespace {

const int kArchives = 2000;

size_t CountOf(const TempFolder& folder, const char* extension)
{
    return CountWithExtension(folder.Names(), extension);
}

TEST(InterruptedSwitchTest, AProgramKilledMidSwitchIsPutBackAtTheNextStartAndSaysSo)
{
    TempFolder mods;
    for (int i = 0; i < kArchives; ++i)
        mods.Write("Mod" + std::to_string(10000 + i) + ".pak");
    SettingsRestorer keep;
    StoreSettingsValue(kSettingsValue, REG_SZ, mods.Path());

    {
        RunningApp app;
        ASSERT_TRUE(app.Start());
        ASSERT_NE((HWND)NULL, app.WaitForWindow());
        ASSERT_TRUE(app.SwitchToNoMods());
        // A switch that takes longer than half a second shows how far it is.
        HWND progress = app.WaitForTopWindow(kProgressWindowClass, TextFor(Text::SwitchCaption));
        ASSERT_NE((HWND)NULL, progress) << "no progress shown";
        std::vector<std::string> lines = ChildTexts(progress);
        app.Kill();
        ASSERT_EQ(3u, lines.size());
        EXPECT_EQ(TextFor(Text::Switching), lines[0]);
        EXPECT_TRUE(std::regex_match(lines[1], std::regex("[1-9][0-9]?,?[0-9]* of 2,000"))) << lines[1];
    }
    size_t switched = CountOf(mods, ".mod");
    ASSERT_LT(switched, static_cast<size_t>(kArchives)) << "the switch ended before the program was killed";

    RunningApp next;
    ASSERT_TRUE(next.Start());
    HWND box = next.WaitForDialog(MessageFor(Message::SwitchCutOff).caption);
    ASSERT_NE((HWND)NULL, box) << "the player was not told";
    EXPECT_EQ(std::string(MessageFor(Message::SwitchCutOff).text), BoxText(box));
    EXPECT_EQ(next.WaitForWindow(), GetWindow(box, GW_OWNER)) << "told before the window showed";
    PostMessageA(box, WM_COMMAND, IDOK, 0);

    EXPECT_EQ(static_cast<size_t>(kArchives), CountOf(mods, ".pak")) << switched << " were switched when killed";
    EXPECT_EQ(static_cast<size_t>(kArchives), Rows(next.Control(IDC_ENABLED_LIST)).size());
    EXPECT_FALSE(JournalLeft()) << "the journal was left";
    PostMessageA(next.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, next.WaitForExit());
}

// A start after a switch of 10,000 archives was cut off: the window shows at
// once, then how far putting the mods back has come.
TEST(InterruptedSwitchTest, ALongPutBackShowsTheWindowAtOnceAndItsProgress)
{
    const char* made = std::getenv("QMM_PUT_BACK_FOLDER");  // made natively by ctest
    ASSERT_NE(nullptr, made) << "QMM_PUT_BACK_FOLDER is not set (ctest makes the folder)";
    std::string folder = std::string("Z:") + made;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    std::vector<std::string> journal = {"Quillmoor mod set switch, version 2", "switching", folder, "2500"};
    for (int i = 1; i < 10000; i += 4) {  // .pak archives that the cut-off switch had switched off
        char name[32];
        std::snprintf(name, sizeof name, "Mod number %05d.pak", i);
        journal.push_back(name);
    }
    ASSERT_EQ(5000u, CountWithExtension(FolderNames(folder), ".pak"))
        << "the folder was not made anew for this run";
    SettingsRestorer keep;
    StoreSettingsValue(kSettingsValue, REG_SZ, folder);
    StoreSwitchJournal(journal);

    RunningApp app;
    DWORD start = GetTickCount();
    ASSERT_TRUE(app.Start());
    HWND window = app.WaitForWindow();
    ASSERT_NE((HWND)NULL, window);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    RecordProperty("window_ms", static_cast<int>(GetTickCount() - start));
    // Shown before the renames, not after them: most are still to be made
    // (a machine under load slows both alike).
    size_t putBack = CountWithExtension(FolderNames(folder), ".pak") - 5000;
    EXPECT_LT(putBack, 1250u) << putBack << " of 2,500 were put back before the window showed";
    HWND progress = app.WaitForTopWindow(kProgressWindowClass, TextFor(Text::SwitchCaption));
    ASSERT_NE((HWND)NULL, progress) << "no progress shown";
    std::vector<std::string> lines = ChildTexts(progress);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(TextFor(Text::PuttingBack), lines[0]);
    EXPECT_TRUE(std::regex_match(lines[1], std::regex("[1-9][0-9]?,?[0-9]* of 2,500"))) << lines[1];

    HWND box = app.WaitForDialog(MessageFor(Message::SwitchCutOff).caption, 60000);
    ASSERT_NE((HWND)NULL, box) << "the player was not told";
    EXPECT_EQ(std::string(MessageFor(Message::SwitchCutOff).text), BoxText(box));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(7500u, Rows(app.Control(IDC_ENABLED_LIST)).size());
    EXPECT_FALSE(JournalLeft());
    PostMessageA(app.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, app.WaitForExit());
}

}  // namespace
