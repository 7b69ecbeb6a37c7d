#include "memo/memo_merge.h"

#include <string>
#include <unordered_map>

namespace tavoli {

namespace {

using Entries = std::vector<MemoStore::Entry>;
// The entries of each day (texts and rules), in list order; pointers into the list, which
// outlives the map.
using Texts = std::vector<const MemoStore::Entry*>;
using Days = std::unordered_map<uint32_t, Texts>;

Days DaysOf(const Entries& entries) {
    Days days;
    days.reserve(entries.size());
    for (const MemoStore::Entry& entry : entries) days[entry.date.Serial()].push_back(&entry);
    return days;
}

const Texts& TextsOf(const Days& days, CalDate date) {
    static const Texts kNone;
    const auto found = days.find(date.Serial());
    return found == days.end() ? kNone : found->second;
}

bool Same(const Texts& a, const Texts& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (*a[i] != *b[i]) return false;
    }
    return true;
}

}  // namespace

MemoMerge MergeMemos(const Entries& read, const Entries& ours, const Entries& theirs, bool theirsWhole) {
    const Days readDays = DaysOf(read), ourDays = DaysOf(ours), theirDays = DaysOf(theirs);
    MemoMerge merge;
    merge.entries.reserve(theirs.size() + ours.size());
    // Whether this copy's texts win a day, decided once per day; the conflicts are
    // gathered on the way.
    std::unordered_map<uint32_t, bool> oursWins;
    oursWins.reserve(theirDays.size() + ourDays.size());
    auto decide = [&](CalDate date) {
        const auto known = oursWins.find(date.Serial());
        if (known != oursWins.end()) return known->second;
        // A day a file cut short lacks is this copy's.
        if (!theirsWhole && theirDays.count(date.Serial()) == 0) return oursWins[date.Serial()] = true;
        const Texts& base = TextsOf(readDays, date);
        const Texts& mine = TextsOf(ourDays, date);
        const Texts& other = TextsOf(theirDays, date);
        const bool changedHere = !Same(mine, base), changedThere = !Same(other, base);
        if (changedHere && changedThere && !Same(mine, other)) {
            for (const MemoStore::Entry* entry : other) merge.conflicts.push_back(*entry);
        }
        return oursWins[date.Serial()] = changedHere;
    };

    // This copy's entries of a day it wins take the place of the file's first one.
    std::unordered_map<uint32_t, bool> written;
    for (const MemoStore::Entry& entry : theirs) {
        if (!decide(entry.date)) {
            merge.entries.push_back(entry);
        } else if (!written[entry.date.Serial()]) {
            written[entry.date.Serial()] = true;
            for (const MemoStore::Entry* mine : TextsOf(ourDays, entry.date)) merge.entries.push_back(*mine);
        }
    }
    for (const MemoStore::Entry& entry : ours) {
        if (theirDays.count(entry.date.Serial()) == 0 && decide(entry.date)) merge.entries.push_back(entry);
    }
    return merge;
}

}  // namespace tavoli
