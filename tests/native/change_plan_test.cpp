#include <gtest/gtest.h>

#include <set>

#include "changes/journal_text.h"
#include "changes/legacy_forms.h"
#include "changes/recovery_rules.h"
#include "mods/mod_names.h"
#include "change_plans.h"

namespace {

// An update of "B.pak" with a description, as the tool plans it, with or
// without the copies of the new version that come first.
ChangePlan Update(bool copies = false)
{
    ChangePlan plan;
    plan.kind = ChangeKind::Update;
    plan.folder = "C:\\Games\\data";
    plan.mod = "B.pak";
    if (copies)
        plan.steps = {{ChangeStepKind::Copy, "D:\\New\\B.pak", "B.pa~", ""},
                      {ChangeStepKind::Copy, "D:\\New\\B.txt", "B.tx~", ""}};
    plan.steps.push_back({ChangeStepKind::Replace, "B.pak", "B.pa~", "B.previous"});
    plan.steps.push_back({ChangeStepKind::Replace, "B.txt", "B.tx~", "B.previous-txt"});
    return plan;
}

NamePresent In(const std::set<std::string>& folder)
{
    return [folder](const std::string& name) {
        for (const std::string& there : folder)
            if (AsciiLower(there) == AsciiLower(name))
                return true;
        return false;
    };
}

// "a>b" renames, "a>bin" recycles, "a>x" removes.
std::string Moves(const std::vector<RepairMove>& moves)
{
    std::string text;
    for (const RepairMove& move : moves) {
        const char* to[] = {"", "bin", "x"};
        text += (text.empty() ? "" : " ") + move.from + ">" +
                (move.kind == RepairKind::Rename ? move.to : to[static_cast<size_t>(move.kind)]);
    }
    return text;
}

TEST(ChangeJournal, ReadsBackOnlyAWholePlanAndTheLastWholeProgressLines)
{
    ChangePlan written = Update();
    written.folder = "C:\\Игры\\da\tta";
    written.steps.push_back({ChangeStepKind::Recycle, "B.previous", "", ""});
    std::string text = PlanText(written) + ReachLine(1) + DoneLine(1) + ReachLine(2);
    std::string noKind = PlanText(FlipsOf({"A.pak"}));
    noKind.replace(noKind.find("rename"), 6, "delete");
    JournalRead read = ReadJournalText(text + "don");  // the last line cut off
    ASSERT_TRUE(read.plan.has_value());
    EXPECT_EQ(written.folder, read.plan->folder);
    EXPECT_EQ("B.pak", read.plan->mod);
    EXPECT_TRUE(read.plan->steps == written.steps);
    EXPECT_EQ(2u, read.reached);
    EXPECT_EQ(1u, read.done);

    const struct {
        const char* what;
        std::string text;
    } bad[] = {
        {"the plan cut off before its end", text.substr(0, PlanText(written).size() - 2)},
        {"another mark", "Quillmoor mod folder change, version 9" + text.substr(text.find('\n'))},
        {"a step of no kind", noKind},
        {"progress beyond the plan's moves", PlanText(written) + ReachLine(6)},
        {"a line that is no progress", PlanText(written) + "undo\t1\n"},
        {"nothing", ""},
    };
    for (const auto& c : bad)
        EXPECT_FALSE(ReadJournalText(c.text).plan.has_value()) << c.what;
    EXPECT_EQ(0u, ReadJournalText(PlanText(written)).reached) << "no progress line: nothing begun";
}

TEST(ChangeRecovery, PutsBackOrFinishesOnlyWhatTheJournalAllowsAndTheFolderShows)
{
    const struct {
        const char* what;
        ChangePlan plan;
        size_t done, reached;  // moves
        std::set<std::string> folder;
        std::string undo, finish;
        bool canFinish;
    } cases[] = {
        {"a switch cut off in its third rename",
         FlipsOf({"A.pak", "B.pak", "C.mod", "D.mod"}),
         2,
         3,
         {"A.mod", "B.mod", "C.pak", "D.mod"},
         "C.pak>C.mod B.mod>B.pak A.mod>A.pak",
         "D.mod>D.pak",
         true},
        {"a rename not reached that the player made since is left alone",
         FlipsOf({"A.pak", "B.pak"}),
         1,
         1,
         {"A.mod", "B.mod"},
         "A.mod>A.pak",
         "",
         false},
        {"a rename the player undid since is passed over",
         FlipsOf({"A.pak", "B.pak"}),
         2,
         2,
         {"A.pak", "B.mod"},
         "B.mod>B.pak",
         "",
         false},
        {"letter case aside", FlipsOf({"Town.PAK"}), 0, 1, {"TOWN.mod"}, "Town.mod>Town.PAK", "", true},
        {"the game's own archives and other names are never followed",
         FlipsOf({"data.pak", "notes.txt", "sub\\x.pak", "Mine.pak"}),
         4,
         4,
         {"data.mod", "notes.pak", "sub\\x.mod", "Mine.mod"},
         "Mine.mod>Mine.pak",
         "",
         true},
        {"an update cut off in the archive's replace, after its first rename",
         Update(),
         0,
         2,
         {"B.pa~", "B.previous", "B.txt", "B.tx~"},
         "B.previous>B.pak",
         "B.pa~>B.pak B.txt>B.previous-txt B.tx~>B.txt",
         true},
        {"an update whose archive is replaced, its description not begun",
         Update(),
         2,
         2,
         {"B.pak", "B.previous", "B.txt", "B.tx~"},
         "B.pak>B.pa~ B.previous>B.pak",
         "B.txt>B.previous-txt B.tx~>B.txt",
         true},
        {"an update cut off in its first copy: the part copied goes",
         Update(true),
         0,
         1,
         {"B.pak", "B.pa~", "B.txt"},
         "B.pa~>x",
         "",
         false},
        {"an update cut off after its copies: finished",
         Update(true),
         2,
         4,
         {"B.pak", "B.pa~", "B.txt", "B.tx~"},
         "B.tx~>x B.pa~>x",
         "B.pak>B.previous B.pa~>B.pak B.txt>B.previous-txt B.tx~>B.txt",
         true},
        {"an update whose folder was changed since matches no point", Update(), 2, 4, {"B.pak"}, "", "", false},
    };
    for (const auto& c : cases) {
        std::vector<MoveGroup> groups = GroupsMade(c.plan, c.done, c.reached, In(c.folder));
        std::vector<std::string> recycled;
        EXPECT_EQ(c.undo, Moves(UndoMoves(c.plan, groups, recycled))) << c.what;
        EXPECT_EQ(c.finish, Moves(FinishMoves(c.plan, groups))) << c.what;
        EXPECT_EQ(c.canFinish, CanFinish(c.plan, groups)) << c.what;
    }
}

TEST(ChangeRecovery, AnUndoOfARecycledFileNamesItAndWhatIsOwedIsARenameBack)
{
    ChangePlan plan = Update();
    plan.steps.insert(plan.steps.begin(), {ChangeStepKind::Recycle, "B.previous", "", ""});
    std::vector<MoveGroup> groups = GroupsMade(plan, 1, 3, In({"B.pa~", "B.previous", "B.txt", "B.tx~"}));
    std::vector<std::string> recycled;
    std::vector<RepairMove> undo = UndoMoves(plan, groups, recycled);
    EXPECT_EQ("B.previous>B.pak", Moves(undo));
    EXPECT_EQ(std::vector<std::string>{"B.previous"}, recycled);

    ChangePlan owed = OwedPlan(plan, undo);
    EXPECT_TRUE(owed.phase == ChangePhase::Owed);
    ASSERT_EQ(1u, owed.steps.size());
    EXPECT_TRUE(StepFits(owed, owed.steps[0]));
    EXPECT_EQ("B.previous>B.pak", Moves(FinishMoves(owed, GroupsMade(owed, 0, 1, In({"B.previous"})))));
}

TEST(ChangeJournal, ReadsEveryFormTheRegistryHeldBefore)
{
    const struct {
        const char* what;
        JournalRead read;
        bool whole;
        ChangePhase phase;
        std::string steps;  // "kind:first>second"
        size_t done, reached;
    } cases[] = {
        {"a switch under way, version 1",
         ReadLegacySwitch({"Quillmoor mod set switch, version 1", "C:\\data", "2", "A.pak", "B.mod"}), true,
         ChangePhase::Doing, "0:A.pak>A.mod 0:B.mod>B.pak", 0, 2},
        {"a switch under way, version 2",
         ReadLegacySwitch({"Quillmoor mod set switch, version 2", "switching", "C:\\data", "1", "A.pak"}), true,
         ChangePhase::Doing, "0:A.pak>A.mod", 0, 1},
        {"what a failed switch owed: renamed back",
         ReadLegacySwitch({"Quillmoor mod set switch, version 2", "owed", "C:\\data", "1", "A.pak"}), true,
         ChangePhase::Owed, "0:A.mod>A.pak", 0, 0},
        {"a switch whose count is wrong",
         ReadLegacySwitch({"Quillmoor mod set switch, version 2", "owed", "C:\\data", "2", "A.pak"}), false,
         ChangePhase::Doing, "", 0, 0},
        {"an update with one step done",
         ReadLegacyVersionChange(
             {"update", "C:\\data", "B.pak", "recycle\tB.previous", "replace\tB.pak\tB.pa~\tB.previous"}, 1),
         true, ChangePhase::Doing, "2:B.previous> 1:B.pak>B.pa~", 1, 3},
        {"a restore with a step of no kind",
         ReadLegacyVersionChange({"restore", "C:\\data", "B.pak", "delete\tB.pak"}, 0), false, ChangePhase::Doing,
         "", 0, 0},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.whole, c.read.plan.has_value()) << c.what;
        if (!c.whole)
            continue;
        EXPECT_TRUE(c.phase == c.read.plan->phase) << c.what;
        EXPECT_EQ("C:\\data", c.read.plan->folder) << c.what;
        std::string steps;
        for (const ChangeStep& step : c.read.plan->steps)
            steps += (steps.empty() ? "" : " ") + std::to_string(static_cast<int>(step.kind)) + ":" + step.first +
                     ">" + step.second;
        EXPECT_EQ(c.steps, steps) << c.what;
        EXPECT_EQ(c.done, c.read.done) << c.what;
        EXPECT_EQ(c.reached, c.read.reached) << c.what;
    }
}

TEST(ChangeFolders, AreOneByTheirNormalPath)
{
    const struct {
        const char *first, *second;
        bool same;
    } cases[] = {
        {"C:\\Games\\data", "c:\\games\\DATA", true},
        {"C:\\Games\\data\\", "C:\\Games\\data", true},
        {"C:\\Games\\bin\\..\\data", "C:\\Games\\data", true},
        {"C:\\Games\\.\\data", "C:/Games//data", true},
        {"Q:\\", "Q:\\", true},
        {"Q:\\..", "Q:\\", true},
        {"C:\\Games\\data\\sub", "C:\\Games\\data", false},
        {"Q:", "Q:\\", false},
        {"C:\\Windows", "C:\\Games\\data", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.same, IsSameFolder(c.first, c.second, AsciiLower)) << c.first << " / " << c.second;
}

}  // namespace
