// A refresh on return against the bare enumeration of the same folder, in
// alternate rounds. Before each refresh with changes, 10 archives are renamed
// to the other side (untimed), back and forth.
#include "refresh.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "measure.h"
#include "mods/list_refresh.h"
#include "mods/mod_names.h"
#include "shared/folder_listing.h"
#include "shared/window_state.h"

namespace {

const int kChanged = 10;

// The median of `rounds` timings of `timed`, each after `before` (untimed).
template <typename Before, typename Timed>
double MedianOf(Before before, Timed timed)
{
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round) {
        before(round);
        double start = Now();
        timed();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

bool MeasureRefresh(const std::string& folder)
{
    std::vector<std::string> renamed;
    for (int i = 0; i < kChanged && static_cast<size_t>(i) < EnabledMods.size(); ++i)
        renamed.push_back(EnabledMods[static_cast<size_t>(i) * 7].fileName);
    bool off = false;  // whether the archives are renamed to .mod now
    auto flip = [&](int) {
        for (const std::string& name : renamed)
            MoveFileA(JoinPath(folder, ReplaceExtension(name, off ? "mod" : "pak")).c_str(),
                      JoinPath(folder, ReplaceExtension(name, off ? "pak" : "mod")).c_str());
        off = !off;
    };
    auto nothing = [](int) {};
    double bare = 0, unchanged = 0, changed = 0;
    // Alternately, so that the disk's and the system's state is the same for both.
    for (int pass = 0; pass < 2; ++pass) {
        bare += MedianOf(nothing, [&] { EnumerateNames(folder); });
        unchanged += MedianOf(nothing, [] { RefreshModLists(); });
        changed += MedianOf(flip, [] { RefreshModLists(); });
    }
    if (off)
        flip(0);  // every archive back where it was
    std::printf("\nRefresh on return, median of %d rounds each, ms (%d names):\n", kRounds,
                EnumerateNames(folder));
    std::printf("  bare enumeration                           %8.1f\n", bare / 2);
    std::printf("  refresh, nothing changed                   %8.1f\n", unchanged / 2);
    std::printf("  refresh, 10 archives renamed               %8.1f\n", changed / 2);
    bool met = Report("refresh unchanged / bare enumeration", unchanged / bare, 1.3);
    return Report("refresh with 10 changed / bare enumeration", changed / bare, 1.5) && met;
}
