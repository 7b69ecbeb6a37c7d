// The iCalendar reader: a file's events and zones, read from its bytes as real calendars
// write them (folded lines, escaped text, parameters, UTF-8), every refusal with its line
// and a short reason.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "events/ics_time.h"
#include "events/recurrence.h"
#include "events/zone.h"

namespace tavoli {

// A file larger than this is refused (the calendar reads on its one GUI thread).
constexpr size_t kMaxIcsBytes = size_t{32} << 20;

struct IcsPeriod {
    IcsTime start;
    bool hasEnd = false;
    IcsTime end;
    IcsDuration duration;
};

struct IcsEvent {
    std::string uid, summary, location;  // UTF-8, unescaped
    IcsTime start;
    bool hasEnd = false, hasDuration = false;
    IcsTime end;
    IcsDuration duration;
    bool cancelled = false;
    bool hasRule = false;
    RecurrenceRule rule;
    std::vector<IcsTime> dates;       // RDATE dates and date-times
    std::vector<IcsPeriod> periods;   // RDATE periods
    std::vector<IcsTime> exceptions;  // EXDATE
    bool hasRecurrenceId = false, thisAndFuture = false;
    IcsTime recurrenceId;
    int line = 0;  // of its BEGIN:VEVENT
};

struct IcsProblem {
    int line = 0;
    std::string reason;
};

struct IcsCalendar {
    std::string name;  // X-WR-CALNAME, UTF-8
    std::vector<IcsEvent> events;
    std::vector<CalendarZone> zones;
    // Events and lines left out, the first few of them.
    std::vector<IcsProblem> skipped;
};

// False, with the line and reason, for bytes that are no calendar (none begins, one ends
// before it begins, too large); an event that cannot be understood is left out and noted.
bool ReadIcs(std::string_view bytes, IcsCalendar& calendar, IcsProblem& failure);

// Text as a TEXT value writes it: "\n" a line break, "\," "\;" "\\" themselves.
std::string UnescapeIcsText(std::string_view text);

}  // namespace tavoli
