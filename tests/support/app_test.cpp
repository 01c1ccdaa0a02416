#include "app_test.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "shared/window_state.h"
#include "app/main_window.h"
#include "mods/mod_names.h"
#include "settings/mod_directory.h"
#include "shared/system_reason.h"
#include "shared/text_conversion.h"
#include "shared/text_format.h"

// The program's state as a new process has it.
static void ResetProgramState()
{
    std::strcpy(ModDirectory, kDefaultModDirectory);
    EnabledMods.clear();
    DisabledMods.clear();
    MainWindow = NULL;
}

void AppTest::SetUp()
{
    DeleteSettingsKey();
    ResetProgramState();
}

void AppTest::TearDown()
{
    CloseApp();
    DeleteSettingsKey();
}

void AppTest::RestartApp()
{
    CloseApp();
    ResetProgramState();
    StartApp();
}

void AppTest::StartApp()
{
    ASSERT_NE(CreateMainWindow(GetModuleHandleA(NULL)), (HWND)NULL);
}

void AppTest::StartAppIn(const std::string& modDirectory)
{
    StoreSettingsValue(kSettingsValue, REG_SZ, modDirectory);
    StartApp();
}

void AppTest::CloseApp()
{
    if (MainWindow) {
        DestroyWindow(MainWindow);
        MainWindow = NULL;
    }
    // The window's destruction posts the quit message; take it back so that the
    // next window's modal loops are not ended by it.
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
        ;
    UnregisterClassA(kMainWindowClass, GetModuleHandleA(NULL));
}

void ModFolderTest::Start(const std::vector<std::string>& archives)
{
    for (const std::string& name : archives)
        mods.Write(name, name);
    StartAppIn(mods.Path());
}

std::vector<std::string> DisplayNames(const std::vector<ModEntry>& mods)
{
    std::vector<std::string> names;
    for (const ModEntry& mod : mods)
        names.push_back(DisplayName(mod.fileName));
    return names;
}

bool IsEnabled(HWND window)
{
    return IsWindowEnabled(window) != FALSE;
}

int Selection(HWND listBox)
{
    return static_cast<int>(SendMessageA(listBox, LB_GETCURSEL, 0, 0));
}

void Click(int id)
{
    SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(MainWindow, id)));
}

void SelectRow(HWND listBox, int row)
{
    SendMessageA(listBox, LB_SETCURSEL, row, 0);
    SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(listBox), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(listBox));
}

void DropFiles(const std::vector<std::string>& paths)
{
    SendMessageA(MainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(paths)), 0);
}

void ExpectListsMirrored()
{
    EXPECT_EQ(DisplayNames(EnabledMods), Rows(EnabledList)) << "enabled side out of step";
    EXPECT_EQ(DisplayNames(DisabledMods), Rows(DisabledList)) << "disabled side out of step";
}

void ExpectLists(const std::vector<std::string>& enabled, const std::vector<std::string>& disabled)
{
    EXPECT_EQ(Sorted(enabled), Sorted(Rows(EnabledList))) << "enabled rows";
    EXPECT_EQ(Sorted(disabled), Sorted(Rows(DisabledList))) << "disabled rows";
    ExpectListsMirrored();
}

Screen Shown()
{
    return {Rows(EnabledList),       Rows(DisabledList),       Selection(EnabledList), Selection(DisabledList),
            IsEnabled(EnableButton), IsEnabled(DisableButton), TextOf(InformationBox)};
}

void ExpectScreen(const Screen& expected, const std::string& what)
{
    Screen shown = Shown();
    EXPECT_EQ(expected.enabled, shown.enabled) << what;
    EXPECT_EQ(expected.disabled, shown.disabled) << what;
    EXPECT_EQ(expected.enabledSelection, shown.enabledSelection) << what;
    EXPECT_EQ(expected.disabledSelection, shown.disabledSelection) << what;
    EXPECT_EQ(expected.enable, shown.enable) << what << ": Enable";
    EXPECT_EQ(expected.disable, shown.disable) << what << ": Disable";
    EXPECT_EQ(expected.information, shown.information) << what;
    ExpectListsMirrored();
}

ExpectedBox Box(Message message, HWND owner, const std::vector<std::string>& details)
{
    MessageText shown = MessageFor(message, details);
    return {shown.text, shown.caption, shown.icon, owner};
}

std::string Text(Message message)
{
    return MessageFor(message).text;
}

std::string WithReason(const std::string& text, DWORD error)
{
    return text + "\n\n" + SystemReasonLine(error);
}

ExpectedBox FailureBox(Message message, HWND owner, DWORD error, const std::vector<std::string>& details)
{
    ExpectedBox box = Box(message, owner, details);
    box.text = WithReason(box.text, error);
    return box;
}

void ExpectBoxes(const DialogAnswerer& dialogs, const std::vector<ExpectedBox>& expected)
{
    std::vector<SeenDialog> boxes = dialogs.MessageBoxes();
    ASSERT_EQ(expected.size(), boxes.size())
        << "message boxes seen: " << ::testing::PrintToString(BoxTexts(dialogs));
    for (size_t i = 0; i < boxes.size(); ++i) {
        SCOPED_TRACE("message box " + std::to_string(i + 1) + ": " + Describe(boxes[i]));
        EXPECT_EQ(expected[i].text, boxes[i].text);
        EXPECT_EQ(expected[i].caption, boxes[i].caption);
        EXPECT_EQ(expected[i].icon, boxes[i].icon);
        EXPECT_EQ(expected[i].owner, boxes[i].owner);
    }
}

int RowOf(HWND listBox, const std::string& row)
{
    std::vector<std::string> rows = Rows(listBox);
    auto found = std::find(rows.begin(), rows.end(), row);
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

std::vector<std::string> BoxTexts(const DialogAnswerer& dialogs)
{
    std::vector<std::string> texts;
    for (const SeenDialog& box : dialogs.MessageBoxes())
        texts.push_back(box.text);
    return texts;
}

HGLOBAL DropOf(const std::vector<std::string>& paths)
{
    std::wstring list;
    for (const std::string& path : paths)
        list += ToWide(path, CP_UTF8) + L'\0';
    list += L'\0';
    size_t bytes = list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(drop + 1, list.data(), bytes);
    GlobalUnlock(memory);
    return memory;
}
