// The rule by which a save takes in what another writer put into memo.txt.
#include "memo/memo_merge.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tavoli {
namespace {

using Entries = std::vector<MemoStore::Entry>;

// "3=a 5y=b": memos on days of January 2024, "y", "m" or "w" after the day one that repeats
// every year, month or week.
Entries Memos(const std::string& text) {
    Entries entries;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        const size_t equals = word.find('=');
        const char rule = word[equals - 1];
        const MemoRepeat repeat = rule == 'y'   ? MemoRepeat::kYearly
                                  : rule == 'm' ? MemoRepeat::kMonthly
                                  : rule == 'w' ? MemoRepeat::kWeekly
                                                : MemoRepeat::kNone;
        entries.push_back({CalDate(2024, 1, std::stoi(word.substr(0, equals))), word.substr(equals + 1), repeat, {}});
    }
    return entries;
}

TEST(MemoMerge, DayByDay) {
    struct Case {
        const char* what;
        const char* read;
        const char* ours;
        const char* theirs;
        const char* merged;
        const char* conflicts;
        bool whole = true;  // the file may have been cut short
    } cases[] = {
        {"changed there only", "1=a 2=b", "1=a 2=b", "1=a 2=B", "1=a 2=B", ""},
        {"changed here only", "1=a 2=b", "1=a 2=B", "1=a 2=b", "1=a 2=B", ""},
        {"both changed", "1=a 2=b", "1=a 2=mine", "1=a 2=theirs", "1=a 2=mine", "2=theirs"},
        {"both made the same change", "1=a", "1=same", "1=same", "1=same", ""},
        {"added there", "1=a", "1=a", "1=a 3=c", "1=a 3=c", ""},
        {"added here, at the end", "1=a 2=b", "3=c 1=a 2=b", "1=a 2=b", "1=a 2=b 3=c", ""},
        {"added in both", "1=a", "1=a 3=mine", "1=a 3=theirs", "1=a 3=mine", "3=theirs"},
        {"deleted here", "1=a 2=b", "1=a", "1=a 2=b", "1=a", ""},
        {"deleted there", "1=a 2=b", "1=a 2=b", "1=a", "1=a", ""},
        {"deleted here, changed there", "1=a 2=b", "1=a", "1=a 2=B", "1=a", "2=B"},
        {"deleted there, changed here", "1=a 2=b", "1=a 2=B", "1=a", "1=a 2=B", ""},
        {"the file's order", "1=a 2=b 3=c", "1=a 2=B 3=c", "3=c 1=a 2=b", "3=c 1=a 2=B", ""},
        {"a day's entries go together", "1=a 1=b 2=c", "1=A 1=b 2=c", "2=c 1=a 1=b", "2=c 1=A 1=b", ""},
        {"an unread file: everything is new", "", "2=mine 5=e", "1=a 2=theirs", "1=a 2=mine 5=e", "2=theirs"},
        {"a file emptied by hand", "1=a 2=b", "1=a 2=b 3=c", "", "3=c", "", true},
        {"a file cut short: no deletion there", "1=a 2=b 3=c", "1=a 2=B 3=c 4=d", "1=a", "1=a 2=B 3=c 4=d", "", false},
        {"cut short, deleted here", "1=a 2=b", "1=a", "", "1=a", "", false},
        // A rule is part of its day's memo.
        {"a rule added there", "1=a 2=b", "1=a 2=b", "1=a 2y=b", "1=a 2y=b", ""},
        {"a rule changed here", "1=a 2y=b", "1=a 2w=b", "1=a 2y=b", "1=a 2w=b", ""},
        {"rules changed both ways", "2y=b", "2m=b", "2w=b", "2m=b", "2w=b"},
        {"a repeating memo added in both", "", "3y=c", "3y=c", "3y=c", ""},
    };
    for (const Case& c : cases) {
        const MemoMerge merge = MergeMemos(Memos(c.read), Memos(c.ours), Memos(c.theirs), c.whole);
        EXPECT_EQ(merge.entries, Memos(c.merged)) << c.what;
        EXPECT_EQ(merge.conflicts, Memos(c.conflicts)) << c.what;
    }
}

}  // namespace
}  // namespace tavoli
