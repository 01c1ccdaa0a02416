#include "updates/version_journal.h"

#include <windows.h>

#include "shared/text_conversion.h"

const char kUpdatesKey[] = "Software\\RozUrovere\\Updates";

namespace {

const wchar_t kPlanValue[] = L"Plan";
const wchar_t kDoneValue[] = L"Done";

HKEY OpenUpdates(bool create)
{
    HKEY key = NULL;
    std::wstring path = ToWide(kUpdatesKey, CP_ACP);
    LONG result = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, NULL, 0, KEY_READ | KEY_WRITE, NULL,
                                           &key, NULL)
                         : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    return result == ERROR_SUCCESS ? key : NULL;
}

bool SetDone(HKEY key, size_t steps)
{
    DWORD done = static_cast<DWORD>(steps);
    return RegSetValueExW(key, kDoneValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&done), sizeof done) ==
           ERROR_SUCCESS;
}

}  // namespace

bool WriteVersionJournal(const std::vector<std::string>& strings)
{
    HKEY key = OpenUpdates(true);
    if (!key)
        return false;
    // REG_MULTI_SZ: each string with its zero, then one more; no string is empty.
    std::wstring data;
    for (const std::string& text : strings)
        data += ToWide(text, CP_ACP) + L'\0';
    data += L'\0';
    bool written = SetDone(key, 0) &&
                   RegSetValueExW(key, kPlanValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                                  static_cast<DWORD>(data.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
    // On disk before the first rename, so that even a power cut finds it.
    written = written && RegFlushKey(key) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

void NoteStepsDone(size_t steps)
{
    HKEY key = OpenUpdates(true);
    if (!key)
        return;
    if (SetDone(key, steps))
        RegFlushKey(key);
    RegCloseKey(key);
}

std::vector<std::string> ReadVersionJournalStrings(size_t& stepsDone)
{
    std::vector<std::string> strings;
    stepsDone = 0;
    HKEY key = OpenUpdates(false);
    if (!key)
        return strings;
    DWORD type = 0, size = 0, done = 0, doneSize = sizeof done;
    if (RegQueryValueExW(key, kDoneValue, NULL, &type, reinterpret_cast<BYTE*>(&done), &doneSize) ==
            ERROR_SUCCESS &&
        type == REG_DWORD)
        stepsDone = done;
    if (RegQueryValueExW(key, kPlanValue, NULL, &type, NULL, &size) == ERROR_SUCCESS && type == REG_MULTI_SZ) {
        std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key, kPlanValue, NULL, &type, reinterpret_cast<BYTE*>(&data[0]), &size) ==
            ERROR_SUCCESS) {
            data.resize(size / sizeof(wchar_t));
            for (size_t start = 0; start < data.size();) {
                size_t end = data.find(L'\0', start);
                if (end == std::wstring::npos)
                    end = data.size();
                if (end == start)
                    break;
                strings.push_back(FromWide(data.substr(start, end - start), CP_ACP));
                start = end + 1;
            }
        }
    }
    RegCloseKey(key);
    return strings;
}

void RemoveVersionJournal()
{
    RegDeleteKeyW(HKEY_CURRENT_USER, ToWide(kUpdatesKey, CP_ACP).c_str());
}
