// The main window and its controls, created as the program creates them.
#include "app_test.h"
#include "layout.h"

#include "shared/window_state.h"
#include "app/main_window.h"
#include "settings/display_text.h"
#include "settings/mod_directory.h"
#include "shared/display_scale.h"

namespace {

RECT ClientRectOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(NULL, MainWindow, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string ClassNameOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

class MainWindowTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        StartAppIn(folder.Path());
    }
    TempFolder folder;
};

TEST_F(MainWindowTest, IsAFixedSizeWindowCentredOnTheScreen)
{
    EXPECT_EQ(kMainWindowClass, ClassNameOf(MainWindow));
    EXPECT_EQ("Quillmoor Mod Manager", TextOf(MainWindow));

    DWORD style = GetWindowLongA(MainWindow, GWL_STYLE);
    const DWORD kRequested = 0x80CA0000;  // popup, border, dialog frame, system menu, minimise box
    EXPECT_EQ(kRequested, style & ~(WS_VISIBLE | WS_CLIPSIBLINGS)) << std::hex << style;
    EXPECT_EQ(0u, style & (WS_MAXIMIZEBOX | WS_THICKFRAME)) << "can be maximised or resized";

    RECT rect;
    GetWindowRect(MainWindow, &rect);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(screenWidth / 2 - 250, rect.left);
    EXPECT_EQ(screenHeight / 2 - 202, rect.top);
    EXPECT_EQ(500, rect.right - rect.left);
    EXPECT_EQ(405, rect.bottom - rect.top);
    if (screenWidth == 1024 && screenHeight == 768) {
        EXPECT_EQ(262, rect.left);
        EXPECT_EQ(182, rect.top);
    }
}

TEST_F(MainWindowTest, RegistersItsClassAsDescribed)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(NULL), kMainWindowClass, &windowClass));
    EXPECT_EQ(0u, windowClass.style);
    EXPECT_EQ(&MainWindowProc, windowClass.lpfnWndProc);
    EXPECT_EQ(0, windowClass.cbClsExtra);
    EXPECT_EQ(0, windowClass.cbWndExtra);
    EXPECT_NE((HICON)NULL, windowClass.hIcon) << "icon group 102 not loaded";
    EXPECT_NE((HICON)NULL, windowClass.hIconSm);
    EXPECT_EQ(LoadCursorA(NULL, IDC_ARROW), windowClass.hCursor);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(16), windowClass.hbrBackground);
    EXPECT_EQ(NULL, windowClass.lpszMenuName);
}

TEST_F(MainWindowTest, CanBeMinimisedButNotResized)
{
    RECT rect;
    GetWindowRect(MainWindow, &rect);
    LPARAM rightEdge = MAKELPARAM(rect.right - 1, (rect.top + rect.bottom) / 2);
    LPARAM bottomRight = MAKELPARAM(rect.right - 1, rect.bottom - 1);
    EXPECT_EQ(HTBORDER, SendMessageA(MainWindow, WM_NCHITTEST, 0, rightEdge)) << "the edge sizes the window";
    EXPECT_EQ(HTBORDER, SendMessageA(MainWindow, WM_NCHITTEST, 0, bottomRight)) << "the corner sizes the window";

    SendMessageA(MainWindow, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(MainWindow));
}

struct ExpectedControl {
    HWND* handle;
    const char* className;
    const char* text;
    DWORD style;
    bool clientEdge;
    RECT rect;  // left, top, right, bottom in the main window's client area
    int id;
};

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const ExpectedControl kExpectedControls[] = {
    {&DirectoryLabel, "Static", NULL, kChild | SS_NOPREFIX, false, {10, 22, 410, 47}, 0},  // shows "&" as is
    {&ChangeButton, "Button", "Change...", kChild, false, {416, 18, 481, 40}, 10001},
    {&DirectoryCaption, "Static", "Mod Directory", kChild, false, {10, 8, 160, 22}, 0},
    {&EnabledList, "ListBox", "", 0x50201001, true, {10, 60, 210, 200}, 10006},
    {&DisableButton, "Button", "Disable", kChild | WS_DISABLED, false, {220, 60, 280, 82}, 10004},
    {&EnabledCaption, "Static", "Enabled Mods", kChild, false, {10, 45, 160, 59}, 0},
    {&DisabledList, "ListBox", "", 0x50201001, true, {10, 210, 210, 350}, 10005},
    {&EnableButton, "Button", "Enable", kChild | WS_DISABLED, false, {220, 210, 280, 232}, 10003},
    {&DisabledCaption, "Static", "Disabled Mods", kChild, false, {10, 195, 160, 209}, 0},
    {&InformationBox, "Edit", "", 0x50201804, true, {300, 60, 480, 330}, 0},
    {&RescanButton, "Button", "Rescan Mod Directory", kChild, false, {10, 340, 130, 362}, 10002},
    {&InformationCaption, "Static", "Mod Information", kChild, false, {300, 45, 450, 59}, 0},
    {&StartButton, "Button", "Start Game", kChild, false, {300, 340, 480, 362}, 10007},
    {&AddButton, "Button", "Add Mod", kChild, false, {140, 340, 210, 362}, 10008},
};

TEST_F(MainWindowTest, HasTheFourteenControlsInCreationOrder)
{
    HWND control = GetWindow(MainWindow, GW_CHILD);
    HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ExpectedControl& expected : kExpectedControls) {
        SCOPED_TRACE(std::string(expected.className) + " \"" + (expected.text ? expected.text : "") + "\"");
        ASSERT_NE((HWND)NULL, control) << "fewer than fourteen controls";
        EXPECT_EQ(*expected.handle, control);
        EXPECT_STRCASEEQ(expected.className, ClassNameOf(control).c_str());
        if (expected.text) {
            EXPECT_EQ(expected.text, TextOf(control));
        }
        EXPECT_EQ(expected.id, GetDlgCtrlID(control));
        DWORD style = GetWindowLongA(control, GWL_STYLE);
        EXPECT_EQ(expected.style, style & ~WS_CLIPSIBLINGS) << std::hex << "style " << style;
        DWORD exStyle = GetWindowLongA(control, GWL_EXSTYLE);
        EXPECT_EQ(expected.clientEdge, (exStyle & WS_EX_CLIENTEDGE) != 0) << std::hex << "ex style " << exStyle;
        RECT rect = ClientRectOf(control);
        EXPECT_EQ(expected.rect.left, rect.left);
        EXPECT_EQ(expected.rect.top, rect.top);
        EXPECT_EQ(expected.rect.right, rect.right);
        if (ClassNameOf(control) == "ListBox") {
            // Without LBS_NOINTEGRALHEIGHT a list box shows whole rows only.
            LRESULT row = SendMessageA(control, LB_GETITEMHEIGHT, 0, 0);
            EXPECT_LE(rect.bottom, expected.rect.bottom);
            EXPECT_GT(rect.bottom, expected.rect.bottom - row);
        } else {
            EXPECT_EQ(expected.rect.bottom, rect.bottom);
        }
        EXPECT_EQ(guiFont, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ((HWND)NULL, control) << "more than fourteen controls";
}

TEST_F(MainWindowTest, ShowsTheModDirectoryInTheLabel)
{
    EXPECT_EQ(folder.Path(), ModDirectory);
    EXPECT_EQ(folder.Path(), TextOf(DirectoryLabel));
    EXPECT_TRUE(dialogs.Seen().empty()) << Describe(dialogs.Seen()[0]);
}

TEST_F(MainWindowTest, IgnoresUnknownCommandsAndOtherListNotifications)
{
    folder.Write("a.mod");
    Click(IDC_RESCAN);
    for (int id : {0, 10000, 10009, 20000})
        Click(id);
    SendMessageA(DisabledList, LB_SETCURSEL, 0, 0);
    SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(IDC_DISABLED_LIST, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(DisabledList));
    SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(IDC_DISABLED_LIST, LBN_SETFOCUS),
                 reinterpret_cast<LPARAM>(DisabledList));
    EXPECT_FALSE(IsEnabled(EnableButton)) << "a notification other than a selection change acted";
    EXPECT_TRUE(dialogs.Seen().empty());
    EXPECT_EQ(std::vector<std::string>{"a"}, Rows(DisabledList));
}

TEST_F(MainWindowTest, RescanWithAMissingDirectoryWarnsOverTheWindow)
{
    folder.Write("a.mod");
    folder.Write("b.pak");
    Click(IDC_RESCAN);
    SelectRow(DisabledList, 0);
    ASSERT_TRUE(IsEnabled(EnableButton));

    RemoveTree(folder.Path());
    Click(IDC_RESCAN);

    ExpectBoxes(dialogs, {Box(Message::DirectoryMissing, MainWindow)});
    EXPECT_FALSE(IsEnabled(EnableButton));
    EXPECT_FALSE(IsEnabled(DisableButton));
}

int IconWidth(HICON icon)
{
    ICONINFO info;
    if (!GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap;
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

TEST_F(MainWindowTest, ADpiChangeRelaysEveryControlSwapsTheFontAndDeletesTheOldOne)
{
    const HFONT stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA stockFont;
    GetObjectA(stock, sizeof stockFont, &stockFont);
    const struct {
        UINT dpi;
        RECT suggested;
    } steps[] = {{192, {100, 50, 1100, 860}},
                 {144, {10, 20, 760, 628}},
                 {72, {300, 200, 675, 504}},  // below the system's DPI: a smaller font, not the stock one
                 {96, {262, 182, 762, 587}}};
    HFONT previous = stock;
    for (const auto& step : steps) {
        SCOPED_TRACE(std::to_string(step.dpi) + " DPI");
        RECT suggested = step.suggested;
        SendMessageA(MainWindow, WM_DPICHANGED, MAKEWPARAM(step.dpi, step.dpi),
                     reinterpret_cast<LPARAM>(&suggested));

        RECT window;
        GetWindowRect(MainWindow, &window);
        EXPECT_TRUE(EqualRect(&step.suggested, &window)) << "the window did not take the suggested rectangle";
        ExpectLayout(MainWindow, step.dpi);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(EnabledList, WM_GETFONT, 0, 0));
        for (HWND control = GetWindow(MainWindow, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
            EXPECT_EQ(font, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
        LOGFONTA logFont;
        ASSERT_EQ(static_cast<int>(sizeof logFont), GetObjectA(font, sizeof logFont, &logFont));
        EXPECT_EQ(MulDiv(stockFont.lfHeight, static_cast<int>(step.dpi), 96), logFont.lfHeight);
        EXPECT_EQ(step.dpi == 96, font == stock) << "the stock font at the system's DPI, a scaled one otherwise";
        if (previous != stock) {
            EXPECT_EQ(0u, GetObjectType(previous)) << "the replaced font was not deleted";
        }
        EXPECT_EQ(MulDiv(32, static_cast<int>(step.dpi), 96),
                  IconWidth(reinterpret_cast<HICON>(SendMessageA(MainWindow, WM_GETICON, ICON_BIG, 0))));
        EXPECT_EQ(MulDiv(16, static_cast<int>(step.dpi), 96),
                  IconWidth(reinterpret_cast<HICON>(SendMessageA(MainWindow, WM_GETICON, ICON_SMALL, 0))));
        previous = font;
    }

    RECT suggested = steps[0].suggested;
    SendMessageA(MainWindow, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    HFONT last = reinterpret_cast<HFONT>(SendMessageA(EnabledList, WM_GETFONT, 0, 0));
    CloseApp();
    EXPECT_EQ(0u, GetObjectType(last)) << "the font was not deleted with the window";
}

TEST(ScaledTest, RoundsAsMulDivDoes)
{
    const struct {
        int value;
        UINT dpi;
        int scaled;
    } cases[] = {{405, 144, 608}, {23, 144, 35}, {25, 144, 38}, {22, 120, 28}, {500, 192, 1000}, {22, 72, 17}};
    for (const auto& c : cases)
        EXPECT_EQ(c.scaled, Scaled(c.value, c.dpi)) << c.value << " at " << c.dpi << " DPI";
}

TEST_F(MainWindowTest, ClosingTheWindowPostsExitCodeZero)
{
    SendMessageA(MainWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(MainWindow));
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, message.wParam);
    MainWindow = NULL;
}

class StartUpTest : public AppTest {};

TEST_F(StartUpTest, AMissingDirectoryIsReportedOnceWithoutOwnerAndTheWindowStillOpens)
{
    StartApp();  // no stored setting: the initial directory does not exist here

    EXPECT_EQ(kDefaultModDirectory, TextOf(DirectoryLabel));
    EXPECT_EQ(57u, TextOf(DirectoryLabel).size());
    ExpectBoxes(dialogs, {Box(Message::DirectoryMissing, NULL)});
    EXPECT_TRUE(IsWindowVisible(MainWindow));
    EXPECT_EQ(0, SendMessageA(EnabledList, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(DisabledList, LB_GETCOUNT, 0, 0));
    EXPECT_FALSE(IsEnabled(EnableButton));
    EXPECT_FALSE(IsEnabled(DisableButton));
}

TEST_F(StartUpTest, LabelShowsSeventyCharactersWholeAndCutsSeventyOne)
{
    TempFolder root;
    for (size_t length : {70u, 71u}) {
        SCOPED_TRACE("path of " + std::to_string(length) + " characters");
        std::string path = root.Path("d");
        path += std::string(length - path.size(), 'x');
        ASSERT_EQ(length, path.size());
        ASSERT_TRUE(CreateDirectoryA(path.c_str(), NULL));
        StartAppIn(path);
        EXPECT_EQ(ShortenForDisplay(path), TextOf(DirectoryLabel));
        EXPECT_EQ(length == 70 ? path : path.substr(0, 70) + "...", TextOf(DirectoryLabel));
        CloseApp();
    }
}

}  // namespace
