#include "tools/tavoli/ics.h"

#include "tools/tavoli/arguments.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>

namespace tavoli::tool::ics {

namespace {

bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
// The longest physical line in octets, without its CR LF.
constexpr size_t kLineOctets = 75;

}  // namespace

std::optional<KindSet> ParseKindList(std::string_view text) {
    KindSet kinds;
    size_t start = 0;
    while (true) {
        const size_t comma = std::min(text.find(',', start), text.size());
        std::string_view item = text.substr(start, comma - start);
        while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
        if (item.size() != 1 || item[0] < '1' || item[0] > '5') return std::nullopt;
        kinds.Add(static_cast<DayKind>(item[0] - '0'));
        if (comma == text.size()) return kinds;
        start = comma + 1;
    }
}

std::string_view KindName(DayKind kind) {
    switch (kind) {
    case DayKind::kNormal: return "Normal day";
    case DayKind::kSemiHoliday: return "Semi-holiday";
    case DayKind::kHoliday: return "Holiday";
    case DayKind::kNationalHoliday: return "National holiday";
    case DayKind::kAnniversary: return "Anniversary";
    case DayKind::kNone: break;
    }
    return {};
}

bool IsUtcStamp(std::string_view text) {
    if (text.size() != 16 || text[8] != 'T' || text[15] != 'Z') return false;
    if (!Digits(text.substr(0, 8), 8, 8) || !Digits(text.substr(9, 6), 6, 6)) return false;
    const int year = Number(text.substr(0, 4)), month = Number(text.substr(4, 2)), day = Number(text.substr(6, 2));
    const int hour = Number(text.substr(9, 2)), minute = Number(text.substr(11, 2)),
              second = Number(text.substr(13, 2));
    // iCalendar's years run from 0001 to 9999.
    return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= MonthLength(year, month) && hour <= 23 &&
           minute <= 59 && second <= 59;
}

std::string UtcStamp(const SystemTimeParts& universal) {
    char text[32];
    std::snprintf(text, sizeof text, "%04u%02u%02uT%02u%02u%02uZ", universal.year % 10000u, universal.month,
                  universal.day, universal.hour, universal.minute, universal.second);
    return text;
}

std::string DateValue(CalDate date) {
    const YearMonthDay parts = date.Parts();
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d", parts.year, parts.month, parts.day);
    return text;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
        const unsigned char lead = byte(i);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        // The length of the sequence and the range of its second byte, which rules out
        // overlong forms, surrogates and code points beyond U+10FFFF.
        size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) length = 2;
        else if (lead == 0xE0) length = 3, low = 0xA0;
        else if (lead == 0xED) length = 3, high = 0x9F;
        else if (lead >= 0xE1 && lead <= 0xEF) length = 3;
        else if (lead == 0xF0) length = 4, low = 0x90;
        else if (lead == 0xF4) length = 4, high = 0x8F;
        else if (lead >= 0xF1 && lead <= 0xF3) length = 4;
        size_t good = length == 0 ? 0 : 1;  // bytes of the sequence that fit so far
        while (good > 0 && good < length && i + good < text.size()) {
            const unsigned char c = byte(i + good);
            const bool fits = good == 1 ? c >= low && c <= high : IsContinuationByte(c);
            if (!fits) break;
            ++good;
        }
        if (length != 0 && good == length) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            // One replacement for the longest start of a sequence that could have been valid.
            out += kReplacement;
            i += std::max<size_t>(good, 1);
        }
    }
    return out;
}

std::string EscapeText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 8);
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        switch (c) {
        case '\\': out += "\\\\"; break;
        case ';': out += "\\;"; break;
        case ',': out += "\\,"; break;
        case '\r':
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
            out += "\\n";
            break;
        case '\n': out += "\\n"; break;
        case '\t': out += c; break;
        default:
            // Bytes of UTF-8 sequences are all 0x80 or above: only ASCII controls end here.
            out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
            break;
        }
    }
    return out;
}

std::string FoldLine(std::string_view line) {
    std::string out;
    out.reserve(line.size() + line.size() / 24 + 2);
    size_t start = 0;
    bool first = true;
    do {
        const size_t room = first ? kLineOctets : kLineOctets - 1;  // the blank takes one
        size_t end = line.size();
        if (end - start > room) {
            end = start + room;
            // Step back to the first byte of the character that would be cut.
            while (end > start && IsContinuationByte(static_cast<unsigned char>(line[end]))) --end;
            if (end == start) end = start + room;  // no character starts here: not UTF-8
        }
        if (!first) out += ' ';
        out.append(line.substr(start, end - start));
        out += "\r\n";
        start = end;
        first = false;
    } while (start < line.size());
    return out;
}

uint64_t Fnv1a64(std::string_view bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string Uid(CalDate date, Source source, std::string_view summary) {
    // Hashed as bytes of UTF-8 with unsigned 64-bit arithmetic, which every compiler
    // carries out alike; the text is the converted one, so that a memo file read on
    // Windows and on Linux gives the same identity.
    std::string key = DateValue(date);
    key += '\0';
    key += source == Source::kMemo ? "memo" : "holiday";
    key += '\0';
    key += summary;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(Fnv1a64(key)));
    // .invalid is reserved and never names a real host: these identities clash with nobody's.
    return DateValue(date) + "-" + hex + "@tavoli-calendar.invalid";
}

