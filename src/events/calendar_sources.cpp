#include "events/calendar_sources.h"

#include <algorithm>

#include "events/event_text.h"
#include "framework/error.h"
#include "framework/file_system.h"
#include "framework/lang_text.h"
#include "framework/paths.h"
#include "framework/whole_file.h"

namespace tavoli {

namespace {

// Distinct on light and dark backgrounds alike (0x00BBGGRR).
constexpr uint32_t kColors[] = {0x00D47800, 0x003C9A1E, 0x001E5AD2, 0x008C3C9B, 0x00009BBE, 0x00A05A00, 0x00506EBE};

const char* const kTimeSpan = "%1\xE2\x80\x93%2 %3\tja:%1\xEF\xBD\x9E%2 %3";  // "10:00–11:00 Dentist"
const char* const kMore = "+%1 more\tja:ほか %1 件";
const char* const kLineOf = "%1, line %2: %3\tja:%1 の %2 行目: %3";

std::string Hex(uint32_t color) {
    static const char* const kDigits = "0123456789ABCDEF";
    // Stored as #RRGGBB, as people write colours.
    const uint32_t rgb = ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4) text += kDigits[(rgb >> shift) & 0xF];
    return text;
}

bool ParseHex(std::string_view text, uint32_t& color) {
    if (text.size() != 7 || text[0] != '#') return false;
    uint32_t rgb = 0;
    for (size_t i = 1; i < 7; ++i) {
        const char c = text[i];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
        if (digit < 0) return false;
        rgb = rgb << 4 | static_cast<uint32_t>(digit);
    }
    color = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    return true;
}

// A name or path as one field: its tabs and line breaks become spaces.
std::string Field(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return out;
}

bool IsIcsName(const std::string& name) {
    if (name.size() <= 4) return false;
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".ics";
}

std::string Join(const std::string& folder, const std::string& name) {
    const char separator = folder.find('\\') != std::string::npos ? '\\' : '/';
    return folder.empty() || folder.back() == separator ? folder + name : folder + separator + name;
}

// FNV-1a, each part closed by a byte no name holds.
void Mix(uint64_t& digest, std::string_view bytes) {
    for (const unsigned char c : bytes) digest = (digest ^ c) * 1099511628211u;
    digest = (digest ^ 0x100u) * 1099511628211u;
}

// A file of a source as read: more than a calendar may hold no further than the reader
// needs to refuse it. The digest takes its name, the outcome and the bytes.
ErrorValue ReadSourceFile(const std::string& file, std::string& contents, uint64_t& digest) {
    const ErrorValue error = ReadFileContents(file, contents, kMaxIcsBytes + 1);
    Mix(digest, file);
    Mix(digest, std::to_string(error));
    Mix(digest, contents);
    return error;
}

constexpr uint64_t kDigestBasis = 14695981039346656037u;

std::string Clock(int64_t local) {
    const CivilParts p = CivilOf(local);
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", p.hour, p.minute);
    return text;
}

}  // namespace

std::string SourcesText(const std::vector<CalendarSource>& sources) {
    std::string text;
    for (const CalendarSource& s : sources) {
        text += std::string(s.shown ? "1" : "0") + "\t" + Hex(s.color) + "\t" + Field(s.name) + "\t" + Field(s.path) +
                "\r\n";
    }
    return text;
}

std::vector<CalendarSource> ParseSourcesText(std::string_view text) {
    std::vector<CalendarSource> sources;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        std::vector<std::string_view> fields;
        for (size_t at = 0; fields.size() < 3;) {
            const size_t tab = line.find('\t', at);
            if (tab == std::string_view::npos) break;
            fields.push_back(line.substr(at, tab - at));
            at = tab + 1;
            if (fields.size() == 3) fields.push_back(line.substr(at));
        }
        CalendarSource source;
        if (fields.size() != 4 || (fields[0] != "0" && fields[0] != "1") || !ParseHex(fields[1], source.color) ||
            fields[3].empty())
            continue;
        source.shown = fields[0] == "1";
        source.name = std::string(fields[2]);
        source.path = std::string(fields[3]);
        sources.push_back(std::move(source));
    }
    return sources;
}

uint32_t SourceColor(size_t index) { return kColors[index % (sizeof kColors / sizeof kColors[0])]; }

PixelColor SourcePixelColor(uint32_t color) {
    return PixelColor::Rgb(static_cast<uint8_t>(color), static_cast<uint8_t>(color >> 8),
                           static_cast<uint8_t>(color >> 16));
}

uint32_t SourceColorOf(PixelColor color) {
    return uint32_t{color.red} | uint32_t{color.green} << 8 | uint32_t{color.blue} << 16;
}

std::vector<std::string> IcsFilesOf(const std::string& path) {
    if (CurrentFileSystem().KindOf(path) != FileSystem::Kind::kFolder) return {path};
    std::vector<std::string> files;
    for (const std::string& name : FileNamesIn(path)) {
        if (IsIcsName(name)) files.push_back(Join(path, name));
    }
    std::sort(files.begin(), files.end());
    return files;
}

