#include "search/problem_search.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <optional>
#include <string>

#include "search/search_bounds.h"

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
    StepKind kind = StepKind::Test;
    Key mods;  // Test, NotEveryTime: the suspects to turn on; Culprits: the culprits
    // Test: as in SearchStep. Culprits: 1 when one mod fits the answers (its
    // check is the start left), 0 when mods together do.
    size_t mostStartsLeftIfOneMod = 0;
    Key doubted;              // NotEveryTime: the result its check disagreed with
    size_t shownWithout = 0;  // NotEveryTime: the suspect that the check left out
};

Outcome EndOf(StepKind kind, Key mods = {}, size_t mostStartsLeftIfOneMod = 0)
{
    Outcome outcome;
    outcome.kind = kind;
    outcome.mods = std::move(mods);
    outcome.mostStartsLeftIfOneMod = mostStartsLeftIfOneMod;
    return outcome;
}

Outcome TestOf(Key mods, size_t mostStartsLeftIfOneMod)
{
    return EndOf(StepKind::Test, std::move(mods), mostStartsLeftIfOneMod);
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
    for (size_t mod = 0; mod < on.size(); ++mod) {
        if (on[mod])
            Add(key, mod);
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

// A round of the search of `count` suspects from `base`, which shows the
// problem, asking `ask` at each start. The first round has every suspect as
// its base, known to show the problem only from the player's report: it
// begins with the first check and asks every suspect again before it names
// them all or splits them finer. A later round's base was seen showing it.
Outcome Run(size_t count, Mods set, bool firstRound, const Ask& ask)
{
    if (firstRound) {
        Key none((count + 7) / 8, '\0');
        Reply reply = ask(none);
        if (reply == Reply::NotYet)
            return TestOf(std::move(none), 1 + StartsToName(count, false) + 1);
        if (reply == Reply::Shows)
            return EndOf(StepKind::ShowsWithoutMods);
    }
    // One mod fits only the answers of the first round: a later one comes
    // after answers that disagreed.
    const size_t check = firstRound ? 1 : 0;
    Mods lastSeen = set;      // the last set that showed it, or the base
    bool seen = !firstRound;  // whether `set` was seen showing it
    while (set.size() > 1) {
        const size_t half = (set.size() + 1) / 2;
        Key first = PartKey(count, set, 0, half);
        Reply reply = ask(first);
        if (reply == Reply::NotYet)
            return TestOf(std::move(first), check * (StartsToName(set.size(), seen) + 1));
        seen = reply == Reply::Shows;
        set.erase(seen ? set.begin() + static_cast<std::ptrdiff_t>(half) : set.begin(),
                  seen ? set.end() : set.begin() + static_cast<std::ptrdiff_t>(half));
        if (seen)
            lastSeen = set;
    }
    if (!seen) {
        Key last = KeyOf(count, set);
        Reply reply = ask(last);
        if (reply == Reply::NotYet)
            return TestOf(std::move(last), check * 2);
        if (reply == Reply::DoesNotShow && set.size() == count)
            return EndOf(StepKind::AnswersDisagree);
        seen = reply == Reply::Shows;
    }
    if (seen)
        return EndOf(StepKind::Culprits, KeyOf(count, set), check);
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

void Remember(Answers& answers, const Key& mods, bool shows)
{
    auto found =
        std::lower_bound(answers.begin(), answers.end(), mods,
                         [](const Answers::value_type& answer, const Key& key) { return answer.first < key; });
    if (found == answers.end() || found->first != mods)
        answers.insert(found, {mods, shows});
}

// The whole search, round after round, with the answer to each new test from
// `source`. A round's result is named only when it holds up: with each of its
// mods left out and every other suspect on, the problem must not show (it
// was seen showing with the result alone). When it shows, the problem does
// not show every time, or more than one mod causes it: the next round
// searches the suspects of that check, which showed it, answered afresh. The
// search stops at that round's first test (NotEveryTime) until the player
// answers it, which is going on.
Outcome Search(size_t count, const Ask& source)
{
    Mods every(count);
    std::iota(every.begin(), every.end(), size_t{0});
    Mods base = every;
    Outcome doubted = EndOf(StepKind::NotEveryTime);
    for (bool firstRound = true;; firstRound = false) {
        Answers known;  // this round's: no set of mods is tried twice in it
        if (!firstRound)
            known.emplace_back(KeyOf(count, base), true);
        bool answered = false;
        Ask ask = [&](const Key& mods) {
            if (const bool* shows = Find(known, mods))
                return ReplyOf(*shows);
            Reply reply = source(mods);
            if (reply != Reply::NotYet)
                Remember(known, mods, reply == Reply::Shows);
            answered |= reply != Reply::NotYet;
            return reply;
        };
        Outcome outcome = Run(count, base, firstRound, ask);
        const Mods named = outcome.kind == StepKind::Culprits ? ModsOf(outcome.mods, count) : Mods();
        for (size_t mod : named) {
            Key without = RestKey(count, every, mod, mod + 1);
            Reply reply = ask(without);
            if (reply == Reply::DoesNotShow)
                continue;
            if (reply == Reply::NotYet) {
                outcome = TestOf(std::move(without), outcome.mostStartsLeftIfOneMod);
            } else {
                doubted.doubted = std::move(outcome.mods);
                doubted.shownWithout = mod;
                base = ModsOf(without, count);
                outcome.kind = StepKind::NotEveryTime;
            }
            break;
        }
        if (outcome.kind == StepKind::Test && !firstRound && !answered) {
            doubted.mods = std::move(outcome.mods);
            return doubted;
        }
        if (outcome.kind != StepKind::NotEveryTime)
            return outcome;
    }
}

// Each key's flags: one per suspect.
std::vector<bool> FlagsOf(const Key& key, size_t count)
{
    std::vector<bool> on(count);
    for (size_t mod = 0; mod < count; ++mod)
        on[mod] = Has(key, mod);
    return on;
}

}  // namespace

PlayedOn PlaySearchOn(const ProblemSearch& search, const MoreAnswers& more)
{
    const size_t count = search.suspects.size();
    PlayedOn played;
    bool strayed = false;
    Outcome outcome = Search(count, [&](const Key& mods) {
        if (!strayed && played.given < search.answers.size()) {
            const SearchAnswer& answer = search.answers[played.given];
            strayed = answer.on.size() != count || KeyOf(answer.on) != mods;
            if (!strayed)
                return ReplyOf(search.answers[played.given++].shows);
        }
        std::optional<bool> shows = more ? more(FlagsOf(mods, count)) : std::nullopt;
        played.more += shows.has_value();
        return shows ? ReplyOf(*shows) : Reply::NotYet;
    });
    SearchStep& step = played.step;
    step.kind = outcome.kind;
    if (outcome.kind == StepKind::Test || outcome.kind == StepKind::NotEveryTime) {
        step.on = FlagsOf(outcome.mods, count);
        step.number = search.answers.size() + 1;
        step.mostStartsLeftIfOneMod = outcome.mostStartsLeftIfOneMod;
    }
    const Key& named = outcome.kind == StepKind::NotEveryTime ? outcome.doubted : outcome.mods;
    if (outcome.kind == StepKind::Culprits || outcome.kind == StepKind::NotEveryTime) {
        for (size_t mod : ModsOf(named, count))
            step.culprits.push_back(search.suspects[mod]);
    }
    if (outcome.kind == StepKind::NotEveryTime)
        step.shownWithout = search.suspects[outcome.shownWithout];
    return played;
}

SearchStep NextStep(const ProblemSearch& search)
{
    SearchStep step = PlaySearchOn(search, nullptr).step;
    // Among three suspects or fewer, a result's check may be a start made
    // already: the bound is played out.
    if (search.suspects.size() <= 3 && step.mostStartsLeftIfOneMod > 0)
        step.mostStartsLeftIfOneMod = MostStartsLeftIfTogether(search, 1);
    return step;
}

bool RecordAnswer(ProblemSearch& search, bool shows)
{
    SearchStep step = NextStep(search);
    if (step.kind != StepKind::Test && step.kind != StepKind::NotEveryTime)
        return false;
    search.answers.push_back({std::move(step.on), shows});
    return true;
}

bool AnswersFollowTheSearch(const ProblemSearch& search)
{
    return PlaySearchOn(search, nullptr).given == search.answers.size();
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
