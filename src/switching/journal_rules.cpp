#include "switching/journal_rules.h"

#include <unordered_set>

#include "mods/mod_names.h"

namespace {

// Version 1 held a switch under way; version 2 says which kind it holds.
const char kJournalMarkV1[] = "Quillmoor mod set switch, version 1";
const char kJournalMark[] = "Quillmoor mod set switch, version 2";
const char kSwitching[] = "switching";
const char kOwed[] = "owed";

std::optional<std::vector<std::string>> Renames(const std::vector<std::string>& strings, size_t countAt)
{
    if (strings.size() <= countAt || strings[countAt] != std::to_string(strings.size() - countAt - 1))
        return std::nullopt;
    return std::vector<std::string>(strings.begin() + static_cast<std::ptrdiff_t>(countAt) + 1, strings.end());
}

std::string WithoutTrailingBackslash(const std::string& path)
{
    // A drive root keeps its backslash: "Q:\" and "Q:" are not one folder.
    if (path.size() > 3 && path.back() == '\\')
        return path.substr(0, path.size() - 1);
    return path;
}

}  // namespace

std::vector<std::string> JournalStrings(const Journal& journal)
{
    std::vector<std::string> strings = {kJournalMark, journal.kind == JournalKind::Owed ? kOwed : kSwitching,
                                        journal.folder, std::to_string(journal.renames.size())};
    strings.insert(strings.end(), journal.renames.begin(), journal.renames.end());
    return strings;
}

std::optional<Journal> ReadJournal(const std::vector<std::string>& strings)
{
    Journal journal;
    std::optional<std::vector<std::string>> renames;
    if (strings.size() >= 3 && strings[0] == kJournalMarkV1) {
        journal.folder = strings[1];
        renames = Renames(strings, 2);
    } else if (strings.size() >= 4 && strings[0] == kJournalMark &&
               (strings[1] == kSwitching || strings[1] == kOwed)) {
        journal.kind = strings[1] == kOwed ? JournalKind::Owed : JournalKind::Switching;
        journal.folder = strings[2];
        renames = Renames(strings, 3);
    }
    if (!renames || journal.folder.empty())
        return std::nullopt;
    journal.renames = std::move(*renames);
    return journal;
}

bool IsJournalFolder(const std::string& journalFolder, const std::string& modFolder, const FoldName& fold)
{
    return fold(WithoutTrailingBackslash(journalFolder)) == fold(WithoutTrailingBackslash(modFolder));
}

JournalCheck CheckJournal(const Journal& journal, const std::function<bool(const std::string&)>& present,
                          const FoldName& fold)
{
    JournalCheck check;
    std::unordered_set<std::string> named;  // display names, folded: a switch renames each archive once
    std::vector<bool> usable(journal.renames.size());
    for (size_t i = 0; i < journal.renames.size(); ++i) {
        const std::string& name = journal.renames[i];
        usable[i] = IsSwitchableName(name) && named.insert(fold(DisplayName(name))).second;
        if (!usable[i])
            check.refused.push_back(name);
    }
    for (size_t i = journal.renames.size(); i-- > 0;) {
        const std::string& before = journal.renames[i];
        std::string after = FlippedName(before);
        if (usable[i] && present(after) && !present(before))
            check.steps.push_back({after, before});
    }
    return check;
}
