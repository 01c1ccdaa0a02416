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

std::string Joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : "+") + name;
    return text;
}

std::string Mods(const std::vector<VirtualMod>& mods)
{
    std::string text;
    for (const VirtualMod& mod : mods)
        text += (text.empty() ? "" : " ") + Joined(mod.files);
    return text;
}

TEST(MoveIn, TheVirtualCopyIsTheFolderBelowVirtualStoreAndOnlyADrivesFolderHasOne)
{
    const struct {
        std::string folder, expected;
    } cases[] = {
        {kFolder, kCopy},
        {"c:/Program Files (x86)/Game/./data/", kLocal + "\\VirtualStore\\Program Files (x86)\\Game\\data"},
        {"\\\\server\\share\\data", "(none)"},
        {"data", "(none)"},
        {"C:\\", "(none)"},
    };
    for (const auto& c : cases) {
        std::optional<std::string> copy = VirtualCopyOf(kLocal, c.folder);
        EXPECT_EQ(c.expected, copy ? *copy : "(none)") << c.folder;
    }
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
    EXPECT_EQ("Other.PAK+Roads.TXT+Twice.mod", Joined(contents.taken));
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
    const struct {
        const char* what;
        std::string copy;
        ChangeStep step;
    } refused[] = {
        {"another name", kCopy, {ChangeStepKind::Rename, kCopy + "\\Towns.pak", "Roads.pak", ""}},
        {"not an archive or a description", kCopy, {ChangeStepKind::Rename, kCopy + "\\game.exe", "game.exe", ""}},
        {"into a subfolder", kCopy, {ChangeStepKind::Rename, kCopy + "\\a\\T.pak", "a\\T.pak", ""}},
        {"from elsewhere", kCopy, {ChangeStepKind::Rename, "C:\\Windows\\T.pak", "T.pak", ""}},
        {"another folder's copy",
         kLocal + "\\VirtualStore\\Windows",
         {ChangeStepKind::Rename, kLocal + "\\VirtualStore\\Windows\\T.pak", "T.pak", ""}},
        {"a recycle", kCopy, {ChangeStepKind::Recycle, "Towns.pak", "", ""}},
    };
    for (const auto& c : refused) {
        ChangePlan other = plan;
        other.mod = c.copy;
        EXPECT_FALSE(StepFits(other, c.step)) << c.what;
    }
}

}  // namespace
