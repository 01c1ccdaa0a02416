// Where a problem search under way lives: a file in the journal's home
// (journal_home.h) in the search's stored form, written whole and flushed
// before each switch of the search, so that a crash of the game, the tool or
// the PC (under Wine too) finds it whole; removed when the search ends. A
// search that an earlier version of the tool kept in the registry (the key
// Software\RozUrovere\Problem Search, value Search) is moved here when it is
// read.
#pragma once

#include <optional>

#include "search/search_record.h"

extern const char kProblemSearchKey[];

bool StoreSearch(const ProblemSearch& search);
// True when one is there, also one that cannot be read.
bool SearchStored();
// The stored search; nothing when there is none, or `unreadable` when there
// is one that cannot be taken up.
std::optional<ProblemSearch> StoredSearch(bool* unreadable = nullptr);
bool ForgetSearch();
