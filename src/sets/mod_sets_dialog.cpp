#include "sets/mod_sets_dialog.h"

#include <windows.h>

#include "../res/resource.h"
#include "search/search_mods.h"
#include "search/search_store.h"
#include "search/search_switch.h"
#include "sets/mod_switch.h"
#include "sets/set_rules.h"
#include "sets/set_sharing.h"
#include "sets/set_store.h"
#include "shared/busy.h"
#include "shared/folder_listing.h"
#include "shared/language.h"
#include "shared/messages.h"
#include "shared/text_conversion.h"
#include "shared/window_state.h"
#include "changes/change_plan.h"
#include "changes/change_view.h"

namespace {

// The rows of the dialog's list, in order.
struct SetRow {
    ModSet set;
    bool own;  // "No mods" or "Before the last switch"
};

std::vector<SetRow> rows;

// The mods on when the problem search under way started, as a set.
std::optional<ModSet> BeforeTheSearch()
{
    std::optional<ProblemSearch> search = StoredSearch();
    if (!search || !IsSameFolder(SearchFolder(*search), ModDirectory, FoldedKey))
        return std::nullopt;  // a search of another folder is no set of this one
    ModSet set = {kBeforeSearchSet, search->keptOn};
    set.mods.insert(set.mods.end(), search->suspects.begin(), search->suspects.end());
    return set;
}

// Switching back to the mods on before the search ends the search: its
// steps would switch them again. As Stop does, it turns those mods on and
// leaves every other mod (one added meanwhile) as the player left it.
void SwitchToSet(const ModSet& set, bool beforeTheSearch)
{
    if (!beforeTheSearch) {
        SwitchToModSet(set);
        return;
    }
    FolderLock lock(FolderWork::Search);  // not under a search that another copy shows
    if (!lock.Held())
        TellHeld(MainWindow, lock.Holder());
    else if (SwitchToModSet(set, true, true))
        ForgetSearch();
}

std::vector<SetRow> AllSets()
{
    std::vector<SetRow> all = {{{kNoModsSet, {}}, true}};
    if (std::optional<ModSet> before = FindModSet(kBeforeLastSwitchSet))
        all.push_back({{kBeforeLastSwitchSet, before->mods}, true});
    if (std::optional<ModSet> before = BeforeTheSearch())
        all.push_back({*before, true});
    for (ModSet& set : LoadModSets())
        all.push_back({set, false});
    return all;
}

int Selected(HWND dialog)
{
    LRESULT row = SendDlgItemMessageA(dialog, IDC_SET_LIST, LB_GETCURSEL, 0, 0);
    return row >= 0 && static_cast<size_t>(row) < rows.size() ? static_cast<int>(row) : -1;
}

void UpdateButtons(HWND dialog)
{
    int row = Selected(dialog);
    EnableWindow(GetDlgItem(dialog, IDC_SET_SWITCH), row >= 0);
    EnableWindow(GetDlgItem(dialog, IDC_SET_RENAME), row >= 0 && !rows[row].own);
    EnableWindow(GetDlgItem(dialog, IDC_SET_DELETE), row >= 0 && !rows[row].own);
}

// Fills the list anew and selects the set of that name, if it is there.
void Fill(HWND dialog, const std::string& select)
{
    rows = AllSets();
    std::vector<ListedArchive> archives = ArchivesNow();
    HWND list = GetDlgItem(dialog, IDC_SET_LIST);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    int selected = -1;
    for (size_t i = 0; i < rows.size(); ++i) {
        std::string name = ShownSetName(rows[i].set.name);
        std::string text = IsOnNow(rows[i].set, archives) ? TextFor(Text::SetOnNow, {name}) : name;
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (FoldCase(rows[i].set.name) == FoldCase(select))
            selected = static_cast<int>(i);
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, NULL, TRUE);
    UpdateButtons(dialog);
}

std::string NameTyped(HWND dialog)
{
    HWND edit = GetDlgItem(dialog, IDC_SET_NAME);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(edit, &text[0], static_cast<int>(text.size()))));
    return text;
}

// A name the player may give a set: refused with a warning otherwise. A name
// in use by another set is taken only when the player agrees to replace it.
bool MayUseName(HWND dialog, const std::string& name, const std::string& renamedFrom = "")
{
    if (!IsValidSetName(name)) {
        ShowMessage(dialog, Message::SetNameInvalid);
        return false;
    }
    if (IsOwnSetName(name)) {
        ShowMessage(dialog, Message::SetNameReserved);
        return false;
    }
    bool sameSet = !renamedFrom.empty() && FoldCase(name) == FoldCase(renamedFrom);
    return sameSet || !FindModSet(name) || ShowMessage(dialog, Message::SetReplace, {name}) == IDYES;
}

