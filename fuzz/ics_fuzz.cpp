// iCalendar files: any bytes read or are refused with a line and a reason, and the events
// read expand over a month in bounded work.
#include <cstdlib>

#include "events/occurrences.h"
#include "framework/delegating_platform.h"
#include "framework/platform_host.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavoli;
    static HostPlatform host;
    PinnedZonePlatform zone(-60, host);
    ScopedPlatform scope(zone);
    FuzzInput input(data, size);
    const uint32_t serial = input.Word();
    const std::string_view text = input.Rest();
    IcsCalendar calendar;
    IcsProblem failure;
    if (!ReadIcs(text, calendar, failure)) {
        if (failure.reason.empty()) std::abort();
        return 0;
    }
    CalDate first = CalDate::FromSerial(2400000 + serial % 800000);
    std::vector<EventOccurrence> occurrences;
    AppendOccurrences(calendar, first, first + 41, FixedZone(3600), occurrences);
    for (const EventOccurrence& o : occurrences) {
        if (o.event == nullptr || o.end < o.start) std::abort();
    }
    (void)OccurrenceLines(occurrences, FixedZone(3600));
    return 0;
}
