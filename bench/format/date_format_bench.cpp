// Formatting the texts the view paints: the default header and the default Japanese
// two-line footer, whose first line needs the lunisolar date.
#include <benchmark/benchmark.h>

#include "calendar/era.h"
#include "format/date_format.h"
#include "format/default_formats.h"
#include "framework/lang_text.h"

namespace tavoli {
namespace {

void FormatEach(benchmark::State& state, const char* literal, PackedTag language) {
    const std::string templ = ResolveText(literal, language);
    const std::string eras = ResolveText(kDefaultEraList, language);
    CalDate d(2024, 5, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DateFormat(templ, d, eras));
        d += 1;
    }
}

void BM_HeaderJapanese(benchmark::State& state) { FormatEach(state, kDefaultHeaderFormats[0], PackTag("ja")); }
BENCHMARK(BM_HeaderJapanese);

void BM_HeaderEnglish(benchmark::State& state) { FormatEach(state, kDefaultHeaderFormats[0], PackTag("en")); }
BENCHMARK(BM_HeaderEnglish);

void BM_FooterTwoLineJapanese(benchmark::State& state) { FormatEach(state, kDefaultFooterFormats[3], PackTag("ja")); }
BENCHMARK(BM_FooterTwoLineJapanese)->Unit(benchmark::kMicrosecond);

void BM_FooterTwoLineEnglish(benchmark::State& state) { FormatEach(state, kDefaultFooterFormats[3], PackTag("en")); }
BENCHMARK(BM_FooterTwoLineEnglish);

}  // namespace
}  // namespace tavoli
