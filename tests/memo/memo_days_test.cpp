// Repeating and long memos: the days a rule falls on, how a rule and a memo's lines go
// through memo.txt (and what an older reader takes from the line), and the search.
#include <gtest/gtest.h>

#include "memo/memo_lines.h"
#include "memo/memo_search.h"
#include "memo/memo_store.h"
#include "support/temp_folder.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

using R = MemoRepeat;

TEST(MemoDays, RulesFallOnTheirDays) {
    const struct {
        CalDate from;
        R repeat;
        CalDate until, day;
        bool falls;
    } cases[] = {
        {CalDate(2024, 2, 29), R::kYearly, {}, CalDate(2028, 2, 29), true},
        {CalDate(2024, 2, 29), R::kYearly, {}, CalDate(2025, 2, 28), true},  // no 29th that year
        {CalDate(2024, 2, 29), R::kYearly, {}, CalDate(2028, 2, 28), false},
        {CalDate(2024, 2, 29), R::kYearly, {}, CalDate(2025, 3, 1), false},
        {CalDate(2024, 5, 3), R::kYearly, {}, CalDate(2023, 5, 3), false},  // not before its day
        {CalDate(2024, 5, 3), R::kYearly, CalDate(2030, 5, 2), CalDate(2030, 5, 3), false},
        {CalDate(2024, 5, 3), R::kYearly, CalDate(2030, 5, 3), CalDate(2030, 5, 3), true},
        {CalDate(2024, 1, 31), R::kMonthly, {}, CalDate(2024, 2, 29), true},  // a shorter month's last
        {CalDate(2024, 1, 31), R::kMonthly, {}, CalDate(2025, 2, 28), true},
        {CalDate(2024, 1, 31), R::kMonthly, {}, CalDate(2024, 4, 30), true},
        {CalDate(2024, 1, 30), R::kMonthly, {}, CalDate(2024, 3, 31), false},
        {CalDate(2024, 1, 10), R::kMonthly, {}, CalDate(2024, 2, 10), true},
        {CalDate(2024, 12, 30), R::kWeekly, {}, CalDate(2025, 1, 6), true},
        {CalDate(2024, 12, 30), R::kWeekly, {}, CalDate(2025, 1, 7), false},
        {CalDate(2024, 12, 30), R::kNone, {}, CalDate(2024, 12, 30), true},  // its own day
        {CalDate(2024, 12, 30), R::kNone, {}, CalDate(2025, 12, 30), false},
    };
    for (const auto& c : cases) {
        const MemoStore::Entry entry{c.from, "x", c.repeat, c.until};
        EXPECT_EQ(entry.FallsOn(c.day), c.falls)
            << c.from.Text() << " " << static_cast<int>(c.repeat) << " on " << c.day.Text();
    }
    // A day's own memo first, then the repeating ones that fall on it.
    MemoStore store;
    store.SetMemo(CalDate(2024, 3, 1), "weekly", R::kWeekly, {});
    store.SetMemo(CalDate(2024, 3, 15), "own");
    store.SetMemo(CalDate(2024, 1, 15), "monthly", R::kMonthly, {});
    std::vector<std::string> texts;
    for (const MemoStore::Entry* memo : store.MemosOn(CalDate(2024, 3, 15))) texts.push_back(memo->text);
    EXPECT_EQ(texts, (std::vector<std::string>{"own", "weekly", "monthly"}));
    EXPECT_TRUE(store.HasMemo(CalDate(2024, 3, 8)));
    EXPECT_EQ(store.OwnEntry(CalDate(2024, 3, 8)), nullptr);  // edited at its first day
    EXPECT_EQ(store.OwnEntry(CalDate(2024, 3, 1))->repeat, R::kWeekly);
    EXPECT_FALSE(store.HasMemo(CalDate(2024, 3, 9)));
}

