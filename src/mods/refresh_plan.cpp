#include "mods/refresh_plan.h"

#include <unordered_map>

namespace {

SideChanges CompareSide(const std::vector<RowState>& rows, const std::vector<RowState>& now)
{
    SideChanges changes;
    std::unordered_map<std::string_view, size_t> listed;  // file name -> place in `now`
    listed.reserve(now.size());
    for (size_t i = 0; i < now.size(); ++i)
        listed.emplace(now[i].fileName, i);
    std::vector<bool> kept(now.size(), false);
    for (size_t row = 0; row < rows.size(); ++row) {
        auto found = listed.find(rows[row].fileName);
        if (found == listed.end() || kept[found->second]) {
            changes.removed.push_back(row);
            continue;
        }
        kept[found->second] = true;
        if (now[found->second].described != rows[row].described)
            changes.describedNow.emplace_back(row, now[found->second].described);
    }
    for (size_t i = 0; i < now.size(); ++i)
        if (!kept[i])
            changes.appended.push_back(now[i]);
    return changes;
}

bool Unchanged(const SideChanges& side)
{
    return side.removed.empty() && side.appended.empty() && side.describedNow.empty();
}

}  // namespace

bool RefreshPlan::Empty() const
{
    return Unchanged(enabled) && Unchanged(disabled);
}

RefreshPlan PlanRefresh(const std::vector<RowState>& enabledRows, const std::vector<RowState>& disabledRows,
                        const std::vector<RowState>& enabledNow, const std::vector<RowState>& disabledNow)
{
    return {CompareSide(enabledRows, enabledNow), CompareSide(disabledRows, disabledNow)};
}
