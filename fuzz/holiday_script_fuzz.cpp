// Holiday scripts (holidays.txt): any text compiles or gives one report line, and a
// compiled script evaluates a few dates in bounded time.
#include <cstdlib>

#include "framework/delegating_platform.h"
#include "framework/platform_host.h"
#include "fuzz/fuzz_input.h"
#include "holidays/day_kinds.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavoli;
    static HostPlatform japanese;
    static const bool set = (japanese.SetCodePage(932), true);
    (void)set;
    PinnedZonePlatform zone(-540, japanese);
    ScopedPlatform scope(zone);
    FuzzInput input(data, size);
    const uint32_t serial = input.Word();
    const std::string_view text = input.Rest();
    HolidayScript script;
    std::vector<std::string> report;
    const ErrorValue error = script.Compile(text, report);
    if (error != kSuccess) {
        if (report.size() != 1 || !script.Empty()) std::abort();
        return 0;
    }
    for (CalDate date : {CalDate::FromSerial(serial), CalDate(2024, 1, 1), CalDate(2023, 3, 22)}) {
        (void)KindOf(script, date);
        (void)NamesOf(script, date);
    }
    for (int w = 0; w < 7; ++w) (void)KindOfWeekday(script, w);
    return 0;
}
