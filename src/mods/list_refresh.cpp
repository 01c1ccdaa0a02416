#include "mods/list_refresh.h"

#include <string>
#include <vector>

#include "mods/directory_scan.h"
#include "mods/list_state.h"
#include "mods/mod_lists.h"
#include "mods/mod_names.h"
#include "mods/refresh_plan.h"
#include "shared/busy.h"
#include "shared/folder_listing.h"
#include "shared/text_conversion.h"

namespace {

std::vector<RowState> RowsOf(const std::vector<ModEntry>& mods)
{
    std::vector<RowState> rows;
    rows.reserve(mods.size());
    for (const ModEntry& mod : mods)
        rows.push_back({mod.fileName, !mod.infoPath.empty()});
    return rows;
}

// The key under which the scan files the archive's description: its name
// with "txt" for its last three characters, folded. The ASCII names of most
// folders are folded here at once, in the one string made.
std::string DescriptionKey(const std::string& archiveName)
{
    return FoldedKey(ReplaceExtension(archiveName, "txt"));
}

// The folder's archives of one side, each with whether a description lies
// beside it, as the scan would find it.
std::vector<RowState> RowsNow(const std::vector<std::string>& names, const FolderListing& listing)
{
    std::vector<RowState> rows;
    rows.reserve(names.size());
    for (const std::string& name : names)
        rows.push_back(
            {name, !listing.descriptions.empty() && listing.descriptions.count(DescriptionKey(name)) != 0});
    return rows;
}

std::string InfoPathOf(const std::string& directory, std::string_view fileName, bool described)
{
    return described ? JoinPath(directory, ReplaceExtension(std::string(fileName), "txt")) : std::string();
}

// A few rows are deleted one by one; many (a folder emptied elsewhere) by
// filling the list box anew with the rows that stay, in their order, since
// each deletion moves every row after it.
void RemoveRows(const ModSide& side, const std::vector<size_t>& removed)
{
    const size_t kFewRows = 64;
    if (removed.size() <= kFewRows) {
        for (size_t i = removed.size(); i-- > 0;) {
            SendMessageA(side.listBox, LB_DELETESTRING, removed[i], 0);
            side.mods.erase(side.mods.begin() + static_cast<std::ptrdiff_t>(removed[i]));
        }
        return;
    }
    std::vector<ModEntry> staying;
    staying.reserve(side.mods.size() - removed.size());
    for (size_t i = 0, next = 0; i < side.mods.size(); ++i) {
        if (next < removed.size() && removed[next] == i)
            ++next;
        else
            staying.push_back(std::move(side.mods[i]));
    }
    side.mods.clear();
    SendMessageA(side.listBox, LB_RESETCONTENT, 0, 0);
    auto add = side.listBox == EnabledList ? AddEnabledMod : AddDisabledMod;
    for (const ModEntry& mod : staying)
        add(mod.path, mod.fileName, mod.infoPath);
}

void ApplyChanges(const ModSide& side, const SideChanges& changes, const std::string& directory)
{
    for (const auto& described : changes.describedNow)
        side.mods[described.first].infoPath =
            InfoPathOf(directory, side.mods[described.first].fileName, described.second);
    RemoveRows(side, changes.removed);
    auto add = side.listBox == EnabledList ? AddEnabledMod : AddDisabledMod;
    for (const RowState& row : changes.appended) {
        std::string name(row.fileName);
        add(JoinPath(directory, name), name, InfoPathOf(directory, name, row.described));
    }
}

int RowNamed(const ModSide& side, const std::string& fileName)
{
    for (size_t i = 0; i < side.mods.size(); ++i)
        if (side.mods[i].fileName == fileName)
            return static_cast<int>(i);
    return -1;
}

// The selected mod, wherever it now is, selected again; or nothing selected.
void SelectAgain(const ModSide& from, const std::string& fileName)
{
    ModSide other = from.listBox == EnabledList ? DisabledSide() : EnabledSide();
    const ModSide* side = &from;
    int row = RowNamed(from, fileName);
    if (row < 0) {
        side = &other;
        row = RowNamed(other, ReplaceExtension(fileName, HasExtension(fileName, ".pak") ? "mod" : "pak"));
    }
    SendMessageA(EnabledList, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(DisabledList, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    if (row >= 0)
        SendMessageA(side->listBox, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

// Which file an archive name holds now: the file itself, not its name, so
// that a rename to the other side is the same file and a new version that
// took the name (another copy's update or restore) is another.
struct FileStamp {
    bool known = false;
    DWORD volume = 0, indexHigh = 0, indexLow = 0;
    FILETIME written = {};
    uint64_t size = 0;

    bool operator==(const FileStamp& other) const
    {
        return known && other.known && volume == other.volume && indexHigh == other.indexHigh &&
               indexLow == other.indexLow && CompareFileTime(&written, &other.written) == 0 && size == other.size;
    }
};

FileStamp StampOf(const std::string& path)
{
    FileStamp stamp;
    // No access asked for: a file the game holds open is stamped too.
    HANDLE file =
        CreateFileW(ToWide(path, CP_ACP).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                    OPEN_EXISTING, 0, NULL);
    BY_HANDLE_FILE_INFORMATION information;
    if (file == INVALID_HANDLE_VALUE)
        return stamp;
    if (GetFileInformationByHandle(file, &information))
        stamp = {true,
                 information.dwVolumeSerialNumber,
                 information.nFileIndexHigh,
                 information.nFileIndexLow,
                 information.ftLastWriteTime,
                 static_cast<uint64_t>(information.nFileSizeHigh) << 32 | information.nFileSizeLow};
    CloseHandle(file);
    return stamp;
}

// The archive whose description the information box shows, and its file then.
std::string shownArchive;
FileStamp shownStamp;

// The selected mod's archive holds another file than when its description was
// shown: its description is shown again, as a click on its row shows it.
void ShowNewVersionOfSelected()
{
    ModSide side = SelectedRow(EnabledSide()) >= 0 ? EnabledSide() : DisabledSide();
    int row = SelectedRow(side);
    if (row < 0)
        return;
    const std::string& path = side.mods[static_cast<size_t>(row)].path;
    bool sameMod =
        FoldedKey(path) == FoldedKey(shownArchive) ||
        FoldedKey(ReplaceExtension(path, HasExtension(path, ".pak") ? "mod" : "pak")) == FoldedKey(shownArchive);
    if (!sameMod || !shownStamp.known || StampOf(path) == shownStamp)
        return;
    SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(side.listBox), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(side.listBox));
}

}  // namespace

void NoteShownArchive(const std::string& archivePath)
{
    shownArchive = archivePath;
    shownStamp = StampOf(archivePath);
}

void RefreshModLists()
{
    std::string directory = ModDirectory;
    if (!FolderExists(directory))
        return;  // the next command reports it
    FolderListing listing = ListFolder(directory);
    RefreshPlan plan = PlanRefresh(RowsOf(EnabledMods), RowsOf(DisabledMods), RowsNow(listing.enabled, listing),
                                   RowsNow(listing.disabled, listing));
    if (plan.Empty()) {
        ShowNewVersionOfSelected();
        return;
    }

    ModSide selectedSide = SelectedRow(EnabledSide()) >= 0 ? EnabledSide() : DisabledSide();
    int selected = SelectedRow(selectedSide);
    std::string selectedName = selected >= 0 ? selectedSide.mods[static_cast<size_t>(selected)].fileName : "";

    PauseListRedraw();
    ApplyChanges(EnabledSide(), plan.enabled, directory);
    ApplyChanges(DisabledSide(), plan.disabled, directory);
    if (selected >= 0)
        SelectAgain(selectedSide, selectedName);
    ResumeListRedraw();
    ShowListState(selected >= 0 ? ListChange::Followed : ListChange::Rebuilt);
    ShowNewVersionOfSelected();
}

namespace {

bool wasInactive = false;
bool leftWhileBusy = false;

}  // namespace

void NoteActivation(bool active)
{
    if (!active) {
        wasInactive = true;
        return;
    }
    if (wasInactive && !IsBusy()) {
        leftWhileBusy = false;
        RefreshModLists();
    }
    wasInactive = false;
}

void NoteToolActivation(bool active)
{
    if (!active && IsBusy()) {
        leftWhileBusy = true;
        NotifyWhenFree();
    }
}

void RefreshIfLeftMeanwhile()
{
    if (!leftWhileBusy || IsBusy() || GetActiveWindow() != MainWindow)
        return;
    leftWhileBusy = false;
    RefreshModLists();
}
