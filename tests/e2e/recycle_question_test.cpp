// The older version that an update gives up, on a drive without a Recycle
// Bin, where Windows asks before each file it deletes for good: the player is
// asked once for that version, and its two files go together or not at all.
// Under Wine the tool is started with a home whose trash cannot be made
// (XDG_DATA_HOME names no folder): Wine's shell then asks before each
// deletion, once for each call, as Windows asks for each item on such a drive.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "registry.h"
#include "running_app.h"
#include "settings/mod_directory.h"
#include "shared/messages.h"
#include "shared/system_reason.h"
#include "shared/text_format.h"
#include "shared/window_state.h"

namespace {

const int kUpdateFromFile = 2;  // "&Disable", "Open Mod &Folder", "&Update from File..."

// An environment variable of this process, and so of the programs it starts,
// until the end of the scope.
class EnvironmentValue {
public:
    EnvironmentValue(const char* name, const char* value) : name_(name)
    {
        char old[MAX_PATH];
        DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
        had_ = length > 0 && length < sizeof old;
        old_ = had_ ? old : "";
        SetEnvironmentVariableA(name, value);
    }
    ~EnvironmentValue() { SetEnvironmentVariableA(name_.c_str(), had_ ? old_.c_str() : NULL); }
    EnvironmentValue(const EnvironmentValue&) = delete;
    EnvironmentValue& operator=(const EnvironmentValue&) = delete;

private:
    std::string name_, old_;
    bool had_;
};

TEST(RecycleQuestionTest, AnOlderVersionThatCannotGoToTheRecycleBinIsAskedAboutOnceAndGoesWholeOrNotAtAll)
{
    const std::map<std::string, std::string> installed = {{"Better Towns.pak", "towns 2"},
                                                          {"Better Towns.txt", "about towns 2"},
                                                          {"Better Towns.previous", "towns 1"},
                                                          {"Better Towns.previous-txt", "about towns 1"}},
                                             updated = {{"Better Towns.pak", "towns 3"},
                                                        {"Better Towns.txt", "about towns 3"},
                                                        {"Better Towns.previous", "towns 2"},
                                                        {"Better Towns.previous-txt", "about towns 2"}};
    const struct {
        const char* what;
        int answer;
        std::map<std::string, std::string> after;
        std::string told;
    } cases[] = {
        {"Yes: both files deleted for good", IDYES, updated, ""},
        {"No: the mod as it was", IDNO, installed,
         FormatText(MessageFor(Message::UpdateNotRecycled).text, {"Better Towns"}) + "\n\n" +
             SystemReasonLine(ERROR_CANCELLED)},
    };
    TempFolder download;
    download.Write("Better Towns v3.pak", "towns 3");
    download.Write("Better Towns v3.txt", "about towns 3");
    SettingsRestorer keep;
    EnvironmentValue noTrash("XDG_DATA_HOME", "/dev/null");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder mods;
        for (const auto& file : installed)
            mods.Write(file.first, file.second);
        StoreSettingsValue(kSettingsValue, REG_SZ, mods.Path());
        RunningApp app;
        ASSERT_TRUE(app.Start());
        ASSERT_NE((HWND)NULL, app.WaitForWindow());
        ASSERT_TRUE(app.ChooseInListMenu(IDC_ENABLED_LIST, 0, kUpdateFromFile)) << "no menu";
        ASSERT_TRUE(app.ChooseInOpenDialog(download.Path("Better Towns v3.pak"), "Update Better Towns from File"));

        // Each question of the system is answered, the first as the player
        // would, any later one with No (which would keep a file); the tool's
        // own message is read and closed.
        std::vector<HWND> seen;
        int asked = 0;
        std::string told;
        bool over = WaitUntil(
            [&] {
                HWND box = app.WaitForTopWindow("#32770", NULL, 0);
                if (box && std::find(seen.begin(), seen.end(), box) == seen.end()) {
                    seen.push_back(box);
                    bool question = GetDlgItem(box, IDYES) != NULL;
                    if (!question)
                        told = BoxText(box);
                    int button = !question ? IDOK : asked++ == 0 ? c.answer : IDNO;
                    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
                }
                return !box && (!told.empty() || (mods.Contents() == updated && asked > 0));
            },
            30000);
        ASSERT_TRUE(over) << "the update did not end";
        EXPECT_EQ(1, asked) << "not asked exactly once";
        EXPECT_EQ(c.told, told);
        EXPECT_EQ(c.after, mods.Contents()) << "one file of a version kept without the other, or a file lost";
        PostMessageA(app.Window(), WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, app.WaitForExit());
    }
}

}  // namespace
