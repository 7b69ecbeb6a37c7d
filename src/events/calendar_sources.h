// The user's other calendars: sources (an .ics file or a folder of them, with a name, a
// colour, shown or hidden), read into calendars, and their appointments by day as the
// calendar shows them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/cal_date.h"
#include "events/occurrences.h"
#include "framework/pixel_color.h"

namespace tavoli {

struct CalendarSource {
    std::string path;    // a file or a folder, in the code page
    std::string name;    // empty: the calendar's own name, else the file's
    uint32_t color = 0;  // 0x00BBGGRR
    bool shown = true;

    bool operator==(const CalendarSource& o) const = default;
};

// The stored text: a line a source, "1<TAB>#RRGGBB<TAB>name<TAB>path" (0 for hidden); a
// line that is none is left out when read.
std::string SourcesText(const std::vector<CalendarSource>& sources);
std::vector<CalendarSource> ParseSourcesText(std::string_view text);

// The colours given in turn to sources that come without one.
uint32_t SourceColor(size_t index);
// A source's colour as painted and as a swatch holds it, and back.
PixelColor SourcePixelColor(uint32_t color);
uint32_t SourceColorOf(PixelColor color);

struct LoadedSource {
    CalendarSource source;
    std::string shownName;  // the name given, the calendar's, or the file's
    IcsCalendar calendar;
    // Empty, or what to tell once: "FILE, line N: reason".
    std::string problem;
    // Of the files' names and bytes as read, to tell a change on disk.
    uint64_t digest = 0;
};

// The files of a source: the file itself, or a folder's .ics files (any case) in order.
std::vector<std::string> IcsFilesOf(const std::string& path);

// A source read: a file, or every .ics file of a folder as one calendar (an event's
// moved instances may lie in files of their own).
LoadedSource ReadSource(const CalendarSource& source);

// The digest ReadSource would give the source's files as they are now: reading them is
// much cheaper than reading their events.
uint64_t SourceDigest(const std::string& path);

// The .ics files of the per-user calendars folder as sources of their own, by file name,
// coloured in turn from the colour `firstColor` on.
std::vector<CalendarSource> FolderSources(const std::string& folder, size_t firstColor);

struct DayAppointment {
    bool allDay = false;
    int64_t start = 0;  // the instant (all-day: the day's 00:00 local)
    std::string text;   // "10:00–11:00 Dentist (Main St 5)", in the code page
    uint32_t color = 0;
    size_t source = 0;
    // What the text is made of, for texts made when wanted.
    const IcsEvent* event = nullptr;
    int64_t localStart = 0, localEnd = 0;
};

// The appointments of the shown sources on each day first..last of the zone, all-day ones
// first, then by start, then by summary and location; an event over several days on each
// of them. Without texts, each day's are made by AppointmentTexts when the day is shown:
// the dots of six weeks of a busy calendar need thousands fewer.
std::map<CalDate, std::vector<DayAppointment>> AppointmentsByDay(const std::vector<LoadedSource>& sources,
                                                                 CalDate first, CalDate last, const Zone& zone,
                                                                 bool texts = true);
void AppointmentTexts(std::vector<DayAppointment>& appointments);

// At most `lines` of them; the last followed by "+N more" when they do not all fit.
std::vector<std::string> AppointmentLines(const std::vector<DayAppointment>& appointments, size_t lines);

}  // namespace tavoli
