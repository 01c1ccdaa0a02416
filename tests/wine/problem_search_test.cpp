// The search for the mod behind a problem, driven through its dialog with the
// stand-in game made to crash whenever one chosen archive is loaded.
#include "app_test.h"

#include "../res/resource.h"
#include "menus.h"
#include "search/search_dialog.h"
#include "search/search_mods.h"
#include "search/search_store.h"
#include "search/search_switch.h"
#include "sets/mod_sets_dialog.h"
#include "sets/set_store.h"
#include "settings/mod_directory.h"
#include "shared/text_conversion.h"
#include "shared/window_state.h"

namespace {

class ProblemSearchTest : public AppTest {
protected:
    // A game whose data folder holds `archives` and that crashes when
    // `culprit` is among the archives it loads.
    void Start(const std::vector<std::string>& archives, const std::string& culprit)
    {
        data = MakeGame(root.Path(), archives);
        ASSERT_TRUE(CopyFileA((TestProgramFolder() + "H5_Game.exe").c_str(), root.Path("bin\\H5_Game.exe").c_str(),
                              FALSE));
        root.Write("bin\\crash-when-loaded.txt", culprit);
        StartAppIn(data);
    }
    std::vector<std::string> Folder() const { return FolderNames(data); }

    TempFolder root;
    std::string data;
};

void Press(HWND dialog, int button)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

bool Shown(HWND dialog, int control)
{
    return IsWindowVisible(GetDlgItem(dialog, control)) != FALSE;
}

// One start of the search: what the dialog said, and the folder meanwhile.
struct SeenStep {
    std::string text, count;
    std::vector<std::string> folder;
    bool crashed;
};

// Starts the game from the dialog, waits for it to end and answers as the
// game behaved; false when it did not end.
bool PlayAndAnswer(HWND dialog, SeenStep& seen)
{
    Press(dialog, IDC_SEARCH_GAME);
    if (!PumpUntil([&] { return IsWindowEnabled(GetDlgItem(dialog, IDC_SEARCH_GAME)) != FALSE; }))
        return false;
    std::string hint = TextOf(GetDlgItem(dialog, IDC_SEARCH_HINT));
    seen.crashed = !hint.empty();
    EXPECT_TRUE(hint.empty() || hint == "The game ended with error 0xC0000005.") << hint;
    Press(dialog, seen.crashed ? IDC_SEARCH_SHOWS : IDC_SEARCH_NOT);
    return true;
}

TEST_F(ProblemSearchTest, FindsTheArchiveThatBreaksTheGameAndPutsEverythingBack)
{
    std::vector<std::string> archives = {"Armies.pak",  "Books.pak", "Castles.pak", "Dragons.pak", "Elves.pak",
                                         "Library.pak", "Maps.pak",  "Towns.pak",   "Unused.mod"};
    Start(archives, "Maps.pak");
    std::vector<std::string> start = Folder();
    std::vector<SeenStep> steps;
    std::string result;
    dialogs.ActIn("Find a Problem Mod", [&](HWND dialog) {
        HWND keep = GetDlgItem(dialog, IDC_SEARCH_KEEP);
        SendMessageA(keep, LB_SETSEL, TRUE, RowOf(keep, "Library"));  // the others need it
        Press(dialog, IDC_SEARCH_BEGIN);
        while (Shown(dialog, IDC_SEARCH_SHOWS) && steps.size() < 10) {
            steps.push_back({TextOf(GetDlgItem(dialog, IDC_SEARCH_TEXT)),
                             TextOf(GetDlgItem(dialog, IDC_SEARCH_COUNT)), Folder(), false});
            if (!PlayAndAnswer(dialog, steps.back()))
                break;
        }
        result = TextOf(GetDlgItem(dialog, IDC_SEARCH_TEXT));
        Press(dialog, IDC_SEARCH_RESTORE);
    });
    SendMessageA(MainWindow, WM_SYSCOMMAND, IDM_PROBLEM_SEARCH, 0);

    // Seven suspects: the first check and at most ceil(log2 7) + 1 starts more.
    ASSERT_LE(steps.size(), 5u);
    ASSERT_GE(steps.size(), 2u);
    EXPECT_EQ(
        "Start 1 of the search: at most 5 to go, this one included, if one mod causes the problem.\r\n"
        "Start the game, see whether the problem shows, then answer.",
        steps[0].text);
    EXPECT_EQ("Mods on: 1 of 8", steps[0].count) << "only the mod kept on";
    EXPECT_FALSE(steps[0].crashed);
    for (const SeenStep& step : steps) {
        size_t on = CountWithExtension(step.folder, ".pak");
        EXPECT_EQ("Mods on: " + std::to_string(on) + " of 8", step.count) << "the folder is not as the step says";
        EXPECT_NE(step.folder.end(), std::find(step.folder.begin(), step.folder.end(), "Library.pak"))
            << "a mod kept on was turned off at " << step.text;
        EXPECT_NE(step.folder.end(), std::find(step.folder.begin(), step.folder.end(), "Unused.mod"))
            << "a mod that was off was turned on at " << step.text;
    }
    EXPECT_EQ("The problem comes with Maps.", result);
    EXPECT_EQ(start, Folder()) << "not everything was put back";
    EXPECT_FALSE(SearchStored());
    EXPECT_EQ(std::vector<std::string>{}, BoxTexts(dialogs));
}

TEST_F(ProblemSearchTest, StoppedOrLeftWithoutASuspectItPutsTheStartBack)
{
    Start({"Armies.pak", "Books.pak", "Castles.pak", "Dragons.pak", "Unused.mod"}, "Dragons.pak");
    std::vector<std::string> start = Folder();
    const struct {
        const char* what;
        bool removeSuspect;
    } cases[] = {{"stopped at the second start", false}, {"a suspect deleted meanwhile", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.Forget();
        std::vector<std::string> offered, atSecondStart;
        HWND searchDialog = NULL;
        dialogs.AnswerQuestion(IDYES);  // stop and put the others back
        dialogs.ActIn("Find a Problem Mod", [&](HWND dialog) {
            searchDialog = dialog;
            Press(dialog, IDC_SEARCH_BEGIN);
            Press(dialog, IDC_SEARCH_NOT);  // the first check, every suspect off
            atSecondStart = Folder();
            offered = SwitchableSetNames();
            if (c.removeSuspect) {
                DeleteFileA((data + "\\Armies.pak").c_str());
                DeleteFileA((data + "\\Armies.mod").c_str());
                Press(dialog, IDC_SEARCH_SHOWS);
            } else {
                Press(dialog, IDCANCEL);
            }
        });
        SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(IDM_PROBLEM_SEARCH, 0), 0);

        EXPECT_NE(start, atSecondStart) << "the second start changed nothing";
        EXPECT_EQ((std::vector<std::string>{"No mods", "Before the search"}), offered);
        std::vector<std::string> expected = start;
        if (c.removeSuspect) {
            expected.erase(expected.begin());
            ExpectBoxes(dialogs, {Box(Message::SearchModGone, searchDialog, {"Armies"})});
        } else {
            EXPECT_EQ(std::vector<std::string>{}, BoxTexts(dialogs));
        }
        EXPECT_EQ(expected, Folder());
        EXPECT_FALSE(SearchStored());
        start = Folder();
    }
}

// An answer counts only for the mods the step switched; a search stays with
// its own folder, and ends when the player switches back to the mods on
// before it.
TEST_F(ProblemSearchTest, AnAnswerIsAboutTheStepsModsAndASearchStaysWithItsFolder)
{
    Start({"Armies.pak", "Books.pak", "Castles.pak"}, "Books.pak");
    std::vector<std::string> start = Folder();
    std::vector<std::string> texts, atFirstStart;
    std::vector<std::vector<std::string>> afterChange;
    HWND searchDialog = NULL;
    // Changes made in Explorer before the answer: the game ran with other
    // archives than the step's.
    const std::function<void(const std::vector<std::string>&)> changes[] = {
        [this](const std::vector<std::string>& folder) {
            std::string off = *std::find_if(folder.begin(), folder.end(), [](const std::string& name) {
                return name.find(".mod") != std::string::npos;
            });
            ASSERT_TRUE(MoveFileA((data + "\\" + off).c_str(),
                                  (data + "\\" + off.substr(0, off.size() - 4) + ".pak").c_str()));
        },
        [this](const std::vector<std::string>&) {
            root.Write(data.substr(root.Path().size() + 1) + "\\Brand New.pak");
        },
    };
    dialogs.ActIn("Find a Problem Mod", [&](HWND dialog) {
        searchDialog = dialog;
        Press(dialog, IDC_SEARCH_BEGIN);  // the first check: every suspect off
        // A double click on an answer, the folder switched between its clicks.
        HWND no = GetDlgItem(dialog, IDC_SEARCH_NOT);
        for (UINT down : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
            PostMessageA(no, down, MK_LBUTTON, MAKELPARAM(4, 4));
            PostMessageA(no, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
            DispatchWaitingMessages();
        }
        texts.push_back(TextOf(GetDlgItem(dialog, IDC_SEARCH_TEXT)));
        atFirstStart = Folder();
        for (const auto& change : changes) {
            change(Folder());
            Press(dialog, IDC_SEARCH_SHOWS);  // about other archives than the step's
            texts.push_back(TextOf(GetDlgItem(dialog, IDC_SEARCH_TEXT)));
            afterChange.push_back(Folder());
        }
        EndDialog(dialog, IDCANCEL);  // as a crash leaves it: the search stays stored
    });
    SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(IDM_PROBLEM_SEARCH, 0), 0);
    ExpectBoxes(dialogs, {Box(Message::SearchFolderChanged, searchDialog),
                          Box(Message::SearchFolderChanged, searchDialog)});
    ASSERT_EQ(3u, texts.size());
    EXPECT_EQ("Start 2", texts[0].substr(0, 7)) << "not one answer for a double click";
    EXPECT_EQ(std::vector<std::string>(3, texts[0]), texts) << "an answer was taken for the step";
    ASSERT_EQ(2u, afterChange.size());
    EXPECT_EQ(atFirstStart, afterChange[0]) << "the step's mods were not switched again";
    std::vector<std::string> withNew = atFirstStart;
    withNew.push_back("Brand New.pak");  // no suspect: left on
    std::sort(withNew.begin(), withNew.end());
    EXPECT_EQ(withNew, afterChange[1]);
    DeleteFileA((data + "\\Brand New.pak").c_str());

    // The mod folder changed: the search waits for its own folder, or is
    // ended there when the player says so and that folder is there.
    TempFolder other;
    other.Write("Other.pak");
    ASSERT_TRUE(SetModDirectory(other.Path().c_str()));
    const struct {
        const char* what;
        int answer;
        bool folderThere;
        bool kept;
    } answers[] = {
        {"kept", IDNO, true, true},
        {"its folder gone", IDYES, false, true},
        {"ended there", IDYES, true, false},
    };
    for (const auto& a : answers) {
        SCOPED_TRACE(a.what);
        dialogs.Forget();
        dialogs.AnswerQuestion(a.answer);
        if (!a.folderThere) {
            ASSERT_TRUE(MoveFileA(data.c_str(), (data + "-away").c_str()));
        }
        SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(IDM_PROBLEM_SEARCH, 0), 0);
        if (!a.folderThere) {
            ASSERT_TRUE(MoveFileA((data + "-away").c_str(), data.c_str()));
        }
        std::vector<ExpectedBox> told = {Box(Message::SearchOtherFolder, MainWindow, {data})};
        if (!a.folderThere)
            told.push_back(Box(Message::DirectoryMissing, MainWindow));
        ExpectBoxes(dialogs, told);
        EXPECT_EQ(a.kept, SearchStored());
        EXPECT_EQ(a.kept ? atFirstStart : start, Folder());
        EXPECT_EQ(std::vector<std::string>{"No mods"}, SwitchableSetNames()) << "a set of another folder";
        EXPECT_EQ(std::vector<std::string>{"Other.pak"}, other.Names());
    }

    // Back in its folder, switching to the mods on before it ends it; not
    // while another copy of the tool shows it.
    ASSERT_TRUE(SetModDirectory(data.c_str()));
    ASSERT_TRUE(StoreSearch(NewSearch(data, {"Armies", "Books", "Castles"}, {}, FoldedKey)));
    ASSERT_TRUE(MoveFileA((data + "\\Armies.pak").c_str(), (data + "\\Armies.mod").c_str()));
    std::vector<std::string> during = Folder();
    for (bool otherCopy : {true, false}) {
        SCOPED_TRACE(otherCopy ? "another copy shows it" : "no other copy");
        dialogs.Forget();
        HANDLE shown = otherCopy ? CreateMutexA(NULL, TRUE, kSearchLockName) : NULL;
        SwitchToSetNamed(kBeforeSearchSet);
        if (shown)
            CloseHandle(shown);
        EXPECT_EQ(otherCopy ? during : start, Folder());
        EXPECT_EQ(otherCopy, SearchStored()) << "the search would switch the mods again";
        ExpectBoxes(dialogs, otherCopy ? std::vector<ExpectedBox>{Box(Message::SearchElsewhere, MainWindow)}
                                       : std::vector<ExpectedBox>{});
    }
}

}  // namespace
