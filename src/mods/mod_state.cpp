#include "mods/mod_state.h"

#include "mods/list_state.h"
#include "mods/mod_lists.h"
#include "mods/mod_names.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"

namespace {

struct Move {
    ModSide from;
    ModSide to;
    const char* extension;  // the archive's new last three characters
    Message failure;
};

// The new path and name are formed in copies and stored only after the rename
// succeeded, so a failed rename leaves the entry naming the file as it is.
void MoveSelectedMod(const Move& move)
{
    int row = SelectedRow(move.from);
    if (row < 0)
        return;
    ModEntry moved = move.from.mods[row];
    std::string newPath = ReplaceExtension(moved.path, move.extension);

    // A plain rename in the same folder: never a copy, never over an existing file.
    if (!NameKeptWhole(FileNamePart(newPath)) || !MoveFileExA(moved.path.c_str(), newPath.c_str(), 0)) {
        ShowMessage(MainWindow, move.failure);
        return;
    }

    SendMessageA(move.from.listBox, LB_DELETESTRING, row, 0);
    SendMessageA(move.to.listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DisplayName(moved.fileName).c_str()));
    moved.path = newPath;
    moved.fileName = ReplaceExtension(moved.fileName, move.extension);
    move.to.mods.push_back(moved);
    move.from.mods.erase(move.from.mods.begin() + row);
    ShowListState(ListChange::Moved, move.from.listBox);
}

}  // namespace

void EnableMod()
{
    MoveSelectedMod({DisabledSide(), EnabledSide(), "pak", Message::ModNotDisabled});
}

void DisableMod()
{
    MoveSelectedMod({EnabledSide(), DisabledSide(), "mod", Message::ModNotEnabled});
}
