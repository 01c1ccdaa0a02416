#include "changes/change_steps.h"

#include <shellapi.h>

#include "mods/mod_names.h"
#include "shared/busy.h"
#include "shared/folder_listing.h"
#include "shared/text_conversion.h"
#include "shared/window_state.h"

namespace {

std::wstring WidePath(const std::string& folder, const std::string& name)
{
    return ToWide(PathOfName(folder, name), CP_ACP);
}

// The rename of Enable and Disable: in the same folder, never over a file,
// never to a name the file system would cut.
bool Rename(const std::string& folder, const std::string& from, const std::string& to, DWORD& error)
{
    if (!NameKeptWhole(to)) {
        error = ERROR_FILENAME_EXCED_RANGE;
        return false;
    }
    if (MoveFileExW(WidePath(folder, from).c_str(), WidePath(folder, to).c_str(), 0))
        return true;
    error = GetLastError();
    return false;
}

bool Recycle(const std::string& folder, const std::string& name, DWORD& error)
{
    std::wstring from = WidePath(folder, name) + L'\0';  // a list of names, ended by an empty one
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = MainWindow;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_NOERRORUI | FOF_SILENT;
    BusyScope busy;  // the system's question, when it asks one
    int result = SHFileOperationW(&operation);
    if (result == 0 && !operation.fAnyOperationsAborted && !PathExists(JoinPath(folder, name)))
        return true;
    error = result != 0 ? static_cast<DWORD>(result) : ERROR_CANCELLED;
    return false;
}

// A temporary copy of the tool's own, also when it took the read-only
// attribute of the version it was put back from.
bool Remove(const std::string& folder, const std::string& name, DWORD& error)
{
    std::wstring path = WidePath(folder, name);
    if (DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND)
        return true;
    error = GetLastError();
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (error != ERROR_ACCESS_DENIED || attributes == INVALID_FILE_ATTRIBUTES ||
        !(attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    if (SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) && DeleteFileW(path.c_str()))
        return true;
    error = GetLastError();
    SetFileAttributesW(path.c_str(), attributes);
    return false;
}

// `replacement` takes the name `replaced`, whose file is kept as `backup`.
// Windows refuses to replace a read-only file (an archive copied from a
// disc): its attribute is taken off for the call and set again on both
// versions, the new one under the name and the one kept; a failed call
// leaves it as it was.
bool Replace(const std::string& folder, const ChangeStep& step, DWORD& error)
{
    std::wstring replaced = WidePath(folder, step.first), backup = WidePath(folder, step.third);
    DWORD attributes = GetFileAttributesW(replaced.c_str());
    bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly && !SetFileAttributesW(replaced.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
        error = GetLastError();
        return false;
    }
    if (!ReplaceFileW(replaced.c_str(), WidePath(folder, step.second).c_str(), backup.c_str(), 0, NULL, NULL)) {
        error = GetLastError();
        DWORD kept = GetFileAttributesW(backup.c_str());  // the old version, moved there after all
        if (readOnly && kept == INVALID_FILE_ATTRIBUTES)
            SetFileAttributesW(replaced.c_str(), attributes);
        else if (readOnly)
            SetFileAttributesW(backup.c_str(), kept | FILE_ATTRIBUTE_READONLY);
        return false;
    }
    if (readOnly) {
        for (const std::wstring& path : {replaced, backup}) {
            DWORD now = GetFileAttributesW(path.c_str());
            if (now != INVALID_FILE_ATTRIBUTES)
                SetFileAttributesW(path.c_str(), now | FILE_ATTRIBUTE_READONLY);
        }
    }
    return true;
}

}  // namespace

bool RunStep(const std::string& folder, const ChangeStep& step, const CopyIn& copyIn, DWORD& error)
{
    error = ERROR_SUCCESS;
    switch (step.kind) {
    case ChangeStepKind::Rename: return Rename(folder, step.first, step.second, error);
    case ChangeStepKind::Replace: return Replace(folder, step, error);
    case ChangeStepKind::Recycle: return Recycle(folder, step.first, error);
    case ChangeStepKind::Copy:
        error = copyIn ? copyIn(step.first, JoinPath(folder, step.second)) : ERROR_INVALID_FUNCTION;
        return error == ERROR_SUCCESS;
    case ChangeStepKind::Remove: return Remove(folder, step.first, error);
    }
    return false;
}

bool RunRepair(const std::string& folder, const RepairMove& move, DWORD& error)
{
    error = ERROR_SUCCESS;
    switch (move.kind) {
    case RepairKind::Rename: return Rename(folder, move.from, move.to, error);
    case RepairKind::Recycle: return Recycle(folder, move.from, error);
    case RepairKind::Remove: return Remove(folder, move.from, error);
    }
    return false;
}
