// A large calendar: 10,000 events, 1,000 of them recurring with excluded and overridden
// instances, in a zone of the file's own, read and expanded for the month shown.
#include <benchmark/benchmark.h>

#include <string>

#include "events/calendar_sources.h"
#include "events/occurrences.h"
#include "large_calendar.h"

namespace tavoli {
namespace {

void BM_ReadLargeCalendar(benchmark::State& state) {
    const std::string file = LargeCalendar();
    for (auto _ : state) {
        IcsCalendar calendar;
        IcsProblem failure;
        benchmark::DoNotOptimize(ReadIcs(file, calendar, failure));
    }
    state.counters["MB"] = static_cast<double>(file.size()) / 1e6;
}
BENCHMARK(BM_ReadLargeCalendar)->Unit(benchmark::kMillisecond);

void BM_ExpandTheShownMonth(benchmark::State& state) {
    IcsCalendar calendar;
    IcsProblem failure;
    ReadIcs(LargeCalendar(), calendar, failure);
    const Zone& berlin = calendar.zones.at(0);
    size_t count = 0;
    for (auto _ : state) {
        std::vector<EventOccurrence> occurrences;
        // The six weeks a month view shows.
        AppendOccurrences(calendar, CalDate(2026, 11, 30), CalDate(2027, 1, 10), berlin, occurrences);
        count = occurrences.size();
        benchmark::DoNotOptimize(occurrences.data());
    }
    state.counters["occurrences"] = static_cast<double>(count);
}
BENCHMARK(BM_ExpandTheShownMonth)->Unit(benchmark::kMillisecond);

// What the view asks at a month change: the shown days' appointments in the footer's
// order, and the texts of the day under the cursor.
void BM_AppointmentsOfTheShownMonth(benchmark::State& state) {
    LoadedSource source;
    IcsProblem failure;
    ReadIcs(LargeCalendar(), source.calendar, failure);
    const std::vector<LoadedSource> sources = {std::move(source)};
    const Zone& berlin = sources[0].calendar.zones.at(0);
    for (auto _ : state) {
        auto days = AppointmentsByDay(sources, CalDate(2026, 11, 30), CalDate(2027, 1, 10), berlin, false);
        AppointmentTexts(days[CalDate(2026, 12, 15)]);
        benchmark::DoNotOptimize(days.size());
    }
}
BENCHMARK(BM_AppointmentsOfTheShownMonth)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavoli
