// One walk through the built program as a player would take it, driven only
// through its windows from this separate process, with the files on disk
// checked after every step.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs.h"
#include "registry.h"
#include "running_app.h"
#include "settings/mod_directory.h"
#include "shared/messages.h"
#include "shared/window_state.h"
#include "temp_folder.h"

namespace {

class Walk : public ::testing::Test {
protected:
    void SetUp() override
    {
        game.MakeFolder("data");
        game.MakeFolder("bin");
        ASSERT_TRUE(CopyFileA((TestProgramFolder() + "H5_Game.exe").c_str(), game.Path("bin\\H5_Game.exe").c_str(),
                              FALSE));
        for (const char* own : {"data.pak", "sound.pak", "p1-texts.pak"})
            game.Write(std::string("data\\") + own, "game archive");
        game.Write("data\\Alpha.pak", "alpha");
        game.Write("data\\Alpha.txt", "about Alpha\r\nline two\r\n");
        game.Write("data\\Beta.pak", "beta");
        game.Write("data\\Twin.pak", "twin enabled");
        game.Write("data\\Gamma.mod", "gamma");
        game.Write("data\\Gamma.txt", "about Gamma\n");
        download.Write("New.pak", "new archive");
        download.Write("New.txt", "about New");
        DeleteSettingsKey();
        StoreSettingsValue(kSettingsValue, REG_SZ, game.Path("data"));
    }
    void TearDown() override { DeleteSettingsKey(); }

    std::string Data(const std::string& name) { return game.Read("data\\" + name); }
    bool InData(const std::string& name) { return game.Exists("data\\" + name); }
    HWND List(int id) { return app.Control(id); }
    // What the user does to select a row; the row is found by its text.
    void Select(int listId, const std::string& row)
    {
        std::vector<std::string> rows = Rows(List(listId));
        auto found = std::find(rows.begin(), rows.end(), row);
        ASSERT_NE(rows.end(), found) << row << " is not listed";
        SendMessageA(List(listId), LB_SETCURSEL, found - rows.begin(), 0);
        SendMessageA(app.Window(), WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(List(listId)));
    }
    // A click that may open a modal window is posted, not sent.
    void Click(int id) { PostMessageA(app.Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool Lists(int listId, const std::string& row)
    {
        std::vector<std::string> rows = Rows(List(listId));
        return std::find(rows.begin(), rows.end(), row) != rows.end();
    }

    TempFolder game;
    TempFolder download;
    RunningApp app;
};

TEST_F(Walk, FromStartToClose)
{
    ASSERT_TRUE(app.Start());
    ASSERT_NE((HWND)NULL, app.WaitForWindow()) << "no main window";
    HWND information = FindDescendant(app.Window(), "Edit");

    // The lists at start.
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Beta", "Twin"}), Sorted(Rows(List(IDC_ENABLED_LIST))));
    EXPECT_EQ(std::vector<std::string>{"Gamma"}, Rows(List(IDC_DISABLED_LIST)));

    // Select a mod and read its description.
    Select(IDC_ENABLED_LIST, "Alpha");
    EXPECT_EQ("about Alpha\r\nline two\r\n", TextOf(information));
    EXPECT_TRUE(IsWindowEnabled(app.Control(IDC_DISABLE)));

    // Disable it.
    Click(IDC_DISABLE);
    ASSERT_TRUE(WaitUntil([&] { return Lists(IDC_DISABLED_LIST, "Alpha"); })) << "Alpha was not disabled";
    EXPECT_EQ("alpha", Data("Alpha.mod"));
    EXPECT_FALSE(InData("Alpha.pak"));
    EXPECT_FALSE(IsWindowEnabled(app.Control(IDC_DISABLE)));
    EXPECT_EQ("about Alpha\r\nline two\r\n", TextOf(information));

    // Enable another.
    Select(IDC_DISABLED_LIST, "Gamma");
    EXPECT_EQ("about Gamma\r\n", TextOf(information));
    Click(IDC_ENABLE);
    ASSERT_TRUE(WaitUntil([&] { return Lists(IDC_ENABLED_LIST, "Gamma"); })) << "Gamma was not enabled";
    EXPECT_EQ("gamma", Data("Gamma.pak"));
    EXPECT_FALSE(InData("Gamma.mod"));

    // A conflict: Twin.mod appears beside the enabled Twin.pak.
    game.Write("data\\Twin.mod", "twin disabled");
    Select(IDC_ENABLED_LIST, "Twin");
    Click(IDC_DISABLE);
    HWND warning = app.WaitForDialog(MessageFor(Message::ModNotEnabled).caption);
    ASSERT_NE((HWND)NULL, warning) << "no warning";
    EXPECT_EQ(MessageFor(Message::ModNotEnabled).text, BoxText(warning));
    EXPECT_EQ(app.Window(), GetWindow(warning, GW_OWNER));
    PostMessageA(warning, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(warning); }));
    EXPECT_EQ("twin enabled", Data("Twin.pak"));
    EXPECT_EQ("twin disabled", Data("Twin.mod"));
    EXPECT_TRUE(Lists(IDC_ENABLED_LIST, "Twin"));

    // Add a mod through the open-file dialog.
    Click(IDC_ADD_MOD);
    ASSERT_TRUE(app.ChooseInOpenDialog(download.Path("New.pak"))) << "no open-file dialog";
    ASSERT_TRUE(WaitUntil([&] { return Lists(IDC_ENABLED_LIST, "New"); })) << "New was not added";
    EXPECT_EQ("new archive", Data("New.pak"));
    EXPECT_EQ("about New", Data("New.txt"));
    EXPECT_EQ("new archive", download.Read("New.pak"));
    // Adding rebuilds both lists from the folder, Twin.mod written outside included.
    EXPECT_EQ((std::vector<std::string>{"Beta", "Gamma", "New", "Twin"}), Sorted(Rows(List(IDC_ENABLED_LIST))));
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Twin"}), Sorted(Rows(List(IDC_DISABLED_LIST))));

    // Start the game.
    Click(IDC_START_GAME);
    ASSERT_TRUE(WaitUntil([&] { return game.Exists("bin\\launches.txt"); })) << "the game did not start";
    ASSERT_TRUE(WaitUntil([&] { return game.Read("bin\\launches.txt") == game.Path("bin") + "|\n"; }))
        << game.Read("bin\\launches.txt");

    // A file changed on disk shows after a rescan.
    game.Write("data\\Delta.mod", "delta");
    DeleteFileA(game.Path("data\\Beta.pak").c_str());
    Click(IDC_RESCAN);
    ASSERT_TRUE(WaitUntil([&] { return Lists(IDC_DISABLED_LIST, "Delta"); })) << "the rescan missed Delta";
    EXPECT_EQ((std::vector<std::string>{"Gamma", "New", "Twin"}), Sorted(Rows(List(IDC_ENABLED_LIST))));
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Delta", "Twin"}), Sorted(Rows(List(IDC_DISABLED_LIST))));

    // Nothing was lost on the way.
    EXPECT_EQ(
        (std::vector<std::string>{"Alpha.mod", "Alpha.txt", "Delta.mod", "Gamma.pak", "Gamma.txt", "New.pak",
                                  "New.txt", "Twin.mod", "Twin.pak", "data.pak", "p1-texts.pak", "sound.pak"}),
        game.Names("data"));

    // Close.
    PostMessageA(app.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, app.WaitForExit());
}

}  // namespace
