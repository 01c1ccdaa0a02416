#include "search/problem_search.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <optional>
#include <string>

namespace {

// Suspects by their index, ascending.
typedef std::vector<size_t> Mods;

// A set of suspects as bits, eight to a byte: what answers are looked up by,
// compared whole and, for up to 120 suspects, held without an allocation.
typedef std::string Key;

// What the search learns when it asks about a set of suspects: NotYet stops
// it there, with that set as the next test.
enum class Reply { Shows, DoesNotShow, NotYet };
typedef std::function<Reply(const Key&)> Ask;

// Answers by the mods that were on, sorted by them.
typedef std::vector<std::pair<Key, bool>> Answers;

struct Outcome {
    StepKind kind;
    Key mods;  // Test: the suspects to turn on; Culprits: the culprits
    size_t mostStartsLeftIfOneMod = 0;
};

Outcome TestOf(Key mods, size_t mostStartsLeftIfOneMod)
{
    return {StepKind::Test, std::move(mods), mostStartsLeftIfOneMod};
}

Outcome EndOf(StepKind kind, Key mods = {})
{
    return {kind, std::move(mods), 0};
}

Reply ReplyOf(bool shows)
{
    return shows ? Reply::Shows : Reply::DoesNotShow;
}

bool Has(const Key& key, size_t mod)
{
    return (static_cast<unsigned char>(key[mod / 8]) >> (mod % 8) & 1u) != 0;
}

void Add(Key& key, size_t mod)
{
    key[mod / 8] = static_cast<char>(static_cast<unsigned char>(key[mod / 8]) | 1u << (mod % 8));
}

// The suspects `set[begin]` up to `set[end]`, of `count` suspects.
Key PartKey(size_t count, const Mods& set, size_t begin, size_t end)
{
    Key key((count + 7) / 8, '\0');
    for (size_t i = begin; i < end; ++i)
        Add(key, set[i]);
    return key;
}

// The suspects of `set` but `set[begin]` up to `set[end]`.
Key RestKey(size_t count, const Mods& set, size_t begin, size_t end)
{
    Key key = PartKey(count, set, 0, begin);
    for (size_t i = end; i < set.size(); ++i)
        Add(key, set[i]);
    return key;
}

Key KeyOf(size_t count, const Mods& set)
{
    return PartKey(count, set, 0, set.size());
}

Key KeyOf(const std::vector<bool>& on)
{
    Key key((on.size() + 7) / 8, '\0');
    size_t mod = 0;
    for (bool bit : on) {
        if (bit)
            Add(key, mod);
        ++mod;
    }
    return key;
}

Mods ModsOf(const Key& key, size_t count)
{
    Mods mods;
    for (size_t i = 0; i < count; ++i) {
        if (Has(key, i))
            mods.push_back(i);
    }
    return mods;
}

size_t CeilLog2(size_t n)
{
    size_t bits = 0;
    while ((size_t{1} << bits) < n)
        ++bits;
    return bits;
}

// The most starts halving takes to name one culprit among `count` suspects
// that show the problem together, the culprit tried alone included; `seen`
// when they were seen showing it (one mod then needs no start).
size_t StartsToName(size_t count, bool seen)
{
    if (count <= 1)
        return count == 1 && !seen ? 1 : 0;
    return CeilLog2(count) + 1;
}

// Where part `i` of `size` suspects begins when they are cut into `count`
// parts in order, as even as possible, larger ones first (`i` == `count`:
// where the last part ends).
size_t Cut(size_t size, size_t count, size_t i)
{
    return i * (size / count) + std::min(i, size % count);
}

// Delta debugging from `set`, which shows the problem: seen showing it, or
// every suspect as the player reported.
Outcome Narrow(Mods set, size_t count, const Ask& ask)
{
    size_t parts = 2;
    while (set.size() > 1) {
        const size_t size = set.size();
        bool narrowed = false;
        // With two parts, the set without one is the other, tried below.
        for (size_t i = 0; parts > 2 && i < parts; ++i) {
            const size_t begin = Cut(size, parts, i), end = Cut(size, parts, i + 1);
            Key rest = RestKey(count, set, begin, end);
            Reply reply = ask(rest);
            if (reply == Reply::NotYet)
                return TestOf(std::move(rest), 0);
            if (reply == Reply::Shows) {
                set.erase(set.begin() + static_cast<std::ptrdiff_t>(begin),
                          set.begin() + static_cast<std::ptrdiff_t>(end));
                parts -= 1;
                narrowed = true;
                break;
            }
        }
        for (size_t i = 0; !narrowed && i < parts; ++i) {
            const size_t begin = Cut(size, parts, i), end = Cut(size, parts, i + 1);
            Key part = PartKey(count, set, begin, end);
            Reply reply = ask(part);
            if (reply == Reply::NotYet)
                return TestOf(std::move(part), 0);
            if (reply == Reply::Shows) {
                set = Mods(set.begin() + static_cast<std::ptrdiff_t>(begin),
                           set.begin() + static_cast<std::ptrdiff_t>(end));
                parts = 2;
                narrowed = true;
            }
        }
        if (narrowed)
            continue;
        if (parts == 2 && set.size() == count) {
            // Neither half shows it: before every suspect is named, or split
            // finer, see them show it together.
            Key all = KeyOf(count, set);
            Reply reply = ask(all);
            if (reply == Reply::NotYet)
                return TestOf(std::move(all), 0);
            if (reply == Reply::DoesNotShow)
                return EndOf(StepKind::AnswersDisagree);
        }
        if (parts == set.size())
            break;
        parts = std::min(parts * 2, set.size());
    }
    return EndOf(StepKind::Culprits, KeyOf(count, set));
}

// The whole search of `count` suspects, asking `ask` at each start.
Outcome Run(size_t count, const Ask& ask)
{
    Mods set(count);
    std::iota(set.begin(), set.end(), size_t{0});
    Key none((count + 7) / 8, '\0');
    Reply reply = ask(none);
    if (reply == Reply::NotYet)
        return TestOf(std::move(none), 1 + StartsToName(count, false));
    if (reply == Reply::Shows)
        return EndOf(StepKind::ShowsWithoutMods);

    Mods lastSeen = set;  // the last set that showed it, or every suspect
    bool seen = false;    // whether `set` was seen showing it
    while (set.size() > 1) {
        const size_t half = (set.size() + 1) / 2;
        Key first = PartKey(count, set, 0, half);
        reply = ask(first);
        if (reply == Reply::NotYet)
            return TestOf(std::move(first), StartsToName(set.size(), seen));
        seen = reply == Reply::Shows;
        set.erase(seen ? set.begin() + static_cast<std::ptrdiff_t>(half) : set.begin(),
                  seen ? set.end() : set.begin() + static_cast<std::ptrdiff_t>(half));
        if (seen)
            lastSeen = set;
    }
    if (!seen) {
        Key last = KeyOf(count, set);
        reply = ask(last);
        if (reply == Reply::NotYet)
            return TestOf(std::move(last), 1);
        if (reply == Reply::DoesNotShow && set.size() == count)
            return EndOf(StepKind::AnswersDisagree);
        seen = reply == Reply::Shows;
    }
    if (seen)
        return EndOf(StepKind::Culprits, KeyOf(count, set));
    return Narrow(lastSeen, count, ask);
}

// The answer for `mods`, or nothing.
const bool* Find(const Answers& answers, const Key& mods)
{
    auto found =
        std::lower_bound(answers.begin(), answers.end(), mods,
                         [](const Answers::value_type& answer, const Key& key) { return answer.first < key; });
    return found != answers.end() && found->first == mods ? &found->second : nullptr;
}

// Adds the answer for `mods` unless there is one; the answer there is now.
bool Remember(Answers& answers, const Key& mods, bool shows)
{
    auto found =
        std::lower_bound(answers.begin(), answers.end(), mods,
                         [](const Answers::value_type& answer, const Key& key) { return answer.first < key; });
    if (found == answers.end() || found->first != mods)
        found = answers.insert(found, {mods, shows});
    return found->second;
}

// The answers given, or nothing when one set got two different answers, the
// player's report that every suspect on shows the problem included.
std::optional<Answers> KnownAnswers(const ProblemSearch& search)
{
    const size_t count = search.suspects.size();
    Answers known;
    known.reserve(search.answers.size() + 1);
    for (const SearchAnswer& answer : search.answers) {
        if (answer.on.size() == count)
            known.emplace_back(KeyOf(answer.on), answer.shows);
    }
    Key every((count + 7) / 8, '\0');
    for (size_t mod = 0; mod < count; ++mod)
        Add(every, mod);
    known.emplace_back(every, true);
    std::sort(known.begin(), known.end());
    for (size_t i = 1; i < known.size(); ++i) {
        if (known[i].first == known[i - 1].first && known[i].second != known[i - 1].second)
            return std::nullopt;
    }
    // The report is no answer the search looks up: it tries every suspect again.
    known.erase(std::find(known.begin(), known.end(), Answers::value_type(every, true)));
    known.erase(std::unique(known.begin(), known.end()), known.end());
    return known;
}

Reply LookUp(const Answers& known, const Key& mods)
{
    const bool* shows = Find(known, mods);
    return shows ? ReplyOf(*shows) : Reply::NotYet;
}

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

bool ShowsWith(const Key& on, const Mods& culprits)
{
    return std::all_of(culprits.begin(), culprits.end(), [&](size_t mod) { return Has(on, mod); });
}

bool Fits(const Mods& culprits, const Answers& known)
{
    return std::all_of(known.begin(), known.end(), [&](const Answers::value_type& answer) {
        return answer.second == ShowsWith(answer.first, culprits);
    });
}

}  // namespace