// The lines of long, multi-line and repeating memos read back as they were; an older
// reader takes the date from the key's first three numbers and the text after "=": the
// memo whole, its breaks as marks, at its first day.
void CheckFileLines(const std::vector<MemoStore::Entry>& entries) {
    MemoStore store;
    for (const MemoStore::Entry& e : entries) ASSERT_TRUE(store.SetMemo(e.date, e.text, e.repeat, e.until));
    TempFolder folder;
    const std::string path = folder.Join("memo.txt");
    ASSERT_EQ(store.SaveMemos(path), kSuccess);
    MemoStore read;
    ASSERT_EQ(read.LoadMemos(path), kSuccess);
    EXPECT_EQ(read.Entries(), store.Entries());
    const std::vector<std::string> lines = store.FileLines(CalDateTime());
    ASSERT_EQ(lines.size(), entries.size() + 1);
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string& line = lines[i + 1];
        const size_t equals = line.find('=');
        CalDate older;
        ASSERT_TRUE(CalDate::FromTextExactly(line.substr(0, equals), older));
        EXPECT_EQ(older, entries[i].date);
        EXPECT_EQ(line.substr(equals + 1), entries[i].text);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    }
}

const std::string kBreak(1, kMemoLineBreak);

TEST(MemoDays, LongAndRepeatingMemosInTheFile) {
#ifndef _WIN32
    HostPlatform western;
    western.SetCodePage(kCodePageWestern);
    ScopedPlatform scope(western);
#endif
    CheckFileLines({
        {CalDate(2024, 2, 29), "Mother's birthday", R::kYearly, {}},
        {CalDate(2024, 1, 31), "rent" + kBreak + "electricity", R::kMonthly, CalDate(2025, 12, 31)},
        {CalDate(2024, 3, 4), "caf\xe9 " + std::string(7000, 'x'), R::kWeekly, {}},
        {CalDate(2024, 3, 5), "a=b" + kBreak + kBreak + "#c", R::kNone, {}},
    });
}

#ifndef _WIN32
TEST(MemoDays, LongAndRepeatingMemosInShiftJis) {
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    ScopedPlatform scope(japanese);
    const std::string table = "\x95\x5c", kana = "\x83\x41";  // 表 (trail byte "\"), ア (trail byte "A")
    std::string long6000;
    for (int i = 0; i < 3000; ++i) long6000 += table;
    CheckFileLines({
        {CalDate(2024, 2, 29), table + kBreak + kana + "every year", R::kYearly, {}},
        {CalDate(2024, 6, 1), long6000 + kBreak + "x", R::kNone, {}},
    });
    // The search compares a double-byte character whole: "a" is no part of ア.
    EXPECT_FALSE(MemoContains(kana, "a"));
    EXPECT_TRUE(MemoContains("x" + kana + "Y", kana + "y"));
}
#endif

TEST(MemoDays, SearchLatestFirstARuleOnce) {
    MemoStore store;
    store.SetMemo(CalDate(2020, 5, 3), "Dentist at ten");
    store.SetMemo(CalDate(2024, 1, 1), "dentist" + kBreak + "again");
    store.SetMemo(CalDate(2019, 7, 7), "Birthday of DENTIST Ito", R::kYearly, {});
    store.SetMemo(CalDate(2023, 1, 1), "shopping");
    const struct {
        const char* query;
        std::vector<CalDate> found;
    } cases[] = {
        {"dentist", {CalDate(2024, 1, 1), CalDate(2020, 5, 3), CalDate(2019, 7, 7)}},
        {"T A", {CalDate(2020, 5, 3)}},
        {"t"
         "\x1f"
         "a",
         {CalDate(2024, 1, 1)}},  // across a line break
        {"", {CalDate(2024, 1, 1), CalDate(2023, 1, 1), CalDate(2020, 5, 3), CalDate(2019, 7, 7)}},
        {"nothing", {}},
    };
    for (const auto& c : cases) {
        std::vector<CalDate> found;
        for (const MemoStore::Entry* entry : SearchMemos(store, c.query)) found.push_back(entry->date);
        EXPECT_EQ(found, c.found) << c.query;
    }
    EXPECT_EQ(FoundMemoLine(*SearchMemos(store, "Ito").front()),
              "2019/07/07  " + MemoRepeatText(R::kYearly, {}) + "  Birthday of DENTIST Ito");
    EXPECT_EQ(FoundMemoLine(*SearchMemos(store, "again").front()), "2024/01/01  dentist...");
}

}  // namespace
}  // namespace tavoli
