// How the two lists follow a folder that changed while the player was
// elsewhere: which rows go, which come, whose description appeared or went.
// Pure logic with no platform headers, so it is also built and tested natively.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A row of a list, or an archive of the folder on the same side. The name is
// a view into the list or the listing, which outlive the plan's use: a folder
// of 10,000 archives is compared without copying a name.
struct RowState {
    std::string_view fileName;
    bool described;  // a description lies beside it
};

struct SideChanges {
    std::vector<size_t> removed;                        // rows whose archive is gone, ascending
    std::vector<RowState> appended;                     // archives new on this side, in listing order
    std::vector<std::pair<size_t, bool>> describedNow;  // rows whose description appeared or went
};

struct RefreshPlan {
    SideChanges enabled, disabled;
    bool Empty() const;
};

// Compares each side's rows with what the folder lists now, by file name.
// Rows that stay keep their order; an archive renamed to the other side is
// gone from one and new on the other, so it moves to the end of that side.
RefreshPlan PlanRefresh(const std::vector<RowState>& enabledRows, const std::vector<RowState>& disabledRows,
                        const std::vector<RowState>& enabledNow, const std::vector<RowState>& disabledNow);