SearchStep NextStep(const ProblemSearch& search)
{
    SearchStep step;
    std::optional<Answers> known = KnownAnswers(search);
    if (!known) {
        step.kind = StepKind::AnswersDisagree;
        return step;
    }
    const size_t count = search.suspects.size();
    Outcome outcome = Run(count, [&](const Key& mods) { return LookUp(*known, mods); });
    step.kind = outcome.kind;
    if (outcome.kind == StepKind::Test) {
        step.on.assign(count, false);
        for (size_t mod : ModsOf(outcome.mods, count))
            step.on[mod] = true;
        step.number = search.answers.size() + 1;
        step.mostStartsLeftIfOneMod = outcome.mostStartsLeftIfOneMod;
    } else if (outcome.kind == StepKind::Culprits) {
        for (size_t mod : ModsOf(outcome.mods, count))
            step.culprits.push_back(search.suspects[mod]);
    }
    return step;
}

bool RecordAnswer(ProblemSearch& search, bool shows)
{
    SearchStep step = NextStep(search);
    if (step.kind != StepKind::Test)
        return false;
    search.answers.push_back({std::move(step.on), shows});
    return true;
}

size_t MostStartsLeftIfTogether(const ProblemSearch& search, size_t together)
{
    const size_t count = search.suspects.size();
    std::optional<Answers> known = KnownAnswers(search);
    if (!known || together == 0 || together > count)
        return 0;
    size_t most = 0;
    Mods culprits(together);
    std::iota(culprits.begin(), culprits.end(), size_t{0});
    do {
        if (!Fits(culprits, *known))
            continue;
        Answers answers = *known;
        Run(count, [&](const Key& mods) { return ReplyOf(Remember(answers, mods, ShowsWith(mods, culprits))); });
        most = std::max(most, answers.size() - known->size());
    } while (NextGroup(culprits, count));
    return most;
}

bool AnswersFollowTheSearch(const ProblemSearch& search)
{
    const size_t count = search.suspects.size();
    Answers known;
    size_t next = 0;
    bool strayed = false;
    Run(count, [&](const Key& mods) {
        Reply reply = LookUp(known, mods);
        if (reply != Reply::NotYet || strayed || next == search.answers.size())
            return reply;
        const SearchAnswer& answer = search.answers[next];
        if (answer.on.size() != count || KeyOf(answer.on) != mods) {
            strayed = true;
            return Reply::NotYet;
        }
        ++next;
        Remember(known, mods, answer.shows);
        return ReplyOf(answer.shows);
    });
    return !strayed && next == search.answers.size();
}

std::vector<std::string> ModsOnAt(const ProblemSearch& search, const std::vector<bool>& on)
{
    std::vector<std::string> names = search.keptOn;
    for (size_t i = 0; i < search.suspects.size() && i < on.size(); ++i) {
        if (on[i])
            names.push_back(search.suspects[i]);
    }
    return names;
}
