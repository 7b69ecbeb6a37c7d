#include "memo/memo_merge.h"

#include <map>
#include <string>

namespace tavoli {

namespace {

using Entries = std::vector<MemoStore::Entry>;
// The texts of each day, in list order.
using Days = std::map<CalDate, std::vector<std::string>>;

Days DaysOf(const Entries& entries) {
    Days days;
    for (const MemoStore::Entry& entry : entries) days[entry.date].push_back(entry.text);
    return days;
}

const std::vector<std::string>& TextsOf(const Days& days, CalDate date) {
    static const std::vector<std::string> kNone;
    const auto found = days.find(date);
    return found == days.end() ? kNone : found->second;
}

}  // namespace

MemoMerge MergeMemos(const Entries& read, const Entries& ours, const Entries& theirs) {
    const Days readDays = DaysOf(read), ourDays = DaysOf(ours), theirDays = DaysOf(theirs);
    MemoMerge merge;
    // Whether this copy's texts win the day; the conflicts are gathered on the way.
    std::map<CalDate, bool> oursWins;
    auto decide = [&](CalDate date) {
        const auto known = oursWins.find(date);
        if (known != oursWins.end()) return known->second;
        const auto& base = TextsOf(readDays, date);
        const auto& mine = TextsOf(ourDays, date);
        const auto& other = TextsOf(theirDays, date);
        const bool changedHere = mine != base, changedThere = other != base;
        if (changedHere && changedThere && mine != other) {
            for (const std::string& text : other) merge.conflicts.push_back({date, text});
        }
        return oursWins[date] = changedHere;
    };

    std::map<CalDate, bool> written;
    for (const MemoStore::Entry& entry : theirs) {
        if (!decide(entry.date)) {
            merge.entries.push_back(entry);
        } else if (!written[entry.date]) {
            // This copy's entries of the day take the place of the file's first one.
            written[entry.date] = true;
            for (const std::string& text : TextsOf(ourDays, entry.date)) merge.entries.push_back({entry.date, text});
        }
    }
    for (const MemoStore::Entry& entry : ours) {
        if (theirDays.count(entry.date) == 0 && decide(entry.date)) merge.entries.push_back(entry);
    }
    return merge;
}

}  // namespace tavoli
