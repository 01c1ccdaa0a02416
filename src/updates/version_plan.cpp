#include "updates/version_plan.h"

#include <map>

#include "mods/mod_names.h"

namespace {

const char kUpdateWord[] = "update";
const char kRestoreWord[] = "restore";
const char* const kStepWords[] = {"recycle", "rename", "replace"};

// Names compared as the folder compares them: ASCII letters without case.
// (Other letters only ever come from the mod's own name, written the same way
// in every name of the plan.)
std::string Key(const std::string& name)
{
    return AsciiLower(name);
}

std::vector<NameMove> AllMoves(const std::vector<VersionStep>& steps)
{
    std::vector<NameMove> moves;
    for (const VersionStep& step : steps)
        for (const NameMove& move : MovesOf(step))
            moves.push_back(move);
    return moves;
}

// The moves made by the first `count` steps.
size_t MovesBefore(const std::vector<VersionStep>& steps, size_t count)
{
    size_t moves = 0;
    for (size_t i = 0; i < count && i < steps.size(); ++i)
        moves += MovesOf(steps[i]).size();
    return moves;
}

// Which of the plan's names exist after each number of moves: before the
// first, a name exists when its first appearance is as a move's source. A
// folder that goes to the Recycle Bin takes the names inside it along.
std::vector<std::map<std::string, bool>> NamesAfterEachMove(const std::vector<NameMove>& moves)
{
    std::map<std::string, bool> state;
    for (const NameMove& move : moves) {
        state.emplace(Key(move.from), true);
        if (!move.to.empty())
            state.emplace(Key(move.to), false);
    }
    std::vector<std::map<std::string, bool>> states = {state};
    for (const NameMove& move : moves) {
        state[Key(move.from)] = false;
        if (!move.to.empty())
            state[Key(move.to)] = true;
        std::string inside = Key(move.from) + "\\";
        for (auto& name : state)
            if (move.to.empty() && name.first.compare(0, inside.size(), inside) == 0)
                name.second = false;
        states.push_back(state);
    }
    return states;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::optional<VersionStep> ReadStep(const std::string& text, const VersionNames& names)
{
    std::vector<std::string> parts = Split(text, '\t');
    size_t kind = 0;
    while (kind < 3 && parts[0] != kStepWords[kind])
        ++kind;
    if (kind == 3 || parts.size() != kind + 2)
        return std::nullopt;
    // Only this mod's own files, and only an older previous version to the
    // Recycle Bin (its folder, or its files as earlier versions of the tool
    // recycled them): a journal changed by hand touches nothing else.
    const std::string own[] = {
        names.previousArchive, names.previousDescription, names.olderFolder,          names.archive,
        names.description,     names.archiveTemporary,    names.descriptionTemporary, names.olderArchive,
        names.olderDescription};
    size_t owned = static_cast<VersionStepKind>(kind) == VersionStepKind::Recycle ? 3 : 9;
    for (size_t i = 1; i < parts.size(); ++i) {
        bool found = false;
        for (size_t j = 0; j < owned; ++j)
            found = found || parts[i] == own[j];
        if (!found)
            return std::nullopt;
    }
    parts.resize(4);
    return VersionStep{static_cast<VersionStepKind>(kind), parts[1], parts[2], parts[3]};
}

}  // namespace

VersionNames NamesOfVersions(const std::string& archive)
{
    std::string stem = DisplayName(archive);
    std::string description = ReplaceExtension(archive, "txt");
    std::string older = stem + ".older";
    return {archive,
            description,
            stem + ".previous",
            stem + ".previous-txt",
            TemporaryName(archive),
            TemporaryName(description),
            older,
            older + "\\previous",
            older + "\\previous-txt"};
}

std::vector<VersionStep> UpdateSteps(const VersionNames& names, const VersionFiles& files, bool newDescription)
{
    std::vector<VersionStep> steps;
    if (files.previousArchive)
        steps.push_back({VersionStepKind::Rename, names.previousArchive, names.olderArchive, ""});
    if (files.previousDescription)
        steps.push_back({VersionStepKind::Rename, names.previousDescription, names.olderDescription, ""});
    steps.push_back({VersionStepKind::Replace, names.archive, names.archiveTemporary, names.previousArchive});
    if (files.description)
        steps.push_back(
            {VersionStepKind::Replace, names.description, names.descriptionTemporary, names.previousDescription});
    else if (newDescription)
        steps.push_back({VersionStepKind::Rename, names.descriptionTemporary, names.description, ""});
    if (files.previousArchive || files.previousDescription)
        steps.push_back({VersionStepKind::Recycle, names.olderFolder, "", ""});
    return steps;
}

std::vector<VersionStep> RestoreSteps(const VersionNames& names, const VersionFiles& files)
{
    std::vector<VersionStep> steps = {
        {VersionStepKind::Replace, names.archive, names.previousArchive, names.archiveTemporary},
        {VersionStepKind::Rename, names.archiveTemporary, names.previousArchive, ""}};
    if (files.description && files.previousDescription) {
        steps.push_back(
            {VersionStepKind::Replace, names.description, names.previousDescription, names.descriptionTemporary});
        steps.push_back({VersionStepKind::Rename, names.descriptionTemporary, names.previousDescription, ""});
    } else if (files.description) {
        steps.push_back({VersionStepKind::Rename, names.description, names.previousDescription, ""});
    } else if (files.previousDescription) {
        steps.push_back({VersionStepKind::Rename, names.previousDescription, names.description, ""});
    }
    return steps;
}

std::vector<NameMove> MovesOf(const VersionStep& step)
{
    switch (step.kind) {
    case VersionStepKind::Recycle: return {{step.first, ""}};
    case VersionStepKind::Rename: return {{step.first, step.second}};
    case VersionStepKind::Replace: return {{step.first, step.third}, {step.second, step.first}};
    }
    return {};
}

std::optional<size_t> MovesMade(const std::vector<VersionStep>& steps, size_t stepsDone,
                                const std::function<bool(const std::string&)>& present)
{
    std::vector<NameMove> moves = AllMoves(steps);
    std::vector<std::map<std::string, bool>> states = NamesAfterEachMove(moves);
    std::map<std::string, bool> now;
    for (const NameMove& move : moves) {
        now[Key(move.from)] = present(move.from);
        if (!move.to.empty())
            now[Key(move.to)] = present(move.to);
    }
    // The step in flight first: the counts of the other points may repeat it
    // (a restore done ends as it began, by names).
    size_t from = MovesBefore(steps, stepsDone), to = MovesBefore(steps, stepsDone + 1);
    for (size_t made = from; made <= to && made < states.size(); ++made)
        if (states[made] == now)
            return made;
    std::optional<size_t> only;
    for (size_t made = 0; made < states.size(); ++made) {
        if (states[made] != now)
            continue;
        if (only)
            return std::nullopt;
        only = made;
    }
    return only;
}

std::vector<NameMove> MovesToFinish(const std::vector<VersionStep>& steps, size_t made)
{
    std::vector<NameMove> moves = AllMoves(steps);
    return made < moves.size()
               ? std::vector<NameMove>(moves.begin() + static_cast<std::ptrdiff_t>(made), moves.end())
               : std::vector<NameMove>();
}

std::vector<NameMove> MovesToUndo(const std::vector<VersionStep>& steps, size_t made)
{
    std::vector<NameMove> moves = AllMoves(steps), undo;
    for (size_t i = made < moves.size() ? made : moves.size(); i-- > 0;)
        if (!moves[i].to.empty())
            undo.push_back({moves[i].to, moves[i].from});
    return undo;
}

std::vector<std::string> RecycledAmong(const std::vector<VersionStep>& steps, size_t made)
{
    std::vector<NameMove> moves = AllMoves(steps);
    std::vector<std::string> recycled;
    for (size_t i = 0; i < made && i < moves.size(); ++i)
        if (moves[i].to.empty())
            recycled.push_back(moves[i].from);
    return recycled;
}

std::vector<std::string> NamesGiven(const std::vector<VersionStep>& steps)
{
    std::vector<std::string> names;
    for (const NameMove& move : AllMoves(steps)) {
        bool seen = move.to.empty();
        for (const std::string& name : names)
            seen = seen || Key(name) == Key(move.to);
        if (!seen)
            names.push_back(move.to);
    }
    return names;
}

size_t StepsDone(const std::vector<VersionStep>& steps, size_t made)
{
    size_t done = 0;
    while (done < steps.size() && MovesBefore(steps, done + 1) <= made)
        ++done;
    return done;
}

std::vector<std::string> VersionJournalStrings(const VersionJournal& journal)
{
    std::vector<std::string> strings = {journal.change == VersionChange::Update ? kUpdateWord : kRestoreWord,
                                        journal.folder, journal.archive};
    for (const VersionStep& step : journal.steps) {
        std::string text = kStepWords[static_cast<size_t>(step.kind)];
        text += "\t" + step.first;
        if (step.kind != VersionStepKind::Recycle)
            text += "\t" + step.second;
        if (step.kind == VersionStepKind::Replace)
            text += "\t" + step.third;
        strings.push_back(text);
    }
    return strings;
}

std::optional<VersionJournal> ReadVersionJournal(const std::vector<std::string>& strings)
{
    if (strings.size() < 4 || (strings[0] != kUpdateWord && strings[0] != kRestoreWord) || strings[1].empty())
        return std::nullopt;
    const std::string& archive = strings[2];
    if (KindOf(archive) == ArchiveKind::None || archive.find_first_of("\\/:") != std::string::npos)
        return std::nullopt;
    VersionJournal journal = {
        strings[0] == kUpdateWord ? VersionChange::Update : VersionChange::Restore, strings[1], archive, {}};
    VersionNames names = NamesOfVersions(archive);
    for (size_t i = 3; i < strings.size(); ++i) {
        std::optional<VersionStep> step = ReadStep(strings[i], names);
        if (!step)
            return std::nullopt;
        journal.steps.push_back(*step);
    }
    return journal;
}
