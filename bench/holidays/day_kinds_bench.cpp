// The kind and the names of every day of a year with the shipped Japanese script, and
// how much of that the solar (equinox) and lunisolar descriptors cost.
#include <benchmark/benchmark.h>

#include <regex>

#include "framework/platform_host.h"
#include "framework/text_lines.h"
#include "holidays/day_kinds.h"

namespace tavoli {
namespace {

std::vector<std::string> SampleLines() {
    std::vector<std::string> lines;
    ReadTextLines(TAVOLI_SOURCE_DIR "/dist/holidays.txt", lines);
    return lines;
}

void YearOfDays(benchmark::State& state, const std::vector<std::string>& lines) {
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
        for (CalDate d(2024, 1, 1); d <= CalDate(2024, 12, 31); ++d) {
            count += KindOf(script, d).size() + NamesOf(script, d).size();
        }
        benchmark::DoNotOptimize(count);
    }
}

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
    std::vector<std::string> lines = SampleLines();
    lines.push_back("m?a1 :+0900 d?a1 :+0900 \"x\"");
    YearOfDays(state, lines);
}
BENCHMARK(BM_YearWithALunisolarRule)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavoli
