#include "updates/version_steps.h"

#include <shellapi.h>

#include <memory>
#include <unordered_set>

#include "mods/mod_names.h"
#include "shared/busy.h"
#include "shared/folder_listing.h"
#include "shared/text_conversion.h"
#include "shared/window_state.h"
#include "updates/version_journal.h"

namespace {

const char kVersionLockName[] = "QuillmoorModManager mod version change";

std::wstring WidePath(const std::string& folder, const std::string& name)
{
    return ToWide(JoinPath(folder, name), CP_ACP);
}

// A file, or a folder with what it holds, as one item of the Recycle Bin:
// where the drive has none, the system asks once for it.
bool Recycle(const std::string& folder, const std::string& name)
{
    std::wstring from = WidePath(folder, name) + L'\0';  // a list of names, ended by an empty one
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = MainWindow;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_NOERRORUI | FOF_SILENT;
    BusyScope busy;  // the system's question, when it asks one
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted &&
           GetFileAttributesW(from.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool RunStep(const std::string& folder, const VersionStep& step, DWORD& error)
{
    BOOL done = FALSE;
    switch (step.kind) {
    case VersionStepKind::Recycle: done = Recycle(folder, step.first); break;
    case VersionStepKind::Rename:
        // The rename of Enable and Disable: in the same folder, never over a file.
        done = MoveFileExW(WidePath(folder, step.first).c_str(), WidePath(folder, step.second).c_str(), 0);
        break;
    case VersionStepKind::Replace:
        done = ReplaceFileW(WidePath(folder, step.first).c_str(), WidePath(folder, step.second).c_str(),
                            WidePath(folder, step.third).c_str(), 0, NULL, NULL);
        break;
    }
    error = done ? ERROR_SUCCESS : GetLastError();
    return done != FALSE;
}

bool RunMove(const std::string& folder, const NameMove& move)
{
    if (move.to.empty())
        return Recycle(folder, move.from);
    return MoveFileExW(WidePath(folder, move.from).c_str(), WidePath(folder, move.to).c_str(), 0) != FALSE;
}

std::function<bool(const std::string&)> NamesPresent(const std::string& folder)
{
    auto names = std::make_shared<std::unordered_set<std::string>>();
    ForEachEntry(folder, "*", [&names](const FolderEntry& found) { names->insert(FoldedKey(found.name)); });
    return [names, folder](const std::string& name) {
        // A name inside the older version's folder: that small folder is asked.
        if (name.find('\\') != std::string::npos)
            return GetFileAttributesW(WidePath(folder, name).c_str()) != INVALID_FILE_ATTRIBUTES;
        return names->count(FoldedKey(name)) > 0;
    };
}

bool UndoMoves(const std::string& folder, const std::vector<VersionStep>& steps, size_t made)
{
    // The journal follows each move back, so that an undo that stops midway
    // is taken up from where it stopped.
    std::vector<NameMove> all = MovesToFinish(steps, 0);
    for (size_t left = made; left-- > 0;) {
        if (all[left].to.empty())
            continue;  // what went to the Recycle Bin stays there
        if (!RunMove(folder, {all[left].to, all[left].from}))
            return false;
        NoteStepsDone(StepsDone(steps, left));
    }
    return true;
}

VersionLock::VersionLock() : NamedLock(kVersionLockName) {}
