// The kind and the names of every day of a year with the shipped Japanese script, how
// much of that the solar (equinox) and lunisolar descriptors cost, and a century with
// four lunisolar rules; the lunisolar cases with the quarter memo on (argument 1) and
// off (0).
#include <benchmark/benchmark.h>

#include <regex>

#include "calendar/lunisolar_memo.h"
#include "framework/platform_host.h"
#include "framework/text_lines.h"
#include "holidays/day_kinds.h"
#include "holidays/holiday_set.h"

namespace tavoli {
namespace {

std::vector<std::string> SampleLines() {
    std::vector<std::string> lines;
    ReadTextLines(TAVOLI_SOURCE_DIR "/dist/holidays/JP.txt", lines);
    return lines;
}

void Days(benchmark::State& state, const std::vector<std::string>& lines, CalDate first, CalDate last) {
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    ScopedPlatform scope(japanese);
    HolidayScript script;
    std::vector<std::string> report;
    if (script.CompileLines(lines, report) != kSuccess) {
        state.SkipWithError("the script does not compile");
        return;
    }
    for (auto _ : state) {
        size_t count = 0;
        for (CalDate d = first; d <= last; ++d) count += KindOf(script, d).size() + NamesOf(script, d).size();
        benchmark::DoNotOptimize(count);
    }
    state.counters["per_day"] =
        benchmark::Counter(static_cast<double>(last - first + 1),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void YearOfDays(benchmark::State& state, const std::vector<std::string>& lines) {
    Days(state, lines, CalDate(2024, 1, 1), CalDate(2024, 12, 31));
}

// The memo as the argument asks, emptied, for the benchmark's lifetime.
class Memo {
public:
    explicit Memo(benchmark::State& state) {
        SetLunisolarMemo(state.range(0) != 0);
        ThisThreadsLunarQuarterMemo().Clear();
        state.SetLabel(state.range(0) != 0 ? "memo" : "no memo");
    }
    ~Memo() { SetLunisolarMemo(true); }
};

void BM_YearSampleScript(benchmark::State& state) { YearOfDays(state, SampleLines()); }
BENCHMARK(BM_YearSampleScript)->Unit(benchmark::kMillisecond);

// The same script with the solar descriptors of the equinox rules taken out.
void BM_YearWithoutSolarDescriptors(benchmark::State& state) {
    std::vector<std::string> lines = SampleLines();
    const std::regex solar(R"(s\d+ :\+0900( >1 :\+0900)?)");
    for (std::string& line : lines) line = std::regex_replace(line, solar, "");
    YearOfDays(state, lines);
}
BENCHMARK(BM_YearWithoutSolarDescriptors)->Unit(benchmark::kMillisecond);

// The equinox rules without their cheap month and day filter, as the language's own
// example writes them: every day then pays for two solar longitudes per equinox rule.
void BM_YearEquinoxWithoutDateFilter(benchmark::State& state) {
    std::vector<std::string> lines = SampleLines();
    const std::regex filter(R"(m[39] d\d+-\d+ (s\d+))");
    for (std::string& line : lines) line = std::regex_replace(line, filter, "$1");
    YearOfDays(state, lines);
}
BENCHMARK(BM_YearEquinoxWithoutDateFilter)->Unit(benchmark::kMillisecond);

// The sample plus one lunisolar rule (the old new year), as many users add.
void BM_YearWithALunisolarRule(benchmark::State& state) {
    Memo memo(state);
    std::vector<std::string> lines = SampleLines();
    lines.push_back("m?a1 :+0900 d?a1 :+0900 \"x\"");
    YearOfDays(state, lines);
}
BENCHMARK(BM_YearWithALunisolarRule)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// What `tavoli holidays` does for a century of a script of four lunisolar rules: the old
// new year and the harvest moon in Japan, the old new year in a zone of its own, and the
// day before the old new year (a shifted descriptor).
void BM_CenturyOfFourLunisolarRules(benchmark::State& state) {
    Memo memo(state);
    const std::vector<std::string> lines = {
        "m?a1 :+0900 d?a1 :+0900 (4) \"Old New Year\"",
        "m?a8 :+0900 d?a15 :+0900 (5) \"Harvest Moon\"",
        "m?a1 :+0800 d?a1 :+0800 \"Spring Festival\"",
        "m?a1 >1 :+0900 d?a1 >1 :+0900 (3) \"Old New Year's Eve\"",
    };
    Days(state, lines, CalDate(2000, 1, 1), CalDate(2099, 12, 31));
}
BENCHMARK(BM_CenturyOfFourLunisolarRules)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(1);

// What `tavoli holidays --country` does for 2000-2100 over every shipped set (listed from
// the folder), each country alone and with each region.
void BM_EverySetFrom2000To2100(benchmark::State& state) {
    const std::vector<HolidaySetEntry> sets = ListHolidaySets(TAVOLI_SOURCE_DIR "/dist/holidays");
    state.counters["sets"] = static_cast<double>(sets.size());
    for (auto _ : state) {
        size_t count = 0;
        for (const HolidaySetEntry& set : sets) {
            HolidayScript script;
            std::vector<std::string> report;
            if (CompileHolidaySet(TAVOLI_SOURCE_DIR "/dist/holidays", set.code, script, report) != kSuccess) {
                state.SkipWithError(set.code.c_str());
                return;
            }
            for (CalDate d(2000, 1, 1); d <= CalDate(2100, 12, 31); ++d)
                count += KindOf(script, d).size() + NamesOf(script, d).size();
        }
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_EverySetFrom2000To2100)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace tavoli
