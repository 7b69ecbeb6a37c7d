// The reader on what calendars write, and on what they should not: values, folded and
// escaped lines, a file's own zone across its changes of clock, and refusals with lines.
#include "events/ics_reader.h"

#include <gtest/gtest.h>

#include "events/event_text.h"
#include "framework/zone_names.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

TEST(IcsReader, Values) {
    const struct {
        const char* text;
        bool ok;
        bool isDate = false;
        IcsTime::Frame frame = IcsTime::kFloating;
        const char* minute = "";  // as MinuteText shows it
    } times[] = {
        {"20240102", true, true, IcsTime::kFloating, "2024/01/02 00:00"},
        {"20240102T093005", true, false, IcsTime::kFloating, "2024/01/02 09:30"},
        {"20240102T093000Z", true, false, IcsTime::kUtc, "2024/01/02 09:30"},
        {"20161231T235960Z", true, false, IcsTime::kUtc, "2016/12/31 23:59"},  // a leap second
        {"20230229", false},
        {"20241301", false},
        {"20240102T240000", false},
        {"20240102T0930", false},
        {"20240102T093000+0100", false},
        {"2024-01-02", false},
        {"", false},
    };
    for (const auto& t : times) {
        IcsTime time;
        ASSERT_EQ(ParseIcsTime(t.text, time), t.ok) << t.text;
        if (!t.ok) continue;
        EXPECT_EQ(time.isDate, t.isDate) << t.text;
        EXPECT_EQ(time.frame, t.frame) << t.text;
        EXPECT_EQ(MinuteText(time.seconds), t.minute) << t.text;
    }
    const struct {
        const char* text;
        bool ok;
        int64_t days = 0, seconds = 0;
    } durations[] = {
        {"P1D", true, 1, 0},
        {"P2W", true, 14, 0},
        {"PT1H30M", true, 0, 5400},
        {"-P1DT2H", true, -1, -7200},
        {"+PT15S", true, 0, 15},
        {"P1DT", false},
        {"P", false},
        {"PT1D", false},
        {"P1H", false},
        {"1D", false},
        {"P9999999999D", false},
    };
    for (const auto& d : durations) {
        IcsDuration duration;
        ASSERT_EQ(ParseIcsDuration(d.text, duration), d.ok) << d.text;
        if (d.ok) {
            EXPECT_EQ(duration.days, d.days) << d.text;
            EXPECT_EQ(duration.seconds, d.seconds) << d.text;
        }
    }
    int32_t offset = 0;
    EXPECT_TRUE(ParseOffsetText("-0500", offset) && offset == -18000);
    EXPECT_TRUE(ParseOffsetText("+0530", offset) && offset == 19800);
    EXPECT_TRUE(ParseOffsetText("+09:00", offset) && offset == 32400);
    EXPECT_TRUE(ParseOffsetText("+013045", offset) && offset == 5445);
    EXPECT_FALSE(ParseOffsetText("0900", offset));
    EXPECT_FALSE(ParseOffsetText("+2500", offset));
    EXPECT_EQ(UnescapeIcsText("a\\, b\\; c\\\\d\\ne\\Nf"), "a, b; c\\d\ne\nf");
}

const char* const kNewYork =
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
    "BEGIN:STANDARD\r\nDTSTART:20071104T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\n"
    "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nEND:STANDARD\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:20070311T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\n"
    "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";

