// One lunisolar conversion (a few hundred series evaluations), the two series alone, and
// sweeps of consecutive days, each with the quarter memo on (argument 1) and off (0).
#include <benchmark/benchmark.h>

#include "calendar/calendar_system.h"
#include "calendar/lunisolar.h"
#include "calendar/lunisolar_memo.h"

namespace tavoli {
namespace {

const TimeOfDay kJapan(9 * 3600000);

// The memo as the argument asks, emptied, for the benchmark's lifetime.
class Memo {
public:
    explicit Memo(const benchmark::State& state) {
        SetLunisolarMemo(state.range(0) != 0);
        ThisThreadsLunarQuarterMemo().Clear();
    }
    ~Memo() { SetLunisolarMemo(true); }
};

// Time per day as a counter: the iteration's time divided by its days.
void PerDay(benchmark::State& state, int64_t days) {
    state.counters["per_day"] = benchmark::Counter(
        static_cast<double>(days), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetLabel(state.range(0) != 0 ? "memo" : "no memo");
}

// Days far apart: every conversion is a quarter of its own, memo or not.
void BM_LunisolarConversion(benchmark::State& state) {
    Memo memo(state);
    CalDate d(2024, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ToLunarDate(d, kJapan));
        d += 97;  // wander through months and quarters
        if (d.Year() > 2200) d = CalDate(1900, 1, 1);
    }
    state.SetLabel(state.range(0) != 0 ? "memo" : "no memo");
}
BENCHMARK(BM_LunisolarConversion)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_SolarLongitude(benchmark::State& state) {
    CalDateTime t(CalDate(2024, 3, 20), TimeOfDay(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(SolarLongitude(t));
        t = t + TimeOfDay(3600000);
    }
}
BENCHMARK(BM_SolarLongitude);

void BM_LunarLongitude(benchmark::State& state) {
    CalDateTime t(CalDate(2024, 3, 20), TimeOfDay(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(LunarLongitude(t));
        t = t + TimeOfDay(3600000);
    }
}
BENCHMARK(BM_LunarLongitude);

void BM_GregorianJulianHijriSplit(benchmark::State& state) {
    const GregorianCalendar gregorian(kJapan);
    const JulianCalendar julian(kJapan);
    const HijriCalendar hijri(kJapan);
    CalDate d(2024, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(gregorian.split(d));
        benchmark::DoNotOptimize(julian.split(d));
        benchmark::DoNotOptimize(hijri.split(d));
        ++d;
    }
}
BENCHMARK(BM_GregorianJulianHijriSplit);

// The days of one month in order, as the view paints them, through the calendar system
// the templates use; a new month each iteration.
void BM_MonthSweep(benchmark::State& state) {
    Memo memo(state);
    const LunisolarCalendar lunisolar(kJapan);
    int month = 0;
    for (auto _ : state) {
        const CalDate first(2000 + month / 12, month % 12 + 1, 1);
        for (int day = 0; day < 30; ++day) benchmark::DoNotOptimize(lunisolar.split(first + day));
        month = (month + 1) % 1200;
    }
    PerDay(state, 30);
}
BENCHMARK(BM_MonthSweep)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_SweepEveryDay1900To2100(benchmark::State& state) {
    Memo memo(state);
    const int64_t days = CalDate(2100, 12, 31) - CalDate(1900, 1, 1) + 1;
    for (auto _ : state) {
        int checksum = 0;
        for (CalDate d(1900, 1, 1); d <= CalDate(2100, 12, 31); ++d) checksum += ToLunarDate(d, kJapan).day;
        benchmark::DoNotOptimize(checksum);
    }
    PerDay(state, days);
}
BENCHMARK(BM_SweepEveryDay1900To2100)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace tavoli
