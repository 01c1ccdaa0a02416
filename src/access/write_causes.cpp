#include "access/write_causes.h"

#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <optional>

#include "access/elevation.h"
#include "shared/messages.h"
#include "shared/system_reason.h"
#include "shared/text_conversion.h"

namespace {

const wchar_t kControlledFolderAccessKey[] =
    L"SOFTWARE\\Microsoft\\Windows Defender\\Windows Defender Exploit Guard\\Controlled Folder Access";
const wchar_t kTrustedInstaller[] = L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

std::optional<std::string> Normal(const std::wstring& path, UINT codePage)
{
    return path.empty() ? std::nullopt : NormalFolderPath(FromWide(path, codePage));
}

std::wstring KnownFolder(int id)
{
    WCHAR path[MAX_PATH];
    return SUCCEEDED(SHGetFolderPathW(NULL, id | CSIDL_FLAG_DONT_VERIFY, NULL, SHGFP_TYPE_CURRENT, path)) ? path
                                                                                                          : L"";
}

std::wstring Environment(const wchar_t* name)
{
    WCHAR value[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

bool VolumeIsReadOnly(const std::wstring& folder)
{
    WCHAR volume[MAX_PATH];
    DWORD flags = 0;
    return GetVolumePathNameW(folder.c_str(), volume, MAX_PATH) &&
           GetVolumeInformationW(volume, NULL, 0, NULL, NULL, &flags, NULL, 0) && (flags & FILE_READ_ONLY_VOLUME);
}

bool IsSid(PSID sid, const std::wstring& text)
{
    PSID other = NULL;
    bool same = !text.empty() && ConvertStringSidToSidW(text.c_str(), &other) && EqualSid(sid, other);
    LocalFree(other);
    return same;
}

// The account's name as the system writes it ("PC\Name"), else its SID.
std::string AccountName(PSID sid)
{
    WCHAR name[256], domain[256];
    DWORD nameLength = 256, domainLength = 256;
    SID_NAME_USE use;
    if (LookupAccountSidW(NULL, sid, name, &nameLength, domain, &domainLength, &use))
        return FromWide(domainLength ? std::wstring(domain) + L"\\" + name : std::wstring(name), CP_ACP);
    LPWSTR text = NULL;
    std::string shown = ConvertSidToStringSidW(sid, &text) ? FromWide(text, CP_ACP) : std::string();
    LocalFree(text);
    return shown;
}

// The folder's owner when it is another user: not this account, nor
// Administrators, SYSTEM or TrustedInstaller, which own what installers put
// down. "" otherwise, and when the owner cannot be read.
std::string OtherOwner(const std::wstring& folder)
{
    PSID owner = NULL;
    PSECURITY_DESCRIPTOR descriptor = NULL;
    if (GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, NULL, NULL, NULL,
                              &descriptor) != ERROR_SUCCESS)
        return "";
    bool ours = IsSid(owner, ToWide(CurrentAccountSid(), CP_UTF8));
    bool system = IsSid(owner, L"BA") || IsSid(owner, L"SY") || IsSid(owner, kTrustedInstaller);
    std::string name = ours || system ? "" : AccountName(owner);
    LocalFree(descriptor);
    return name;
}

}  // namespace

SystemFolders TheSystemFolders(UINT codePage)
{
    SystemFolders folders;
    WCHAR windows[MAX_PATH];
    UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (std::optional<std::string> normal = Normal(length && length < MAX_PATH ? windows : L"", codePage))
        folders.windows = *normal;
    // A 32-bit program on a 64-bit system is told "Program Files (x86)" for
    // both known folders; the environment names the 64-bit one.
    for (const std::wstring& program :
         {KnownFolder(CSIDL_PROGRAM_FILES), KnownFolder(CSIDL_PROGRAM_FILESX86), Environment(L"ProgramW6432")})
        if (std::optional<std::string> normal = Normal(program, codePage))
            folders.programs.push_back(*normal);
    return folders;
}

bool ControlledFolderAccessOn()
{
    DWORD value = 0, size = sizeof value;
    return RegGetValueW(HKEY_LOCAL_MACHINE, kControlledFolderAccessKey, L"EnableControlledFolderAccess",
                        RRF_RT_REG_DWORD | RRF_SUBKEY_WOW6464KEY, NULL, &value, &size) == ERROR_SUCCESS &&
           value == 1;
}

WriteCauseText DescribeWriteFailure(const std::string& folder, DWORD error)
{
    std::wstring wide = ToWide(folder, CP_ACP);
    std::optional<std::string> normal = NormalFolderPath(folder);
    std::string program = normal ? ProgramFolderHolding(*normal, TheSystemFolders(CP_ACP)) : "";
    std::string owner = OtherOwner(wide);
    WriteFacts facts = {error, VolumeIsReadOnly(wide), !program.empty(), ControlledFolderAccessOn(),
                        !owner.empty()};
    WriteCauseChoice choice = ChooseWriteCause(facts);
    switch (choice.cause) {
    case WriteCause::ReadOnlyVolume: return {TextFor(Text::AccessCauseReadOnly), choice.offerAllow};
    case WriteCause::ProgramFolder: return {TextFor(Text::AccessCauseProgramFolder, {program}), choice.offerAllow};
    case WriteCause::ControlledFolderAccess:
        return {TextFor(Text::AccessCauseControlledFolderAccess), choice.offerAllow};
    case WriteCause::OtherOwner: return {TextFor(Text::AccessCauseOtherOwner, {owner}), choice.offerAllow};
    case WriteCause::System: break;
    }
    return {TextFor(Text::AccessCauseSystem, {SystemReasonLine(error)}), choice.offerAllow};
}
