#include "language_checks.h"

#include <algorithm>

#include "../res/resource.h"
#include "clipboard.h"
#include "dialogs.h"
#include "menus.h"
#include "search/search_dialog.h"
#include "sets/mod_sets_dialog.h"
#include "shared/messages.h"
#include "shared/progress_window.h"
#include "shared/text_conversion.h"
#include "shared/window_state.h"
#include "window_text.h"

namespace {

std::wstring WideText(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

}  // namespace

std::vector<TextFit> MeasureTexts(HWND window, const std::string& where, const std::vector<HWND>& skip)
{
    std::vector<TextFit> fits;
    HDC screen = GetDC(NULL);
    UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(NULL, screen);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        std::string kind = ClassOf(child);
        bool button = lstrcmpiA(kind.c_str(), "Button") == 0, label = lstrcmpiA(kind.c_str(), "Static") == 0;
        std::wstring text = WideText(child);
        if ((!button && !label) || text.empty() || std::count(skip.begin(), skip.end(), child))
            continue;
        HDC dc = GetDC(child);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0)));
        RECT needed = {0, 0, 0, 0};
        UINT prefix = label && (GetWindowLongW(child, GWL_STYLE) & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | DT_SINGLELINE | prefix);
        RECT room;
        GetClientRect(child, &room);
        // A label of several lines wraps its text at its width: what counts is
        // whether the lines fit its height.
        if (label && room.bottom >= 2 * needed.bottom) {
            needed = {0, 0, room.right, 0};
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
                      DT_CALCRECT | DT_WORDBREAK | prefix);
        }
        SelectObject(dc, old);
        ReleaseDC(child, dc);
        int margin = button ? 2 * MulDiv(3, static_cast<int>(dpi), 96) : 0;
        fits.push_back(
            {where + ": " + TextOf(child), needed.right + margin, room.right, needed.bottom, room.bottom});
    }
    return fits;
}

std::vector<std::string> EnglishIn(const std::string& text, const std::vector<std::string>& data)
{
    std::string rest = text;
    for (const std::string& item : data)
        for (size_t at; !item.empty() && (at = rest.find(item)) != std::string::npos;)
            rest.replace(at, item.size(), " ");
    for (size_t tab; (tab = rest.find('\t')) != std::string::npos;)
        rest.erase(tab, rest.find('\n', tab) - tab);  // a key name: Ctrl+M
    std::vector<std::string> words;
    std::string word;
    for (char c : rest + " ") {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            word += c;
            continue;
        }
        if (word.size() >= 2)
            words.push_back(word);
        word.clear();
    }
    return words;
}

wchar_t AltLetter(const std::wstring& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] != L'&') {
            wchar_t letter = text[i + 1];
            CharLowerBuffW(&letter, 1);
            return letter;
        }
        ++i;
    }
    return 0;
}

std::vector<std::wstring> SystemMenuEntries(LANGID language)
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    HRSRC found = NULL;
    const LANGID tried[] = {language, static_cast<LANGID>(MAKELANGID(PRIMARYLANGID(language), SUBLANG_NEUTRAL))};
    for (LANGID each : tried)
        if (!found)
            found = FindResourceExW(user32, MAKEINTRESOURCEW(4), L"SYSMENU", each);
    HGLOBAL loaded = found ? LoadResource(user32, found) : NULL;
    HMENU menu = loaded ? LoadMenuIndirectW(LockResource(loaded)) : NULL;
    std::vector<std::wstring> entries;
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        wchar_t entry[128] = L"";
        if (GetMenuStringW(menu, static_cast<UINT>(i), entry, 128, MF_BYPOSITION) > 0)
            entries.push_back(entry);
    }
    if (menu)
        DestroyMenu(menu);
    return entries;
}

std::vector<std::string> TextsOnScreen(HWND window)
{
    std::vector<std::string> texts = {TextOf(window)};
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        std::vector<std::string> inside = TextsOnScreen(child);
        texts.insert(texts.end(), inside.begin(), inside.end());
        if (lstrcmpiA(ClassOf(child).c_str(), "ListBox") == 0) {
            std::vector<std::string> rows = Rows(child);
            texts.insert(texts.end(), rows.begin(), rows.end());
        }
    }
    return texts;
}

DWORD RunToEnd(const std::string& program, const std::string& arguments, const std::string& output,
               DWORD timeoutMs)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    HANDLE file = CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, NULL);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = file;
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + program + "\" " + arguments;
    BOOL started =
        CreateProcessA(program.c_str(), &command[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process);
    CloseHandle(file);
    if (!started)
        return static_cast<DWORD>(-1);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, STILL_ACTIVE);
    else
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code;
}

std::vector<std::string> VisitEveryWindow(DialogAnswerer& dialogs, const std::string& pasted,
                                          const std::function<void(HWND, const std::string&)>& visit)
{
    visit(MainWindow, "main window");

    PutOnClipboard(pasted);
    dialogs.ActIn("*", [&](HWND sets) {
        visit(sets, "Mod Sets");
        dialogs.ActIn("*", [&](HWND preview) {
            visit(preview, "preview");
            SendMessageA(preview, WM_COMMAND, IDCANCEL, 0);
        });
        SendMessageA(sets, WM_COMMAND, MAKEWPARAM(IDC_SET_PASTE, BN_CLICKED), 0);
        SendMessageA(sets, WM_COMMAND, IDCANCEL, 0);
    });
    ShowModSetsDialog();

    // The search of the one mod on: its choice, its one start, its end.
    dialogs.ActIn("*", [&](HWND search) {
        visit(search, "problem search");
        SendMessageA(search, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_BEGIN, BN_CLICKED), 0);
        visit(search, "problem search, a start");
        SendMessageA(search, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_NOT, BN_CLICKED), 0);
        visit(search, "problem search, its end");
        SendMessageA(search, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_RESTORE, BN_CLICKED), 0);
    });
    ShowProblemSearch();

    {
        ProgressWindow progress(TextFor(Text::SwitchCaption), true);
        WaitUntil([&] {  // it shows once the work has run for half a second
            progress.Update(TextFor(Text::PuttingBack), TextFor(Text::CountOf, {"1,200", "10,000"}), 1, 2, true);
            return progress.Shown();
        });
        if (HWND window = FindWindowA(kProgressWindowClass, NULL))
            visit(window, "progress");
    }

    std::vector<std::string> entries;
    {
        MenuChooser menu({});
        OpenListMenu(EnabledList, -1);
        entries = menu.Entries();
    }
    // Of the system menu only the tool's own entry: the rest is the system's.
    wchar_t entry[128] = L"";
    for (UINT id : {IDM_MOD_SETS, IDM_PROBLEM_SEARCH, IDM_ALLOW_CHANGES}) {
        GetMenuStringW(GetSystemMenu(MainWindow, FALSE), id, entry, 128, MF_BYCOMMAND);
        entries.push_back(FromWide(entry, CP_UTF8));
    }
    return entries;
}
