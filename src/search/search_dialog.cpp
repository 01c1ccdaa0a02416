#include "search/search_dialog.h"

#include <windows.h>

#include <optional>

#include "../res/resource.h"
#include "launcher/start_game.h"
#include "search/search_bounds.h"
#include "search/search_mods.h"
#include "search/search_store.h"
#include "search/search_switch.h"
#include "switching/folder_switch.h"
#include "shared/busy.h"
#include "shared/folder_listing.h"
#include "shared/language.h"
#include "shared/locale_format.h"
#include "shared/messages.h"
#include "shared/text_conversion.h"
#include "shared/text_format.h"
#include "shared/window_state.h"
#include "changes/change_plan.h"
#include "changes/change_view.h"

namespace {

const UINT_PTR kGameTimer = 1;
const UINT kGamePollMs = 250;
const size_t kNamesInAResult = 10;
// Beyond this many suspects the bound for two mods together takes too long
// to work out for a dialog that opens at once.
const size_t kMostSuspectsForABound = 200;
// Posted at the dialog's start when it takes up a search: the step is asked
// again once the dialog shows.
const UINT WM_APP_GO_ON = WM_APP + 10;

enum class Page { Setup, Step, End };

// The search the dialog shows; one dialog at a time.
struct Session {
    ProblemSearch search;
    bool begun = false;
    SearchStep step;
    std::vector<std::string> modsOn;    // the setup's list: the mods on now
    HANDLE game = NULL;                 // a game started from the dialog, until it ends
    std::vector<std::string> onAtStep;  // the archives on once the step was switched
    bool goingOn = false;               // on after a check disagreed, until the next answer
} session;

const int kSetupControls[] = {IDC_SEARCH_KEEP_LABEL, IDC_SEARCH_KEEP, IDC_SEARCH_BEGIN};
const int kStepControls[] = {IDC_SEARCH_COUNT, IDC_SEARCH_HINT, IDC_SEARCH_GAME, IDC_SEARCH_SHOWS, IDC_SEARCH_NOT};
// The result, however long its names, wraps in a box that scrolls, in place of the text.
const int kEndControls[] = {IDC_SEARCH_RESULT, IDC_SEARCH_LEAVE, IDC_SEARCH_RESTORE};

template <size_t N>
void ShowControls(HWND dialog, const int (&ids)[N], bool show)
{
    for (int id : ids)
        ShowWindow(GetDlgItem(dialog, id), show ? SW_SHOW : SW_HIDE);
}

void ShowPage(HWND dialog, Page page)
{
    ShowControls(dialog, kSetupControls, page == Page::Setup);
    ShowControls(dialog, kStepControls, page == Page::Step);
    ShowControls(dialog, kEndControls, page == Page::End);
    ShowWindow(GetDlgItem(dialog, IDC_SEARCH_TEXT), page == Page::End ? SW_HIDE : SW_SHOW);
    // At the end, closing the dialog puts everything back, as the button does.
    ShowWindow(GetDlgItem(dialog, IDCANCEL), page == Page::End ? SW_HIDE : SW_SHOW);
    SetDlgItemTextA(dialog, IDCANCEL,
                    TextFor(page == Page::Setup ? Text::SearchCancel : Text::SearchStop).c_str());
    int focus = page == Page::Setup ? IDC_SEARCH_BEGIN : page == Page::Step ? IDC_SEARCH_GAME : IDC_SEARCH_RESTORE;
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, focus)), TRUE);
}

// While the game started from the dialog runs, it is not started again.
void StopWatchingGame(HWND dialog)
{
    KillTimer(dialog, kGameTimer);
    if (session.game)
        CloseHandle(session.game);
    session.game = NULL;
    EnableWindow(GetDlgItem(dialog, IDC_SEARCH_GAME), TRUE);
}