void OnSave(HWND dialog)
{
    // A folder that is gone has no mods on: that is no set to keep.
    if (!FolderExists(ModDirectory)) {
        ShowMessage(dialog, Message::DirectoryMissing);
        return;
    }
    std::string name = NameTyped(dialog);
    if (!MayUseName(dialog, name))
        return;
    if (!SaveModSet({name, ModsOn(ArchivesNow())}))
        ShowMessage(dialog, Message::SetNotSaved);
    Fill(dialog, name);
}

void OnRename(HWND dialog)
{
    int row = Selected(dialog);
    std::string name = NameTyped(dialog);
    if (row < 0 || rows[row].own || name == rows[row].set.name || !MayUseName(dialog, name, rows[row].set.name))
        return;
    ModSet old = rows[row].set;
    ModSet renamed = {name, old.mods};
    // The registry matches names without regard to case: a new case needs the
    // old value gone first, and comes back if the new one cannot be written.
    bool caseOnly = FoldCase(name) == FoldCase(old.name);
    if (caseOnly && !DeleteModSet(old)) {
        ShowMessage(dialog, Message::SetNotRenamed);
    } else if (!SaveModSet(renamed)) {
        if (caseOnly)
            SaveModSet(old);
        ShowMessage(dialog, Message::SetNotSaved);
    } else if (!caseOnly && !DeleteModSet(old)) {
        ShowMessage(dialog, Message::SetOldNameKept, {name, old.name});
    }
    Fill(dialog, name);
}

void OnDelete(HWND dialog)
{
    int row = Selected(dialog);
    if (row < 0 || rows[row].own || ShowMessage(dialog, Message::SetDelete, {rows[row].set.name}) != IDYES)
        return;
    if (!DeleteModSet(rows[row].set))
        ShowMessage(dialog, Message::SetNotDeleted);
    Fill(dialog, "");
}

void OnSwitch(HWND dialog)
{
    int row = Selected(dialog);
    if (row < 0)
        return;
    ModSet set = rows[row].set;
    SwitchToSet(set, rows[row].own && set.name == kBeforeSearchSet);
    Fill(dialog, set.name);
}

// The selected set, or the mods on now when none is selected.
void OnCopy(HWND dialog)
{
    int row = Selected(dialog);
    if (row >= 0)
        CopySetAsText(dialog, rows[row].set);
    else
        CopyModsOnAsText(dialog);
}

void OnPaste(HWND dialog)
{
    std::string name = PasteSetFromText(dialog);
    if (!name.empty())
        Fill(dialog, name);
}

void OnSelect(HWND dialog)
{
    int row = Selected(dialog);
    if (row >= 0 && !rows[row].own)
        SetDlgItemTextA(dialog, IDC_SET_NAME, rows[row].set.name.c_str());
    UpdateButtons(dialog);
}

// Enter: save in the name field, switch in the list.
void OnEnter(HWND dialog)
{
    if (GetFocus() == GetDlgItem(dialog, IDC_SET_NAME))
        OnSave(dialog);
    else
        OnSwitch(dialog);
}

void OnCommand(HWND dialog, WORD id, WORD code)
{
    switch (id) {
    case IDC_SET_SWITCH: OnSwitch(dialog); break;
    case IDC_SET_SAVE: OnSave(dialog); break;
    case IDC_SET_RENAME: OnRename(dialog); break;
    case IDC_SET_DELETE: OnDelete(dialog); break;
    case IDC_SET_COPY: OnCopy(dialog); break;
    case IDC_SET_PASTE: OnPaste(dialog); break;
    case IDC_SET_LIST:
        if (code == LBN_SELCHANGE)
            OnSelect(dialog);
        else if (code == LBN_DBLCLK)
            OnSwitch(dialog);
        break;
    case IDOK: OnEnter(dialog); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    }
}

INT_PTR CALLBACK ModSetsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(dialog, IDC_SET_NAME, EM_LIMITTEXT, 256, 0);
        Fill(dialog, "");
        return TRUE;
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    }
    return FALSE;
}

}  // namespace

void ShowModSetsDialog()
{
    BusyScope busy;
    ShowDialogInLanguage(MainWindow, IDD_MOD_SETS, ModSetsProc, 0);
    rows.clear();
}

std::vector<std::string> SwitchableSetNames()
{
    std::vector<std::string> names = {kNoModsSet};
    if (FindModSet(kBeforeLastSwitchSet))
        names.push_back(kBeforeLastSwitchSet);
    if (BeforeTheSearch())
        names.push_back(kBeforeSearchSet);
    std::vector<std::string> players = ModSetNames();
    names.insert(names.end(), players.begin(), players.end());
    return names;
}

void SwitchToSetNamed(const std::string& name)
{
    if (name == kNoModsSet) {
        SwitchToModSet({kNoModsSet, {}});
    } else if (std::optional<ModSet> before = name == kBeforeSearchSet ? BeforeTheSearch() : std::nullopt) {
        SwitchToSet(*before, true);
    } else if (std::optional<ModSet> set = FindModSet(name)) {
        SwitchToModSet(*set);
    }
}
