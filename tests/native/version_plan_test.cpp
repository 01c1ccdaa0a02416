#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "updates/version_plan.h"

namespace {

// A mod folder as names and what each file holds.
typedef std::map<std::string, std::string> Folder;

const VersionNames kNames = NamesOfVersions("Better Towns.pak");

// A move as the folder makes it: a folder that goes to the Recycle Bin takes
// what it holds along.
void Apply(Folder& folder, const NameMove& move)
{
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
        folder[names.at(word.substr(0, word.find('=')))] = word.substr(word.find('=') + 1);
    return folder;
}

// Every point at which a kill can stop an update or a restore: the folder as
// it was left, and the steps the journal had recorded (one fewer when the
// kill came between a step and its record). From each, finishing gives the
// new version whole and undoing the old one, each archive with its own
// description, and the kept previous version as it was: nothing of it is
// given up before the new version is in place.
TEST(MovesMade, FindsEveryPointACutOffChangeStoppedAtAndFinishesOrUndoesIt)
{
    const struct {
        const char* what;
        bool restore;
        bool newDescription;
        const char *before, *finished;
    } cases[] = {
        {"an update of a mod with descriptions and an older version", false, true,
         "a=v2 d=d2 ap=v1 dp=d1 at=v3 dt=d3 o=", "a=v3 d=d3 ap=v2 dp=d2"},
        {"an update of a mod whose older version has no description", false, true,
         "a=v2 d=d2 ap=v1 at=v3 dt=d3 o=", "a=v3 d=d3 ap=v2 dp=d2"},
        {"an update that gives up a stray description of no version", false, false,
         "a=v1 dp=dx at=v2 o=", "a=v2 ap=v1"},
        {"an update whose description stays (copied for both)", false, false, "a=v1 d=d at=v2 dt=d",
         "a=v2 d=d ap=v1 dp=d"},
        {"an update that brings the first description", false, true, "a=v1 at=v2 dt=d2", "a=v2 d=d2 ap=v1"},
        {"a restore of both files", true, false, "a=v2 d=d2 ap=v1 dp=d1", "a=v1 d=d1 ap=v2 dp=d2"},
        {"a restore to a version without description", true, false, "a=v2 d=d2 ap=v1", "a=v1 ap=v2 dp=d2"},
        {"a restore back to the version with a description", true, false, "a=v1 ap=v2 dp=d2", "a=v2 d=d2 ap=v1"},
    };
    for (const auto& c : cases) {
        const Folder before = Make(c.before);
        VersionFiles files = {before.count(kNames.description) > 0, before.count(kNames.previousArchive) > 0,
                              before.count(kNames.previousDescription) > 0};
        std::vector<VersionStep> steps =
            c.restore ? RestoreSteps(kNames, files) : UpdateSteps(kNames, files, c.newDescription);
        std::vector<NameMove> all = MovesToFinish(steps, 0);
        for (size_t point = 0; point <= all.size(); ++point) {
            Folder folder = before;
            for (size_t i = 0; i < point; ++i)
                Apply(folder, all[i]);
            auto present = [&folder](const std::string& name) { return folder.count(name) > 0; };
            size_t recorded = StepsDone(steps, point);
            for (size_t lag = 0; lag <= (recorded > 0 && StepsDone(steps, point - 1) < recorded ? 1u : 0u);
                 ++lag) {
                SCOPED_TRACE(std::string(c.what) + ", cut off after " + std::to_string(point) + " moves, " +
                             std::to_string(recorded - lag) + " steps recorded");
                std::optional<size_t> made = MovesMade(steps, recorded - lag, present);
                ASSERT_TRUE(made.has_value());
                EXPECT_EQ(point, *made);

                Folder finished = folder;
                for (const NameMove& move : MovesToFinish(steps, *made))
                    Apply(finished, move);
                EXPECT_EQ(Make(c.finished), finished);

                if (point == all.size() && !RecycledAmong(steps, point).empty())
                    continue;  // the older version gone last: the update is done, nothing undoes it
                Folder undone = folder;
                for (const NameMove& move : MovesToUndo(steps, *made))
                    Apply(undone, move);
                EXPECT_TRUE(RecycledAmong(steps, *made).empty()) << "an undo would leave files in the Recycle Bin";
                for (const std::string& name :
                     {kNames.archive, kNames.description, kNames.previousArchive, kNames.previousDescription}) {
                    EXPECT_EQ(before.count(name) ? before.at(name) : "(none)",
                              undone.count(name) ? undone[name] : "(none)")
                        << name << " undone";
                }
            }
        }
    }
}

TEST(MovesMade, AFolderChangedSinceMatchesNoPoint)
{
    std::vector<VersionStep> steps = UpdateSteps(kNames, {true, false, false}, true);
    auto onlyTheArchive = [](const std::string& name) { return name == kNames.archive; };
    EXPECT_FALSE(MovesMade(steps, 0, onlyTheArchive).has_value()) << "the copies were removed by hand";
    auto nothing = [](const std::string&) { return false; };
    EXPECT_FALSE(MovesMade(steps, 1, nothing).has_value());
}

TEST(VersionJournal, ReadsBackOnlyWhatWasWrittenWholeAndOnlyTheModsOwnNames)
{
    VersionJournal journal = {VersionChange::Restore, "C:\\Games\\data", "Мод.pak",
                              RestoreSteps(NamesOfVersions("Мод.pak"), {true, true, true})};
    std::vector<std::string> written = VersionJournalStrings(journal);
    std::optional<VersionJournal> read = ReadVersionJournal(written);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(written, VersionJournalStrings(*read));

    auto with = [&written](size_t line, const std::string& text) {
        std::vector<std::string> changed = written;
        changed[line] = text;
        return changed;
    };
    const struct {
        const char* what;
        std::vector<std::string> strings;
    } bad[] = {
        {"nothing", {}},
        {"no steps", {written.begin(), written.begin() + 3}},
        {"another change", with(0, "switch")},
        {"an archive with a path", with(2, "..\\bin\\Мод.pak")},
        {"another file", with(3, "rename\tМод.pak\tH5_Game.exe")},
        {"a path", with(3, "rename\tМод.pak\t..\\Мод.pak")},
        {"a step of another kind", with(3, "delete\tМод.pak")},
        {"the mod itself to the Recycle Bin", with(3, "recycle\tМод.pak")},
        {"a step without its names", with(3, "replace\tМод.pak\tМод.previous")},
        {"a file of the older version's folder alone to the Recycle Bin", with(3, "recycle\tМод.older\\previous")},
        {"another folder's file", with(3, "rename\tМод.previous\tdata\\previous")},
    };
    for (const auto& c : bad)
        EXPECT_FALSE(ReadVersionJournal(c.strings).has_value()) << c.what;

    // An update journalled by an earlier version of the tool, which gave up
    // the older version first, file by file, is still read and put in order.
    VersionNames names = NamesOfVersions("Мод.pak");
    std::vector<std::string> earlier = {"update",
                                        "C:\\Games\\data",
                                        "Мод.pak",
                                        "recycle\tМод.previous",
                                        "recycle\tМод.previous-txt",
                                        "replace\tМод.pak\tМод.pa~\tМод.previous"};
    std::optional<VersionJournal> earlierRead = ReadVersionJournal(earlier);
    ASSERT_TRUE(earlierRead.has_value());
    EXPECT_EQ(earlier, VersionJournalStrings(*earlierRead));
    EXPECT_EQ((std::vector<std::string>{names.previousArchive, names.previousDescription}),
              RecycledAmong(earlierRead->steps, 3))
        << "an undo from the replace leaves the older version in the Recycle Bin";
}

}  // namespace
