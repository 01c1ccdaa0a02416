#include "updates/version_journal.h"

#include <windows.h>

#include "shared/registry_strings.h"
#include "shared/text_conversion.h"

const char kUpdatesKey[] = "Software\\RozUrovere\\Updates";

namespace {

const wchar_t kPlanValue[] = L"Plan";
const wchar_t kDoneValue[] = L"Done";

bool SetDone(HKEY key, size_t steps)
{
    DWORD done = static_cast<DWORD>(steps);
    return RegSetValueExW(key, kDoneValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&done), sizeof done) ==
           ERROR_SUCCESS;
}

}  // namespace

bool WriteVersionJournal(const std::vector<std::string>& strings)
{
    HKEY key = OpenUserKey(kUpdatesKey, true);
    if (!key)
        return false;
    bool reset = SetDone(key, 0);
    RegCloseKey(key);
    // Flushed with its key, so that even a power cut before the first rename
    // finds the plan and its count.
    return reset && WriteUserStrings(kUpdatesKey, kPlanValue, strings, true);
}

void NoteStepsDone(size_t steps)
{
    HKEY key = OpenUserKey(kUpdatesKey, true);
    if (!key)
        return;
    if (SetDone(key, steps))
        RegFlushKey(key);
    RegCloseKey(key);
}

std::vector<std::string> ReadVersionJournalStrings(size_t& stepsDone)
{
    stepsDone = 0;
    HKEY key = OpenUserKey(kUpdatesKey, false);
    if (!key)
        return {};
    DWORD type = 0, done = 0, doneSize = sizeof done;
    if (RegQueryValueExW(key, kDoneValue, NULL, &type, reinterpret_cast<BYTE*>(&done), &doneSize) ==
            ERROR_SUCCESS &&
        type == REG_DWORD)
        stepsDone = done;
    std::vector<std::string> strings = ReadStrings(key, kPlanValue).value_or(std::vector<std::string>());
    RegCloseKey(key);
    return strings;
}

void RemoveVersionJournal()
{
    RegDeleteKeyW(HKEY_CURRENT_USER, ToWide(kUpdatesKey, CP_ACP).c_str());
}
