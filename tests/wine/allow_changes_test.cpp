// "Allow Changes to This Folder...": the one narrow request made of Windows,
// the elevated part that carries it out, and what the player is told.
#include "app_test.h"

#include <sddl.h>

#include "../res/resource.h"
#include "access/allow_changes.h"
#include "access/folder_access.h"
#include "access/folder_security.h"
#include "access/write_causes.h"
#include "elevation_seam.h"
#include "menus.h"
#include "shared/folder_listing.h"
#include "shared/system_reason.h"
#include "unix_tools.h"

namespace {

const char kEveryone[] = "S-1-1-0";

std::string ThisProgram()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, MAX_PATH);
    return path;
}

TEST(ElevatedPartTest, RefusesEveryFolderAndAccountItMayNotOpenAndWritesNothing)
{
    TempFolder temp;
    temp.MakeFolder("game");
    temp.MakeFolder("game\\data");
    temp.MakeFolder("game\\bin");
    temp.Write("game\\data\\data.pak");
    temp.MakeFolder("mods");
    temp.Write("mods\\On.pak");
    const std::string user = CurrentAccountSid(), game = temp.Path("game\\data");
    ASSERT_EQ("S-1-5-21-", user.substr(0, 9)) << "the test runs as a user account";
    const struct {
        std::string folder, account;
        uint32_t exitCode;
    } cases[] = {
        {"C:\\", user, RefusalExitCode(AllowRefusal::Root)},
        {"C:\\windows", user, RefusalExitCode(AllowRefusal::WindowsFolder)},
        {"C:\\windows\\system32", user, RefusalExitCode(AllowRefusal::WindowsFolder)},
        {"C:\\Program Files", user, RefusalExitCode(AllowRefusal::ProgramFolder)},
        {game + "\\data.pak", user, RefusalExitCode(AllowRefusal::NotAFolder)},
        {temp.Path("gone"), user, RefusalExitCode(AllowRefusal::NotAFolder)},
        {temp.Path("mods"), user, RefusalExitCode(AllowRefusal::NotAGameFolder)},
        {temp.Path("game"), user, RefusalExitCode(AllowRefusal::NotAGameFolder)},
        {"data", user, RefusalExitCode(AllowRefusal::Arguments)},
        {game + "\\..\\..\\game\\data", user, RefusalExitCode(AllowRefusal::Arguments)},
        {"\\\\?\\" + game, user, RefusalExitCode(AllowRefusal::Arguments)},
        {game, kEveryone, RefusalExitCode(AllowRefusal::Account)},
        {game, "S-1-5-32-545", RefusalExitCode(AllowRefusal::Account)},  // Users
        {game, "S-1-5-11", RefusalExitCode(AllowRefusal::Account)},      // Authenticated Users
        {game, user.substr(0, user.rfind('-')) + "-513", RefusalExitCode(AllowRefusal::Account)},   // a group
        {game, user.substr(0, user.rfind('-')) + "-4321", RefusalExitCode(AllowRefusal::Account)},  // nobody's
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder + " for " + c.account);
        std::string sddl = FolderSddl(temp.Path("game\\data"));
        std::map<std::string, std::string> contents = temp.Contents();
        EXPECT_EQ(c.exitCode, AllowChanges({c.folder, c.account}));
        EXPECT_EQ(sddl, FolderSddl(temp.Path("game\\data")));
        EXPECT_EQ(contents, temp.Contents());
    }
}

TEST(ElevatedPartTest, OpensAGamesModFolderToTheAccountThroughItsCommandLine)
{
    TempFolder temp;
    const std::string user = CurrentAccountSid();
    temp.MakeFolder("archives");
    temp.Write("archives\\p5-texts.pak");
    temp.MakeFolder("beside");
    temp.MakeFolder("beside\\data");
    temp.MakeFolder("beside\\bin");
    temp.Write("beside\\bin\\H5_Game.exe");
    for (const std::string& folder : {temp.Path("archives"), temp.Path("beside\\data")}) {
        SCOPED_TRACE(folder);
        std::string before = FolderSddl(folder);
        ASSERT_FALSE(before.empty());
        ElevationRequest request = AllowChangesRequest(folder, user);
        EXPECT_EQ((std::vector<std::string>{"--allow-changes", folder, user}), ArgumentsOf(request.parameters));
        ElevationResult result = RunElevatedPartHere(request);
        EXPECT_EQ(ERROR_SUCCESS, result.startError);
        EXPECT_EQ(kAllowedExitCode, result.exitCode);

        // Wine keeps no security descriptor of a file (it shows one made from
        // the Unix permissions): there the folder must keep what it had.
        PSECURITY_DESCRIPTOR parsed = NULL;
        PSID account = NULL;
        ASSERT_TRUE(
            ConvertStringSecurityDescriptorToSecurityDescriptorA(before.c_str(), SDDL_REVISION_1, &parsed, NULL));
        ASSERT_TRUE(ConvertStringSidToSidA(user.c_str(), &account));
        AllowedDescriptor allowed = WithChangesAllowedFor(parsed, account);
        LPSTR expected = NULL;
        ASSERT_TRUE(allowed.made);
        ConvertSecurityDescriptorToStringSecurityDescriptorA(
            allowed.changed ? allowed.descriptor.data() : parsed, SDDL_REVISION_1,
            OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &expected, NULL);
        EXPECT_EQ(UnderWine() ? before : std::string(expected), FolderSddl(folder));
        LocalFree(expected);
        LocalFree(account);
        LocalFree(parsed);
    }
}

