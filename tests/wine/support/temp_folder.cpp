#include "temp_folder.h"

#include <windows.h>

#include <algorithm>

bool WriteFileBytes(const std::string& path, const std::string& content)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, NULL);
    CloseHandle(file);
    return ok && written == content.size();
}

std::string ReadFileBytes(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
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

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

TempFolder::TempFolder()
{
    static unsigned counter;
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    path_ = std::string(base) + "qmm-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), NULL);
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
    CreateDirectoryA(Path(name).c_str(), NULL);
}

std::string TempFolder::Read(const std::string& name) const
{
    return ReadFileBytes(Path(name));
}

bool TempFolder::Exists(const std::string& name) const
{
    return GetFileAttributesA(Path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> TempFolder::Names(const std::string& subfolder) const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Path(subfolder.empty() ? "*" : subfolder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool DriveRoot::Available() const
{
    return GetDriveTypeA("Q:\\") != DRIVE_NO_ROOT_DIR;
}

DriveRoot::~DriveRoot()
{
    // Empties the drive; its root itself cannot be removed.
    if (Available())
        RemoveTree("Q:");
}

std::string TestProgramFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}
