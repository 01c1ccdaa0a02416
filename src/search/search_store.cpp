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

bool SearchStored()
{
    return ReadUserStrings(kProblemSearchKey, kSearchValue).has_value();
}

std::optional<ProblemSearch> StoredSearch(bool* unreadable)
{
    std::optional<std::vector<std::string>> record = ReadUserStrings(kProblemSearchKey, kSearchValue);
    if (unreadable)
        *unreadable = false;
    if (!record)
        return std::nullopt;
    ReadRecordResult read = ReadSearchRecord(*record);
    if (unreadable)
        *unreadable = !read.search;
    return read.search;
}

bool ForgetSearch()
{
    return RemoveUserValue(kProblemSearchKey, kSearchValue);
}