TEST(FolderSecurityTest, OneEntryMoreForTheAccountAndTheRestAsItWas)
{
    // The game's folder as an installer leaves it in Program Files, and others.
    const std::string user = "S-1-5-21-1004336348-1177238915-682003330-1001";
    const std::string ours = "(A;OI;0x1201df;;;" + user + ")";
    const std::string trusted = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
    const std::string installed =
        "(A;ID;FA;;;" + trusted + ")(A;OICIIOID;GA;;;" + trusted +
        ")(A;ID;0x1301bf;;;SY)(A;OICIIOID;GA;;;SY)(A;ID;0x1200a9;;;BU)(A;OICIIOID;GXGR;;;BU)";
    const struct {
        const char* what;
        std::string before, after;
    } cases[] = {
        {"inherited entries only", "O:BAG:SYD:AI" + installed, "O:BAG:SYD:AI" + ours + installed},
        {"protected, a denial first", "O:BAG:BAD:P(D;;WD;;;" + user + ")(A;OICI;FA;;;BA)",
         "O:BAG:BAD:P(D;;WD;;;" + user + ")(A;OICI;FA;;;BA)" + ours},
        {"an entry of its own after an inherited one", "O:BAG:SYD:AI(A;ID;FA;;;SY)(A;;FA;;;BA)",
         "O:BAG:SYD:AI(A;ID;FA;;;SY)(A;;FA;;;BA)" + ours},
        {"the entry there already", "O:BAG:SYD:" + ours + "(A;;FA;;;BA)", "O:BAG:SYD:" + ours + "(A;;FA;;;BA)"},
        {"an inherited entry for the account", "O:BAG:SYD:AI(A;OIID;0x1201df;;;" + user + ")",
         "O:BAG:SYD:AI" + ours + "(A;OIID;0x1201df;;;" + user + ")"},
        {"an empty DACL", "O:BAG:SYD:", "O:BAG:SYD:" + ours},
    };
    PSID account = NULL;
    ASSERT_TRUE(ConvertStringSidToSidA(user.c_str(), &account));
    for (const auto& c : cases) {
        PSECURITY_DESCRIPTOR before = NULL;
        ASSERT_TRUE(
            ConvertStringSecurityDescriptorToSecurityDescriptorA(c.before.c_str(), SDDL_REVISION_1, &before, NULL))
            << c.what;
        AllowedDescriptor allowed = WithChangesAllowedFor(before, account);
        EXPECT_TRUE(allowed.made) << c.what;
        LPSTR after = NULL;
        ConvertSecurityDescriptorToStringSecurityDescriptorA(
            allowed.changed ? allowed.descriptor.data() : before, SDDL_REVISION_1,
            OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &after, NULL);
        EXPECT_EQ(c.after, after ? after : "") << c.what;
        EXPECT_EQ(c.before != c.after, allowed.changed) << c.what;
        LocalFree(after);
        LocalFree(before);
    }
    // No DACL at all: everyone may do everything, and nothing is added.
    SECURITY_DESCRIPTOR open;
    ASSERT_TRUE(InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION));
    ASSERT_TRUE(SetSecurityDescriptorDacl(&open, TRUE, NULL, FALSE));
    AllowedDescriptor allowed = WithChangesAllowedFor(&open, account);
    EXPECT_TRUE(allowed.made && !allowed.changed) << "no DACL";
    LocalFree(account);
}

class AllowChangesTest : public AppTest {
protected:
    TempFolder temp;
};

