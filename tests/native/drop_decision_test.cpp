#include <gtest/gtest.h>

#include "updates/drop_decision.h"

namespace {

TEST(DecideDroppedFile, AddsUpdatesPassesOverOrRefusesEachFile)
{
    const DropDecision add = {DropAction::Add, DropRefusal::None},
                       ask = {DropAction::AskToUpdate, DropRefusal::None},
                       identical = {DropAction::Identical, DropRefusal::None},
                       notArchive = {DropAction::Refuse, DropRefusal::NotArchive},
                       gameName = {DropAction::Refuse, DropRefusal::BaseArchiveName},
                       taken = {DropAction::Refuse, DropRefusal::NameTaken};
    const InstalledAs none = InstalledAs::Nothing, one = InstalledAs::OneArchive;
    const struct {
        const char* what;
        DroppedFile file;
        bool sameBytes;
        DropDecision expected;
        bool compared;  // whether the bytes had to be looked at
    } cases[] = {
        {"a new archive", {"Better Towns.pak", false, none, false}, false, add, false},
        {"a new disabled archive", {"Better Towns.MOD", false, none, false}, false, add, false},
        {"a new version of an installed mod", {"Better Towns.pak", false, one, false}, false, ask, true},
        {"a .mod of an enabled mod, any case", {"better towns.MOD", false, one, false}, false, ask, true},
        {"the installed file again", {"Better Towns.pak", false, one, false}, true, identical, true},
        {"a mod installed both enabled and disabled",
         {"Better Towns.pak", false, InstalledAs::BothStates, false},
         false,
         taken,
         false},
        {"another file's short name",
         {"BETT~L2Q.pak", false, InstalledAs::SomethingElse, false},
         false,
         taken,
         false},
        {"a second file of one mod in the drop", {"Better Towns.mod", false, one, true}, false, taken, false},
        {"a second new file of one mod", {"Better Towns.mod", false, none, true}, false, taken, false},
        {"a description", {"Better Towns.txt", false, one, false}, false, notArchive, false},
        {"a zip", {"Better Towns.zip", false, none, false}, false, notArchive, false},
        {"a folder named like an archive", {"Pack.pak", true, one, false}, false, notArchive, false},
        {"a name that only the short name makes .pak",
         {"Big.pak_old", false, none, false},
         false,
         notArchive,
         false},
        {"a game archive's name", {"p5-data.pak", false, none, false}, false, gameName, false},
        {"a game archive's name, disabled", {"Data.MOD", false, one, false}, false, gameName, false},
    };
    for (const auto& c : cases) {
        bool compared = false;
        DropDecision got = DecideDroppedFile(c.file, [&] {
            compared = true;
            return c.sameBytes;
        });
        EXPECT_EQ(c.expected.action, got.action) << c.what;
        EXPECT_EQ(c.expected.refusal, got.refusal) << c.what;
        EXPECT_EQ(c.compared, compared) << c.what << ": the bytes were " << (compared ? "" : "not ") << "compared";
    }
}

}  // namespace
