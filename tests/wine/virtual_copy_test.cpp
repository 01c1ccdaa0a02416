// Files that Windows redirected into the mod folder's virtual copy are told
// of once at start and, when the player agrees, moved in: each mod whole,
// never over a file of the mod folder, which is named and left; a move cut
// off is put back at the next start, each mod whole in one place.
#include "app_test.h"

#include <shlobj.h>

#include "changes/change_engine.h"
#include "changes/move_in_rules.h"
#include "journal.h"
#include "shared/text_conversion.h"
#include "update_fixture.h"

namespace {

class VirtualCopyTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        mods.MakeFolder("data");
        folder = mods.Path("data");
        WCHAR local[MAX_PATH];
        ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(NULL, CSIDL_LOCAL_APPDATA, NULL, SHGFP_TYPE_CURRENT, local)));
        copy = *VirtualCopyOf(FromWide(local, CP_ACP), folder);
        int made = SHCreateDirectoryExA(NULL, copy.c_str(), NULL);  // left by an earlier run: the same name
        ASSERT_TRUE(made == ERROR_SUCCESS || made == ERROR_ALREADY_EXISTS) << copy << ": error " << made;
    }
    void TearDown() override
    {
        AppTest::TearDown();
        EmptyFolder(copy);
    }
    static void Put(const std::string& where, const std::string& files)
    {
        for (const auto& file : Files(files))
            WriteFileBytes(where + "\\" + file.first, file.second);
    }
    static Contents Held(const std::string& where)
    {
        Contents held;
        for (const std::string& name : FolderNames(where))
            held[name] = ReadFileBytes(where + "\\" + name);
        return held;
    }

    TempFolder mods;
    std::string folder, copy;
};

// The offer names every archive and description; Yes moves each mod whose
// names are free and names the mod left (a name there, its archive there in
// the other state), No leaves all; the mod folder's files are never replaced.
TEST_F(VirtualCopyTest, TheVirtualCopysModsAreToldAndMovedWholeNeverOverAFile)
{
    const std::string inFolder = "Roads.pak=folder's|Roads.txt=about the folder's roads",
                      towns = "Towns.pak=towns|Towns.txt=about towns",
                      roads = "Roads.mod=copy's|Roads.txt=about roads|";
    const struct {
        int answer;
        std::string inFolder, inCopy;
    } cases[] = {
        {IDYES, inFolder + "|" + towns, roads + "notes.doc=notes"},
        {IDNO, inFolder, roads + towns + "|notes.doc=notes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer == IDYES ? "Yes" : "No");
        EmptyFolder(folder);
        EmptyFolder(copy);
        Put(folder, inFolder);
        Put(copy, towns + "|" + roads + "notes.doc=notes");
        dialogs.Forget();
        dialogs.AnswerQuestion(c.answer);
        StartAppIn(folder);
        size_t boxes = c.answer == IDYES ? 2 : 1;
        EXPECT_TRUE(PumpUntil([&] { return dialogs.MessageBoxes().size() >= boxes; }));
        DispatchWaitingMessages();
        std::vector<ExpectedBox> told = {Box(Message::VirtualCopyOffer, MainWindow,
                                             {copy, "Towns.pak, Towns.txt, Roads.mod, Roads.txt", folder}),
                                         Box(Message::VirtualCopyLeft, MainWindow, {"Roads.mod, Roads.txt"})};
        told.resize(boxes);
        ExpectBoxes(dialogs, told);
        EXPECT_EQ(Files(c.inFolder), Held(folder));
        EXPECT_EQ(Files(c.inCopy), Held(copy));
        EXPECT_FALSE(JournalLeft());
        CloseApp();
    }
}

// A move cut off at each point is put back at the next start: the mod whole
// in the virtual copy, the mod folder as it was.
TEST_F(VirtualCopyTest, AMoveCutOffIsPutBackWhole)
{
    const ChangePlan plan = MoveInPlan(folder, copy, {{"Towns.pak", "Towns.txt"}});
    const struct {
        const char* what;
        size_t done, reached;
        std::vector<std::string> moved;  // the files the cut-off move had made
    } cases[] = {
        {"before the first rename", 0, 1, {}},
        {"the first rename made, not recorded", 0, 1, {"Towns.pak"}},
        {"the first recorded, the second made", 1, 2, {"Towns.pak", "Towns.txt"}},
        {"both recorded", 2, 2, {"Towns.pak", "Towns.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EmptyFolder(folder);
        EmptyFolder(copy);
        Put(folder, "Other.pak=other");
        Put(copy, "Towns.pak=towns|Towns.txt=about towns");
        for (const std::string& name : c.moved)
            ASSERT_TRUE(MoveFileA((copy + "\\" + name).c_str(), (folder + "\\" + name).c_str()));
        StoreChangeJournal(plan, c.done, c.reached);
        dialogs.Forget();
        dialogs.AnswerQuestion(IDNO);  // the offer that follows, when the copy held files at start
        StartAppIn(folder);
        EXPECT_TRUE(PumpUntil([&] { return !dialogs.MessageBoxes().empty(); }));
        DispatchWaitingMessages();
        std::vector<SeenDialog> boxes = dialogs.MessageBoxes();
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(Text(Message::MoveInCutOff), boxes[0].text);
        EXPECT_EQ(Files("Other.pak=other"), Held(folder));
        EXPECT_EQ(Files("Towns.pak=towns|Towns.txt=about towns"), Held(copy));
        EXPECT_FALSE(JournalLeft());
        CloseApp();
    }
}

}  // namespace
