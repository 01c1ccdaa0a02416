#include "switching/switch_journal.h"

#include <windows.h>

#include <unordered_set>

#include "mods/mod_names.h"
#include "shared/folder_listing.h"
#include "shared/registry_strings.h"
#include "shared/text_conversion.h"

const char kSwitchLockName[] = "QuillmoorModManager mod set switch";

namespace {

const char kJournalKey[] = "Software\\RozUrovere\\Mod Sets";
const wchar_t kJournalValue[] = L"";  // no set can have an empty name

}  // namespace

SwitchLock::SwitchLock() : NamedLock(kSwitchLockName) {}

bool WriteSwitchJournal(const Journal& journal)
{
    return WriteUserStrings(kJournalKey, kJournalValue, JournalStrings(journal), true);
}

std::vector<std::string> ReadSwitchJournal()
{
    return ReadUserStrings(kJournalKey, kJournalValue).value_or(std::vector<std::string>());
}

bool RemoveSwitchJournal()
{
    return RemoveUserValue(kJournalKey, kJournalValue);
}

bool ForgetJournalOf(const std::string& folder)
{
    SwitchLock lock;
    if (!lock.Held())
        return false;
    std::optional<Journal> journal = ReadJournal(ReadSwitchJournal());
    return journal && journal->folder == folder && RemoveSwitchJournal();
}

bool RenameInFolder(const std::string& folder, const std::string& from, const std::string& to)
{
    return NameKeptWhole(to) &&
           MoveFileExA(JoinPath(folder, from).c_str(), JoinPath(folder, to).c_str(), 0) != FALSE;
}

bool PutBackReport::Settled() const
{
    return outcome == Outcome::Nothing || outcome == Outcome::Unreadable ||
           (outcome == Outcome::PutBack && owed.empty());
}

PutBackReport PutBackJournal(const std::string& modFolder, const RenameProgress& progress)
{
    PutBackReport report;
    std::vector<std::string> strings = ReadSwitchJournal();
    if (strings.empty())
        return report;
    std::optional<Journal> journal = ReadJournal(strings);
    if (!journal) {
        RemoveSwitchJournal();
        report.outcome = PutBackReport::Outcome::Unreadable;
        return report;
    }
    report.kind = journal->kind;
    report.folder = journal->folder;
    if (!FolderExists(journal->folder) || !IsJournalFolder(journal->folder, modFolder, FoldedKey)) {
        report.outcome = FolderExists(journal->folder) ? PutBackReport::Outcome::OtherFolder
                                                       : PutBackReport::Outcome::FolderMissing;
        for (const std::string& name : journal->renames)
            report.owed.push_back(FlippedName(name));
        return report;
    }

    report.outcome = PutBackReport::Outcome::PutBack;
    std::unordered_set<std::string> present;
    ForEachEntry(modFolder, "*", [&present](const FolderEntry& found) { present.insert(FoldedKey(found.name)); });
    JournalCheck check = CheckJournal(
        *journal, [&present](const std::string& name) { return present.count(FoldedKey(name)) != 0; }, FoldedKey);
    report.refused = check.refused;
    Journal owed = {JournalKind::Owed, journal->folder, {}};
    for (size_t i = 0; i < check.steps.size(); ++i) {
        const PutBackStep& step = check.steps[i];
        if (RenameInFolder(modFolder, step.from, step.to)) {
            report.putBack.push_back(step.to);
        } else {
            report.owed.push_back(step.from);
            owed.renames.insert(owed.renames.begin(), step.to);  // in the order of the switch
        }
        if (progress)
            progress(i + 1, check.steps.size());
    }
    if (owed.renames.empty())
        RemoveSwitchJournal();
    else
        WriteSwitchJournal(owed);
    return report;
}
