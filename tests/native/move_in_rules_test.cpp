#include <gtest/gtest.h>

#include <set>

#include "changes/journal_text.h"
#include "changes/move_in_rules.h"
#include "changes/recovery_rules.h"
#include "mods/mod_names.h"

namespace {

const std::string kLocal = "C:\\Users\\Ann\\AppData\\Local";
const std::string kFolder = "C:\\Program Files (x86)\\Game\\data";
const std::string kCopy = kLocal + "\\VirtualStore\\Program Files (x86)\\Game\\data";

// Mods as "a+b c": their files joined by "+", the mods by " ".
std::string Mods(const std::vector<VirtualMod>& mods)
{
    std::string text;
    for (const VirtualMod& mod : mods)
        for (size_t i = 0; i < mod.files.size(); ++i)
            text += (text.empty() ? "" : i ? "+" : " ") + mod.files[i];
    return text;
}

TEST(MoveIn, TheVirtualCopyIsTheFolderBelowVirtualStoreAndOnlyADrivesFolderHasOne)
{
    EXPECT_EQ(kCopy, VirtualCopyOf(kLocal, "c:/Program Files (x86)/Game/./data/").value_or("(none)"));
    for (const char* folder : {"\\\\server\\share\\data", "data", "C:\\"})
        EXPECT_FALSE(VirtualCopyOf(kLocal, folder)) << folder;
}

// A mod is the files of one name: it moves whole, or stays whole when one of
// its names is in the mod folder (letter case aside, an archive also in its
// other state), which is named.
TEST(MoveIn, AModMovesWholeOrStaysWholeForANameTheFolderHas)
{
    const std::set<std::string> folder = {"roads.txt", "other.pak", "twice.pak"};
    auto inFolder = [&folder](const std::string& name) { return folder.count(AsciiLower(name)) > 0; };
    VirtualCopyContents contents = SortVirtualCopy({"Towns.pak", "Towns.txt", "Roads.mod", "Roads.TXT", "Lone.txt",
                                                    "Other.PAK", "notes.doc", "Maps.pak", "Twice.mod"},
                                                   inFolder);
    EXPECT_EQ("Lone.txt Maps.pak Towns.pak+Towns.txt", Mods(contents.movable));
    EXPECT_EQ("Other.PAK Roads.TXT+Roads.mod Twice.mod", Mods(contents.left));
    std::vector<VirtualMod> taken;  // each name on its own
    for (const std::string& name : contents.taken)
        taken.push_back({{name}});
    EXPECT_EQ("Other.PAK Roads.TXT Twice.mod", Mods(taken));
}

// A plan read back from the journal is followed only as a move of the
// folder's own virtual copy into the folder, names kept.
TEST(MoveIn, OnlyRenamesFromTheFoldersOwnVirtualCopyUnderTheSameNameFit)
{
    ChangePlan plan = MoveInPlan(kFolder, kCopy, {{"Towns.pak", "Towns.txt"}});
    std::optional<ChangePlan> read = ReadJournalText(PlanText(plan)).plan;
    ASSERT_TRUE(read);
    EXPECT_EQ(ChangeKind::MoveIn, read->kind);
    EXPECT_EQ(plan.steps, read->steps);
    EXPECT_TRUE(StepsRefused(*read).empty());
    const std::string windows = kLocal + "\\VirtualStore\\Windows";
    const struct {
        const char* what;
        std::string copy, from, to;
    } refused[] = {
        {"another name", kCopy, kCopy + "\\Towns.pak", "Roads.pak"},
        {"not an archive or a description", kCopy, kCopy + "\\game.exe", "game.exe"},
        {"from elsewhere", kCopy, "C:\\Windows\\T.pak", "T.pak"},
        {"another folder's copy", windows, windows + "\\T.pak", "T.pak"},
    };
    for (const auto& c : refused) {
        ChangePlan other = plan;
        other.mod = c.copy;
        EXPECT_FALSE(StepFits(other, {ChangeStepKind::Rename, c.from, c.to, ""})) << c.what;
    }
}

}  // namespace
