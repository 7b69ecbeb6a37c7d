// The lunisolar memo: the same dates as the full search for every day, every zone and any
// order of visits, and one search for the days of a quarter.
#include "calendar/lunisolar_memo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "calendar/calendar_system.h"
#include "calendar/lunisolar.h"

namespace tavoli {
namespace {

constexpr int32_t kHour = 3600000;
const TimeOfDay kOffsets[] = {TimeOfDay(-12 * kHour), TimeOfDay(0), TimeOfDay(9 * kHour), TimeOfDay(14 * kHour)};

// Turns this thread's memo on or off for a scope, and empties it.
class MemoSwitch {
public:
    explicit MemoSwitch(bool on) : was_(LunisolarMemoOn()) {
        SetLunisolarMemo(on);
        ThisThreadsLunarQuarterMemo().Clear();
    }
    ~MemoSwitch() { SetLunisolarMemo(was_); }

private:
    bool was_;
};

bool FullSweep() {
    const char* wanted = std::getenv("TAVOLI_FULL_SWEEP");
    return wanted && std::string(wanted) == "1";
}

// Every day from 1900 to 2100 with TAVOLI_FULL_SWEEP=1 (the host), else every day of a
// sample of years: leap-month years, 2033, and the ends of the range.
std::vector<CalDate> DaysToCompare() {
    std::vector<CalDate> days;
    auto year = [&](int y) {
        for (CalDate d(y, 1, 1); d <= CalDate(y, 12, 31); ++d) days.push_back(d);
    };
    if (FullSweep()) {
        for (int y = 1900; y <= 2100; ++y) year(y);
    } else {
        for (int y : {1900, 1957, 2012, 2014, 2017, 2020, 2023, 2024, 2033, 2034, 2100}) year(y);
    }
    return days;
}

std::string Text(const SplitDate& s) {
    return std::to_string(s.year) + "/" + std::to_string(s.month) + "/" + std::to_string(s.day) + " " +
           std::to_string(s.weekday);
}

bool Same(const SplitDate& a, const SplitDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.weekday == b.weekday;
}

constexpr char kLetters[] = {'G', 'J', 'A', 'H'};
constexpr size_t kZones = std::size(kOffsets), kCalendars = std::size(kLetters);

// The split of every day in every zone and calendar, at [(day × zones + zone) × calendars
// + calendar].
using Splits = std::vector<SplitDate>;
size_t At(size_t day, size_t zone, size_t calendar) { return (day * kZones + zone) * kCalendars + calendar; }

void Split(const std::vector<CalDate>& days, size_t day, size_t zone, Splits& splits) {
    for (size_t k = 0; k < kCalendars; ++k) {
        splits[At(day, zone, k)] = MakeCalendarSystem(kLetters[k], kOffsets[zone])->split(days[day]);
    }
}

// The first few differences, for the failure message.
void ExpectSame(const std::vector<CalDate>& days, const Splits& expected, const Splits& actual, const char* how) {
    int reported = 0;
    for (size_t i = 0; i < expected.size() && reported < 5; ++i) {
        if (Same(expected[i], actual[i])) continue;
        const size_t zone = i / kCalendars % kZones;
        ADD_FAILURE() << how << ", zone " << kOffsets[zone].Milliseconds() / kHour << " h, "
                      << days[i / kCalendars / kZones].Text() << " calendar " << kLetters[i % kCalendars] << ": "
                      << Text(actual[i]) << " instead of " << Text(expected[i]);
        ++reported;
    }
}

TEST(LunisolarMemo, EveryDayInEveryZoneSplitsAsWithoutTheMemo) {
    const std::vector<CalDate> days = DaysToCompare();
    const size_t count = days.size();

    // Without the memo, one thread per zone: the searches are the slow part.
    Splits searched(count * kZones * kCalendars);
    std::vector<std::thread> threads;
    for (size_t zone = 0; zone < kZones; ++zone) {
        threads.emplace_back([&, zone] {
            MemoSwitch off(false);
            for (size_t day = 0; day < count; ++day) Split(days, day, zone, searched);
        });
    }
    for (std::thread& t : threads) t.join();

    // With the memo, on one thread: the zones of each day in turn, the days in order.
    MemoSwitch on(true);
    Splits inOrder(searched.size());
    for (size_t day = 0; day < count; ++day) {
        for (size_t zone = 0; zone < kZones; ++zone) Split(days, day, zone, inOrder);
    }
    ExpectSame(days, searched, inOrder, "in order");

    // Out of order: strides through the whole range, so that neighbouring visits fall in
    // different quarters and the memo keeps replacing its oldest entries; the zones
    // backwards.
    ThisThreadsLunarQuarterMemo().Clear();
    Splits outOfOrder(searched.size());
    size_t visited = 0;
    for (size_t start = 0; start < 97; ++start) {
        for (size_t day = start; day < count; day += 97, ++visited) {
            for (size_t zone = kZones; zone-- > 0;) Split(days, day, zone, outOfOrder);
        }
    }
    ASSERT_EQ(visited, count);
    ExpectSame(days, searched, outOfOrder, "out of order");
}

TEST(LunisolarMemo, TheDaysOfAQuarterShareOneSearch) {
    MemoSwitch on(true);
    const LunarQuarterMemo& memo = ThisThreadsLunarQuarterMemo();
    const uint64_t before = memo.Searches();
    // A year of consecutive days touches five quarters (the winter one twice: it begins in
    // the December before and ends in the next).
    for (CalDate d(2024, 1, 1); d <= CalDate(2024, 12, 31); ++d) ToLunarDate(d, TimeOfDay(9 * kHour));
    EXPECT_EQ(memo.Searches() - before, 5u);
    // Another zone is another search; the same days again are none.
    for (CalDate d(2024, 1, 1); d <= CalDate(2024, 1, 31); ++d) ToLunarDate(d, TimeOfDay(0));
    EXPECT_EQ(memo.Searches() - before, 6u);
    for (CalDate d(2024, 1, 1); d <= CalDate(2024, 12, 31); ++d) ToLunarDate(d, TimeOfDay(9 * kHour));
    EXPECT_EQ(memo.Searches() - before, 6u);
    // Without the memo nothing is kept or searched through it.
    SetLunisolarMemo(false);
    ToLunarDate(CalDate(1980, 6, 1), TimeOfDay(9 * kHour));
    EXPECT_EQ(memo.Searches() - before, 6u);
}

TEST(LunisolarMemo, KeepsItsLastQuartersOnly) {
    LunarQuarterMemo memo;
    struct Key {
        int year, longitude;
        TimeOfDay offset;
    };
    std::vector<Key> keys;
    for (int year = 2020; year < 2025; ++year) {
        for (int longitude : {0, 90, 180, 270}) keys.push_back({year, longitude, TimeOfDay(9 * kHour)});
    }
    keys.push_back({2024, 90, TimeOfDay(-12 * kHour)});
    ASSERT_GT(keys.size(), static_cast<size_t>(LunarQuarterMemo::kSlots));

    // Each answer is the search's own, asked once; more quarters than slots push out the
    // oldest, which is then searched again.
    for (const Key& k : keys) {
        const LunarQuarter searched = SearchLunarQuarter(k.year, k.longitude, k.offset);
        const LunarQuarter& kept = memo.Get(k.year, k.longitude, k.offset);
        ASSERT_EQ(kept.count, searched.count) << k.year << " " << k.longitude;
        for (int i = 0; i < searched.count; ++i) {
            EXPECT_EQ(kept.starts[i], searched.starts[i]) << k.year << " " << k.longitude << " " << i;
            EXPECT_EQ(kept.degrees[i], searched.degrees[i]) << k.year << " " << k.longitude << " " << i;
        }
    }
    EXPECT_EQ(memo.Searches(), keys.size());
    memo.Get(keys.back().year, keys.back().longitude, keys.back().offset);
    EXPECT_EQ(memo.Searches(), keys.size());
    memo.Get(keys.front().year, keys.front().longitude, keys.front().offset);
    EXPECT_EQ(memo.Searches(), keys.size() + 1);
    memo.Clear();
    memo.Get(keys.back().year, keys.back().longitude, keys.back().offset);
    EXPECT_EQ(memo.Searches(), keys.size() + 2);

    // The quarters of 2023 hold the leap second month: six month starts.
    EXPECT_EQ(memo.Get(2023, 0, TimeOfDay(9 * kHour)).count, 6);
}

}  // namespace
}  // namespace tavoli
