#include "changes/journal_home.h"

#include <shlobj.h>

#include "shared/text_conversion.h"

const wchar_t kChangeJournalFile[] = L"change journal";
const wchar_t kProblemSearchFile[] = L"problem search";

namespace {

const wchar_t kHomeName[] = L"Quillmoor Mod Manager";
const wchar_t kNewSuffix[] = L".new";
const DWORD kMostBytes = 256u << 20;

std::wstring PathOf(const wchar_t* name)
{
    std::wstring home = JournalHome();
    return home.empty() ? home : home + L'\\' + name;
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL) &&
           written == bytes.size();
}

}  // namespace

std::wstring JournalHome()
{
    wchar_t base[MAX_PATH];
    if (FAILED(SHGetFolderPathW(NULL, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, NULL, SHGFP_TYPE_CURRENT, base)))
        return std::wstring();
    std::wstring home = std::wstring(base) + L'\\' + kHomeName;
    if (!CreateDirectoryW(home.c_str(), NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
        return std::wstring();
    return home;
}

std::optional<std::string> ReadHomeFile(const wchar_t* name, bool* unreadable)
{
    if (unreadable)
        *unreadable = false;
    std::wstring path = PathOf(name);
    HANDLE file = path.empty() ? INVALID_HANDLE_VALUE
                               : CreateFileW(path.c_str(), GENERIC_READ,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                             OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return std::nullopt;
        if (unreadable)
            *unreadable = true;
        return std::string();
    }
    LARGE_INTEGER size = {};
    std::string bytes;
    bool read = GetFileSizeEx(file, &size) && size.QuadPart <= kMostBytes;
    if (read) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        read = bytes.empty() ||
               (ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, NULL) && got == bytes.size());
    }
    CloseHandle(file);
    if (!read && unreadable)
        *unreadable = true;
    return read ? FromUtf8(bytes) : std::string();
}

bool WriteHomeFile(const wchar_t* name, const std::string& text, DWORD* error)
{
    std::wstring path = PathOf(name);
    if (path.empty()) {
        if (error)
            *error = ERROR_PATH_NOT_FOUND;
        return false;
    }
    std::wstring fresh = path + kNewSuffix;
    HANDLE file = CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    bool written = file != INVALID_HANDLE_VALUE && WriteAll(file, ToUtf8(text)) && FlushFileBuffers(file);
    DWORD why = written ? ERROR_SUCCESS : GetLastError();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (written && !MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        written = false;
        why = GetLastError();
    }
    if (!written)
        DeleteFileW(fresh.c_str());
    if (error)
        *error = why;
    return written;
}

bool RemoveHomeFile(const wchar_t* name)
{
    std::wstring path = PathOf(name);
    if (path.empty())
        return true;
    return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
           GetLastError() == ERROR_PATH_NOT_FOUND;
}

HomeFileAppender::HomeFileAppender(const wchar_t* name) : file_(INVALID_HANDLE_VALUE)
{
    std::wstring path = PathOf(name);
    if (!path.empty())
        file_ = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_DELETE, NULL,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
}

HomeFileAppender::~HomeFileAppender()
{
    Close();
}

bool HomeFileAppender::Append(const std::string& line, bool flush)
{
    return Open() && WriteAll(file_, ToUtf8(line)) && (!flush || FlushFileBuffers(file_));
}

void HomeFileAppender::Close()
{
    if (file_ != INVALID_HANDLE_VALUE)
        CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
}