// The folder as wanted at the end, as far as it can be made so, and the
// search forgotten (or stored still when it could not be made so).
void EndSearch(HWND dialog, const ModsWanted& wanted)
{
    StopWatchingGame(dialog);
    EndSearchWith(dialog, session.search, wanted);
    EndDialog(dialog, IDCANCEL);
}

// The folder cannot be made as the step wants: the player stops and gets the
// start state back as far as it can be put back, or leaves the search stored
// for later (the dialog takes it up again).
void CannotGoOn(HWND dialog, Message question, const std::vector<std::string>& details = {})
{
    if (ShowMessage(dialog, question, details) == IDYES)
        EndSearch(dialog, WantedAtStart(session.search));
    else
        EndDialog(dialog, IDCANCEL);
}

void ShowStep(HWND dialog)
{
    const SearchStep& step = session.step;
    // The bound if one mod causes the problem; when the answers rule that
    // out, the bound if two mods do together.
    size_t left = step.mostStartsLeftIfOneMod;
    Text bound = Text::SearchStepBound;
    if (!left && session.search.suspects.size() <= kMostSuspectsForABound) {
        left = MostStartsLeftIfTogether(session.search, 2);
        bound = Text::SearchStepBoundTwo;
    }
    std::string text = left ? TextFor(bound, {FormatCount(step.number), FormatCount(left)})
                            : TextFor(Text::SearchStep, {FormatCount(step.number)});
    text += "\r\n" + TextFor(Text::SearchAsk);  // two sentences, each whole
    SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, text.c_str());
    size_t on = session.search.keptOn.size(), all = session.search.keptOn.size() + step.on.size();
    for (bool flag : step.on)
        on += flag;
    SetDlgItemTextA(dialog, IDC_SEARCH_COUNT,
                    TextFor(Text::SearchModsOn, {FormatCount(on), FormatCount(all)}).c_str());
    SetDlgItemTextA(dialog, IDC_SEARCH_HINT, "");
    ShowPage(dialog, Page::Step);
    // Clicks and keys made while the switch ran were aimed at the step before.
    MSG queued;
    while (PeekMessageA(&queued, NULL, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) ||
           PeekMessageA(&queued, NULL, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
}

void ShowEnd(HWND dialog)
{
    const std::vector<std::string>& culprits = session.step.culprits;
    std::string names = NameList(culprits, kNamesInAResult);
    SetDlgItemTextA(dialog, IDC_SEARCH_RESULT,
                    TextFor(culprits.size() == 1 ? Text::SearchCulprit : Text::SearchCulprits, {names}).c_str());
    SetDlgItemTextA(dialog, IDC_SEARCH_LEAVE,
                    TextFor(culprits.size() == 1 ? Text::SearchLeaveItOff : Text::SearchLeaveThemOff).c_str());
    ShowPage(dialog, Page::End);
}

// From the answers so far: the next start's mods switched and asked about,
// or the end.
void GoOn(HWND dialog)
{
    session.step = NextStep(session.search);
    switch (session.step.kind) {
    case StepKind::NotEveryTime:
        if (!session.goingOn &&
            ShowMessage(dialog, Message::SearchNotEveryTime,
                        {NameList(session.step.culprits, kNamesInAResult), session.step.shownWithout}) != IDYES) {
            EndSearch(dialog, WantedAtStart(session.search));
            return;
        }
        session.goingOn = true;
        [[fallthrough]];
    case StepKind::Test: {
        if (!StoreSearch(session.search)) {
            ShowMessage(dialog, Message::SearchNotStored);
            CannotGoOn(dialog, Message::SearchCannotGoOn);
            return;
        }
        std::vector<std::string> missing;
        switch (SwitchSearchTo(dialog, session.search, WantedForStart(session.search, session.step.on), false,
                               missing)) {
        case Switched::Yes:
            session.onAtStep = ArchivesOn(session.search);
            ShowStep(dialog);
            break;
        case Switched::ModsMissing:
            CannotGoOn(dialog, Message::SearchModGone, {NameList(missing, kNamesInAResult)});
            break;
        case Switched::Failed: CannotGoOn(dialog, Message::SearchCannotGoOn); break;
        }
        return;
    }
    case StepKind::Culprits:
        StoreSearch(session.search);
        ShowEnd(dialog);
        return;
    case StepKind::ShowsWithoutMods:
    case StepKind::AnswersDisagree:
        ShowMessage(dialog, session.step.kind == StepKind::ShowsWithoutMods ? Message::SearchShowsWithoutMods
                                                                            : Message::SearchAnswersDisagree);
        EndSearch(dialog, WantedAtStart(session.search));
        return;
    }
}

void OnBegin(HWND dialog)
{
    if (session.begun)
        return;  // Enter, once the button is gone
    std::vector<std::string> kept;
    HWND list = GetDlgItem(dialog, IDC_SEARCH_KEEP);
    for (size_t i = 0; i < session.modsOn.size(); ++i)
        if (SendMessageA(list, LB_GETSEL, i, 0) > 0)
            kept.push_back(session.modsOn[i]);
    session.search = NewSearch(ModDirectory, session.modsOn, kept, FoldedKey);
    if (session.search.suspects.empty()) {
        ShowMessage(dialog, Message::SearchNothingToSearch);
        return;
    }
    session.begun = true;
    GoOn(dialog);
}

void OnAnswer(HWND dialog, bool shows)
{
    StopWatchingGame(dialog);
    // An answer is about the mods the step switched: when the folder was
    // changed meanwhile (another program, Explorer), the step is switched
    // again and asked again.
    // (A mod gone is named when the step is switched again.)
    StepFolder folder = CheckStepFolder(session.search, session.step.on, session.onAtStep);
    if (folder != StepFolder::AsWanted) {
        if (folder == StepFolder::Changed)
            ShowMessage(dialog, Message::SearchFolderChanged);
        GoOn(dialog);
        return;
    }
    if (RecordAnswer(session.search, shows)) {
        session.goingOn = false;
        GoOn(dialog);
    }
}

void OnStartGame(HWND dialog)
{
    StopWatchingGame(dialog);
    SetDlgItemTextA(dialog, IDC_SEARCH_HINT, "");
    session.game = StartWatchedGame(dialog);
    if (!session.game)
        return;
    SendMessageA(dialog, WM_NEXTDLGCTL, 0, FALSE);  // the focus off the button about to be disabled
    EnableWindow(GetDlgItem(dialog, IDC_SEARCH_GAME), FALSE);
    SetTimer(dialog, kGameTimer, kGamePollMs, NULL);
}

// The game started from the dialog has ended: the dialog comes to the front
// and asks, with what the game's end says as a hint.
void OnGameTimer(HWND dialog)
{
    DWORD code = 0;
    if (!session.game || WaitForSingleObject(session.game, 0) != WAIT_OBJECT_0)
        return;
    GetExitCodeProcess(session.game, &code);
    StopWatchingGame(dialog);
    if (code != 0) {
        char number[16];
        wsprintfA(number, code >= 0x80000000u ? "0x%08lX" : "%lu", code);
        SetDlgItemTextA(dialog, IDC_SEARCH_HINT, TextFor(Text::SearchGameEnded, {number}).c_str());
    }
    SetForegroundWindow(dialog);
}

void OnCommand(HWND dialog, WORD id)
{
    switch (id) {
    case IDC_SEARCH_BEGIN: OnBegin(dialog); break;
    case IDC_SEARCH_GAME: OnStartGame(dialog); break;
    case IDC_SEARCH_SHOWS: OnAnswer(dialog, true); break;
    case IDC_SEARCH_NOT: OnAnswer(dialog, false); break;
    case IDC_SEARCH_LEAVE: EndSearch(dialog, WantedWithout(session.search, session.step.culprits)); break;
    case IDC_SEARCH_RESTORE: EndSearch(dialog, WantedAtStart(session.search)); break;
    case IDCANCEL:
        if (session.begun)
            EndSearch(dialog, WantedAtStart(session.search));
        else
            EndDialog(dialog, IDCANCEL);
        break;
    }
}

// The answer buttons' own procedure, kept to pass their messages on, and the
// time of the last click on one.
WNDPROC buttonProc;
std::optional<LONG> lastClick;

// A click that follows the one before within the double-click time (the
// second of a double click, the third of a triple) is no answer to the next
// start, whose mods the game has not run with: an answer button ignores it.
LRESULT CALLBACK AnswerButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        LONG time = GetMessageTime();
        bool follows = lastClick && time - *lastClick < static_cast<LONG>(GetDoubleClickTime());
        lastClick = time;
        if (follows || message == WM_LBUTTONDBLCLK)
            return 0;
    }
    return CallWindowProcW(buttonProc, button, message, wParam, lParam);
}

