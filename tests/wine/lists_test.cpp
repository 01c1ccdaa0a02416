// The two lists and their list boxes stay in step.
#include "app_test.h"

#include <functional>

#include "shared/window_state.h"
#include "mods/mod_lists.h"
#include "mods/mod_state.h"

namespace {

class ListsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        StartAppIn(folder.Path());
    }
    TempFolder folder;
};

TEST_F(ListsTest, AnAppendedEntryHoldsExactlyItsThreeValues)
{
    AddEnabledMod("D:\\m\\Big Mod.pak", "Big Mod.pak", "");
    ASSERT_EQ(1u, EnabledMods.size());
    EXPECT_EQ("D:\\m\\Big Mod.pak", EnabledMods[0].path);
    EXPECT_EQ("Big Mod.pak", EnabledMods[0].fileName);
    EXPECT_EQ("", EnabledMods[0].infoPath);
    EXPECT_EQ(std::vector<std::string>{"Big Mod"}, Rows(EnabledList));
    EXPECT_TRUE(DisabledMods.empty());
}

TEST_F(ListsTest, TheSameNameShowsOnBothSides)
{
    AddEnabledMod("D:\\m\\a.pak", "a.pak", "");
    AddDisabledMod("D:\\m\\a.mod", "a.mod", "");
    EXPECT_EQ(std::vector<std::string>{"a"}, Rows(EnabledList));
    EXPECT_EQ(std::vector<std::string>{"a"}, Rows(DisabledList));
}

TEST_F(ListsTest, ClearingEmptyListsChangesNothing)
{
    ClearModLists();
    ExpectListsMirrored();
    EXPECT_TRUE(EnabledMods.empty());
    EXPECT_TRUE(dialogs.Seen().empty());
}

TEST_F(ListsTest, StayInStepThroughAppendsClearsAndMoves)
{
    for (const char* name : {"a.pak", "b.pak", "c.pak", "d.mod", "e.mod", "f.pak", "g.mod", "h.mod"})
        folder.Write(name);
    auto append = [this](bool enabled, const char* name) {
        return [=] { (enabled ? AddEnabledMod : AddDisabledMod)(folder.Path(name), name, ""); };
    };
    auto move = [](HWND from, int row) {
        return [=] {
            SelectRow(from, row);
            (from == EnabledList ? DisableMod : EnableMod)();
        };
    };
    const struct {
        const char* step;
        std::function<void()> run;
    } steps[] = {
        {"rescan", [] { Click(IDC_RESCAN); }},
        {"append enabled", append(true, "f.pak")},
        {"append disabled", append(false, "g.mod")},
        {"disable a middle row", move(EnabledList, 1)},
        {"enable the first row", move(DisabledList, 0)},
        {"disable the last row", [&] { move(EnabledList, static_cast<int>(EnabledMods.size()) - 1)(); }},
        {"clear", [] { ClearModLists(); }},
        {"append after clear", append(false, "h.mod")},
        {"rescan again", [] { Click(IDC_RESCAN); }},
        {"enable the last row", [&] { move(DisabledList, static_cast<int>(DisabledMods.size()) - 1)(); }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        step.run();
        ExpectListsMirrored();
    }
    EXPECT_TRUE(dialogs.Seen().empty()) << Describe(dialogs.Seen()[0]);
}

TEST_F(ListsTest, ARowWithoutEntryIsNeverRead)
{
    // A row the list does not hold: as if the two had gone out of step.
    SendMessageA(EnabledList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("stray"));
    SelectRow(EnabledList, 0);
    Click(IDC_DISABLE);
    EXPECT_EQ(-1, SelectedRow(EnabledSide()));
    EXPECT_EQ("", TextOf(InformationBox));
    EXPECT_TRUE(dialogs.Seen().empty());
}

}  // namespace
