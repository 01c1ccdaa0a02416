#include "changes/change_journal.h"

#include <optional>
#include <string>
#include <vector>

#include "changes/legacy_forms.h"
#include "shared/registry_strings.h"
#include "shared/text_conversion.h"

namespace {

const char kSwitchKey[] = "Software\\RozUrovere\\Mod Sets";
const wchar_t kSwitchValue[] = L"";
const char kUpdatesKey[] = "Software\\RozUrovere\\Updates";

// The plan an earlier version left in the registry, and how to remove it.
struct Legacy {
    JournalRead read;
    bool found = false;
    bool (*remove)() = nullptr;
};

bool RemoveLegacySwitch()
{
    return RemoveUserValue(kSwitchKey, kSwitchValue);
}

bool RemoveLegacyVersionChange()
{
    LONG result = RegDeleteKeyW(HKEY_CURRENT_USER, ToWide(kUpdatesKey, CP_ACP).c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

Legacy ReadLegacyVersionChangeValue()
{
    Legacy legacy;
    HKEY key = OpenUserKey(kUpdatesKey, false);
    if (!key)
        return legacy;
    DWORD type = 0, done = 0, size = sizeof done;
    if (RegQueryValueExW(key, L"Done", NULL, &type, reinterpret_cast<BYTE*>(&done), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        done = 0;
    std::optional<std::vector<std::string>> plan = ReadStrings(key, L"Plan");
    RegCloseKey(key);
    legacy.found = true;  // a key with no readable plan is reported too
    legacy.read = ReadLegacyVersionChange(plan.value_or(std::vector<std::string>()), done);
    legacy.remove = RemoveLegacyVersionChange;
    return legacy;
}

Legacy ReadLegacy()
{
    Legacy legacy;
    HKEY key = OpenUserKey(kSwitchKey, false);
    if (key) {
        DWORD type = 0;
        legacy.found = RegQueryValueExW(key, kSwitchValue, NULL, &type, NULL, NULL) == ERROR_SUCCESS;
        std::optional<std::vector<std::string>> strings =
            legacy.found ? ReadStrings(key, kSwitchValue) : std::nullopt;
        RegCloseKey(key);
        if (legacy.found) {
            legacy.read = ReadLegacySwitch(strings.value_or(std::vector<std::string>()));
            legacy.remove = RemoveLegacySwitch;
            return legacy;
        }
    }
    return ReadLegacyVersionChangeValue();
}

}  // namespace

JournalRead ReadChangeJournal(bool& unreadable)
{
    unreadable = false;
    bool fileUnreadable = false;
    std::optional<std::string> text = ReadHomeFile(kChangeJournalFile, &fileUnreadable);
    if (text) {
        JournalRead read = fileUnreadable ? JournalRead() : ReadJournalText(*text);
        unreadable = !read.plan;
        return read;
    }
    Legacy legacy = ReadLegacy();
    if (!legacy.found)
        return JournalRead();
    unreadable = !legacy.read.plan;
    // Moved into the file, with its progress, so that it is followed from there
    // on; the registry's form is removed only once the file holds it. One that
    // cannot be read stays until it is reported.
    if (legacy.read.plan &&
        WriteHomeFile(kChangeJournalFile,
                      PlanText(*legacy.read.plan) + ReachLine(legacy.read.reached) + DoneLine(legacy.read.done)))
        legacy.remove();
    return legacy.read;
}

bool ChangeJournalLeft()
{
    bool unreadable = false;
    if (ReadHomeFile(kChangeJournalFile, &unreadable))
        return true;
    return ReadLegacy().found;
}

bool RemoveChangeJournal()
{
    if (ReadHomeFile(kChangeJournalFile))
        return RemoveHomeFile(kChangeJournalFile);
    Legacy legacy = ReadLegacy();
    return !legacy.found || legacy.remove();
}

bool JournalWriter::Begin(const ChangePlan& plan, DWORD* error)
{
    appender_.reset();
    if (!WriteHomeFile(kChangeJournalFile, PlanText(plan), error))
        return false;
    appender_ = std::make_unique<HomeFileAppender>(kChangeJournalFile);
    if (!appender_->Open()) {
        if (error)
            *error = GetLastError();
        appender_.reset();
        RemoveHomeFile(kChangeJournalFile);
        return false;
    }
    return true;
}

bool JournalWriter::Rewrite(const ChangePlan& owed)
{
    appender_.reset();
    return WriteHomeFile(kChangeJournalFile, PlanText(owed)) && Resume();
}

bool JournalWriter::Resume()
{
    appender_ = std::make_unique<HomeFileAppender>(kChangeJournalFile);
    if (!appender_->Open())
        appender_.reset();
    return appender_ != nullptr;
}

bool JournalWriter::Reach(size_t moves, bool flush)
{
    return appender_ && appender_->Append(ReachLine(moves), flush);
}

void JournalWriter::Done(size_t moves)
{
    if (appender_)
        appender_->Append(DoneLine(moves), false);
}

bool JournalWriter::Remove()
{
    appender_.reset();
    return RemoveHomeFile(kChangeJournalFile);
}
