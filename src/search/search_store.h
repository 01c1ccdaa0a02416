// Where a problem search under way lives: under HKEY_CURRENT_USER, the key
// Software\RozUrovere\Problem Search, one REG_MULTI_SZ value in the search's stored
// form, written and flushed before each switch of the search, so that a crash
// of the game, the tool or the PC finds it whole; removed when the search ends.
#pragma once

#include <optional>

#include "search/search_record.h"

extern const char kProblemSearchKey[];

bool StoreSearch(const ProblemSearch& search);
// True when a value is there, of any type, also one that cannot be read.
bool SearchStored();
// The stored search; nothing when there is none, or `unreadable` when there
// is one that cannot be taken up.
std::optional<ProblemSearch> StoredSearch(bool* unreadable = nullptr);
bool ForgetSearch();
