#include "app/commands.h"

#include <optional>

#include "access/folder_access.h"
#include "adding/add_mod.h"
#include "app/list_menu.h"
#include "launcher/open_folder.h"
#include "launcher/start_game.h"
#include "mods/directory_scan.h"
#include "mods/list_state.h"
#include "mods/mod_state.h"
#include "search/search_dialog.h"
#include "sets/mod_sets_dialog.h"
#include "sets/set_sharing.h"
#include "settings/change_directory.h"
#include "shared/busy.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"
#include "shared/window_state.h"
#include "updates/update_commands.h"

namespace {

// Where a command comes from, besides the system menu.
enum Sources : unsigned { kButtonOrKey = 1, kListMenu = 2 };

enum Guard : unsigned {
    kNoGuard = 0,
    kNotWhileBusy = 1,  // it opens a modal window: never over another one of the tool
    kFolderNeeded = 2,  // the directory error, and nothing else, without the mod folder
};

struct Command {
    UINT id;
    unsigned sources;
    std::optional<Text> systemMenuEntry;  // its entry in the system menu, if it has one
    unsigned guard;
    void (*run)(const CommandTarget& target);
};

// Every command by its id: where it comes from, its guard and what it runs.
// Those that this table does not guard against a missing folder report it in
// their own way: Enable and Disable warn that the mod was
// not moved, Start Game that the game did not start, Rescan shows the
// directory error once it has turned both buttons off, Add Mod after the
// open-file dialog, the search after it made sure that no other copy of the
// tool shows one; Copy Mods On as Text, Paste from Text and a switch check
// the folder themselves, as they do for the Mod Sets dialog.
constexpr Command kCommands[] = {
    {IDC_CHANGE, kButtonOrKey, std::nullopt, kNoGuard, [](const CommandTarget&) { ChangeModDirectory(); }},
    {IDC_RESCAN, kButtonOrKey, std::nullopt, kNoGuard,
     [](const CommandTarget&) { RebuildModLists(ListChange::Rescanned); }},
    {IDC_ENABLE, kButtonOrKey | kListMenu, std::nullopt, kNoGuard, [](const CommandTarget&) { EnableMod(); }},
    {IDC_DISABLE, kButtonOrKey | kListMenu, std::nullopt, kNoGuard, [](const CommandTarget&) { DisableMod(); }},
    {IDC_START_GAME, kButtonOrKey, std::nullopt, kNoGuard, [](const CommandTarget&) { StartGame(); }},
    {IDC_ADD_MOD, kButtonOrKey, std::nullopt, kNotWhileBusy, [](const CommandTarget&) { AddMod(); }},
    {IDM_MOD_SETS, kButtonOrKey | kListMenu, Text::SystemModSets, kNotWhileBusy,
     [](const CommandTarget&) { ShowModSetsDialog(); }},
    {IDM_PROBLEM_SEARCH, kButtonOrKey | kListMenu, Text::SearchMenuEntry, kNotWhileBusy,
     [](const CommandTarget&) { ShowProblemSearch(); }},
    {IDM_ALLOW_CHANGES, kListMenu, Text::AllowChangesEntry, kNotWhileBusy | kFolderNeeded,
     [](const CommandTarget&) { AllowChangesToModFolder(); }},
    {IDM_OPEN_FOLDER, kListMenu, std::nullopt, kFolderNeeded,
     [](const CommandTarget& target) { OpenModFolder(target.archive); }},
    {IDM_UPDATE_FROM_FILE, kListMenu, std::nullopt, kNotWhileBusy | kFolderNeeded,
     [](const CommandTarget& target) { UpdateModFromFile(target.archive); }},
    {IDM_RESTORE_PREVIOUS, kListMenu, std::nullopt, kNotWhileBusy | kFolderNeeded,
     [](const CommandTarget& target) { RestorePreviousVersionOf(target.archive); }},
    {IDM_COPY_TEXT, kListMenu, std::nullopt, kNoGuard, [](const CommandTarget&) { CopyModsOnAsText(MainWindow); }},
    {IDM_PASTE_TEXT, kListMenu, std::nullopt, kNoGuard,
     [](const CommandTarget&) { PasteSetFromText(MainWindow); }},
    {IDM_SWITCH_FIRST, kListMenu, std::nullopt, kNotWhileBusy,
     [](const CommandTarget& target) { SwitchToSetNamed(target.setName); }},
};

constexpr bool SystemMenuIdsFit()
{
    for (const Command& command : kCommands)
        if (command.systemMenuEntry && ((command.id & 0xF) != 0 || command.id >= 0xF000))
            return false;
    return true;
}
static_assert(SystemMenuIdsFit(), "a system menu command must be a multiple of 16 below 0xF000");

const Command* Find(UINT id, CommandSource source)
{
    for (const Command& command : kCommands) {
        if (command.id != id)
            continue;
        switch (source) {
        case CommandSource::Window: return command.sources & kButtonOrKey ? &command : nullptr;
        case CommandSource::ListMenu: return command.sources & kListMenu ? &command : nullptr;
        case CommandSource::SystemMenu: return command.systemMenuEntry ? &command : nullptr;
        }
    }
    return nullptr;
}

bool GuardLets(unsigned guard)
{
    if ((guard & kNotWhileBusy) && IsBusy())
        return false;
    if ((guard & kFolderNeeded) && !FolderExists(ModDirectory)) {
        ShowMessage(MainWindow, Message::DirectoryMissing);
        return false;
    }
    return true;
}

}  // namespace

bool RunCommand(UINT id, CommandSource source, const CommandTarget& target)
{
    const Command* command = Find(id, source);
    if (!command)
        return false;
    if (GuardLets(command->guard))
        command->run(target);
    return true;
}

void RouteWindowCommand(WPARAM wParam)
{
    WORD id = LOWORD(wParam);
    if (id == IDC_ENABLED_LIST || id == IDC_DISABLED_LIST) {
        if (HIWORD(wParam) == LBN_SELCHANGE)
            ShowListState(ListChange::Selected, id == IDC_ENABLED_LIST ? EnabledList : DisabledList);
        return;
    }
    RunCommand(id, CommandSource::Window);
}

bool RouteSystemCommand(WPARAM wParam)
{
    return RunCommand(static_cast<UINT>(wParam & 0xFFF0), CommandSource::SystemMenu);
}

bool RouteContextMenu(HWND window, LPARAM position)
{
    if (window != EnabledList && window != DisabledList)
        return false;
    ListMenuChoice chosen = ShowListMenu(window, position);
    RunCommand(chosen.id, CommandSource::ListMenu, chosen.target);
    return true;
}

void AddSystemMenuEntries(HWND window)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    for (const Command& command : kCommands)
        if (command.systemMenuEntry)
            InsertMenuA(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, command.id,
                        TextFor(*command.systemMenuEntry).c_str());
    InsertMenuA(menu, SC_CLOSE, MF_BYCOMMAND | MF_SEPARATOR, 0, NULL);
}
