#include "search_runs.h"

#include <set>

Player CausedBy(const std::vector<size_t>& culprits)
{
    return [culprits](const std::vector<bool>& on) {
        for (size_t culprit : culprits) {
            if (!on[culprit])
                return false;
        }
        return true;
    };
}

Player ShowsAtRandom(size_t culprit, unsigned percent, std::mt19937& random)
{
    return [culprit, percent, &random](const std::vector<bool>& on) {
        return on[culprit] && random() % 100 < percent;
    };
}

ProblemSearch NewSearch(size_t count)
{
    ProblemSearch search{{"C:\\Games\\data", "Kept.pak"}, {"Kept"}, {}, {}};
    for (size_t i = 0; i < count; ++i)
        search.suspects.push_back("Mod " + std::to_string(i));
    return search;
}

std::vector<std::string> SuspectNames(const std::vector<size_t>& indexes)
{
    std::vector<std::string> names;
    names.reserve(indexes.size());
    for (size_t index : indexes)
        names.push_back("Mod " + std::to_string(index));
    return names;
}

namespace {

std::string Bits(const std::vector<bool>& on)
{
    std::string bits;
    for (bool bit : on)
        bits += bit ? '1' : '0';
    return bits;
}

}  // namespace

PlayedSearch Play(ProblemSearch search, const Player& player, size_t mostStarts, bool goOn)
{
    PlayedSearch played;
    std::set<std::string> tried;
    for (const SearchAnswer& answer : search.answers)
        tried.insert(Bits(answer.on));
    for (;;) {
        SearchStep step = NextStep(search);
        bool goesOn = goOn && step.kind == StepKind::NotEveryTime;
        if ((step.kind != StepKind::Test && !goesOn) || search.answers.size() >= mostStarts) {
            played.end = step;
            break;
        }
        if (goesOn) {
            tried.clear();  // a new round
            ++played.doubted;
        }
        played.askedTwice |= !tried.insert(Bits(step.on)).second;
        search.answers.push_back({step.on, player(step.on)});
        played.tests.push_back(std::move(step));
    }
    played.search = std::move(search);
    return played;
}

size_t CeilLog2(size_t n)
{
    size_t bits = 0;
    while ((size_t{1} << bits) < n)
        ++bits;
    return bits;
}
