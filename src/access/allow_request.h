// The narrow request the tool, started normally, makes of itself started as
// administrator: allow changes to one mod folder for one account. Its command
// line and the exit code that answers it. Pure string logic.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

extern const char kAllowChangesSwitch[];  // "--allow-changes"

struct AllowRequest {
    std::string folder;   // a full path, UTF-8
    std::string account;  // the account's SID in its string form ("S-1-5-21-...")
};

// True when the arguments after the program's name ask for the elevated part:
// the first is the switch. The program takes no other arguments; anything
// else starts it as usual.
bool AsksToAllowChanges(const std::vector<std::string>& arguments);

// Exactly the switch, a folder and an account; nothing for anything else.
std::optional<AllowRequest> ParseAllowRequest(const std::vector<std::string>& arguments);

// The arguments of the request as a command line: the switch, the folder
// quoted as the system's command-line parser reads it back whole, the account.
std::string AllowRequestParameters(const AllowRequest& request);

// True for the string form of a user account's SID of a machine or a domain
// ("S-1-5-21-" and four numbers) or of Microsoft Entra ("S-1-12-1-" and four
// numbers). Well-known groups (Everyone S-1-1-0, Users S-1-5-32-545,
// Authenticated Users S-1-5-11, ...) have no such form; a domain's groups do,
// so the elevated part also asks the system that the SID is a user's.
bool HasUserAccountForm(const std::string& sid);

// Why the elevated part refused; each has an exit code of its own.
enum class AllowRefusal {
    Arguments = 10,       // not exactly the switch, a full folder path and an account
    Account = 11,         // not a user account's SID
    NotAFolder = 12,      // missing, or a file
    Root = 13,            // a drive's or a share's root
    WindowsFolder = 14,   // the Windows folder or a folder in it
    ProgramFolder = 15,   // Program Files or Program Files (x86) itself
    NotAGameFolder = 16,  // none of the game's own archives in it, no bin\H5_Game.exe beside it
};

const uint32_t kAllowedExitCode = 0;
uint32_t RefusalExitCode(AllowRefusal refusal);
// A failure carries the system's error code (its low 16 bits), marked by the
// bit that Windows leaves to applications, so that no crash code is taken
// for one.
uint32_t FailureExitCode(uint32_t systemError);

// What an exit code of the elevated part says.
struct AllowOutcome {
    enum Kind { Allowed, Refused, Failed, Unknown } kind;
    AllowRefusal refusal;  // for Refused
    uint32_t error;        // the system's error for Failed; the exit code for Unknown
};
AllowOutcome OutcomeOfExitCode(uint32_t exitCode);
