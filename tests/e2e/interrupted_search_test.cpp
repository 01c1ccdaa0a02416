// The program killed in a problem search, as a crash of the game can take the
// tool or the PC down with it: the next start puts back the step's switch it
// cut off, if it was cut off in one, and then opens the search by itself at
// the same step, with the folder as that step wants it.
#include <gtest/gtest.h>

#include "../res/resource.h"
#include "game_installs.h"
#include "registry.h"
#include "running_app.h"
#include "search/search_store.h"
#include "settings/mod_directory.h"
#include "shared/messages.h"

namespace {

const char kSearchCaption[] = "Find a Problem Mod";

// Waits until the dialog's text starts with `start`, and gives it.
std::string StepText(HWND dialog, const std::string& start)
{
    std::string text;
    WaitUntil([&] {
        text = TextOf(GetDlgItem(dialog, IDC_SEARCH_TEXT));
        return text.compare(0, start.size(), start) == 0;
    });
    return text;
}

TEST(InterruptedSearchTest, AProgramKilledInAStepOpensTheSameStepAgainAtTheNextStart)
{
    SettingsRestorer keep;
    const struct {
        const char* what;
        bool inTheSwitch;  // or between the answers, the step's switch done
    } kills[] = {{"killed in the step's switch", true}, {"killed between the answers", false}};
    for (const auto& kill : kills) {
        SCOPED_TRACE(kill.what);
        TempFolder root;
        std::string data = MakeGame(root.Path(), {"A.pak", "B.pak", "C.pak", "D.pak", "E.mod"});
        std::vector<std::string> start = FolderNames(data);
        StoreSettingsValue(kSettingsValue, REG_SZ, data);

        std::string step;
        std::vector<std::string> folder;
        {
            RunningApp app;
            ASSERT_TRUE(app.Start());
            ASSERT_NE((HWND)NULL, app.WaitForWindow());
            PostMessageA(app.Window(), WM_SYSCOMMAND, IDM_PROBLEM_SEARCH, 0);
            HWND dialog = app.WaitForDialog(kSearchCaption);
            ASSERT_NE((HWND)NULL, dialog);
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_BEGIN, BN_CLICKED), 0);
            ASSERT_EQ("Start 1", StepText(dialog, "Start 1").substr(0, 7));
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_NOT, BN_CLICKED), 0);
            step = StepText(dialog, "Start 2");
            ASSERT_EQ("Start 2", step.substr(0, 7));
            folder = FolderNames(data);
            app.Kill();
        }
        ASSERT_NE(start, folder) << "the second start changed nothing";
        ASSERT_TRUE(SearchStored());
        if (kill.inTheSwitch) {
            // As the kill leaves it before the switch's last rename: the
            // journal of its renames, the first of them made.
            size_t renamed = 0;
            while (renamed < start.size() && start[renamed] == folder[renamed])
                ++renamed;
            ASSERT_LT(renamed, start.size());
            StoreSwitchJournal({"Quillmoor mod set switch, version 2", "switching", data, "1", start[renamed]});
        }

        RunningApp next;
        ASSERT_TRUE(next.Start());
        if (kill.inTheSwitch) {
            HWND box = next.WaitForDialog(MessageFor(Message::SwitchCutOff).caption);
            ASSERT_NE((HWND)NULL, box) << "the switch cut off was not put back";
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        HWND dialog = next.WaitForDialog(kSearchCaption);
        ASSERT_NE((HWND)NULL, dialog) << "the search was not taken up";
        EXPECT_EQ(step, StepText(dialog, step));
        EXPECT_EQ(folder, FolderNames(data));
        EXPECT_EQ(next.WaitForWindow(), GetWindow(dialog, GW_OWNER));

        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);  // Stop
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
        EXPECT_EQ(start, FolderNames(data));
        EXPECT_FALSE(SearchStored());
        PostMessageA(next.Window(), WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, next.WaitForExit());
    }
}

}  // namespace
