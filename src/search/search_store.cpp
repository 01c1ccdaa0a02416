#include "search/search_store.h"

#include "changes/journal_home.h"
#include "changes/journal_text.h"
#include "shared/registry_strings.h"

const char kProblemSearchKey[] = "Software\\RozUrovere\\Problem Search";

namespace {

const wchar_t kSearchValue[] = L"Search";

// Where earlier versions of the tool kept it: a value of any type there is a
// search, readable or not.
bool InRegistry()
{
    HKEY key = OpenUserKey(kProblemSearchKey, false);
    if (!key)
        return false;
    bool there = RegQueryValueExW(key, kSearchValue, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
    RegCloseKey(key);
    return there;
}

}  // namespace

bool StoreSearch(const ProblemSearch& search)
{
    return WriteHomeFile(kProblemSearchFile, LinesText(SearchRecord(search)));
}

bool SearchStored()
{
    return ReadHomeFile(kProblemSearchFile).has_value() || InRegistry();
}

std::optional<ProblemSearch> StoredSearch(bool* unreadable)
{
    if (unreadable)
        *unreadable = false;
    bool fileUnreadable = false;
    std::optional<std::string> text = ReadHomeFile(kProblemSearchFile, &fileUnreadable);
    std::optional<std::vector<std::string>> record;
    if (text) {
        record = fileUnreadable ? std::nullopt : ReadLinesText(*text);
    } else if (InRegistry()) {
        // Moved into its home when it is read; kept in the registry until then.
        record = ReadUserStrings(kProblemSearchKey, kSearchValue);
        if (record && WriteHomeFile(kProblemSearchFile, LinesText(*record)))
            RemoveUserValue(kProblemSearchKey, kSearchValue);
    } else {
        return std::nullopt;
    }
    ReadRecordResult read = record ? ReadSearchRecord(*record) : ReadRecordResult();
    if (unreadable)
        *unreadable = !read.search;
    return read.search;
}

bool ForgetSearch()
{
    bool file = RemoveHomeFile(kProblemSearchFile);
    return RemoveUserValue(kProblemSearchKey, kSearchValue) && file;
}