TEST(IcsReader, EventsFoldedEscapedAndWithParameters) {
    const std::string file = std::string("\xEF\xBB\xBF") + "BEGIN:VCALENDAR\r\nX-WR-CALNAME:Work\r\n" + kNewYork +
                             "BEGIN:VEVENT\r\nUID:1\r\nDTSTART;TZID=\"America/New_York\":20240304T090000\r\n"
                             "DURATION:PT1H\r\nSUMMARY:Planning\\, the long\r\n  one\r\n"
                             "LOCATION;LANGUAGE=en:Room 5\r\nEND:VEVENT\n"  // a line feed alone ends a line too
                             "BEGIN:VEVENT\nUID:2\nDTSTART;VALUE=DATE:20240310\nDTEND;VALUE=DATE:20240312\n"
                             "RDATE;VALUE=PERIOD:20240401T100000Z/PT2H,20240402T100000Z/20240402T110000Z\n"
                             "EXDATE:20240310,20240311\nSTATUS:CANCELLED\nEND:VEVENT\n"
                             "END:VCALENDAR\r\n";
    IcsCalendar calendar;
    IcsProblem failure;
    ASSERT_TRUE(ReadIcs(file, calendar, failure)) << failure.reason;
    EXPECT_EQ(calendar.name, "Work");
    ASSERT_EQ(calendar.events.size(), 2u);
    ASSERT_EQ(calendar.zones.size(), 1u);
    const IcsEvent& planning = calendar.events[0];
    EXPECT_EQ(planning.summary, "Planning, the long one");
    EXPECT_EQ(planning.location, "Room 5");
    EXPECT_EQ(planning.start.frame, IcsTime::kZoned);
    EXPECT_EQ(planning.start.zone, "America/New_York");
    EXPECT_TRUE(planning.hasDuration && planning.duration.seconds == 3600);
    const IcsEvent& trip = calendar.events[1];
    EXPECT_TRUE(trip.start.isDate && trip.end.isDate && trip.cancelled);
    ASSERT_EQ(trip.periods.size(), 2u);
    EXPECT_TRUE(trip.periods[1].hasEnd);
    EXPECT_EQ(trip.exceptions.size(), 2u);
    EXPECT_TRUE(calendar.skipped.empty());
}

// The file's own zone: the offset on both sides of both changes of clock, and local times
// the changes skip (read with the offset before) or repeat (the first of the two).
TEST(IcsReader, ZoneOfTheFileAcrossItsChanges) {
    IcsCalendar calendar;
    IcsProblem failure;
    ASSERT_TRUE(ReadIcs(std::string("BEGIN:VCALENDAR\r\n") + kNewYork + "END:VCALENDAR\r\n", calendar, failure));
    ASSERT_EQ(calendar.zones.size(), 1u);
    const Zone& ny = calendar.zones[0];
    const struct {
        const char* utc;
        int32_t hours;
    } offsets[] = {
        {"20240310T065959Z", -5},
        {"20240310T070000Z", -4},
        {"20241103T055959Z", -4},
        {"20241103T060000Z", -5},
        // Before the first onset, the offset the earliest changes from (the file says no more).
        {"20070101T000000Z", -5},
        {"20000701T000000Z", -5},
        {"20990701T000000Z", -4},
    };
    for (const auto& o : offsets) {
        IcsTime time;
        ASSERT_TRUE(ParseIcsTime(o.utc, time));
        EXPECT_EQ(ny.OffsetAt(time.seconds), o.hours * 3600) << o.utc;
    }
    const struct {
        int64_t local, utc;
    } instants[] = {
        {CivilSeconds(2024, 3, 10, 1, 30), CivilSeconds(2024, 3, 10, 6, 30)},
        {CivilSeconds(2024, 3, 10, 2, 30), CivilSeconds(2024, 3, 10, 7, 30)},  // skipped: read at -0500
        {CivilSeconds(2024, 3, 10, 3, 30), CivilSeconds(2024, 3, 10, 7, 30)},
        {CivilSeconds(2024, 11, 3, 1, 30), CivilSeconds(2024, 11, 3, 5, 30)},  // repeated: the first
        {CivilSeconds(2024, 11, 3, 2, 30), CivilSeconds(2024, 11, 3, 7, 30)},
    };
    for (const auto& i : instants) EXPECT_EQ(ny.ToUtc(i.local), i.utc) << MinuteText(i.local);
}

// Zones the system knows by name, on both sides of a change of clock: the tz database on
// the host, the Windows zone list through CLDR's names under Windows.
TEST(IcsReader, ZonesOfTheSystemByName) {
    EXPECT_EQ(WindowsZoneName("Europe/Berlin"), "W. Europe Standard Time");
    EXPECT_EQ(WindowsZoneName("Asia/Kolkata"), "India Standard Time");  // an alias
    EXPECT_EQ(WindowsZoneName("Asia/Calcutta"), "India Standard Time");
    EXPECT_EQ(WindowsZoneName("Mars/Olympus"), "");
    const struct {
        const char* zone;
        int64_t utc;
        int32_t minutes;
    } offsets[] = {
        {"Europe/Berlin", CivilSeconds(2024, 1, 15, 12), 60},
        {"Europe/Berlin", CivilSeconds(2024, 7, 15, 12), 120},
        {"America/New_York", CivilSeconds(2024, 3, 10, 6, 59), -300},
        {"America/New_York", CivilSeconds(2024, 3, 10, 7, 0), -240},
        {"Asia/Kolkata", CivilSeconds(2024, 7, 15, 12), 330},
    };
    for (const auto& o : offsets) {
        const SystemZone zone(o.zone);
        ASSERT_TRUE(zone.Known()) << o.zone;
        EXPECT_EQ(zone.OffsetAt(o.utc), o.minutes * 60) << o.zone << " " << MinuteText(o.utc);
    }
    EXPECT_FALSE(SystemZone("Mars/Olympus").Known());
}

