// The program killed in the middle of switching 2,000 archives, as by a crash,
// the task manager or a power cut: the next start puts every archive back as
// it was before the switch, and says so once the window shows.
#include <gtest/gtest.h>

#include "../res/resource.h"
#include "registry.h"
#include "running_app.h"
#include "sets/set_store.h"
#include "settings/mod_directory.h"
#include "shared/messages.h"
#include "shared/window_state.h"
#include "switching/switch_journal.h"

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
        PostMessageA(app.Window(), WM_COMMAND, MAKEWPARAM(IDM_MOD_SETS, 1), 0);
        HWND dialog = app.WaitForDialog("Mod Sets");
        ASSERT_NE((HWND)NULL, dialog);
        SendMessageA(GetDlgItem(dialog, IDC_SET_LIST), LB_SETCURSEL, 0, 0);  // "No mods"
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SET_SWITCH, BN_CLICKED), 0);
        ASSERT_TRUE(WaitUntil([&] { return CountOf(mods, ".mod") > 0; })) << "the switch did not start";
        app.Kill();
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
    EXPECT_TRUE(ReadSwitchJournal().empty()) << "the journal was left";
    PostMessageA(next.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, next.WaitForExit());
}

}  // namespace
