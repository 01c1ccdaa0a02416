#include "dialogs.h"

#include <commctrl.h>

#include <algorithm>

#include "window_text.h"

DialogAnswerer* DialogAnswerer::active_;

namespace {

const UINT kAnswerDelay = 30;  // ms: the dialog is filled in after its activation
const int kMaxRetries = 200;   // of kAnswerDelay each, while a dialog is not ready

struct ChildSearch {
    const char* className;
    int id;  // -1: any
    HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM lParam)
{
    ChildSearch* search = reinterpret_cast<ChildSearch*>(lParam);
    if (ClassOf(child) == search->className && (search->id == -1 || GetDlgCtrlID(child) == search->id)) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK MatchIcon(HWND child, LPARAM lParam)
{
    if (ClassOf(child) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HWND*>(lParam) = child;
        return FALSE;
    }
    return TRUE;
}

UINT IconOf(HWND box)
{
    HWND iconControl = NULL;
    EnumChildWindows(box, MatchIcon, reinterpret_cast<LPARAM>(&iconControl));
    if (!iconControl)
        return 0;
    HICON icon = reinterpret_cast<HICON>(SendMessageA(iconControl, STM_GETICON, 0, 0));
    const struct {
        LPCSTR id;
        UINT style;
    } icons[] = {
        {IDI_WARNING, MB_ICONWARNING},
        {IDI_ERROR, MB_ICONERROR},
        {IDI_INFORMATION, MB_ICONINFORMATION},
        {IDI_QUESTION, MB_ICONQUESTION},
    };
    for (const auto& known : icons)
        if (icon == LoadIconA(NULL, known.id))
            return known.style;
    return 0;
}

void Press(HWND dialog, int button)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

std::string Upper(std::string text)
{
    if (!text.empty())
        CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// The display text of the folder browser's selected item.
std::string SelectedFolderName(HWND tree)
{
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    char text[MAX_PATH] = "";
    TVITEMA data = {};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    if (!item || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data)))
        return "";
    return text;
}

// Whether the tree shows `path` as selected: its last part, or its drive letter.
bool ShowsSelected(HWND tree, const std::string& path)
{
    std::string shown = Upper(SelectedFolderName(tree));
    std::string last = Upper(path.substr(path.find_last_of('\\', path.size() - 2) + 1));
    if (!last.empty() && last.back() == '\\')
        last.pop_back();  // a drive root is shown with its letter
    return !shown.empty() && shown.find(last) != std::string::npos;
}

}  // namespace

DialogAnswerer::DialogAnswerer()
{
    active_ = this;
    hook_ = SetWindowsHookExA(WH_CBT, HookProc, NULL, GetCurrentThreadId());
}

DialogAnswerer::~DialogAnswerer()
{
    UnhookWindowsHookEx(hook_);
    active_ = NULL;
}

void DialogAnswerer::ChooseFile(const std::string& path)
{
    actions_.push_back({DialogKind::OpenFile, true, path, NULL});
}

void DialogAnswerer::CancelFile()
{
    actions_.push_back({DialogKind::OpenFile, false, "", NULL});
}

void DialogAnswerer::ChooseFolder(const std::string& path)
{
    actions_.push_back({DialogKind::FolderBrowser, true, path, NULL});
}

void DialogAnswerer::ChooseFolderItem(PCIDLIST_ABSOLUTE item)
{
    actions_.push_back({DialogKind::FolderBrowser, true, "", item});
}

void DialogAnswerer::CancelFolder()
{
    actions_.push_back({DialogKind::FolderBrowser, false, "", NULL});
}

void DialogAnswerer::AnswerQuestion(int button)
{
    actions_.push_back({DialogKind::MessageBox, true, "", NULL, button});
}

void DialogAnswerer::ActIn(const std::string& caption, std::function<void(HWND dialog)> act)
{
    actions_.push_back({DialogKind::Own, true, caption, NULL, IDOK, std::move(act)});
}

std::vector<SeenDialog> DialogAnswerer::MessageBoxes() const
{
    std::vector<SeenDialog> boxes;
    for (const SeenDialog& dialog : seen_)
        if (dialog.kind == DialogKind::MessageBox)
            boxes.push_back(dialog);
    return boxes;
}

