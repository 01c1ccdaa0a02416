#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "updates/version_plan.h"

namespace {

// A mod folder as names and what each file holds.
typedef std::map<std::string, std::string> Folder;

const VersionNames kNames = NamesOfVersions("Better Towns.pak");

void Apply(Folder& folder, const NameMove& move)
{
    auto found = folder.find(move.from);
    ASSERT_NE(folder.end(), found) << "nothing to move at " << move.from;
    ASSERT_TRUE(move.to.empty() || !folder.count(move.to)) << move.to << " would be replaced";
    std::string content = found->second;
    folder.erase(found);
    if (!move.to.empty())
        folder[move.to] = content;
}

// "a=v2 d=d2": the archive holds "v2", the description "d2"; ap, dp: the
// previous version's; at, dt: the copies under the temporary names.
Folder Make(const std::string& text)
{
    const std::map<std::string, std::string> names = {
        {"a", kNames.archive},           {"d", kNames.description},
        {"ap", kNames.previousArchive},  {"dp", kNames.previousDescription},
        {"at", kNames.archiveTemporary}, {"dt", kNames.descriptionTemporary}};
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
// description.
TEST(MovesMade, FindsEveryPointACutOffChangeStoppedAtAndFinishesOrUndoesIt)
{
    const struct {
        const char* what;
        bool restore;
        bool newDescription;
        const char *before, *finished;
    } cases[] = {
        {"an update of a mod with descriptions and an older version", false, true,
         "a=v2 d=d2 ap=v1 dp=d1 at=v3 dt=d3", "a=v3 d=d3 ap=v2 dp=d2"},
        {"an update whose description stays (copied for both)", false, false, "a=v1 d=d at=v2 dt=d",
         "a=v2 d=d ap=v1 dp=d"},
        {"an update that brings the first description", false, true, "a=v1 at=v2 dt=d2", "a=v2 d=d2 ap=v1"},
        {"a restore of both files", true, false, "a=v2 d=d2 ap=v1 dp=d1", "a=v1 d=d1 ap=v2 dp=d2"},
        {"a restore to a version without description", true, false, "a=v2 d=d2 ap=v1", "a=v1 ap=v2 dp=d2"},
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

                Folder undone = folder;
                for (const NameMove& move : MovesToUndo(steps, *made))
                    Apply(undone, move);
                for (const std::string& name : {kNames.archive, kNames.description}) {
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
    };
    for (const auto& c : bad)
        EXPECT_FALSE(ReadVersionJournal(c.strings).has_value()) << c.what;
}

}  // namespace
