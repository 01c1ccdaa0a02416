// The search for the mod behind a problem, driven through its dialog with the
// stand-in game made to crash whenever one chosen archive is loaded.
#include "app_test.h"

#include <memory>

#include "journal.h"

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
    const std::vector<std::string> start = Folder();
    std::vector<std::string> withoutMaps = start;
    *std::find(withoutMaps.begin(), withoutMaps.end(), "Maps.pak") = "Maps.mod";
    const struct {
        const char* what;
        int button;
        std::vector<std::string> folder;  // afterwards
    } endings[] = {
        {"Put Everything Back", IDC_SEARCH_RESTORE, start},
        {"Leave It Off", IDC_SEARCH_LEAVE, withoutMaps},
    };
    for (const auto& ending : endings) {
        SCOPED_TRACE(ending.what);
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
            result = Shown(dialog, IDC_SEARCH_RESULT) ? TextOf(GetDlgItem(dialog, IDC_SEARCH_RESULT)) : "";
            Press(dialog, ending.button);
        });
        SendMessageA(MainWindow, WM_SYSCOMMAND, IDM_PROBLEM_SEARCH, 0);

        // Seven suspects: the first check, at most ceil(log2 7) + 1 starts
        // more, and the check of the result.
        ASSERT_LE(steps.size(), 6u);
        ASSERT_GE(steps.size(), 2u);
        EXPECT_EQ(
            "Start 1 of the search: at most 6 to go, this one included, if one mod causes the problem.\r\n"
            "Start the game, see whether the problem shows, then answer.",
            steps[0].text);
        EXPECT_EQ("Mods on: 1 of 8", steps[0].count) << "only the mod kept on";
        EXPECT_FALSE(steps[0].crashed);
        for (const SeenStep& step : steps) {
            size_t on = CountWithExtension(step.folder, ".pak");
            EXPECT_EQ("Mods on: " + std::to_string(on) + " of 8", step.count)
                << "the folder is not as the step says";
            EXPECT_NE(step.folder.end(), std::find(step.folder.begin(), step.folder.end(), "Library.pak"))
                << "a mod kept on was turned off at " << step.text;
            EXPECT_NE(step.folder.end(), std::find(step.folder.begin(), step.folder.end(), "Unused.mod"))
                << "a mod that was off was turned on at " << step.text;
        }
        EXPECT_EQ("The problem comes with Maps.", result);
        EXPECT_EQ(ending.folder, Folder());
        EXPECT_FALSE(SearchStored());
        EXPECT_EQ(std::vector<std::string>{}, BoxTexts(dialogs));
        if (Folder() != start) {
            ASSERT_TRUE(MoveFileA((data + "\\Maps.mod").c_str(), (data + "\\Maps.pak").c_str()));
        }
    }
}

