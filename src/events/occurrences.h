// The occurrences of a calendar's events on a range of days: rules, added and excluded
// dates and overridden instances applied, in the viewer's zone, with bounded work.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "calendar/cal_date.h"
#include "events/ics_reader.h"
#include "events/zone.h"

namespace tavoli {

struct EventOccurrence {
    bool allDay = false;
    // A timed one written without a zone: its times are local wherever it is shown.
    bool floating = false;
    // All-day: the first day's 00:00 and the next day's after the last, local; timed: the
    // instants, in UTC (local as written when floating).
    int64_t start = 0, end = 0;
    const IcsEvent* event = nullptr;  // its summary and location (an override's own)
};

// The zones a calendar's times name: its own VTIMEZONEs first, then the system's.
class ZoneResolver {
public:
    explicit ZoneResolver(const IcsCalendar& calendar) : calendar_(calendar) {}
    // Null for a zone nobody knows (its times are read as floating).
    const Zone* Find(const std::string& id) const;

private:
    const IcsCalendar& calendar_;
    mutable std::vector<std::unique_ptr<SystemZone>> system_;
};

// Appends the occurrences that overlap the days first..last of the viewer's zone, in no
// set order; true when the work had to stop early (a rule of millions of instances).
bool AppendOccurrences(const IcsCalendar& calendar, CalDate first, CalDate last, const Zone& viewer,
                       std::vector<EventOccurrence>& out);

// The occurrences as lines "START\tEND\tSUMMARY" in UTF-8, sorted by start, then summary
// (byte order): an all-day one's first and last day (YYYY/MM/DD), a timed one's start and
// end (YYYY/MM/DD HH:MM) in the zone, floating ones as written.
std::vector<std::string> OccurrenceLines(const std::vector<EventOccurrence>& occurrences, const Zone& zone);

}  // namespace tavoli
