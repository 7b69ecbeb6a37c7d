// A large calendar for the benchmarks: 10,000 events from 2016 to 2026, 1,000 of them
// recurring with an excluded and an overridden instance, in a zone of the file's own.
#pragma once

#include <cstdio>
#include <string>

namespace tavoli {

inline std::string LargeCalendar() {
    std::string file =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
        "BEGIN:STANDARD\r\nDTSTART:19961027T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
        "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nBEGIN:DAYLIGHT\r\nDTSTART:19810329T020000\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\n"
        "END:VTIMEZONE\r\n";
    static const char* const kRules[] = {"FREQ=WEEKLY;BYDAY=MO,WE", "FREQ=DAILY;INTERVAL=2", "FREQ=MONTHLY;BYDAY=2TU",
                                         "FREQ=YEARLY", "FREQ=MONTHLY;BYMONTHDAY=-1"};
    char buffer[512];
    for (int i = 0; i < 10000; ++i) {
        const int year = 2016 + i % 11, month = 1 + i % 12, day = 1 + i % 28, hour = 8 + i % 10;
        std::snprintf(
            buffer, sizeof buffer,
            "BEGIN:VEVENT\r\nUID:event-%d@example.com\r\nDTSTAMP:20240101T000000Z\r\n"
            "DTSTART;TZID=Europe/Berlin:%04d%02d%02dT%02d0000\r\nDTEND;TZID=Europe/Berlin:%04d%02d%02dT%02d3000\r\n"
            "SUMMARY:Appointment number %d\\, with text\r\nLOCATION:Room %d\r\n",
            i, year, month, day, hour, year, month, day, hour, i, i % 40);
        file += buffer;
        if (i % 10 == 0) {
            std::snprintf(buffer, sizeof buffer, "RRULE:%s\r\nEXDATE;TZID=Europe/Berlin:%04d%02d%02dT%02d0000\r\n",
                          kRules[i / 10 % 5], year + 1, month, day, hour);
            file += buffer;
        }
        file += "END:VEVENT\r\n";
        if (i % 10 == 0) {
            std::snprintf(
                buffer, sizeof buffer,
                "BEGIN:VEVENT\r\nUID:event-%d@example.com\r\nRECURRENCE-ID;TZID=Europe/Berlin:%04d%02d%02dT%02d0000\r\n"
                "DTSTART;TZID=Europe/Berlin:%04d%02d%02dT%02d0000\r\nDURATION:PT1H\r\nSUMMARY:Moved\r\nEND:VEVENT\r\n",
                i, year, month, day, hour, year, month, day, hour + 1);
            file += buffer;
        }
    }
    return file + "END:VCALENDAR\r\n";
}

}  // namespace tavoli
