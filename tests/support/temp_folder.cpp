#include "temp_folder.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "shared/folder_listing.h"
#include "shared/text_conversion.h"

namespace {

// The path in the wide form that lifts the 260-character limit.
std::wstring LongPath(const std::string& path)
{
    std::wstring wide = ToWide(path, CP_UTF8);
    if (wide.compare(0, 4, L"\\\\?\\") == 0)
        return wide;
    return L"\\\\?\\" + wide;
}

// Short paths as they are, so that the system normalises them; long ones with
// the prefix.
std::wstring FilePath(const std::string& path)
{
    return path.size() < 248 ? ToWide(path, CP_UTF8) : LongPath(path);
}

}  // namespace

bool WriteFileBytes(const std::string& path, const std::string& content)
{
    HANDLE file =
        CreateFileW(FilePath(path).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, NULL);
    CloseHandle(file);
    return ok && written == content.size();
}

bool MakeLargeFile(const std::string& path, unsigned long long size)
{
    HANDLE file =
        CreateFileW(FilePath(path).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    bool made = SetFilePointerEx(file, end, NULL, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return made;
}

unsigned long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(FilePath(path).c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void SetWrittenOn(const std::string& path, unsigned short year, unsigned short month, unsigned short day)
{
    SYSTEMTIME noon = {year, month, 0, day, 12, 0, 0, 0};
    FILETIME local, utc;
    SystemTimeToFileTime(&noon, &local);
    LocalFileTimeToFileTime(&local, &utc);
    HANDLE file =
        CreateFileW(FilePath(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    SetFileTime(file, NULL, NULL, &utc);
    CloseHandle(file);
}

std::string ReadFileBytes(const std::string& path)
{
    HANDLE file = CreateFileW(FilePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return "<unreadable>";
    std::string content;
    char block[65536];
    DWORD got = 0;
    while (ReadFile(file, block, sizeof block, &got, NULL) && got > 0)
        content.append(block, got);
    CloseHandle(file);
    return content;
}

namespace {

void EmptyLongFolder(const std::wstring& folder)
{
    std::wstring base = folder.back() == L'\\' ? folder : folder + L"\\";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((base + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        std::wstring child = base + name;
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            EmptyLongFolder(child);
            RemoveDirectoryW(child.c_str());
        } else {
            DeleteFileW(child.c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

void EmptyFolder(const std::string& path)
{
    EmptyLongFolder(LongPath(path));
}

void RemoveTree(const std::string& path)
{
    EmptyFolder(path);
    RemoveDirectoryW(LongPath(path).c_str());
}

TempFolder::TempFolder()
{
    static unsigned counter;
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    // A folder that an earlier run left under the same name is not reused.
    do {
        path_ = std::string(base) + "qmm-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++counter);
    } while (!CreateDirectoryA(path_.c_str(), NULL) && GetLastError() == ERROR_ALREADY_EXISTS);
}

TempFolder::~TempFolder()
{
    RemoveTree(path_);
}

std::string TempFolder::Path(const std::string& name) const
{
    return path_ + "\\" + name;
}

void TempFolder::Write(const std::string& name, const std::string& content) const
{
    WriteFileBytes(Path(name), content);
}

void TempFolder::MakeFolder(const std::string& name) const
{
    CreateDirectoryW(FilePath(Path(name)).c_str(), NULL);
}

std::string TempFolder::Read(const std::string& name) const
{
    return ReadFileBytes(Path(name));
}

bool TempFolder::Exists(const std::string& name) const
{
    return GetFileAttributesW(FilePath(Path(name)).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> TempFolder::Names(const std::string& subfolder) const
{
    return FolderNames(subfolder.empty() ? path_ : Path(subfolder));
}

std::map<std::string, std::string> TempFolder::Contents() const
{
    std::map<std::string, std::string> contents;
    ForEachEntry(path_, "*", [this, &contents](const FolderEntry& found) {
        bool folder = found.attributes & FILE_ATTRIBUTE_DIRECTORY;
        contents[found.name] = folder ? "(folder)" : Read(found.name);
    });
    return contents;
}

std::vector<std::string> FolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    ForEachEntry(folder, "*", [&names](const FolderEntry& found) { names.push_back(found.name); });
    std::sort(names.begin(), names.end());
    return names;
}

bool DriveRoot::Available() const
{
    return GetDriveTypeA("Q:\\") != DRIVE_NO_ROOT_DIR;
}

DriveRoot::~DriveRoot()
{
    // Only the drive's content: removing its root would remove the folder
    // that the drive is mapped to, and with it the drive.
    if (Available())
        EmptyFolder(Root());
}

std::string TestProgramFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

size_t CountWithExtension(const std::vector<std::string>& names, const char* extension)
{
    size_t count = 0, length = std::strlen(extension);
    for (const std::string& name : names)
        count += name.size() > length && name.compare(name.size() - length, length, extension) == 0;
    return count;
}

HeldOpen::HeldOpen(const std::string& path)
    : file_(CreateFileW(ToWide(path, CP_UTF8).c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL))
{
}

HeldOpen::~HeldOpen()
{
    if (Held())
        CloseHandle(file_);
}

bool HeldOpen::Held() const
{
    return file_ != INVALID_HANDLE_VALUE;
}
