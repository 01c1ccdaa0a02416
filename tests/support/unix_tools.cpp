#include "unix_tools.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "shared/folder_listing.h"
#include "shared/text_conversion.h"
#include "temp_folder.h"
#include "window_text.h"

namespace {

bool StartUnixCommand(std::string commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    // For a Unix program Wine fills in no handles, but leaves what the memory
    // held: closing those would close handles of this process (its standard
    // output, seen). So nothing is closed.
    PROCESS_INFORMATION process = {};
    return CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process) != FALSE;
}

bool FolderTakesNewEntries(const std::string& folder)
{
    std::string probe = folder + "\\qmm-probe";
    // A probe made just before the folder locked could not be removed then.
    RemoveDirectoryA(probe.c_str());
    if (!CreateDirectoryA(probe.c_str(), NULL))
        return false;
    RemoveDirectoryA(probe.c_str());
    return true;
}

const ULONGLONG kSmallDisk = 1 << 20;
const ULONGLONG kNtfsVolume = 16 << 20;

ULONGLONG DiskSize(const std::string& folder)
{
    ULARGE_INTEGER available, total, free;
    if (!GetDiskFreeSpaceExA((folder + "\\").c_str(), &available, &total, &free))
        return 0;
    return total.QuadPart;
}

}  // namespace

std::string UnixPath(const std::string& windowsPath)
{
    typedef char*(CDECL * UnixName)(const WCHAR*);
    UnixName toUnix = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix)
        return "";
    char* unixName = toUnix(ToWide(windowsPath, CP_ACP).c_str());
    if (!unixName)
        return "";
    std::string path = unixName;
    HeapFree(GetProcessHeap(), 0, unixName);
    return path;
}

bool MakeFileFromUnix(const std::string& path)
{
    // The folder's Unix path: Windows would take the whole path for the device.
    std::string folder = path.substr(0, path.find_last_of('\\')), name = path.substr(folder.size() + 1);
    std::string unixFolder = UnixPath(folder);
    return !unixFolder.empty() && StartUnixCommand("/usr/bin/touch \"" + unixFolder + "/" + name + "\"") &&
           // Listed, not looked up: a lookup of a device name always succeeds.
           WaitUntil(
               [&] {
                   std::vector<std::string> names = FolderNames(folder);
                   return std::find(names.begin(), names.end(), name) != names.end();
               },
               5000);
}

bool WriteFileFromUnix(const std::string& path, const std::string& content)
{
    std::string folder = path.substr(0, path.find_last_of('\\')), name = path.substr(folder.size() + 1);
    std::string unixFolder = UnixPath(folder);
    return !unixFolder.empty() &&
           StartUnixCommand("/bin/sh -c \"printf %s '" + content + "' > '" + unixFolder + "/" + name +
                            "' 2>/dev/null\"") &&
           WaitUntil([&] { return ReadFileBytes(path) == content; }, 5000);
}

bool CanMakeRootFaults()
{
    const char* allowed = std::getenv("QMM_ROOT_FAULTS");
    return allowed && std::string(allowed) == "1" && !UnixPath("C:\\").empty();
}

bool SetFolderImmutable(const std::string& folder, bool immutable)
{
    std::string unixFolder = UnixPath(folder);
    auto set = [&](bool on) {
        return StartUnixCommand(std::string("/usr/bin/chattr ") + (on ? "+i" : "-i") + " \"" + unixFolder +
                                "\"") &&
               WaitUntil([&] { return FolderTakesNewEntries(folder) != on; }, 5000);
    };
    if (unixFolder.empty() || !set(immutable))
        return false;
    // The folder may have locked between the probe's creation and its removal:
    // opened again, the probe goes, and the folder is locked without it.
    for (int tries = 0; immutable && PathExists(folder + "\\qmm-probe") && tries < 3; ++tries)
        if (!set(false) || !set(true))
            return false;
    return !(immutable && PathExists(folder + "\\qmm-probe"));
}

namespace {

std::string OwnerOf(const std::string& folder)
{
    PSID owner = NULL;
    PSECURITY_DESCRIPTOR descriptor = NULL;
    LPSTR text = NULL;
    std::string sid;
    if (GetNamedSecurityInfoA(folder.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, NULL, NULL, NULL,
                              &descriptor) == ERROR_SUCCESS &&
        ConvertSidToStringSidA(owner, &text))
        sid = text;
    LocalFree(text);
    LocalFree(descriptor);
    return sid;
}

}  // namespace

bool GiveFolderToNobody(const std::string& folder)
{
    std::string unixFolder = UnixPath(folder), before = OwnerOf(folder);
    return !unixFolder.empty() && StartUnixCommand("/bin/chown 65534:65534 \"" + unixFolder + "\"") &&
           WaitUntil([&] { return OwnerOf(folder) != before; }, 5000);
}

bool MountSmallDisk(const std::string& folder)
{
    std::string unixFolder = UnixPath(folder);
    return !unixFolder.empty() &&
           StartUnixCommand("/bin/mount -t tmpfs -o size=64k tmpfs \"" + unixFolder + "\"") &&
           WaitUntil([&] { return DiskSize(folder) <= kSmallDisk; }, 5000);
}

bool UnmountSmallDisk(const std::string& folder)
{
    std::string unixFolder = UnixPath(folder);
    return !unixFolder.empty() && StartUnixCommand("/bin/umount -l \"" + unixFolder + "\"") &&
           WaitUntil([&] { return DiskSize(folder) > kSmallDisk; }, 5000);
}

namespace {

// The volume's image, beside the folder it is mounted over.
std::string ImageOf(const std::string& unixFolder)
{
    return unixFolder + ".ntfs";
}

}  // namespace

NtfsVolume::NtfsVolume(const std::string& folder) : folder_(folder), mounted_(false)
{
    std::string unixFolder = UnixPath(folder), image = ImageOf(unixFolder);
    mounted_ = !unixFolder.empty() &&
               StartUnixCommand("/bin/sh -c \"{ truncate -s " + std::to_string(kNtfsVolume) + " '" + image +
                                "' && mkntfs -F -q -Q '" + image + "' && ntfs-3g '" + image + "' '" + unixFolder +
                                "'; } </dev/null >/dev/null 2>&1\"") &&
               WaitUntil([&] { return DiskSize(folder) <= kNtfsVolume; }, 5000);
}

NtfsVolume::~NtfsVolume()
{
    std::string unixFolder = UnixPath(folder_);
    if (!unixFolder.empty() && StartUnixCommand("/bin/sh -c \"{ umount -l '" + unixFolder + "'; rm -f '" +
                                                ImageOf(unixFolder) + "'; } </dev/null >/dev/null 2>&1\""))
        WaitUntil([&] { return DiskSize(folder_) > kNtfsVolume; }, 5000);
}
