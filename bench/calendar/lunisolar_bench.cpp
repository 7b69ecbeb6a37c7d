// One lunisolar conversion (a few hundred series evaluations), the two series alone, and
// the whole 1900–2100 walk for reference.
#include <benchmark/benchmark.h>

#include "calendar/calendar_system.h"
#include "calendar/lunisolar.h"

namespace tavoli {
namespace {

const TimeOfDay kJapan(9 * 3600000);

void BM_LunisolarConversion(benchmark::State& state) {
    CalDate d(2024, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ToLunarDate(d, kJapan));
        d += 37;  // wander through months and quarters
        if (d.Year() > 2030) d = CalDate(2024, 1, 1);
    }
}
BENCHMARK(BM_LunisolarConversion)->Unit(benchmark::kMicrosecond);

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

void BM_SweepEveryDay1900To2100(benchmark::State& state) {
    for (auto _ : state) {
        int checksum = 0;
        for (CalDate d(1900, 1, 1); d <= CalDate(2100, 12, 31); ++d) checksum += ToLunarDate(d, kJapan).day;
        benchmark::DoNotOptimize(checksum);
    }
}
BENCHMARK(BM_SweepEveryDay1900To2100)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace tavoli