void OnInit(HWND dialog)
{
    lastClick.reset();
    for (int id : {IDC_SEARCH_SHOWS, IDC_SEARCH_NOT})
        buttonProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(GetDlgItem(dialog, id), GWLP_WNDPROC,
                                                                 reinterpret_cast<LONG_PTR>(&AnswerButtonProc)));
    SetWindowTextA(dialog, TextFor(Text::SearchCaption).c_str());
    if (session.begun) {
        PostMessageA(dialog, WM_APP_GO_ON, 0, 0);  // the step asked again, the folder switched to it first
        return;
    }
    HWND list = GetDlgItem(dialog, IDC_SEARCH_KEEP);
    for (const std::string& mod : session.modsOn)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mod.c_str()));
    ShowPage(dialog, Page::Setup);
}

INT_PTR CALLBACK SearchProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: OnInit(dialog); return FALSE;
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam)); return TRUE;
    case WM_TIMER:
        if (wParam == kGameTimer)
            OnGameTimer(dialog);
        return TRUE;
    case WM_APP_GO_ON: GoOn(dialog); return TRUE;
    case WM_DESTROY: StopWatchingGame(dialog); return FALSE;
    }
    return FALSE;
}

void RunDialog()
{
    BusyScope busy;
    ShowDialogInLanguage(MainWindow, IDD_PROBLEM_SEARCH, SearchProc, 0);
    session = Session();
}

