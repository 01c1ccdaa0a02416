#include "access/virtual_copy.h"

#include <windows.h>

#include <shlobj.h>

#include "access/write_test.h"
#include "changes/change_engine.h"
#include "changes/change_view.h"
#include "changes/move_in_rules.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"
#include "shared/text_conversion.h"
#include "shared/window_state.h"

namespace {

const size_t kNamesInAMessage = 10;

std::optional<std::string> VirtualCopy()
{
    WCHAR local[MAX_PATH], full[MAX_PATH];
    if (FAILED(SHGetFolderPathW(NULL, CSIDL_LOCAL_APPDATA, NULL, SHGFP_TYPE_CURRENT, local)))
        return std::nullopt;
    DWORD length = GetFullPathNameW(ToWide(ModDirectory, CP_ACP).c_str(), MAX_PATH, full, NULL);
    if (!length || length >= MAX_PATH)
        return std::nullopt;
    return VirtualCopyOf(FromWide(local, CP_ACP), FromWide(full, CP_ACP));
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    ForEachEntry(folder, "*", [&names](const FolderEntry& entry) {
        if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY) && IsMovableFile(entry.name))
            names.push_back(entry.name);
    });
    return names;
}

std::string Names(const std::vector<VirtualMod>& mods)
{
    std::vector<std::string> names;
    for (const VirtualMod& mod : mods)
        names.insert(names.end(), mod.files.begin(), mod.files.end());
    return NameList(names, kNamesInAMessage);
}

// Each mod moved whole, or left whole; none after the engine refuses to go on
// (another copy of the tool holds the folder, a change is owed).
void MoveIn(const std::string& copy, const std::vector<VirtualMod>& mods)
{
    std::vector<VirtualMod> notMoved;
    DWORD reason = ERROR_SUCCESS;
    bool moved = false;
    for (const VirtualMod& mod : mods) {
        ChangeOutcome outcome = CarryOut(MoveInPlan(ModDirectory, copy, mod), FolderWork::PutInOrder, nullptr);
        using Result = ChangeOutcome::Result;
        moved = moved || outcome.result == Result::Done;
        if (outcome.result == Result::Held || outcome.result == Result::EarlierPending) {
            TellHeld(MainWindow, outcome.holder);
            break;
        }
        if (outcome.result == Result::NotPutBack) {
            ShowFolderAsItIs();
            ShowFailure(MainWindow, Message::MoveInNotPutBack, outcome.error,
                        {NameList(outcome.owed, kNamesInAMessage)});
            return;
        }
        if (outcome.result != Result::Done) {
            notMoved.push_back(mod);
            reason = reason ? reason : outcome.error;
        }
    }
    if (moved)
        ShowFolderAsItIs();
    if (!notMoved.empty())
        ShowFailure(MainWindow, Message::VirtualCopyNotMoved, reason, {Names(notMoved)});
}

}  // namespace

bool VirtualCopyWaits()
{
    std::optional<std::string> copy = VirtualCopy();
    return copy && FolderExists(ModDirectory) && FolderExists(*copy) && !FilesIn(*copy).empty();
}

void OfferVirtualCopyMove()
{
    std::optional<std::string> copy = VirtualCopy();
    if (!copy || !FolderExists(ModDirectory))
        return;
    VirtualCopyContents contents = SortVirtualCopy(FilesIn(*copy), NamesIn(ModDirectory));
    std::vector<VirtualMod> all = contents.movable;
    all.insert(all.end(), contents.left.begin(), contents.left.end());
    if (all.empty())
        return;
    FolderWrite write = TestFolderWrite(ModDirectory);
    if (!write.told || !write.mayChange || contents.movable.empty()) {
        ShowMessage(MainWindow, Message::VirtualCopyFound, {*copy, Names(all)});
    } else if (ShowMessage(MainWindow, Message::VirtualCopyOffer, {*copy, Names(all), ModDirectory}) == IDYES) {
        MoveIn(*copy, contents.movable);
    } else {
        return;
    }
    if (write.told && write.mayChange && !contents.taken.empty())
        ShowMessage(MainWindow, Message::VirtualCopyLeft, {NameList(contents.taken, kNamesInAMessage)});
}
