#include "access/allow_changes.h"

#include <sddl.h>
#include <shellapi.h>

#include <vector>

#include "access/access_rules.h"
#include "access/folder_security.h"
#include "access/write_causes.h"
#include "launcher/game_path.h"
#include "mods/mod_names.h"
#include "shared/text_conversion.h"

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

std::wstring Wide(const std::string& utf8)
{
    return ToWide(utf8, CP_UTF8);
}

bool HoldsGameArchive(const std::string& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Wide(JoinPath(folder, "*.pak")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool holds = false;
    do
        holds = !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                IsBaseArchive(FromWide(found.cFileName, CP_UTF8));
    while (!holds && FindNextFileW(search, &found));
    FindClose(search);
    return holds;
}

bool HasGameBeside(const std::string& folder)
{
    std::optional<GameLaunch> game = GameLaunchFor(folder);
    DWORD attributes = game ? GetFileAttributesW(Wide(game->executable).c_str()) : INVALID_FILE_ATTRIBUTES;
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Where the handle's folder really is, links followed; the path asked for
// when the system cannot say.
std::string FinalPath(HANDLE folder, const std::string& asked)
{
    std::vector<WCHAR> path(MAX_PATH);
    DWORD length =
        GetFinalPathNameByHandleW(folder, path.data(), static_cast<DWORD>(path.size()), VOLUME_NAME_DOS);
    if (length >= path.size()) {
        path.resize(length + 1);
        length = GetFinalPathNameByHandleW(folder, path.data(), static_cast<DWORD>(path.size()), VOLUME_NAME_DOS);
    }
    if (!length || length >= path.size())
        return asked;
    std::optional<std::string> normal = NormalFinalPath(FromWide(std::wstring(path.data(), length), CP_UTF8));
    return normal ? *normal : asked;
}

// Opens the folder with `access` into `opened` and checks it: the refusal, or
// nothing with `error` set when it could not be opened or read.
std::optional<AllowRefusal> CheckFolder(const std::string& folder, DWORD access, HANDLE& opened, DWORD& error)
{
    opened = INVALID_HANDLE_VALUE;
    error = ERROR_SUCCESS;
    std::optional<std::string> normal = NormalFolderPath(folder);
    if (!normal)
        return AllowRefusal::Arguments;
    SystemFolders system = TheSystemFolders(CP_UTF8);
    if (std::optional<AllowRefusal> refusal = PathRefusal(*normal, system))
        return refusal;
    opened = CreateFileW(Wide(*normal).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (opened == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY ||
            error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH)
            return AllowRefusal::NotAFolder;
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(opened, &information)) {
        error = GetLastError();
        return std::nullopt;
    }
    if (!(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return AllowRefusal::NotAFolder;
    std::string reached = FinalPath(opened, *normal);
    if (std::optional<AllowRefusal> refusal = PathRefusal(reached, system))
        return refusal;
    if (!HoldsGameArchive(reached) && !HasGameBeside(reached))
        return AllowRefusal::NotAGameFolder;
    return std::nullopt;
}

// The account as a SID, when it is a user's; an empty one otherwise.
std::vector<BYTE> UserAccount(const std::string& account)
{
    std::vector<BYTE> sid;
    PSID converted = NULL;
    if (!HasUserAccountForm(account) || !ConvertStringSidToSidW(Wide(account).c_str(), &converted))
        return sid;
    WCHAR name[256], domain[256];
    DWORD nameLength = 256, domainLength = 256;
    SID_NAME_USE use;
    if (LookupAccountSidW(NULL, converted, name, &nameLength, domain, &domainLength, &use) && use == SidTypeUser) {
        BYTE* bytes = static_cast<BYTE*>(converted);
        sid.assign(bytes, bytes + GetLengthSid(converted));
    }
    LocalFree(converted);
    return sid;
}

}  // namespace

bool RunAllowChangesCommand(const wchar_t* commandLine, uint32_t& exitCode)
{
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(commandLine, &count);
    if (!words)
        return false;
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(FromWide(words[i], CP_UTF8));
    LocalFree(words);
    if (!AsksToAllowChanges(arguments))
        return false;
    std::optional<AllowRequest> request = ParseAllowRequest(arguments);
    exitCode = request ? AllowChanges(*request) : RefusalExitCode(AllowRefusal::Arguments);
    return true;
}

uint32_t AllowChanges(const AllowRequest& request)
{
    std::vector<BYTE> account = UserAccount(request.account);
    if (account.empty())
        return RefusalExitCode(AllowRefusal::Account);
    HANDLE opened;
    DWORD error;
    std::optional<AllowRefusal> refusal =
        CheckFolder(request.folder, READ_CONTROL | WRITE_DAC | FILE_READ_ATTRIBUTES, opened, error);
    Handle folder(opened);
    if (refusal)
        return RefusalExitCode(*refusal);
    if (error == ERROR_SUCCESS)
        error = AllowChangesOn(folder.Get(), account.data());
    return error == ERROR_SUCCESS ? kAllowedExitCode : FailureExitCode(error);
}

std::optional<AllowRefusal> RefusalOfFolder(const std::string& folder)
{
    HANDLE opened;
    DWORD error;
    std::optional<AllowRefusal> refusal = CheckFolder(folder, FILE_READ_ATTRIBUTES, opened, error);
    Handle closed(opened);
    return refusal;
}
