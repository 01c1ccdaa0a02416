// Asking Windows to start the elevated part: the request, the one prompt,
// and the wait for its answer with the window painted meanwhile.
#pragma once

#include <windows.h>

#include <string>

struct ElevationRequest {
    std::wstring verb;        // "runas"
    std::wstring file;        // this program
    std::wstring parameters;  // AllowRequestParameters
};

struct ElevationResult {
    DWORD startError;  // ERROR_SUCCESS; ERROR_CANCELLED when the prompt was answered No; WAIT_TIMEOUT
    DWORD exitCode;    // of the elevated part, when it started and ended
};

// How the request is carried out: ShellExecuteAndWait, which tests replace
// (Windows' prompt cannot be shown or answered under Wine).
using ElevationRunner = ElevationResult (*)(const ElevationRequest& request, HWND owner);
extern ElevationRunner RunElevated;

// Starts the request with ShellExecuteExW (the prompt owned by `owner`) and
// waits at most two minutes for its end, handling the thread's messages
// meanwhile so that the window repaints; the owner takes no input meanwhile.
ElevationResult ShellExecuteAndWait(const ElevationRequest& request, HWND owner);

// The SID of the account this process runs as (its token's user), in string
// form; "" when it cannot be read. The tool started normally passes its own:
// an elevated process of a standard user runs as the administrator who typed
// the password, not as the player.
std::string CurrentAccountSid();

// The request that allows changes to `folder` (a full path in the process
// code page) for `account`.
ElevationRequest AllowChangesRequest(const std::string& folder, const std::string& account);
