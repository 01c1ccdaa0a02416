#include "changes/journal_text.h"

const char kJournalMark[] = "Quillmoor mod folder change, version 1";

namespace {

const char* const kKinds[] = {"switch", "update", "restore", "move-in"};
const char* const kPhases[] = {"doing", "owed"};
const char* const kStepWords[] = {"rename", "replace", "recycle", "copy", "remove"};
// How many names a step of each kind holds.
const size_t kStepNames[] = {2, 3, 1, 2, 1};
const size_t kMostSteps = 10000000;

std::string Escaped(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case '\t': escaped += "\\t"; break;
        case '\n': escaped += "\\n"; break;
        case '\r': escaped += "\\r"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::optional<std::string> Unescaped(const std::string& text)
{
    std::string plain;
    plain.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            plain += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\': plain += '\\'; break;
        case 't': plain += '\t'; break;
        case 'n': plain += '\n'; break;
        case 'r': plain += '\r'; break;
        default: return std::nullopt;
        }
    }
    return plain;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t end; (end = line.find('\t', start)) != std::string::npos; start = end + 1)
        fields.push_back(line.substr(start, end - start));
    fields.push_back(line.substr(start));
    return fields;
}

std::optional<size_t> Number(const std::string& text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return static_cast<size_t>(std::stoul(text));
}

template <size_t N>
std::optional<size_t> WordIndex(const std::string& word, const char* const (&words)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (word == words[i])
            return i;
    return std::nullopt;
}

// One "name<TAB>value" line of the plan's head.
std::optional<std::string> HeadValue(const std::string& line, const char* name)
{
    std::vector<std::string> fields = Fields(line);
    if (fields.size() != 2 || fields[0] != name)
        return std::nullopt;
    return Unescaped(fields[1]);
}

std::optional<ChangeStep> ReadStep(const std::string& line)
{
    std::vector<std::string> fields = Fields(line);
    std::optional<size_t> kind = WordIndex(fields[0], kStepWords);
    if (!kind)
        return std::nullopt;
    size_t names = kStepNames[*kind];
    if (fields.size() != names + 1)
        return std::nullopt;
    ChangeStep step;
    step.kind = static_cast<ChangeStepKind>(*kind);
    std::string* parts[] = {&step.first, &step.second, &step.third};
    for (size_t i = 0; i < names; ++i) {
        std::optional<std::string> name = Unescaped(fields[i + 1]);
        if (!name || name->empty())
            return std::nullopt;
        *parts[i] = *name;
    }
    return step;
}

// The text's whole lines: a last line without its line break was cut off.
std::vector<std::string> WholeLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

}  // namespace

std::string PlanText(const ChangePlan& plan)
{
    std::string text = std::string(kJournalMark) + "\n";
    text += std::string("kind\t") + kKinds[static_cast<size_t>(plan.kind)] + "\n";
    text += std::string("phase\t") + kPhases[static_cast<size_t>(plan.phase)] + "\n";
    text += "folder\t" + Escaped(plan.folder) + "\n";
    text += "mod\t" + Escaped(plan.mod) + "\n";
    text += "steps\t" + std::to_string(plan.steps.size()) + "\n";
    for (const ChangeStep& step : plan.steps) {
        size_t kind = static_cast<size_t>(step.kind);
        text += kStepWords[kind];
        text += "\t" + Escaped(step.first);
        if (kStepNames[kind] > 1)
            text += "\t" + Escaped(step.second);
        if (kStepNames[kind] > 2)
            text += "\t" + Escaped(step.third);
        text += "\n";
    }
    return text + "end\n";
}

std::string ReachLine(size_t moves)
{
    return "reach\t" + std::to_string(moves) + "\n";
}

std::string DoneLine(size_t moves)
{
    return "done\t" + std::to_string(moves) + "\n";
}

JournalRead ReadJournalText(const std::string& text)
{
    JournalRead read;
    std::vector<std::string> lines = WholeLines(text);
    if (lines.size() < 7 || lines[0] != kJournalMark)
        return read;
    std::optional<std::string> kind = HeadValue(lines[1], "kind"), phase = HeadValue(lines[2], "phase"),
                               folder = HeadValue(lines[3], "folder"), mod = HeadValue(lines[4], "mod"),
                               count = HeadValue(lines[5], "steps");
    std::optional<size_t> kindIndex = kind ? WordIndex(*kind, kKinds) : std::nullopt;
    std::optional<size_t> phaseIndex = phase ? WordIndex(*phase, kPhases) : std::nullopt;
    std::optional<size_t> counted = count ? Number(*count) : std::nullopt;
    size_t steps = counted.value_or(0);
    if (!kindIndex || !phaseIndex || !folder || folder->empty() || !mod || !counted || steps > kMostSteps ||
        lines.size() < 7 + steps || lines[6 + steps] != "end")
        return read;
    ChangePlan plan;
    plan.kind = static_cast<ChangeKind>(*kindIndex);
    plan.phase = static_cast<ChangePhase>(*phaseIndex);
    plan.folder = *folder;
    plan.mod = *mod;
    for (size_t i = 0; i < steps; ++i) {
        std::optional<ChangeStep> step = ReadStep(lines[6 + i]);
        if (!step)
            return read;
        plan.steps.push_back(*step);
    }
    size_t moves = MovesBefore(plan.steps, plan.steps.size());
    for (size_t i = 7 + steps; i < lines.size(); ++i) {
        std::vector<std::string> fields = Fields(lines[i]);
        std::optional<size_t> number = fields.size() == 2 ? Number(fields[1]) : std::nullopt;
        if (!number || *number > moves || (fields[0] != "reach" && fields[0] != "done"))
            return read;
        (fields[0] == "reach" ? read.reached : read.done) = *number;
    }
    read.done = read.done < read.reached ? read.done : read.reached;
    read.plan = std::move(plan);
    return read;
}

std::string LinesText(const std::vector<std::string>& strings)
{
    std::string text;
    for (const std::string& line : strings)
        text += Escaped(line) + "\n";
    return text + "end\n";
}

std::optional<std::vector<std::string>> ReadLinesText(const std::string& text)
{
    std::vector<std::string> lines = WholeLines(text);
    if (lines.empty() || lines.back() != "end")
        return std::nullopt;
    lines.pop_back();
    for (std::string& line : lines) {
        std::optional<std::string> plain = Unescaped(line);
        if (!plain)
            return std::nullopt;
        line = *plain;
    }
    return lines;
}
