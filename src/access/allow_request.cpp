#include "access/allow_request.h"

#include "shared/path_text.h"

const char kAllowChangesSwitch[] = "--allow-changes";

namespace {

const uint32_t kFailureMark = 0x20000000;  // the customer bit of an NTSTATUS-like code
const uint32_t kFailureMask = 0xFFFF0000;

// "123" with at most ten digits and below 2^32: one sub-authority of a SID.
bool IsSubAuthority(const std::string& text)
{
    if (text.empty() || text.size() > 10)
        return false;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value <= 0xFFFFFFFFull;
}

}  // namespace

bool AsksToAllowChanges(const std::vector<std::string>& arguments)
{
    return !arguments.empty() && arguments[0] == kAllowChangesSwitch;
}

std::optional<AllowRequest> ParseAllowRequest(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 3 || arguments[0] != kAllowChangesSwitch || arguments[1].empty() ||
        arguments[2].empty())
        return std::nullopt;
    return AllowRequest{arguments[1], arguments[2]};
}

// The rules of the system's parser: backslashes are literal unless they stand
// before a quotation mark, where each one counts twice and a quotation mark
// of the text needs one of its own.
std::string AllowRequestParameters(const AllowRequest& request)
{
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : request.folder) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return std::string(kAllowChangesSwitch) + " " + quoted + " " + request.account;
}

bool HasUserAccountForm(const std::string& sid)
{
    std::vector<std::string> parts = SplitAt(sid, '-');
    // "S", "1", the authority, its first sub-authority, then four numbers.
    if (parts.size() != 8 || parts[0] != "S" || parts[1] != "1")
        return false;
    bool machineOrDomain = parts[2] == "5" && parts[3] == "21";
    bool entra = parts[2] == "12" && parts[3] == "1";
    if (!machineOrDomain && !entra)
        return false;
    for (size_t i = 4; i < parts.size(); ++i)
        if (!IsSubAuthority(parts[i]))
            return false;
    return true;
}

uint32_t RefusalExitCode(AllowRefusal refusal)
{
    return static_cast<uint32_t>(refusal);
}

uint32_t FailureExitCode(uint32_t systemError)
{
    return kFailureMark | (systemError & 0xFFFF);
}

AllowOutcome OutcomeOfExitCode(uint32_t exitCode)
{
    if (exitCode == kAllowedExitCode)
        return {AllowOutcome::Allowed, AllowRefusal::Arguments, 0};
    if (exitCode >= RefusalExitCode(AllowRefusal::Arguments) &&
        exitCode <= RefusalExitCode(AllowRefusal::NotAGameFolder))
        return {AllowOutcome::Refused, static_cast<AllowRefusal>(exitCode), 0};
    if ((exitCode & kFailureMask) == kFailureMark)
        return {AllowOutcome::Failed, AllowRefusal::Arguments, exitCode & 0xFFFF};
    return {AllowOutcome::Unknown, AllowRefusal::Arguments, exitCode};
}
