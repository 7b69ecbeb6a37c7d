// Occurrences on a range of days as "tavoli events" lists them: rules with excluded, added
// and overridden instances, all-day spans, and times shown in another zone across both
// changes of clock.
#include "events/occurrences.h"

#include <gtest/gtest.h>

namespace tavoli {
namespace {

const std::string kZones =
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
    "BEGIN:STANDARD\r\nDTSTART:20071104T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\n"
    "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nEND:STANDARD\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:20070311T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\n"
    "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n"
    "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
    "BEGIN:STANDARD\r\nDTSTART:19961027T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
    "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:19810329T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n"
    "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";

std::vector<std::string> Lines(const std::string& events, const char* first, const char* last,
                               const char* viewer = "Europe/Berlin") {
    IcsCalendar calendar;
    IcsProblem failure;
    EXPECT_TRUE(ReadIcs("BEGIN:VCALENDAR\r\n" + kZones + events + "END:VCALENDAR\r\n", calendar, failure))
        << failure.reason;
    EXPECT_TRUE(calendar.skipped.empty()) << calendar.skipped.at(0).reason;
    const Zone* zone = ZoneResolver(calendar).Find(viewer);
    EXPECT_NE(zone, nullptr);
    std::vector<EventOccurrence> occurrences;
    EXPECT_FALSE(AppendOccurrences(calendar, CalDate::FromText(first), CalDate::FromText(last), *zone, occurrences));
    return OccurrenceLines(occurrences, *zone);
}

std::string Event(const std::string& body) { return "BEGIN:VEVENT\r\n" + body + "END:VEVENT\r\n"; }

TEST(Occurrences, AsListed) {
    const std::string weekly = Event(
        "UID:w\r\nDTSTART;TZID=America/New_York:20240304T090000\r\nDTEND;TZID=America/New_York:20240304T100000\r\n"
        "RRULE:FREQ=WEEKLY;COUNT=5\r\nEXDATE;TZID=America/New_York:20240311T090000\r\nSUMMARY:Standup\r\n");
    const struct {
        std::string events;
        const char* first;
        const char* last;
        std::vector<std::string> lines;
    } cases[] = {
        // 09:00 in New York is 15:00 in Berlin, 14:00 in the weeks when only New York has
        // changed its clock, 15:00 again after Berlin changes on 31 March.
        {weekly,
         "2024/03/01",
         "2024/04/30",
         {"2024/03/04 15:00\t2024/03/04 16:00\tStandup", "2024/03/18 14:00\t2024/03/18 15:00\tStandup",
          "2024/03/25 14:00\t2024/03/25 15:00\tStandup", "2024/04/01 15:00\t2024/04/01 16:00\tStandup"}},
        // One instance moved, one cancelled, both by their RECURRENCE-ID.
        {weekly +
             Event("UID:w\r\nRECURRENCE-ID;TZID=America/New_York:20240318T090000\r\n"
                   "DTSTART;TZID=America/New_York:20240319T110000\r\nDURATION:PT30M\r\nSUMMARY:Standup, moved\r\n") +
             Event("UID:w\r\nRECURRENCE-ID;TZID=America/New_York:20240325T090000\r\n"
                   "DTSTART;TZID=America/New_York:20240325T090000\r\nSTATUS:CANCELLED\r\n"),
         "2024/03/01",
         "2024/04/30",
         {"2024/03/04 15:00\t2024/03/04 16:00\tStandup", "2024/03/19 16:00\t2024/03/19 16:30\tStandup, moved",
          "2024/04/01 15:00\t2024/04/01 16:00\tStandup"}},
        // This and the future ones an hour later, under a new name.
        {Event("UID:d\r\nDTSTART:20240101T080000Z\r\nDURATION:PT1H\r\nRRULE:FREQ=DAILY;COUNT=4\r\nSUMMARY:Daily\r\n") +
             Event("UID:d\r\nRECURRENCE-ID;RANGE=THISANDFUTURE:20240103T080000Z\r\nDTSTART:20240103T090000Z\r\n"
                   "DURATION:PT2H\r\nSUMMARY:Daily, later\r\n"),
         "2024/01/01",
         "2024/01/31",
         {"2024/01/01 09:00\t2024/01/01 10:00\tDaily", "2024/01/02 09:00\t2024/01/02 10:00\tDaily",
          "2024/01/03 10:00\t2024/01/03 12:00\tDaily, later", "2024/01/04 10:00\t2024/01/04 12:00\tDaily, later"}},
        // Added dates, date-times and a period with its own length.
        {Event("UID:r\r\nDTSTART;VALUE=DATE:20240105\r\nRDATE;VALUE=DATE:20240110,20240120\r\nSUMMARY:Days\r\n") +
             Event("UID:p\r\nDTSTART:20240105T120000Z\r\nDURATION:PT1H\r\nRDATE;VALUE=PERIOD:20240106T120000Z/PT3H\r\n"
                   "RDATE:20240107T120000Z\r\nSUMMARY:Times\r\n"),
         "2024/01/05",
         "2024/01/10",
         {"2024/01/05\t2024/01/05\tDays", "2024/01/05 13:00\t2024/01/05 14:00\tTimes",
          "2024/01/06 13:00\t2024/01/06 16:00\tTimes", "2024/01/07 13:00\t2024/01/07 14:00\tTimes",
          "2024/01/10\t2024/01/10\tDays"}},
        // An all-day span reaching into the range; a floating time as written; a zone no
        // one knows read as floating; an end before the start taken as a moment.
        {Event("UID:a\r\nDTSTART;VALUE=DATE:20231230\r\nDTEND;VALUE=DATE:20240103\r\nSUMMARY:Holidays\r\n") +
             Event("UID:f\r\nDTSTART:20240102T070000\r\nDTEND:20240102T073000\r\nSUMMARY:Floating\r\n") +
             Event("UID:u\r\nDTSTART;TZID=Mars/Olympus:20240102T080000\r\nSUMMARY:Unknown zone\r\n") +
             Event("UID:e\r\nDTSTART:20240102T120000Z\r\nDTEND:20240102T110000Z\r\nSUMMARY:Backwards\r\n"),
         "2024/01/01",
         "2024/01/02",
         {"2023/12/30\t2024/01/02\tHolidays", "2024/01/02 07:00\t2024/01/02 07:30\tFloating",
          "2024/01/02 08:00\t2024/01/02 08:00\tUnknown zone", "2024/01/02 13:00\t2024/01/02 13:00\tBackwards"}},
        // The first Sunday after the clock changes, in New York's own time.
        {Event("UID:n\r\nDTSTART;TZID=America/New_York:20241102T233000\r\nDURATION:PT3H\r\nSUMMARY:Night\r\n"),
         "2024/11/02",
         "2024/11/03",
         {"2024/11/02 23:30\t2024/11/03 01:30\tNight"}},
    };
    for (const auto& c : cases) {
        const char* viewer = c.lines.size() == 1 ? "America/New_York" : "Europe/Berlin";
        EXPECT_EQ(Lines(c.events, c.first, c.last, viewer), c.lines) << c.events;
    }
}

// Hostile calendars cost bounded work: a rule of a second without end, a count of a
// billion from long ago.
TEST(Occurrences, WorkIsBounded) {
    IcsCalendar calendar;
    IcsProblem failure;
    ASSERT_TRUE(ReadIcs("BEGIN:VCALENDAR\r\n" +
                            Event("UID:s\r\nDTSTART:20000101T000000Z\r\nRRULE:FREQ=SECONDLY\r\nSUMMARY:s\r\n") +
                            Event("UID:c\r\nDTSTART:19000101T000000Z\r\nRRULE:FREQ=MINUTELY;COUNT=1000000000\r\n") +
                            "END:VCALENDAR\r\n",
                        calendar, failure));
    std::vector<EventOccurrence> occurrences;
    EXPECT_TRUE(AppendOccurrences(calendar, CalDate(2026, 1, 1), CalDate(2026, 1, 31), FixedZone(0), occurrences));
    EXPECT_LE(occurrences.size(), ExpansionBudget().instances);
}

}  // namespace
}  // namespace tavoli
