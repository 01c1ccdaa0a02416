#include <gtest/gtest.h>

#include "mods/refresh_plan.h"

namespace {

// "A" is an archive without a description, "A+" one with.
std::vector<RowState> Side(const std::vector<std::string>& names)
{
    std::vector<RowState> side;
    side.reserve(names.size());
    for (const std::string& name : names)
        side.push_back(name.back() == '+' ? RowState{std::string_view(name.data(), name.size() - 1), true}
                                          : RowState{name, false});
    return side;
}

std::vector<std::string> Names(const std::vector<RowState>& rows)
{
    std::vector<std::string> names;
    names.reserve(rows.size());
    for (const RowState& row : rows)
        names.push_back(std::string(row.fileName) + (row.described ? "+" : ""));
    return names;
}

TEST(PlanRefresh, KeepsThePlayersOrderAndChangesOnlyWhatDiffers)
{
    const struct {
        const char* what;
        std::vector<std::string> enabledRows, disabledRows, enabledNow, disabledNow;
        std::vector<size_t> removedEnabled, removedDisabled;
        std::vector<std::string> appendedEnabled, appendedDisabled;
        std::vector<std::pair<size_t, bool>> describedEnabled;
    } cases[] = {
        {"nothing changed, in another listing order",
         {"C.pak", "A.pak+"},
         {"B.mod"},
         {"A.pak+", "C.pak"},
         {"B.mod"},
         {},
         {},
         {},
         {},
         {}},
        {"added", {"A.pak"}, {}, {"N.pak", "A.pak"}, {"M.mod"}, {}, {}, {"N.pak"}, {"M.mod"}, {}},
        {"deleted", {"A.pak", "B.pak", "C.pak"}, {}, {"A.pak", "C.pak"}, {}, {1}, {}, {}, {}, {}},
        {"renamed to the other side",
         {"A.pak", "B.pak"},
         {"C.mod"},
         {"B.pak"},
         {"C.mod", "A.mod"},
         {0},
         {},
         {},
         {"A.mod"},
         {}},
        {"a description appeared and one went",
         {"A.pak", "B.pak+"},
         {},
         {"A.pak+", "B.pak"},
         {},
         {},
         {},
         {},
         {},
         {{0, true}, {1, false}}},
        {"a new letter case is another name", {"a.pak"}, {}, {"A.pak"}, {}, {0}, {}, {"A.pak"}, {}, {}},
        {"everything gone", {"A.pak"}, {"B.mod"}, {}, {}, {0}, {0}, {}, {}, {}},
    };
    for (const auto& c : cases) {
        RefreshPlan plan =
            PlanRefresh(Side(c.enabledRows), Side(c.disabledRows), Side(c.enabledNow), Side(c.disabledNow));
        EXPECT_EQ(c.removedEnabled, plan.enabled.removed) << c.what;
        EXPECT_EQ(c.removedDisabled, plan.disabled.removed) << c.what;
        EXPECT_EQ(c.appendedEnabled, Names(plan.enabled.appended)) << c.what;
        EXPECT_EQ(c.appendedDisabled, Names(plan.disabled.appended)) << c.what;
        EXPECT_EQ(c.describedEnabled, plan.enabled.describedNow) << c.what;
        bool unchanged = c.removedEnabled.empty() && c.removedDisabled.empty() && c.appendedEnabled.empty() &&
                         c.appendedDisabled.empty() && c.describedEnabled.empty();
        EXPECT_EQ(unchanged, plan.Empty()) << c.what;
    }
}

}  // namespace
