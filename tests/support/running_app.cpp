#include "running_app.h"

#include "../res/resource.h"
#include "dialogs.h"
#include "shared/messages.h"

RunningApp::~RunningApp()
{
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool RunningApp::Start(const std::string& exe, const std::string& arguments)
{
    std::string program = exe.empty() ? TestProgramFolder() + "QuillmoorModManager.exe" : exe;
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(program.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                          &process_) != FALSE;
}

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && ClassOf(window) == search->className && IsWindowVisible(window) &&
        (!search->caption || TextOf(window) == search->caption)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindProcessWindow(DWORD processId, const char* className, const char* caption)
{
    WindowSearch search = {processId, className, caption, NULL};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND RunningApp::WaitForWindow(DWORD timeoutMs)
{
    WaitUntil(
        [&] {
            window_ = FindProcessWindow(process_.dwProcessId, "MainWindowClass", "Quillmoor Mod Manager");
            return window_ != NULL;
        },
        timeoutMs);
    return window_;
}

bool RunningApp::SwitchToNoMods()
{
    PostMessageA(window_, WM_COMMAND, MAKEWPARAM(IDM_MOD_SETS, 1), 0);
    HWND dialog = WaitForDialog("Mod Sets");
    if (!dialog)
        return false;
    SendMessageA(GetDlgItem(dialog, IDC_SET_LIST), LB_SETCURSEL, 0, 0);  // "No mods"
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SET_SWITCH, BN_CLICKED), 0);
    return true;
}

HWND RunningApp::WaitForDialog(const std::string& caption, DWORD timeoutMs) const
{
    return WaitForTopWindow("#32770", caption.c_str(), timeoutMs);
}

HWND RunningApp::WaitForTopWindow(const char* className, const char* caption, DWORD timeoutMs) const
{
    HWND window = NULL;
    WaitUntil(
        [&] {
            window = FindProcessWindow(process_.dwProcessId, className, caption);
            return window != NULL;
        },
        timeoutMs);
    return window;
}

void RunningApp::Kill()
{
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 10000);
}

bool RunningApp::ChooseInOpenDialog(const std::string& path, const char* title)
{
    HWND choose = WaitForDialog(title);
    HWND fileName = choose ? FindDescendant(FindDescendant(choose, "ComboBoxEx32", kFileNameCombo), "Edit") : NULL;
    if (!fileName)
        return false;
    SendMessageA(fileName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(choose, WM_COMMAND, IDOK, 0);
    return true;
}

bool RunningApp::ChooseInListMenu(int listId, int row, int place)
{
    HWND list = Control(listId);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    PostMessageA(window_, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    PostMessageA(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
    HWND menu = NULL;
    if (!WaitUntil([&] { return (menu = FindProcessWindow(process_.dwProcessId, "#32768", NULL)) != NULL; }))
        return false;
    // The first key selects the first entry.
    for (int i = 0; i <= place; ++i) {
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYUP, VK_DOWN, 0xC0000000);
    }
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(menu, WM_KEYUP, VK_RETURN, 0xC0000000);
    return true;
}

DWORD RunningApp::WaitForExit(DWORD timeoutMs)
{
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process_.hProcess, &code);
    return code;
}