TEST_F(ProblemSearchTest, StoppedOrLeftWithoutASuspectItPutsTheStartBack)
{
    Start({"Armies.pak", "Books.pak", "Castles.pak", "Dragons.pak", "Unused.mod"}, "Dragons.pak");
    std::vector<std::string> start = Folder();
    // After the first check: the answers given, then what the player does.
    const std::vector<int> checkDisagrees = {IDC_SEARCH_SHOWS,   // Armies and Books on
                                             IDC_SEARCH_SHOWS,   // Armies alone
                                             IDC_SEARCH_SHOWS};  // every suspect but Armies
    const struct {
        const char* what;
        std::vector<int> answers;
        int goOn;  // the answer when asked whether to go on, 0: not asked
        bool removeSuspect;
    } cases[] = {
        {"stopped at the second start", {}, 0, false},
        {"a check disagrees, the player stops", checkDisagrees, IDNO, false},
        {"a check disagrees, the player goes on, then stops", checkDisagrees, IDYES, false},
        {"a suspect deleted meanwhile", {}, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.Forget();
        std::vector<std::string> offered, atSecondStart, afterGoingOn;
        HWND searchDialog = NULL;
        if (c.removeSuspect || c.goOn)
            dialogs.AnswerQuestion(c.removeSuspect ? IDYES : c.goOn);  // stop and put the others back?
        dialogs.ActIn("Find a Problem Mod", [&](HWND dialog) {
            searchDialog = dialog;
            Press(dialog, IDC_SEARCH_BEGIN);
            Press(dialog, IDC_SEARCH_NOT);  // the first check, every suspect off
            atSecondStart = Folder();
            offered = SwitchableSetNames();
            for (int answer : c.answers)
                Press(dialog, answer);
            if (c.removeSuspect) {
                DeleteFileA((data + "\\Armies.pak").c_str());
                DeleteFileA((data + "\\Armies.mod").c_str());
                Press(dialog, IDC_SEARCH_SHOWS);
            } else if (c.goOn != IDNO) {
                afterGoingOn = Folder();
                if (c.answers.empty())
                    root.Write(data.substr(root.Path().size() + 1) + "\\Brand New.pak");  // no suspect: left on
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
        } else if (c.goOn) {
            ExpectBoxes(dialogs, {Box(Message::SearchNotEveryTime, searchDialog, {"Armies", "Armies"})});
        } else {
            EXPECT_EQ(std::vector<std::string>{}, BoxTexts(dialogs));
            expected.push_back("Brand New.pak");
            std::sort(expected.begin(), expected.end());
        }
        if (c.goOn == IDYES) {
            // Afresh among the mods of the check: the first half of them.
            EXPECT_EQ(
                (std::vector<std::string>{"Armies.mod", "Books.pak", "Castles.pak", "Dragons.mod", "Unused.mod"}),
                afterGoingOn);
        }
        EXPECT_EQ(expected, Folder());
        EXPECT_FALSE(SearchStored());
        DeleteFileA((data + "\\Brand New.pak").c_str());
        start = Folder();
    }
}

// A stored search that cannot be read, whatever type of value holds it, is
// forgotten at the next start, and the player is told; no mod changes.
TEST_F(ProblemSearchTest, ASearchThatCannotBeReadIsForgottenAndTold)
{
    Start({"Armies.pak", "Books.pak", "Castles.mod"}, "Books.pak");
    const std::vector<std::string> start = Folder();
    const std::string mark = kSearchRecordMark;
    const struct {
        const char* what;
        DWORD type;
        std::string bytes;
    } values[] = {
        {"a list of strings that does not add up", REG_MULTI_SZ,
         mark + '\0' + "1 0 2 0" + '\0' + data + '\0' + '\0'},
        {"bytes", REG_BINARY, "\x01\x02\x03\x04"},
        {"one string", REG_SZ, mark},
    };
    for (const auto& value : values) {
        SCOPED_TRACE(value.what);
        dialogs.Forget();
        StoreUserValue(kProblemSearchKey, "Search", value.type, value.bytes);
        RestartApp();
        EXPECT_TRUE(PumpUntil([&] { return !dialogs.MessageBoxes().empty(); })) << "kept without a word";
        ExpectBoxes(dialogs, {Box(Message::SearchUnreadable, MainWindow)});
        EXPECT_FALSE(SearchStored());
        EXPECT_EQ(start, Folder());
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
    // while another copy of the tool shows it. It turns on the mods kept on
    // and the suspects, whatever the player did to them meanwhile, and
    // leaves the mods added meanwhile as the player left them, as Stop does.
    ASSERT_TRUE(SetModDirectory(data.c_str()));
    ASSERT_TRUE(StoreSearch(NewSearch(data, {"Armies", "Books", "Castles"}, {"Castles"}, FoldedKey)));
    ASSERT_TRUE(MoveFileA((data + "\\Armies.pak").c_str(), (data + "\\Armies.mod").c_str()));    // by a step
    ASSERT_TRUE(MoveFileA((data + "\\Castles.pak").c_str(), (data + "\\Castles.mod").c_str()));  // by the player
    for (const char* added : {"Brand New.pak", "Other New.mod"})
        root.Write(data.substr(root.Path().size() + 1) + "\\" + added);
    const std::vector<std::string> during = Folder();
    std::vector<std::string> before = start;
    before.insert(before.end(), {"Brand New.pak", "Other New.mod"});
    std::sort(before.begin(), before.end());
    for (bool otherCopy : {true, false}) {
        SCOPED_TRACE(otherCopy ? "another copy shows it" : "no other copy");
        dialogs.Forget();
        std::unique_ptr<FolderHeldElsewhere> shown;
        if (otherCopy)
            shown = std::make_unique<FolderHeldElsewhere>(FolderWork::Search);
        SwitchToSetNamed(kBeforeSearchSet);
        shown.reset();
        EXPECT_EQ(otherCopy ? during : before, Folder());
        EXPECT_EQ(otherCopy, SearchStored()) << "the search would switch the mods again";
        ExpectBoxes(dialogs, otherCopy ? std::vector<ExpectedBox>{Box(Message::SearchElsewhere, MainWindow)}
                                       : std::vector<ExpectedBox>{});
    }
}

}  // namespace
