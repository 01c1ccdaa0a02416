#include "search/search_store.h"

#include "shared/registry_strings.h"

const char kProblemSearchKey[] = "Software\\RozUrovere\\Problem Search";

namespace {

const wchar_t kSearchValue[] = L"Search";

}  // namespace

bool StoreSearch(const ProblemSearch& search)
{
    return WriteUserStrings(kProblemSearchKey, kSearchValue, SearchRecord(search), true);
}

// A value of another type is a search that cannot be read, never none.
bool SearchStored()
{
    HKEY key = OpenUserKey(kProblemSearchKey, false);
    if (!key)
        return false;
    bool there = RegQueryValueExW(key, kSearchValue, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
    RegCloseKey(key);
    return there;
}

std::optional<ProblemSearch> StoredSearch(bool* unreadable)
{
    std::optional<std::vector<std::string>> record = ReadUserStrings(kProblemSearchKey, kSearchValue);
    if (unreadable)
        *unreadable = false;
    if (!record) {
        if (unreadable)
            *unreadable = SearchStored();
        return std::nullopt;
    }
    ReadRecordResult read = ReadSearchRecord(*record);
    if (unreadable)
        *unreadable = !read.search;
    return read.search;
}

bool ForgetSearch()
{
    return RemoveUserValue(kProblemSearchKey, kSearchValue);
}
