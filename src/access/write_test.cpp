#include "access/write_test.h"

#include <vector>

#include "shared/folder_listing.h"
#include "shared/text_conversion.h"

const char kWriteTestPrefix[] = "~qmm-write-test-";

namespace {

unsigned counter;  // one name per test of this process

std::wstring TestName(const char* ending)
{
    return ToWide(
        kWriteTestPrefix + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter) + ending, CP_ACP);
}

// Errors that say nothing about the folder's permissions: it is gone, the
// path is too long for the test's name, or a file of that name is there.
bool TellsNothing(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return true;
    }
    return false;
}

// Renames the open file to `to` in the same folder, never over another file.
bool RenameOpenFile(HANDLE file, const std::wstring& to, DWORD& error)
{
    std::vector<BYTE> buffer(sizeof(FILE_RENAME_INFO) + to.size() * sizeof(WCHAR));
    FILE_RENAME_INFO* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = FALSE;
    rename->RootDirectory = NULL;
    rename->FileNameLength = static_cast<DWORD>(to.size() * sizeof(WCHAR));
    to.copy(rename->FileName, to.size());
    if (SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(buffer.size())))
        return true;
    error = GetLastError();
    return false;
}

}  // namespace

FolderWrite TestFolderWrite(const std::string& folder)
{
    std::wstring base = ToWide(folder, CP_ACP);
    if (!base.empty() && base.back() != L'\\')
        base += L'\\';
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILE_EXISTS;
    std::wstring path;
    // A file of the test's name is no file of the player's; another name is
    // tried when one is there (left by another copy of the tool that runs).
    for (int attempt = 0; attempt < 4 && file == INVALID_HANDLE_VALUE && error == ERROR_FILE_EXISTS; ++attempt) {
        ++counter;
        path = base + TestName(".tmp");
        file = CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, NULL, CREATE_NEW,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
        error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    }
    if (file == INVALID_HANDLE_VALUE)
        return {!TellsNothing(error), false, error};

    // Enable and Disable rename: on Windows a folder may take new files and
    // still refuse that. Only a refusal counts; a file system without the
    // call leaves the answer to the creation. Under Wine one permission of the
    // Linux folder allows both, and each new name costs a scan of the whole
    // folder: the creation tells all.
    FolderWrite result = {true, true, ERROR_SUCCESS};
    if (!UnderWine() && !RenameOpenFile(file, base + TestName("-renamed.tmp"), error) &&
        (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT))
        result = {true, false, error};
    CloseHandle(file);  // removes it, under whichever name it has
    return result;
}
