#include "memo/memo_search.h"

#include <algorithm>

#include "memo/memo_lines.h"

namespace tavoli {

std::vector<const MemoStore::Entry*> SearchMemos(const MemoStore& memos, std::string_view query) {
    std::vector<const MemoStore::Entry*> found;
    for (const MemoStore::Entry& entry : memos.Entries()) {
        if (MemoContains(entry.text, query)) found.push_back(&entry);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const MemoStore::Entry* a, const MemoStore::Entry* b) { return a->date > b->date; });
    return found;
}

std::string FoundMemoLine(const MemoStore::Entry& entry) {
    std::string line = MemoDateText(entry.date) + "  ";
    const std::string rule = MemoRepeatText(entry.repeat, entry.until);
    if (!rule.empty()) line += rule + "  ";
    return line + MemoBeginning(entry.text);
}

}  // namespace tavoli