std::vector<Event> CollectEvents(const HolidayScript* script, const MemoStore* memos, CalDate from, CalDate to,
                                 KindSet kinds) {
    std::vector<Event> events;
    const Platform& platform = CurrentPlatform();
    if (script && from <= to) {
        for (CalDate d = from;; ++d) {
            const std::vector<NameEntry> names = NamesOf(*script, d);
            std::optional<DayKind> dayKind;  // asked only when a name's rule gives no kind
            for (const NameEntry& entry : names) {
                if (entry.name.empty()) continue;
                DayKind kind = DayKindFromText(entry.kind);
                if (kind == DayKind::kNone) {
                    if (!dayKind) dayKind = DayKindFromText(KindOf(*script, d));
                    kind = *dayKind;
                }
                if (!kinds.Has(kind)) continue;
                events.push_back(
                    {d, Source::kHoliday, std::string(KindName(kind)), ValidUtf8(platform.ToUtf8(entry.name))});
            }
            if (d == to) break;
        }
    }
    if (memos) {
        for (const MemoStore::Entry& entry : memos->Entries()) {
            if (entry.date < from || to < entry.date) continue;
            events.push_back(
                {entry.date, Source::kMemo, std::string(kMemoCategory), ValidUtf8(platform.ToUtf8(entry.text))});
        }
    }
    // By day; the holidays of a day were added before its memos and stay before them.
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.date < b.date; });
    // The same text twice on one day would give two events with one UID.
    std::vector<Event> unique;
    unique.reserve(events.size());
    std::set<std::pair<Source, std::string>> seen;
    for (Event& event : events) {
        if (!unique.empty() && unique.back().date != event.date) seen.clear();
        if (!seen.emplace(event.source, event.summary).second) continue;
        unique.push_back(std::move(event));
    }
    return unique;
}

void AppendAppointments(const IcsCalendar& calendar, CalDate from, CalDate to, const Zone& zone,
                        std::vector<Event>& events) {
    std::vector<EventOccurrence> occurrences;
    AppendOccurrences(calendar, from, to, zone, occurrences);
    std::vector<Event> added;
    for (const EventOccurrence& o : occurrences) {
        Event e;
        e.source = Source::kAppointment;
        e.category = std::string(kAppointmentCategory);
        e.summary = ValidUtf8(o.event->summary);
        e.location = ValidUtf8(o.event->location);
        e.timed = !o.allDay;
        e.floating = o.floating;
        e.start = o.start;
        e.end = o.end;
        const int64_t local = o.allDay || o.floating ? o.start : zone.ToLocal(o.start);
        e.date = DayOfSeconds(local);
        e.lastDay = DayOfSeconds(o.allDay ? o.end - kSecondsPerDay : local);
        e.instance = o.event->uid + '\0' + std::to_string(o.start);
        added.push_back(std::move(e));
    }
    std::sort(added.begin(), added.end(), [](const Event& a, const Event& b) {
        return a.start != b.start ? a.start < b.start : a.summary < b.summary;
    });
    for (Event& e : added) events.push_back(std::move(e));
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.date < b.date; });
}

namespace {

// A time of an appointment as DATE-TIME: UTC, or floating as it was written.
std::string TimeValue(int64_t seconds, bool floating) {
    const CivilParts p = CivilOf(seconds);
    char text[24];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d%s", p.year, p.month, p.day, p.hour, p.minute, p.second,
                  floating ? "" : "Z");
    return text;
}

}  // namespace

std::string WriteCalendar(const std::vector<Event>& events, std::string_view stamp) {
    std::string out;
    out += FoldLine("BEGIN:VCALENDAR");
    out += FoldLine("VERSION:2.0");
    out += FoldLine("PRODID:-//Brenholt//Tavoli Calendar//EN");
    out += FoldLine("CALSCALE:GREGORIAN");
    for (const Event& event : events) {
        const bool appointment = event.source == Source::kAppointment;
        out += FoldLine("BEGIN:VEVENT");
        out += FoldLine("UID:" + Uid(event.date, event.source, appointment ? event.instance : event.summary));
        out += FoldLine("DTSTAMP:" + std::string(stamp));
        if (event.timed) {
            out += FoldLine("DTSTART:" + TimeValue(event.start, event.floating));
            out += FoldLine("DTEND:" + TimeValue(event.end, event.floating));
        } else {
            out += FoldLine("DTSTART;VALUE=DATE:" + DateValue(event.date));
            out += FoldLine("DTEND;VALUE=DATE:" + DateValue((appointment ? event.lastDay : event.date) + 1));
        }
        out += FoldLine("SUMMARY:" + EscapeText(ValidUtf8(event.summary)));
        if (!event.location.empty()) out += FoldLine("LOCATION:" + EscapeText(event.location));
        out += FoldLine("CATEGORIES:" + EscapeText(ValidUtf8(event.category)));
        // Days off and notes do not make anyone busy; appointments do.
        if (!appointment) out += FoldLine("TRANSP:TRANSPARENT");
        out += FoldLine("END:VEVENT");
    }
    out += FoldLine("END:VCALENDAR");
    return out;
}

}  // namespace tavoli::tool::ics
