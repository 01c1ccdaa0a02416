// The built program as Windows starts it after the elevation prompt: with the
// narrow argument it shows no window and answers with its exit code; any
// other argument starts the tool as usual. And the whole way from the notice
// through Windows' own start of the elevated part (Wine starts it without a
// prompt) to the answer.
#include <gtest/gtest.h>

#include "access/allow_request.h"
#include "access/elevation.h"
#include "access/write_causes.h"
#include "registry.h"
#include "running_app.h"
#include "settings/mod_directory.h"
#include "shared/messages.h"
#include "shared/system_reason.h"
#include "temp_folder.h"
#include "unix_tools.h"

namespace {

TEST(AllowChangesProgram, WithTheNarrowArgumentItShowsNoWindowAndAnswersWithItsExitCode)
{
    TempFolder temp;
    temp.MakeFolder("data");
    temp.Write("data\\data.pak");
    const std::string user = CurrentAccountSid();
    const struct {
        std::string arguments;
        DWORD exitCode;
    } cases[] = {
        {AllowRequestParameters({temp.Path("data"), user}), kAllowedExitCode},
        {AllowRequestParameters({"C:\\", user}), RefusalExitCode(AllowRefusal::Root)},
        {AllowRequestParameters({temp.Path("data"), "S-1-1-0"}), RefusalExitCode(AllowRefusal::Account)},
        {"--allow-changes", RefusalExitCode(AllowRefusal::Arguments)},
        {AllowRequestParameters({temp.Path("data"), user}) + " more", RefusalExitCode(AllowRefusal::Arguments)},
    };
    for (const auto& c : cases) {
        RunningApp app;
        ASSERT_TRUE(app.Start("", c.arguments));
        // A window would keep the program running.
        EXPECT_EQ(c.exitCode, app.WaitForExit()) << c.arguments;
    }

    DeleteSettingsKey();
    StoreSettingsValue(kSettingsValue, REG_SZ, temp.Path("data"));
    RunningApp other;
    ASSERT_TRUE(other.Start("", "--another " + temp.Path("data")));
    ASSERT_NE((HWND)NULL, other.WaitForWindow()) << "any other argument starts the tool as usual";
    PostMessageA(other.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, other.WaitForExit());
    DeleteSettingsKey();
}

TEST(AllowChangesProgram, YesToTheNoticeStartsTheElevatedPartThroughWindowsAndTellsTheAnswer)
{
    if (!CanMakeRootFaults())
        GTEST_SKIP() << "needs root to make a folder immutable";
    TempFolder temp;
    temp.MakeFolder("data");
    temp.Write("data\\data.pak");
    ClosedFolder closed(temp.Path("data"));
    ASSERT_TRUE(closed.Closed());
    DeleteSettingsKey();
    StoreSettingsValue(kSettingsValue, REG_SZ, temp.Path("data"));

    RunningApp app;
    ASSERT_TRUE(app.Start());
    ASSERT_NE((HWND)NULL, app.WaitForWindow());
    const std::string caption = MessageFor(Message::AccessNotAllowedOffer).caption;
    HWND notice = app.WaitForDialog(caption);
    ASSERT_NE((HWND)NULL, notice) << "no notice within 10 s";
    std::string denied = TextFor(Text::AccessCauseSystem, {SystemReasonLine(ERROR_ACCESS_DENIED)});
    EXPECT_EQ(MessageFor(Message::AccessNotAllowedOffer, {temp.Path("data"), denied}).text, BoxText(notice));
    PostMessageA(notice, WM_COMMAND, IDYES, 0);

    // Wine carries the request out, as Windows would after the prompt. It
    // writes permissions as the folder's Linux mode: where the mode must
    // change, the folder closed from the Linux side refuses that, and the
    // tool tells the system's reason; where it need not, the change is made
    // and the folder still refuses files. Either way the tool says so.
    HWND answer = NULL;
    ASSERT_TRUE(WaitUntil([&] { return (answer = app.WaitForDialog(caption, 100)) && answer != notice; }));
    std::string told = BoxText(answer),
                failed =
                    MessageFor(Message::AllowFailed, {temp.Path("data"), SystemReasonLine(ERROR_ACCESS_DENIED)})
                        .text,
                still = MessageFor(Message::StillNotAllowed, {temp.Path("data"), denied}).text;
    EXPECT_TRUE(told == failed || told == still)
        << "expected \"" << failed << "\"\nor \"" << still << "\",\ngot \"" << told << '"';
    PostMessageA(answer, WM_COMMAND, IDOK, 0);
    PostMessageA(app.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, app.WaitForExit());
    DeleteSettingsKey();
}

}  // namespace
