// Every point at which a kill or a power cut can stop a change of the mod
// folder, for every kind of change: the folder as it was left, and every
// record of progress the journal can hold then. From each, putting it in
// order gives one whole state: a switch is put back; an update or a restore
// is finished (the new version whole, each archive with its own description,
// the kept version as it was) or, where it cannot be, undone (the folder as
// before, nothing given up).
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "changes/recovery_rules.h"
#include "updates/version_plan.h"
#include "change_plans.h"

namespace {

// A mod folder as names and what each file holds.
typedef std::map<std::string, std::string> Folder;

const VersionNames kNames = NamesOfVersions("Better Towns.pak");

// A move as the folder makes it: a copy makes a file of its source's content
// ("new:" and the source), a folder that goes to the Recycle Bin takes what
// it holds along.
void Apply(Folder& folder, const NameMove& move)
{
    if (move.from.empty()) {
        folder[move.to] = "copied";
        return;
    }
    auto found = folder.find(move.from);
    ASSERT_NE(folder.end(), found) << "nothing to move at " << move.from;
    ASSERT_TRUE(move.to.empty() || !folder.count(move.to)) << move.to << " would be replaced";
    std::string content = found->second;
    folder.erase(found);
    if (!move.to.empty())
        folder[move.to] = content;
    for (auto inside = folder.lower_bound(move.from + "\\");
         move.to.empty() && inside != folder.end() && inside->first.rfind(move.from + "\\", 0) == 0;)
        inside = folder.erase(inside);
}

// A repair as the folder makes it: removing a copy that was never begun
// finds nothing to remove, and that is no failure.
void Repair(Folder& folder, const RepairMove& move)
{
    if (move.kind == RepairKind::Rename)
        Apply(folder, {move.from, move.to});
    else if (move.kind == RepairKind::Recycle)
        Apply(folder, {move.from, ""});
    else
        folder.erase(move.from);
}

// "a=v2 d=d2": the archive holds "v2", the description "d2"; ap, dp: the
// previous version's; at, dt: the copies under the temporary names; o: the
// older version's folder, made empty before an update that gives one up; oa,
// od: the files in it.
Folder Make(const std::string& text)
{
    const std::map<std::string, std::string> names = {
        {"a", kNames.archive},           {"d", kNames.description},
        {"ap", kNames.previousArchive},  {"dp", kNames.previousDescription},
        {"at", kNames.archiveTemporary}, {"dt", kNames.descriptionTemporary},
        {"o", kNames.olderFolder},       {"oa", kNames.olderArchive},
        {"od", kNames.olderDescription}};
    Folder folder;
    std::istringstream words(text);
    for (std::string word; words >> word;)
        folder[names.count(word.substr(0, word.find('='))) ? names.at(word.substr(0, word.find('=')))
                                                           : word.substr(0, word.find('='))] =
            word.substr(word.find('=') + 1);
    return folder;
}

TEST(ChangeCutOff, EveryPointOfEveryKindOfChangeIsPutInOrderWhole)
{
    VersionFiles all = {true, true, true}, noOlderDescription = {true, true, false};
    const struct {
        const char* what;
        ChangePlan plan;
        const char *before, *finished;
    } cases[] = {
        {"an update of a mod with descriptions and an older version",
         UpdatePlan("C:\\data", kNames, all, "D:\\v3.pak", "D:\\d3.txt"),
         "a=v2 d=d2 ap=v1 dp=d1 o=", "a=copied d=copied ap=v2 dp=d2"},
        {"an update of a mod whose older version has no description",
         UpdatePlan("C:\\data", kNames, noOlderDescription, "D:\\v3.pak", "D:\\d3.txt"),
         "a=v2 d=d2 ap=v1 o=", "a=copied d=copied ap=v2 dp=d2"},
        {"an update that gives up a stray description of no version",
         UpdatePlan("C:\\data", kNames, {false, false, true}, "D:\\v2.pak", ""),
         "a=v1 dp=dx o=", "a=copied ap=v1"},
        {"an update that brings the first description", UpdatePlan("C:\\data", kNames, {}, "D:\\v2.pak", "D:\\d2"),
         "a=v1", "a=copied d=copied ap=v1"},
        {"a restore of both files", RestorePlan("C:\\data", kNames, all), "a=v2 d=d2 ap=v1 dp=d1",
         "a=v1 d=d1 ap=v2 dp=d2"},
        {"a restore to a version without description", RestorePlan("C:\\data", kNames, noOlderDescription),
         "a=v2 d=d2 ap=v1", "a=v1 ap=v2 dp=d2"},
        {"a restore back to the version with a description", RestorePlan("C:\\data", kNames, {false, true, true}),
         "a=v1 ap=v2 dp=d2", "a=v2 d=d2 ap=v1"},
        {"a switch", FlipsOf({"A.pak", "B.mod", "C.pak"}), "A.pak=a B.mod=b C.pak=c", "A.mod=a B.pak=b C.mod=c"},
    };
    for (const auto& c : cases) {
        const Folder before = Make(c.before);
        std::vector<NameMove> moves = AllMoves(c.plan.steps);
        for (size_t point = 0; point <= moves.size(); ++point) {
            Folder folder = before;
            for (size_t i = 0; i < point; ++i)
                Apply(folder, moves[i]);
            // The move in flight was recorded as reached and may be recorded
            // done; a record of the last one made may have been lost.
            for (size_t done = point > 0 ? point - 1 : 0; done <= point; ++done) {
                for (size_t reached = point; reached <= point + 1 && reached <= moves.size(); ++reached) {
                    // A copy begun may have left part of its file.
                    bool copyBegun = reached > point && moves[point].from.empty();
                    Folder cut = folder;
                    if (copyBegun)
                        cut[moves[point].to] = "part";
                    auto present = [&cut](const std::string& name) { return cut.count(name) > 0; };
                    SCOPED_TRACE(std::string(c.what) + ", cut off after " + std::to_string(point) + " moves, " +
                                 std::to_string(done) + " recorded done, " + std::to_string(reached) + " reached");
                    std::vector<MoveGroup> groups = GroupsMade(c.plan, done, reached, present);
                    Folder result = cut;
                    std::vector<std::string> recycled;
                    if (c.plan.kind != ChangeKind::Switch && CanFinish(c.plan, groups)) {
                        for (const RepairMove& move : FinishMoves(c.plan, groups))
                            Repair(result, move);
                        result.erase(kNames.olderFolder);  // removed when empty, after the change
                        EXPECT_EQ(Make(c.finished), result);
                        continue;
                    }
                    for (const RepairMove& move : UndoMoves(c.plan, groups, recycled))
                        Repair(result, move);
                    EXPECT_TRUE(recycled.empty()) << "an undo would leave files in the Recycle Bin";
                    EXPECT_EQ(before, result);
                }
            }
        }
    }
}

TEST(ChangeCutOff, AFolderChangedSinceIsLeftAlone)
{
    ChangePlan update = UpdatePlan("C:\\data", kNames, {true, false, false}, "D:\\v2.pak", "D:\\d2.txt");
    // The copies made, then removed by hand: no point of the plan shows.
    std::vector<MoveGroup> groups =
        GroupsMade(update, 2, 3, [](const std::string& name) { return name == kNames.archive; });
    EXPECT_FALSE(CanFinish(update, groups));
    std::vector<std::string> recycled;
    EXPECT_TRUE(UndoMoves(update, groups, recycled).empty()) << "nothing of what the player changed is undone";
}

}  // namespace
