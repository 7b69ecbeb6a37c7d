// The month view converts the same serials to year, month and day many times per paint:
// how much does one conversion cost?
#include <benchmark/benchmark.h>

#include "calendar/cal_date.h"

namespace tavoli {
namespace {

void BM_PartsOfConsecutiveDays(benchmark::State& state) {
    CalDate d(2024, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(d.Parts());
        ++d;
        if (d.Year() > 2100) d = CalDate(2024, 1, 1);
    }
}
BENCHMARK(BM_PartsOfConsecutiveDays);

void BM_PartsOfOneDay(benchmark::State& state) {
    CalDate d(2024, 12, 31);
    for (auto _ : state) {
        benchmark::DoNotOptimize(d);
        benchmark::DoNotOptimize(d.Parts());
    }
}
BENCHMARK(BM_PartsOfOneDay);

void BM_FromYearMonthDay(benchmark::State& state) {
    int day = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalDate(2024, 12, day));
        day = day % 31 + 1;
    }
}
BENCHMARK(BM_FromYearMonthDay);

void BM_MonthGrid(benchmark::State& state) {
    // One month's 42 cells with their day numbers, as a paint asks for them.
    for (auto _ : state) {
        for (int row = 0; row < 6; ++row) {
            for (int column = 0; column < 7; ++column) {
                benchmark::DoNotOptimize(CellDate(2024, 5, column, row, 0).Day());
            }
        }
    }
}
BENCHMARK(BM_MonthGrid);

}  // namespace
}  // namespace tavoli