TEST(IcsReader, RefusedFilesAndLeftOutEvents) {
    const struct {
        std::string file;
        bool ok;
        int line;            // of the failure, or of the first event left out
        const char* reason;  // the beginning of it
    } cases[] = {
        {"", false, 1, "no BEGIN:VCALENDAR"},
        {"BEGIN:VCARD\r\nEND:VCARD\r\n", false, 1, "no BEGIN:VCALENDAR"},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nEND:VCALENDAR\r\n", false, 3, "END:VCALENDAR where VEVENT"},
        {"BEGIN:VCALENDAR\r\n" +
             [] {
                 std::string deep;
                 for (int i = 0; i < 20; ++i) deep += "BEGIN:X\r\n";
                 return deep;
             }(),
         false, 17, "components nested"},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:2024\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n", true, 3,
         "a wrong DTSTART"},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:x\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n", true, 2,
         "an event without DTSTART"},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20240101\r\nRRULE:FREQ=SOMETIMES\r\nEND:VEVENT\r\nEND:"
         "VCALENDAR\r\n",
         true, 4, "a wrong RRULE"},
        {"BEGIN:VCALENDAR\r\nthis is no line\r\nBEGIN:VEVENT\r\nDTSTART:20240101\r\nEND:VEVENT\r\n", true, 2,
         "a line that is no property"},
    };
    for (const auto& c : cases) {
        IcsCalendar calendar;
        IcsProblem failure;
        ASSERT_EQ(ReadIcs(c.file, calendar, failure), c.ok) << c.file;
        const IcsProblem& problem = c.ok ? calendar.skipped.at(0) : failure;
        EXPECT_EQ(problem.line, c.line) << c.file;
        EXPECT_EQ(problem.reason.rfind(c.reason, 0), 0u) << problem.reason;
    }
    // A broken line and a file cut short keep the events that were whole.
    IcsCalendar calendar;
    IcsProblem failure;
    ASSERT_TRUE(
        ReadIcs("BEGIN:VCALENDAR\r\nthis is no line\r\nBEGIN:VEVENT\r\nDTSTART:20240101\r\nEND:VEVENT\r\n"
                "BEGIN:VEVENT\r\nDTSTART:20240102\r\n",
                calendar, failure));
    EXPECT_EQ(calendar.events.size(), 1u);
    const std::string huge(kMaxIcsBytes + 1, ' ');
    EXPECT_FALSE(ReadIcs(huge, calendar, failure));
    EXPECT_EQ(failure.reason, "the file is 32 MB, more than the 32 MB a calendar file may have");
}

#ifndef _WIN32
// Texts in the code page: a run of what it cannot hold is one ellipsis.
TEST(IcsReader, TextsInTheCodePage) {
    const struct {
        int codePage;
        const char* utf8;
        const char* shown;  // UTF-8 again
    } cases[] = {
        {kCodePageWestern, "Café ☕☕ 会議", "Café … …"},
        {kCodePageWestern, "Dentist", "Dentist"},
        {kCodePageWestern,
         "a\xFF\xFE"
         "b",
         "a…b"},  // bytes that are no UTF-8
        {kCodePageJapanese, "会議 ☕☕☕ (Room 5)", "会議 … (Room 5)"},
        {kCodePageJapanese, "\xF0\x9F\x8E\x82", "…"},  // one character of four bytes
    };
    for (const auto& c : cases) {
        HostPlatform host;
        host.SetCodePage(c.codePage);
        ScopedPlatform scope(host);
        EXPECT_EQ(host.ToUtf8(EventTextInCodePage(c.utf8)), c.shown) << c.utf8;
    }
}
#endif

}  // namespace
}  // namespace tavoli
