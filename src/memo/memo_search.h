// Finding memos again: those whose text holds what was typed, latest first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "memo/memo_store.h"

namespace tavoli {

// The entries whose text holds the query (Latin letters of either case alike; everything
// when it is empty), by date, latest first, entries of one date in store order; a
// repeating memo once, at its first day.
std::vector<const MemoStore::Entry*> SearchMemos(const MemoStore& memos, std::string_view query);
// A found memo as the search box lists it: "2024/02/29  every year  Mother's birthday".
std::string FoundMemoLine(const MemoStore::Entry& entry);

}  // namespace tavoli
