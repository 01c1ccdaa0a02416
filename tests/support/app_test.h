// A test fixture that runs the real main window in the test process, the way
// the program's entry point creates it, and helpers that act as a user would.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "dialogs.h"
#include "game_installs.h"
#include "mods/mod_lists.h"
#include "shared/messages.h"
#include "registry.h"
#include "temp_folder.h"
#include "window_text.h"

class AppTest : public ::testing::Test {
protected:
    // Starts from a clean state: no stored setting, the initial mod directory,
    // empty lists, no window.
    void SetUp() override;
    void TearDown() override;

    // Creates the main window with the program's own function.
    void StartApp();
    // Stores `modDirectory` as the setting, then starts.
    void StartAppIn(const std::string& modDirectory);
    void CloseApp();
    // Closes the window and starts it again from the stored setting, as the
    // next start of the program would.
    void RestartApp();

    DialogAnswerer dialogs;
    IsolatedHome isolatedHome;  // a start without a setting finds no game of the machine's user
};

// The program started in a mod folder of the test's own, holding these
// archives (each file holds its own name).
class ModFolderTest : public AppTest {
protected:
    void Start(const std::vector<std::string>& archives);
    TempFolder mods;
};

std::vector<std::string> DisplayNames(const std::vector<ModEntry>& mods);
bool IsEnabled(HWND window);
int Selection(HWND listBox);

// What a click and a selection by the user send to the main window.
void Click(int id);
void SelectRow(HWND listBox, int row);

// Drops the files on the main window; returns when the drop is handled.
void DropFiles(const std::vector<std::string>& paths);

// Each list box shows exactly its list's display names, row for row.
void ExpectListsMirrored();
// The two lists hold exactly these rows, in any order, and their boxes mirror them.
void ExpectLists(const std::vector<std::string>& enabled, const std::vector<std::string>& disabled);

// What the main window shows of the lists: their rows and selections, the
// Enable and Disable buttons and the information box.
struct Screen {
    std::vector<std::string> enabled, disabled;
    int enabledSelection, disabledSelection;
    bool enable, disable;
    std::string information;
};
Screen Shown();
// The window shows exactly `expected`, and the boxes mirror the lists.
void ExpectScreen(const Screen& expected, const std::string& what);

// The texts of every message box seen so far, in order.
std::vector<std::string> BoxTexts(const DialogAnswerer& dialogs);

// A message box as the program should show it.
struct ExpectedBox {
    std::string text;
    std::string caption;
    UINT icon;
    HWND owner;
};

// A message of the catalogue, as the program should show it, with its details.
ExpectedBox Box(Message message, HWND owner, const std::vector<std::string>& details = {});
std::string Text(Message message);
// A message that reports a failed call on a file: its text ends with the
// system's reason for `error`.
std::string WithReason(const std::string& text, DWORD error);
ExpectedBox FailureBox(Message message, HWND owner, DWORD error, const std::vector<std::string>& details = {});

// The message boxes seen so far are exactly these, in this order.
void ExpectBoxes(const DialogAnswerer& dialogs, const std::vector<ExpectedBox>& expected);

// The row of the list box showing `row`, or -1.
int RowOf(HWND listBox, const std::string& row);

// What the shell sends when files are dropped: a DROPFILES block in global
// memory with the names in UTF-16, which the window frees.
HGLOBAL DropOf(const std::vector<std::string>& paths);