LRESULT CALLBACK DialogAnswerer::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    DialogAnswerer* self = active_;
    if (code == HCBT_ACTIVATE && self && ClassOf(window) == "#32770" &&
        std::find(self->handled_.begin(), self->handled_.end(), window) == self->handled_.end()) {
        self->handled_.push_back(window);
        self->waiting_.push_back(window);
        SetTimer(NULL, 0, kAnswerDelay, TimerProc);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

void CALLBACK DialogAnswerer::TimerProc(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
    DialogAnswerer* self = active_;
    if (!self || self->waiting_.empty())
        return;
    // Taken off the queue first: answering may open other dialogs, which queue themselves.
    HWND dialog = self->waiting_.front();
    self->waiting_.erase(self->waiting_.begin());
    if (IsWindow(dialog) && !self->Answer(dialog) && ++self->retries_ < kMaxRetries) {
        self->waiting_.insert(self->waiting_.begin(), dialog);
        SetTimer(NULL, 0, kAnswerDelay, TimerProc);
        return;
    }
    self->retries_ = 0;
}

// The first action queued for this kind of dialog (an own dialog by its caption).
bool DialogAnswerer::TakeAction(DialogKind kind, Action& action, const std::string& caption)
{
    for (auto queued = actions_.begin(); queued != actions_.end(); ++queued) {
        if (queued->kind == kind && (kind != DialogKind::Own || queued->path == caption || queued->path == "*")) {
            action = *queued;
            actions_.erase(queued);
            return true;
        }
    }
    return false;
}

bool DialogAnswerer::Answer(HWND dialog)
{
    Action own = {DialogKind::Own, false, "", NULL};
    if (TakeAction(DialogKind::Own, own, TextOf(dialog))) {
        Action action = own;
        seen_.push_back(
            {DialogKind::Own, "", TextOf(dialog), GetWindow(dialog, GW_OWNER), 0, true, AnotherOpen(dialog)});
        action.act(dialog);
        return true;
    }
    HWND fileCombo = FindDescendant(dialog, "ComboBoxEx32", kFileNameCombo);
    HWND folderTree = FindDescendant(dialog, "SysTreeView32");
    if (!fileCombo && !folderTree) {
        AnswerMessageBox(dialog);
        return true;
    }

    DialogKind kind = fileCombo ? DialogKind::OpenFile : DialogKind::FolderBrowser;
    Action action = {kind, false, "", NULL};
    for (const Action& queued : actions_)
        if (queued.kind == kind) {
            action = queued;
            break;
        }
    if (kind == DialogKind::FolderBrowser && action.confirm) {
        // The tree fills in after the browser opens; select once it holds items.
        if (SendMessageA(folderTree, TVM_GETCOUNT, 0, 0) == 0)
            return false;
        if (action.item)
            SendMessageA(dialog, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(action.item));
        else
            SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(action.path.c_str()));
        if (!action.item && !ShowsSelected(folderTree, action.path) && retries_ + 1 < kMaxRetries)
            return false;
    }

    bool expected = TakeAction(kind, action);
    seen_.push_back({kind, "", TextOf(dialog), GetWindow(dialog, GW_OWNER), 0, expected, AnotherOpen(dialog)});
    if (action.confirm && kind == DialogKind::OpenFile)
        SetWindowTextA(FindDescendant(fileCombo, "Edit"), action.path.c_str());
    Press(dialog, action.confirm ? IDOK : IDCANCEL);
    return true;
}

bool DialogAnswerer::AnotherOpen(HWND dialog) const
{
    for (HWND other : handled_)
        if (other != dialog && IsWindow(other))
            return true;
    return false;
}

void DialogAnswerer::AnswerMessageBox(HWND box)
{
    seen_.push_back({DialogKind::MessageBox, BoxText(box), TextOf(box), GetWindow(box, GW_OWNER), IconOf(box),
                     true, AnotherOpen(box)});
    // A question has no OK button: it takes the answer queued for it.
    bool question = GetDlgItem(box, IDYES) != NULL;
    Action answer = {DialogKind::MessageBox, true, "", NULL, IDNO};
    if (question && !TakeAction(DialogKind::MessageBox, answer))
        seen_.back().expected = false;
    Press(box, question ? answer.button : IDOK);
}

HWND FindDescendant(HWND parent, const char* className, int id)
{
    ChildSearch search = {className, id, NULL};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Describe(const SeenDialog& dialog)
{
    const char* kinds[] = {"message box", "open-file dialog", "folder browser", "dialog"};
    return std::string(kinds[static_cast<int>(dialog.kind)]) + " \"" + dialog.caption + "\": \"" + dialog.text +
           "\"";
}
