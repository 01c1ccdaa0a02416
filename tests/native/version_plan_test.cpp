#include <gtest/gtest.h>

#include <map>

#include "updates/version_plan.h"

namespace {

// A mod folder as names and what each file holds.
typedef std::map<std::string, std::string> Folder;

const VersionNames kNames = NamesOfVersions("Better Towns.pak");

std::string Text(const VersionStep& step)
{
    switch (step.kind) {
    case StepKind::Recycle: return "recycle " + step.first;
    case StepKind::Rename: return "rename " + step.first + " to " + step.second;
    case StepKind::Replace: return "replace " + step.first + " by " + step.second + " keeping " + step.third;
    }
    return "";
}

std::vector<std::string> Texts(const std::vector<VersionStep>& steps)
{
    std::vector<std::string> texts;
    for (const VersionStep& step : steps)
        texts.push_back(Text(step));
    return texts;
}

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

TEST(NamesOfVersions, KeepThePreviousVersionWhereNeitherTheGameNorTheListsLook)
{
    EXPECT_EQ("Better Towns.pak", kNames.archive);
    EXPECT_EQ("Better Towns.txt", kNames.description);
    EXPECT_EQ("Better Towns.previous", kNames.previousArchive);
    EXPECT_EQ("Better Towns.previous-txt", kNames.previousDescription);
    EXPECT_EQ("Better Towns.pa~", kNames.archiveTemporary);
    EXPECT_EQ("Better Towns.tx~", kNames.descriptionTemporary);
    VersionNames disabled = NamesOfVersions("Better Towns.MOD");
    EXPECT_EQ(kNames.previousArchive, disabled.previousArchive)
        << "a mod keeps its previous version when disabled";
    EXPECT_EQ("Better Towns.MO~", disabled.archiveTemporary);
    // A short name takes the first three letters after the last dot: none of
    // them may be "pak", and no long name may end as an archive or description.
    for (const std::string& name : {kNames.previousArchive, kNames.previousDescription}) {
        std::string extension = name.substr(name.rfind('.') + 1);
        EXPECT_NE("pak", extension.substr(0, 3)) << name;
        EXPECT_NE("mod", extension.substr(0, 3)) << name;
        EXPECT_NE("txt", extension.substr(0, 3)) << name;
    }
}

TEST(VersionSteps, KeepOnePreviousVersionAndSwapBothFilesOnRestore)
{
    const std::string a = "Better Towns.pak", d = "Better Towns.txt", ap = "Better Towns.previous",
                      dp = "Better Towns.previous-txt", at = "Better Towns.pa~", dt = "Better Towns.tx~";
    const struct {
        const char* what;
        bool restore;
        VersionFiles files;  // description, previous archive, previous description
        bool newDescription;
        std::vector<std::string> steps;
    } cases[] = {
        {"a first update", false, {false, false, false}, false, {"replace " + a + " by " + at + " keeping " + ap}},
        {"an update with descriptions and an older version",
         false,
         {true, true, true},
         true,
         {"recycle " + ap, "recycle " + dp, "replace " + a + " by " + at + " keeping " + ap,
          "replace " + d + " by " + dt + " keeping " + dp}},
        {"a description comes where there was none",
         false,
         {false, false, false},
         true,
         {"replace " + a + " by " + at + " keeping " + ap, "rename " + dt + " to " + d}},
        {"a stale previous description",
         false,
         {false, false, true},
         false,
         {"recycle " + dp, "replace " + a + " by " + at + " keeping " + ap}},
        {"a restore of both files",
         true,
         {true, true, true},
         false,
         {"replace " + a + " by " + ap + " keeping " + at, "rename " + at + " to " + ap,
          "replace " + d + " by " + dp + " keeping " + dt, "rename " + dt + " to " + dp}},
        {"a restore to a version without description",
         true,
         {true, true, false},
         false,
         {"replace " + a + " by " + ap + " keeping " + at, "rename " + at + " to " + ap,
          "rename " + d + " to " + dp}},
        {"a restore to a version with one",
         true,
         {false, true, true},
         false,
         {"replace " + a + " by " + ap + " keeping " + at, "rename " + at + " to " + ap,
          "rename " + dp + " to " + d}},
    };
    for (const auto& c : cases) {
        std::vector<VersionStep> steps =
            c.restore ? RestoreSteps(kNames, c.files) : UpdateSteps(kNames, c.files, c.newDescription);
        EXPECT_EQ(c.steps, Texts(steps)) << c.what;
    }
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
        Folder before;
        Folder finished;
    } cases[] = {
        {"an update of a mod with descriptions and an older version",
         false,
         true,
         {{kNames.archive, "v2"},
          {kNames.description, "about v2"},
          {kNames.previousArchive, "v1"},
          {kNames.previousDescription, "about v1"},
          {kNames.archiveTemporary, "v3"},
          {kNames.descriptionTemporary, "about v3"}},
         {{kNames.archive, "v3"},
          {kNames.description, "about v3"},
          {kNames.previousArchive, "v2"},
          {kNames.previousDescription, "about v2"}}},
        {"an update whose description stays (copied for both)",
         false,
         false,
         {{kNames.archive, "v1"},
          {kNames.description, "about"},
          {kNames.archiveTemporary, "v2"},
          {kNames.descriptionTemporary, "about"}},
         {{kNames.archive, "v2"},
          {kNames.description, "about"},
          {kNames.previousArchive, "v1"},
          {kNames.previousDescription, "about"}}},
        {"an update that brings the first description",
         false,
         true,
         {{kNames.archive, "v1"}, {kNames.archiveTemporary, "v2"}, {kNames.descriptionTemporary, "about v2"}},
         {{kNames.archive, "v2"}, {kNames.description, "about v2"}, {kNames.previousArchive, "v1"}}},
        {"a restore of both files",
         true,
         false,
         {{kNames.archive, "v2"},
          {kNames.description, "about v2"},
          {kNames.previousArchive, "v1"},
          {kNames.previousDescription, "about v1"}},
         {{kNames.archive, "v1"},
          {kNames.description, "about v1"},
          {kNames.previousArchive, "v2"},
          {kNames.previousDescription, "about v2"}}},
        {"a restore to a version without description",
         true,
         false,
         {{kNames.archive, "v2"}, {kNames.description, "about v2"}, {kNames.previousArchive, "v1"}},
         {{kNames.archive, "v1"}, {kNames.previousArchive, "v2"}, {kNames.previousDescription, "about v2"}}},
    };
    for (const auto& c : cases) {
        VersionFiles files = {c.before.count(kNames.description) > 0, c.before.count(kNames.previousArchive) > 0,
                              c.before.count(kNames.previousDescription) > 0};
        std::vector<VersionStep> steps =
            c.restore ? RestoreSteps(kNames, files) : UpdateSteps(kNames, files, c.newDescription);
        std::vector<NameMove> all = MovesToFinish(steps, 0);
        for (size_t point = 0; point <= all.size(); ++point) {
            Folder folder = c.before;
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
                EXPECT_EQ(c.finished, finished);

                Folder undone = folder;
                for (const NameMove& move : MovesToUndo(steps, *made))
                    Apply(undone, move);
                for (const std::string& name : {kNames.archive, kNames.description}) {
                    auto before = c.before.find(name);
                    EXPECT_EQ(before == c.before.end() ? "(none)" : before->second,
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
    EXPECT_EQ(VersionChange::Restore, read->change);
    EXPECT_EQ("C:\\Games\\data", read->folder);
    EXPECT_EQ("Мод.pak", read->archive);
    EXPECT_EQ(Texts(journal.steps), Texts(read->steps));

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
        {"no folder", with(1, "")},
        {"an archive that is no mod", with(2, "Мод.zip")},
        {"an archive with a path", with(2, "..\\bin\\Мод.pak")},
        {"another file", with(3, "rename\tМод.pak\tH5_Game.exe")},
        {"a path", with(3, "rename\tМод.pak\t..\\Мод.pak")},
        {"a step of another kind", with(3, "delete\tМод.pak")},
        {"a step without its names", with(3, "replace\tМод.pak\tМод.previous")},
    };
    for (const auto& c : bad)
        EXPECT_FALSE(ReadVersionJournal(c.strings).has_value()) << c.what;
}

}  // namespace