LoadedSource ReadSource(const CalendarSource& source) {
    LoadedSource loaded;
    loaded.source = source;
    loaded.digest = kDigestBasis;
    for (const std::string& file : IcsFilesOf(source.path)) {
        std::string contents;
        const ErrorValue error = ReadSourceFile(file, contents, loaded.digest);
        IcsCalendar calendar;
        IcsProblem failure;
        if (error == ErrorFromKey("too_large_data")) {
            ReadIcs(std::string(kMaxIcsBytes + 1, ' '), calendar, failure);
        } else if (error != kSuccess) {
            failure = {0, ErrorMessageOf(error)};
        } else if (ReadIcs(contents, calendar, failure)) {
            if (loaded.calendar.name.empty()) loaded.calendar.name = calendar.name;
            for (IcsEvent& e : calendar.events) loaded.calendar.events.push_back(std::move(e));
            for (CalendarZone& z : calendar.zones) loaded.calendar.zones.push_back(std::move(z));
            continue;
        }
        // The first problem is told; the other files still count.
        if (loaded.problem.empty())
            loaded.problem = FillText(kLineOf, {file, std::to_string(failure.line), failure.reason});
    }
    loaded.shownName = !source.name.empty()            ? source.name
                       : !loaded.calendar.name.empty() ? EventTextInCodePage(loaded.calendar.name)
                                                       : PathPart(source.path, "f");
    return loaded;
}

uint64_t SourceDigest(const std::string& path) {
    uint64_t digest = kDigestBasis;
    for (const std::string& file : IcsFilesOf(path)) {
        std::string contents;
        ReadSourceFile(file, contents, digest);
    }
    return digest;
}

std::vector<CalendarSource> FolderSources(const std::string& folder, size_t firstColor) {
    if (folder.empty()) return {};  // no folder, not the current one
    std::vector<std::string> names;
    for (const std::string& name : FileNamesIn(folder)) {
        if (IsIcsName(name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    std::vector<CalendarSource> sources;
    for (const std::string& name : names) {
        CalendarSource source;
        source.path = Join(folder, name);
        source.color = SourceColor(firstColor + sources.size());
        sources.push_back(std::move(source));
    }
    return sources;
}

std::map<CalDate, std::vector<DayAppointment>> AppointmentsByDay(const std::vector<LoadedSource>& sources,
                                                                 CalDate first, CalDate last, const Zone& zone,
                                                                 bool texts) {
    std::map<CalDate, std::vector<DayAppointment>> days;
    for (size_t index = 0; index < sources.size(); ++index) {
        const LoadedSource& s = sources[index];
        if (!s.source.shown) continue;
        std::vector<EventOccurrence> occurrences;
        AppendOccurrences(s.calendar, first, last, zone, occurrences);
        for (const EventOccurrence& o : occurrences) {
            DayAppointment a;
            a.allDay = o.allDay;
            a.start = o.start;
            a.color = s.source.color;
            a.source = index;
            a.event = o.event;
            a.localStart = o.allDay || o.floating ? o.start : zone.ToLocal(o.start);
            a.localEnd = o.allDay || o.floating ? o.end : zone.ToLocal(o.end);
            // On each day it covers: an all-day one to the day before its end, a timed one
            // to the day its end falls in (a moment ending at midnight keeps its day).
            CalDate day = DayOfSeconds(a.localStart);
            const CalDate lastDay = DayOfSeconds(a.localEnd > a.localStart ? a.localEnd - 1 : a.localStart);
            for (; day <= lastDay; day = day + 1) {
                if (day >= first && day <= last) days[day].push_back(a);
            }
        }
    }
    for (auto& [day, list] : days) {
        std::stable_sort(list.begin(), list.end(), [](const DayAppointment& a, const DayAppointment& b) {
            if (a.allDay != b.allDay) return a.allDay;
            if (a.start != b.start) return a.start < b.start;
            if (a.event->summary != b.event->summary) return a.event->summary < b.event->summary;
            return a.event->location < b.event->location;
        });
        if (texts) AppointmentTexts(list);
    }
    return days;
}

void AppointmentTexts(std::vector<DayAppointment>& appointments) {
    for (DayAppointment& a : appointments) {
        if (!a.text.empty() || !a.event) continue;
        std::string summary = a.event->summary;
        if (!a.event->location.empty()) summary += " (" + a.event->location + ")";
        for (char& c : summary) {
            if (c == '\r' || c == '\n' || c == '\t') c = ' ';
        }
        summary = EventTextInCodePage(summary);
        a.text = a.allDay ? summary : FillText(kTimeSpan, {Clock(a.localStart), Clock(a.localEnd), summary});
    }
}

std::vector<std::string> AppointmentLines(const std::vector<DayAppointment>& appointments, size_t lines) {
    std::vector<std::string> out;
    for (size_t i = 0; i < appointments.size() && i < lines; ++i) out.push_back(appointments[i].text);
    if (appointments.size() > out.size() && !out.empty())
        out.back() += " " + FillText(kMore, {std::to_string(appointments.size() - out.size())});
    return out;
}

}  // namespace tavoli