// The stored search, when it can be taken up here; the player is told when
// it cannot, and it is forgotten.
std::optional<ProblemSearch> SearchToTakeUp()
{
    bool unreadable = false;
    std::optional<ProblemSearch> search = StoredSearch(&unreadable);
    if (unreadable) {
        ForgetSearch();
        ShowMessage(MainWindow, Message::SearchUnreadable);
        return std::nullopt;
    }
    // A search of another folder stays for when that is the mod folder again,
    // unless the player ends it there.
    if (search && !IsSameFolder(SearchFolder(*search), ModDirectory, FoldedKey)) {
        if (ShowMessage(MainWindow, Message::SearchOtherFolder, {SearchFolder(*search)}) == IDYES) {
            BusyScope busy;
            EndSearchWith(MainWindow, *search, WantedAtStart(*search));
        }
        return std::nullopt;
    }
    return search;
}

}  // namespace

void ShowProblemSearch()
{
    // Held while the dialog shows: one copy of the tool at a time shows the
    // search, and no other copy changes the folder under it.
    FolderLock lock(FolderWork::Search);
    if (!lock.Held()) {
        TellHeld(MainWindow, lock.Holder());
        return;
    }
    if (!FolderExists(ModDirectory)) {
        ShowMessage(MainWindow, Message::DirectoryMissing);
        return;
    }
    session = Session();
    if (SearchStored()) {
        std::optional<ProblemSearch> search = SearchToTakeUp();
        if (!search)
            return;
        session.search = *search;
        session.begun = true;
    } else {
        session.modsOn = ModsOn(ArchivesNow());
        if (session.modsOn.empty()) {
            ShowMessage(MainWindow, Message::SearchNothingToSearch);
            return;
        }
    }
    RunDialog();
}
