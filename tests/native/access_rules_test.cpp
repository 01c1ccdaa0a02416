#include <gtest/gtest.h>

#include "access/access_rules.h"
#include "access/allow_request.h"

namespace {

const SystemFolders kSystem = {"C:\\Windows", {"C:\\Program Files", "C:\\Program Files (x86)"}};

TEST(NormalFolderPath, GivesOneFormOrNothingForPathsThatCouldReachAnotherFolder)
{
    const struct {
        const char* path;
        const char* normal;  // nullptr: refused
    } cases[] = {
        {"C:\\Games\\data", "C:\\Games\\data"},
        {"c:/Games/data/", "C:\\Games\\data"},
        {"D:\\", "D:\\"},
        {"\\\\server\\share\\data", "\\\\server\\share\\data"},
        {"\\\\server\\share\\", "\\\\server\\share"},
        {"data", nullptr},
        {"\\Games\\data", nullptr},
        {"C:data", nullptr},
        {"C:", nullptr},
        {"C:\\Games\\..\\Windows", nullptr},
        {"C:\\Games\\.\\data", nullptr},
        {"C:\\Games\\\\data", nullptr},
        {"C:\\\\", nullptr},
        {"C:\\Windows.", nullptr},     // the system drops the dot: C:\Windows
        {"C:\\Windows \\x", nullptr},  // and the space
        {"C:\\Games\\da*ta", nullptr},
        {"C:\\Games\\data:stream", nullptr},
        {"\\\\?\\C:\\Windows", nullptr},
        {"\\\\.\\C:\\Windows", nullptr},
        {"\\\\server", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        std::optional<std::string> normal = NormalFolderPath(c.path);
        EXPECT_EQ(c.normal ? c.normal : "(refused)", normal.value_or("(refused)")) << c.path;
    }
    EXPECT_EQ("C:\\Games\\data", NormalFinalPath("\\\\?\\C:\\Games\\data").value_or(""));
    EXPECT_EQ("\\\\nas\\games\\data", NormalFinalPath("\\\\?\\UNC\\nas\\games\\data").value_or(""));
}

TEST(PathRefusal, RefusesRootsTheWindowsFolderAndProgramFoldersThemselves)
{
    const struct {
        const char* folder;
        std::optional<AllowRefusal> refusal;
    } cases[] = {
        {"C:\\", AllowRefusal::Root},
        {"\\\\nas\\games", AllowRefusal::Root},
        {"C:\\WINDOWS", AllowRefusal::WindowsFolder},
        {"C:\\Windows\\System32\\drivers", AllowRefusal::WindowsFolder},
        {"C:\\program files", AllowRefusal::ProgramFolder},
        {"C:\\Program Files (x86)", AllowRefusal::ProgramFolder},
        {"C:\\Program Files\\Game\\data", std::nullopt},
        {"C:\\Program Files (x86)\\Game\\data", std::nullopt},
        {"C:\\WindowsGames\\data", std::nullopt},
        {"D:\\Games\\data", std::nullopt},
        {"\\\\nas\\games\\data", std::nullopt},
    };
    for (const auto& c : cases) {
        std::optional<AllowRefusal> refusal = PathRefusal(c.folder, kSystem);
        EXPECT_EQ(c.refusal ? static_cast<int>(*c.refusal) : 0, refusal ? static_cast<int>(*refusal) : 0)
            << c.folder << " (0: allowed)";
    }
    EXPECT_EQ("C:\\Program Files (x86)", ProgramFolderHolding("C:\\PROGRAM FILES (X86)\\Game\\data", kSystem));
    EXPECT_EQ("", ProgramFolderHolding("C:\\Program Files", kSystem)) << "itself is not inside";
    EXPECT_EQ("", ProgramFolderHolding("C:\\Program Files Games\\data", kSystem));
}

TEST(ChooseWriteCause, NamesTheCauseItCanTellAndOffersAnEntryOnlyWhereOneHelps)
{
    const uint32_t denied = kErrorAccessDenied;
    const struct {
        WriteFacts facts;
        WriteCause cause;
        bool offer;
    } cases[] = {
        {{denied, false, true, true, true}, WriteCause::ProgramFolder, true},
        {{denied, false, false, true, true}, WriteCause::ControlledFolderAccess, false},
        {{denied, false, false, false, true}, WriteCause::OtherOwner, true},
        {{denied, false, false, false, false}, WriteCause::System, true},
        {{kErrorNetworkAccessDenied, false, false, false, false}, WriteCause::System, true},
        {{denied, true, true, false, false}, WriteCause::ReadOnlyVolume, false},
        {{kErrorWriteProtect, false, true, false, false}, WriteCause::ReadOnlyVolume, false},
        {{112 /* disk full */, false, true, false, true}, WriteCause::System, false},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        WriteCauseChoice choice = ChooseWriteCause(cases[i].facts);
        EXPECT_EQ(static_cast<int>(cases[i].cause), static_cast<int>(choice.cause)) << "case " << i;
        EXPECT_EQ(cases[i].offer, choice.offerAllow) << "case " << i;
    }
}

TEST(AllowRequest, OnlyTheSwitchAFolderAndAUserAccountMakeARequest)
{
    const std::string user = "S-1-5-21-1004336348-1177238915-682003330-1001";
    EXPECT_FALSE(AsksToAllowChanges({})) << "no arguments: a normal start";
    EXPECT_FALSE(AsksToAllowChanges({"C:\\Games\\data"})) << "anything else: a normal start";
    EXPECT_TRUE(AsksToAllowChanges({"--allow-changes"}));
    for (const std::vector<std::string>& malformed :
         std::vector<std::vector<std::string>>{{"--allow-changes"},
                                               {"--allow-changes", "C:\\data"},
                                               {"--allow-changes", "", user},
                                               {"--allow-changes", "C:\\data", user, "C:\\other"},
                                               {"--ALLOW-CHANGES", "C:\\data", user}})
        EXPECT_FALSE(ParseAllowRequest(malformed).has_value()) << ::testing::PrintToString(malformed);
    std::optional<AllowRequest> request = ParseAllowRequest({"--allow-changes", "C:\\data", user});
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ("C:\\data", request->folder);
    EXPECT_EQ(user, request->account);

    EXPECT_TRUE(HasUserAccountForm(user));
    EXPECT_TRUE(HasUserAccountForm("S-1-12-1-1111111111-2222222222-3333333333-4000000000"));
    for (const char* sid :
         {"S-1-1-0", "S-1-5-32-545", "S-1-5-11", "S-1-5-18", "S-1-5-21-1-2-3", "S-1-5-21-1-2-3-4-5",
          "S-1-5-21-1-2-3-4294967296", "S-1-5-21-1-2-3-x", "S-1-5-21-1-2-3-", "s-1-5-21-1-2-3-4"})
        EXPECT_FALSE(HasUserAccountForm(sid)) << sid;
}

TEST(AllowRequest, TheFolderComesBackWholeFromTheCommandLineAndEachExitCodeSaysWhatHappened)
{
    // The system's parser reads a backslash before the closing quotation mark
    // as escaping it; a drive's root ends in one.
    const struct {
        const char* folder;
        const char* parameters;
    } cases[] = {
        {"C:\\Program Files\\Game\\data", "--allow-changes \"C:\\Program Files\\Game\\data\" S-1-5-21-1-2-3-1001"},
        {"D:\\", "--allow-changes \"D:\\\\\" S-1-5-21-1-2-3-1001"},
        {"\\\\nas\\a b\\data", "--allow-changes \"\\\\nas\\a b\\data\" S-1-5-21-1-2-3-1001"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.parameters, AllowRequestParameters({c.folder, "S-1-5-21-1-2-3-1001"}));

    EXPECT_EQ(AllowOutcome::Allowed, OutcomeOfExitCode(kAllowedExitCode).kind);
    for (int code = 10; code <= 16; ++code) {
        AllowOutcome outcome = OutcomeOfExitCode(RefusalExitCode(static_cast<AllowRefusal>(code)));
        EXPECT_EQ(AllowOutcome::Refused, outcome.kind) << code;
        EXPECT_EQ(code, static_cast<int>(outcome.refusal));
    }
    AllowOutcome failed = OutcomeOfExitCode(FailureExitCode(1307));
    EXPECT_EQ(AllowOutcome::Failed, failed.kind);
    EXPECT_EQ(1307u, failed.error);
    for (uint32_t other : {1u, 9u, 17u, 0xC0000005u, 0x20010005u})
        EXPECT_EQ(AllowOutcome::Unknown, OutcomeOfExitCode(other).kind)
            << std::hex << other << ": a crash is no answer";
}

}  // namespace