TEST_F(AllowChangesTest, OnePromptWithTheNarrowRequestAndEachAnswerToldWithNothingElseChanged)
{
    if (!CanMakeRootFaults())
        GTEST_SKIP() << "needs root to make a folder immutable";
    temp.MakeFolder("data");
    temp.Write("data\\data.pak");
    temp.Write("data\\On.pak");
    const std::string folder = temp.Path("data"), sddl = FolderSddl(folder);
    ClosedFolder closed(folder);
    ASSERT_TRUE(closed.Closed());
    const std::string stillClosed = TextFor(Text::AccessCauseSystem, {SystemReasonLine(ERROR_ACCESS_DENIED)});
    ElevationSeam seam;
    const struct {
        const char* what;
        std::function<ElevationResult(const ElevationRequest&)> answer;
        ExpectedBox told;
    } cases[] = {
        // The elevated part run while the folder is open from the Linux side
        // (Wine cannot change the permissions of a folder closed there), then
        // closed again: as if Windows refused for another reason.
        {"the elevated part allowed; Windows still refuses",
         [&](const ElevationRequest& request) {
             closed.Open();
             ElevationResult result = RunElevatedPartHere(request);
             closed.Close();
             return result;
         },
         Box(Message::StillNotAllowed, NULL, {folder, stillClosed})},
        {"the elevated part allowed; the folder takes changes now",
         [&](const ElevationRequest& request) {
             closed.Open();
             return RunElevatedPartHere(request);
         },
         Box(Message::AllowedNow, NULL, {folder})},
        {"the elevated part failed",
         [](const ElevationRequest&) {
             return ElevationResult{ERROR_SUCCESS, FailureExitCode(1307)};
         },
         Box(Message::AllowFailed, NULL, {folder, SystemReasonLine(1307)})},
        {"Cancel at the prompt",
         [](const ElevationRequest&) {
             return ElevationResult{ERROR_CANCELLED, 0};
         },
         Box(Message::AllowCancelled, NULL)},
        {"no answer within the bound",
         [](const ElevationRequest&) {
             return ElevationResult{WAIT_TIMEOUT, 0};
         },
         Box(Message::AllowNoAnswer, NULL, {folder})},
        {"not started",
         [](const ElevationRequest&) {
             return ElevationResult{ERROR_FILE_NOT_FOUND, 0};
         },
         Box(Message::AllowFailed, NULL, {folder, SystemReasonLine(ERROR_FILE_NOT_FOUND)})},
        {"refused",
         [](const ElevationRequest&) {
             return ElevationResult{ERROR_SUCCESS, RefusalExitCode(AllowRefusal::NotAGameFolder)};
         },
         Box(Message::AllowRefused, NULL, {folder, TextFor(Text::AllowRefusedNotAGameFolder)})},
        {"crashed",
         [](const ElevationRequest&) {
             return ElevationResult{ERROR_SUCCESS, 0xC0000005};
         },
         Box(Message::AllowFailed, NULL, {folder, TextFor(Text::AllowEndedWith, {"0xC0000005"})})},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.what);
        closed.Close();
        ASSERT_TRUE(closed.Closed());
        seam.requests.clear();
        seam.answer = c.answer;
        dialogs.Forget();
        // In turn: Yes to the notice at start, the system menu, the lists' menu.
        dialogs.AnswerQuestion(i % 3 == 0 ? IDYES : IDNO);
        StartAppIn(folder);
        DispatchWaitingMessages();
        if (i % 3 == 1)
            SendMessageA(MainWindow, WM_SYSCOMMAND, IDM_ALLOW_CHANGES, 0);
        if (i % 3 == 2) {
            MenuChooser menu({"Allow C&hanges to This Folder..."});
            OpenListMenu(EnabledList, -1);
            EXPECT_TRUE(menu.Shown());
        }
        ASSERT_EQ(1u, seam.requests.size()) << "one prompt";
        const ElevationRequest& request = seam.requests[0];
        EXPECT_EQ(L"runas", request.verb);
        EXPECT_EQ(ThisProgram(), FromWide(request.file, CP_UTF8));
        EXPECT_EQ((std::vector<std::string>{"--allow-changes", folder, CurrentAccountSid()}),
                  ArgumentsOf(request.parameters));
        std::vector<SeenDialog> boxes = dialogs.MessageBoxes();
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(c.told.text, boxes.back().text);
        EXPECT_EQ(c.told.icon, boxes.back().icon);
        EXPECT_EQ(MainWindow, boxes.back().owner);
        EXPECT_EQ(2u, boxes.size()) << "the notice, then the answer";
        EXPECT_EQ(sddl, FolderSddl(folder)) << "nothing else of the folder changed";
        EXPECT_EQ((std::vector<std::string>{"On.pak", "data.pak"}), temp.Names("data"));
        CloseApp();
    }
}

}  // namespace
