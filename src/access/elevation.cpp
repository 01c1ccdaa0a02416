#include "access/elevation.h"

#include <sddl.h>
#include <shellapi.h>

#include <vector>

#include "access/allow_request.h"
#include "shared/busy.h"
#include "shared/text_conversion.h"

ElevationRunner RunElevated = ShellExecuteAndWait;

namespace {

const DWORD kLongestWaitMs = 120000;

std::wstring ThisProgram()
{
    std::vector<WCHAR> path(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(NULL, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size())
            return std::wstring(path.data(), length);
        path.resize(path.size() * 2);
    }
}

// Waits for the process, handling this thread's messages; false after the bound.
bool WaitHandlingMessages(HANDLE process)
{
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= kLongestWaitMs)
            return false;
        DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, kLongestWaitMs - elapsed, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0)
            return true;
        if (woken != WAIT_OBJECT_0 + 1)
            return woken == WAIT_TIMEOUT ? false : WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        MSG message;
        while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

}  // namespace

ElevationResult ShellExecuteAndWait(const ElevationRequest& request, HWND owner)
{
    SHELLEXECUTEINFOW execute = {};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    execute.hwnd = owner;
    execute.lpVerb = request.verb.c_str();
    execute.lpFile = request.file.c_str();
    execute.lpParameters = request.parameters.c_str();
    execute.nShow = SW_HIDE;
    InputHeld held;  // the prompt and the wait are the tool's
    if (!ShellExecuteExW(&execute))
        return {GetLastError(), 0};
    if (!execute.hProcess)
        return {ERROR_INVALID_HANDLE, 0};
    ElevationResult result = {WAIT_TIMEOUT, 0};
    if (WaitHandlingMessages(execute.hProcess) && GetExitCodeProcess(execute.hProcess, &result.exitCode))
        result.startError = ERROR_SUCCESS;
    CloseHandle(execute.hProcess);
    return result;
}

std::string CurrentAccountSid()
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return "";
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, NULL, 0, &size);
    std::vector<BYTE> user(size);
    LPWSTR text = NULL;
    std::string sid;
    if (size && GetTokenInformation(token, TokenUser, user.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &text))
        sid = FromWide(text, CP_UTF8);
    LocalFree(text);
    CloseHandle(token);
    return sid;
}

ElevationRequest AllowChangesRequest(const std::string& folder, const std::string& account)
{
    std::string utf8 = FromWide(ToWide(folder, CP_ACP), CP_UTF8);
    return {L"runas", ThisProgram(), ToWide(AllowRequestParameters({utf8, account}), CP_UTF8)};
}
