// The built program started as a separate process and driven only through its
// windows, as a player would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "temp_folder.h"
#include "window_text.h"

class RunningApp {
public:
    RunningApp() = default;
    ~RunningApp();  // ends a process that is still running
    RunningApp(const RunningApp&) = delete;
    RunningApp& operator=(const RunningApp&) = delete;

    // Starts QuillmoorModManager.exe from beside the test program (or `exe`),
    // with these arguments after its name.
    bool Start(const std::string& exe = "", const std::string& arguments = "");
    // The main window, once it exists; NULL after `timeoutMs`.
    HWND WaitForWindow(DWORD timeoutMs = 10000);
    // A top-level dialog of the process with this caption; NULL after `timeoutMs`.
    HWND WaitForDialog(const std::string& caption, DWORD timeoutMs = 10000) const;
    // A top-level window of the process of this class (and caption, unless NULL).
    HWND WaitForTopWindow(const char* className, const char* caption, DWORD timeoutMs = 10000) const;
    HWND WaitForTopWindow(const char* className, const std::string& caption, DWORD timeoutMs = 10000) const
    {
        return WaitForTopWindow(className, caption.c_str(), timeoutMs);
    }
    // The exit code, or STILL_ACTIVE if it has not ended within `timeoutMs`.
    DWORD WaitForExit(DWORD timeoutMs = 10000);
    // Ends the process at once, as a crash or the task manager would.
    void Kill();
    // Opens the Mod Sets dialog and starts a switch to "No mods"; false when
    // the dialog did not open.
    bool SwitchToNoMods();
    // Chooses `path` in the open-file dialog that the program shows (with
    // that title); false when none appeared.
    bool ChooseInOpenDialog(const std::string& path, const char* title = "Choose");
    // Selects the row of the list box, opens its menu from the keyboard and
    // chooses the entry at `place` (separators not counted) with the arrow
    // keys and Enter; false when no menu appeared.
    bool ChooseInListMenu(int listId, int row, int place);

    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    DWORD ProcessId() const { return process_.dwProcessId; }

private:
    PROCESS_INFORMATION process_ = {};
    HWND window_ = NULL;
};
