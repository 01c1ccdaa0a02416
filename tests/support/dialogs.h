// Answers the modal windows that the program opens on the test thread: records
// every message box and answers it with OK, and fills in or cancels the
// open-file dialog and the folder browser as a test asks.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <deque>
#include <string>
#include <vector>

#include <functional>

enum class DialogKind { MessageBox, OpenFile, FolderBrowser, Own };

struct SeenDialog {
    DialogKind kind;
    std::string text;     // a message box's text
    std::string caption;  // the window title
    HWND owner;
    UINT icon;         // MB_ICONWARNING, MB_ICONERROR, ... or 0
    bool expected;     // false for a dialog that no test action was queued for
    bool overAnother;  // shown while a dialog seen before it was still open
};

class DialogAnswerer {
public:
    DialogAnswerer();
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Queued in the order the dialogs will appear. A file or folder dialog that
    // finds nothing queued is cancelled and recorded as unexpected.
    void ChooseFile(const std::string& path);
    void CancelFile();
    void ChooseFolder(const std::string& path);
    void ChooseFolderItem(PCIDLIST_ABSOLUTE item);  // e.g. a virtual folder
    void CancelFolder();
    // The next message box that asks (Yes/No) is answered with `button`;
    // one that only informs is answered with OK whatever is queued.
    void AnswerQuestion(int button);
    // The next dialog of the program's own with this caption: `act` runs in
    // it, from its own message loop, and must close it. "*" stands for any
    // caption.
    void ActIn(const std::string& caption, std::function<void(HWND dialog)> act);

    const std::vector<SeenDialog>& Seen() const { return seen_; }
    std::vector<SeenDialog> MessageBoxes() const;
    size_t PendingActions() const { return actions_.size(); }
    void Forget() { seen_.clear(); }

private:
    struct Action {
        DialogKind kind;
        bool confirm;
        std::string path;
        PCIDLIST_ABSOLUTE item;
        int button = IDOK;
        std::function<void(HWND)> act = nullptr;
    };

    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR timer, DWORD);
    bool Answer(HWND dialog);  // false: not ready yet, try again shortly
    void AnswerMessageBox(HWND dialog);
    bool TakeAction(DialogKind kind, Action& action, const std::string& caption = "");
    bool AnotherOpen(HWND dialog) const;

    HHOOK hook_;
    std::deque<Action> actions_;
    std::vector<SeenDialog> seen_;
    std::vector<HWND> handled_;
    std::vector<HWND> waiting_;
    int retries_ = 0;
    static DialogAnswerer* active_;
};

// Text shown as "expected X, got Y" in failures.
std::string Describe(const SeenDialog& dialog);

// A child, grandchild, ... of `parent` of this class (and id, unless -1); also
// across processes.
HWND FindDescendant(HWND parent, const char* className, int id = -1);

// The id of the file-name field's combo box in the open-file dialog.
const int kFileNameCombo = 0x47C;
