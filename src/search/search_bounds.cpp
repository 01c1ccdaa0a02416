#include "search/search_bounds.h"

#include <algorithm>
#include <numeric>

namespace {

// Suspects by their index, ascending.
typedef std::vector<size_t> Mods;

// The next group of `group.size()` suspects among `count` in lexicographic
// order; false after the last.
bool NextGroup(Mods& group, size_t count)
{
    for (size_t i = group.size(); i-- > 0;) {
        if (group[i] < count - group.size() + i) {
            ++group[i];
            for (size_t j = i + 1; j < group.size(); ++j)
                group[j] = group[j - 1] + 1;
            return true;
        }
    }
    return false;
}

bool ShowsWith(const std::vector<bool>& on, const Mods& culprits)
{
    return std::all_of(culprits.begin(), culprits.end(), [&](size_t mod) { return on[mod]; });
}

}  // namespace

size_t MostStartsLeftIfTogether(const ProblemSearch& search, size_t together)
{
    const size_t count = search.suspects.size();
    if (together == 0 || together > count || !AnswersFollowTheSearch(search))
        return 0;
    size_t most = 0;
    Mods culprits(together);
    std::iota(culprits.begin(), culprits.end(), size_t{0});
    do {
        const auto fits = [&](const SearchAnswer& answer) {
            return answer.shows == ShowsWith(answer.on, culprits);
        };
        if (!std::all_of(search.answers.begin(), search.answers.end(), fits))
            continue;
        PlayedOn played =
            PlaySearchOn(search, [&](const std::vector<bool>& on) { return ShowsWith(on, culprits); });
        most = std::max(most, played.more);
    } while (NextGroup(culprits, count));
    return most;
}
