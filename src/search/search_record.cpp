#include "search/search_record.h"

#include <set>

#include "mods/mod_names.h"

const char kSearchRecordMark[] = "Quillmoor problem search, version 1";

namespace {

const char kHexDigits[] = "0123456789abcdef";

bool Storable(const std::string& text)
{
    return !text.empty() && text.find('\0') == std::string::npos;
}

bool AllStorable(const std::vector<std::string>& texts)
{
    for (const std::string& text : texts) {
        if (!Storable(text))
            return false;
    }
    return true;
}

// False when two names are the same, ASCII letter case aside; `seen` keeps
// the names so far.
bool AddNames(const std::vector<std::string>& names, std::set<std::string>& seen)
{
    for (const std::string& name : names) {
        if (!seen.insert(AsciiLower(name)).second)
            return false;
    }
    return true;
}

std::string AnswerText(const SearchAnswer& answer)
{
    std::string text(1, answer.shows ? '+' : '-');
    for (size_t first = 0; first < answer.on.size(); first += 4) {
        unsigned digit = 0;
        for (size_t bit = 0; bit < 4; ++bit) {
            if (first + bit < answer.on.size() && answer.on[first + bit])
                digit |= 8u >> bit;
        }
        text += kHexDigits[digit];
    }
    return text;
}

std::optional<SearchAnswer> ReadAnswer(const std::string& text, size_t suspects)
{
    if (text.empty() || (text[0] != '+' && text[0] != '-') || text.size() - 1 != (suspects + 3) / 4)
        return std::nullopt;
    SearchAnswer answer{std::vector<bool>(suspects), text[0] == '+'};
    for (size_t i = 1; i < text.size(); ++i) {
        const char* digit = std::char_traits<char>::find(kHexDigits, 16, text[i]);
        if (!digit)
            return std::nullopt;
        const auto value = static_cast<unsigned>(digit - kHexDigits);
        for (size_t bit = 0; bit < 4; ++bit) {
            const size_t mod = (i - 1) * 4 + bit;
            const bool on = (value & (8u >> bit)) != 0;
            if (mod < suspects)
                answer.on[mod] = on;
            else if (on)
                return std::nullopt;  // a suspect that is not there
        }
    }
    return answer;
}

// Four numbers split by single spaces, without leading zeros.
bool ReadCounts(const std::string& text, size_t (&counts)[4])
{
    size_t at = 0;
    for (size_t i = 0; i < 4; ++i) {
        if (i > 0 && (at >= text.size() || text[at++] != ' '))
            return false;
        const size_t begin = at;
        counts[i] = 0;
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
            if (at - begin >= 9)
                return false;  // far more than any folder holds
            counts[i] = counts[i] * 10 + static_cast<size_t>(text[at] - '0');
        }
        if (at == begin || (text[begin] == '0' && at - begin > 1))
            return false;
    }
    return at == text.size();
}

}  // namespace

RecordProblem CheckSearch(const ProblemSearch& search)
{
    if (!AllStorable(search.startState) || !AllStorable(search.keptOn) || !AllStorable(search.suspects))
        return RecordProblem::EmptyString;
    std::set<std::string> kept, suspects;
    if (!AddNames(search.keptOn, kept) || !AddNames(search.suspects, suspects))
        return RecordProblem::DuplicateName;
    for (const std::string& suspect : suspects) {
        if (kept.count(suspect))
            return RecordProblem::KeptSuspect;
    }
    for (const SearchAnswer& answer : search.answers) {
        if (answer.on.size() != search.suspects.size())
            return RecordProblem::BadAnswer;
    }
    return AnswersFollowTheSearch(search) ? RecordProblem::None : RecordProblem::AnswerNotAsked;
}

std::vector<std::string> SearchRecord(const ProblemSearch& search)
{
    std::vector<std::string> record{kSearchRecordMark, std::to_string(search.startState.size()) + " " +
                                                           std::to_string(search.keptOn.size()) + " " +
                                                           std::to_string(search.suspects.size()) + " " +
                                                           std::to_string(search.answers.size())};
    record.insert(record.end(), search.startState.begin(), search.startState.end());
    record.insert(record.end(), search.keptOn.begin(), search.keptOn.end());
    record.insert(record.end(), search.suspects.begin(), search.suspects.end());
    for (const SearchAnswer& answer : search.answers)
        record.push_back(AnswerText(answer));
    return record;
}

ReadRecordResult ReadSearchRecord(const std::vector<std::string>& record)
{
    ReadRecordResult result;
    size_t counts[4];
    if (record.empty() || record[0] != kSearchRecordMark)
        result.problem = RecordProblem::NotASearch;
    else if (record.size() < 2 || !ReadCounts(record[1], counts))
        result.problem = RecordProblem::BadCounts;
    else if (record.size() - 2 != counts[0] + counts[1] + counts[2] + counts[3])
        result.problem = RecordProblem::WrongCount;
    if (result.problem != RecordProblem::None)
        return result;

    ProblemSearch search;
    std::vector<std::string>* const parts[] = {&search.startState, &search.keptOn, &search.suspects};
    auto next = record.begin() + 2;
    for (size_t i = 0; i < 3; ++i) {
        const auto end = next + static_cast<std::ptrdiff_t>(counts[i]);
        parts[i]->assign(next, end);
        next = end;
    }
    for (; next != record.end(); ++next) {
        std::optional<SearchAnswer> answer = ReadAnswer(*next, search.suspects.size());
        if (!answer) {
            result.problem = Storable(*next) ? RecordProblem::BadAnswer : RecordProblem::EmptyString;
            return result;
        }
        search.answers.push_back(std::move(*answer));
    }
    result.problem = CheckSearch(search);
    if (result.problem == RecordProblem::None)
        result.search = std::move(search);
    return result;
}
