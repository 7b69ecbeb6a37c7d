#include "events/ics_reader.h"

#include <algorithm>

namespace tavoli {

namespace {

constexpr int kMaxDepth = 16;
constexpr size_t kMaxSkipped = 20;
// More values in one RDATE or EXDATE list than a calendar needs is a hostile file.
constexpr size_t kMaxDates = 100000;

struct ContentLine {
    int line = 0;
    std::string name;                                         // upper case
    std::vector<std::pair<std::string, std::string>> params;  // names upper case
    std::string value;

    const std::string* Param(std::string_view param) const {
        for (const auto& p : params) {
            if (p.first == param) return &p.second;
        }
        return nullptr;
    }
};

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// Splits "NAME;P=V;Q="x:y":value"; false for a line that is none.
bool ParseContentLine(std::string_view text, ContentLine& out) {
    size_t at = 0;
    while (at < text.size() && IsNameChar(text[at])) out.name += Upper(text[at++]);
    if (out.name.empty()) return false;
    while (at < text.size() && text[at] == ';') {
        ++at;
        std::string name;
        while (at < text.size() && IsNameChar(text[at])) name += Upper(text[at++]);
        if (name.empty() || at >= text.size() || text[at] != '=') return false;
        ++at;
        std::string value;
        // A list of values, each quoted or plain; the quotes are dropped.
        while (true) {
            if (at < text.size() && text[at] == '"') {
                const size_t close = text.find('"', at + 1);
                if (close == std::string_view::npos) return false;
                value += text.substr(at + 1, close - at - 1);
                at = close + 1;
            } else {
                while (at < text.size() && text[at] != ';' && text[at] != ':' && text[at] != ',') value += text[at++];
            }
            if (at < text.size() && text[at] == ',') {
                value += text[at++];
                continue;
            }
            break;
        }
        out.params.emplace_back(std::move(name), std::move(value));
    }
    if (at >= text.size() || text[at] != ':') return false;
    out.value = std::string(text.substr(at + 1));
    return true;
}

// The logical lines of the bytes, unfolded, each with the number of its first physical line.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes) {
        if (bytes_.substr(0, 3) == "\xEF\xBB\xBF") bytes_.remove_prefix(3);
    }

    bool Next(std::string& text, int& line) {
        if (at_ >= bytes_.size()) return false;
        text.clear();
        line = ++physical_;
        while (true) {
            const size_t end = bytes_.find_first_of("\r\n", at_);
            const size_t stop = end == std::string_view::npos ? bytes_.size() : end;
            text.append(bytes_.data() + at_, stop - at_);
            at_ = stop;
            if (at_ < bytes_.size() && bytes_[at_] == '\r') ++at_;
            if (at_ < bytes_.size() && bytes_[at_] == '\n') ++at_;
            // A line that begins with a space or a tab continues the one before.
            if (at_ < bytes_.size() && (bytes_[at_] == ' ' || bytes_[at_] == '\t')) {
                ++at_;
                ++physical_;
                continue;
            }
            return true;
        }
    }

private:
    std::string_view bytes_;
    size_t at_ = 0;
    int physical_ = 0;
};

// A DATE or DATE-TIME value with its parameters: TZID makes a local time zoned.
bool TimeOf(const ContentLine& line, std::string_view text, IcsTime& time) {
    if (!ParseIcsTime(text, time)) return false;
    const std::string* type = line.Param("VALUE");
    if (type != nullptr && *type == "DATE" && !time.isDate) return false;
    if (!time.isDate && time.frame == IcsTime::kFloating) {
        if (const std::string* zone = line.Param("TZID")) {
            time.frame = IcsTime::kZoned;
            time.zone = *zone;
        }
    }
    return true;
}

bool ParsePeriod(const ContentLine& line, std::string_view text, IcsPeriod& period) {
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos || !TimeOf(line, text.substr(0, slash), period.start) || period.start.isDate)
        return false;
    const std::string_view rest = text.substr(slash + 1);
    if (!rest.empty() && (rest[0] == 'P' || rest[0] == '+' || rest[0] == '-'))
        return ParseIcsDuration(rest, period.duration);
    period.hasEnd = true;
    return TimeOf(line, rest, period.end) && !period.end.isDate;
}

// The comma list of a line, each item handed to take; false at the first it refuses.
template <typename Take>
bool EachValue(const std::string& value, Take take) {
    size_t start = 0, count = 0;
    while (start <= value.size()) {
        const size_t comma = std::min(value.find(',', start), value.size());
        if (++count > kMaxDates || !take(std::string_view(value).substr(start, comma - start))) return false;
        start = comma + 1;
    }
    return true;
}

struct Builder {
    explicit Builder(IcsCalendar& target) : calendar(target) {}

    IcsCalendar& calendar;
    std::vector<std::string> stack;
    IcsEvent event;
    bool eventBroken = false;
    IcsProblem eventProblem;
    CalendarZone zone;
    CalendarZone::Observance observance;
    bool observanceBroken = false;

    void Skip(int line, std::string reason) {
        if (calendar.skipped.size() < kMaxSkipped) calendar.skipped.push_back({line, std::move(reason)});
    }
    void BreakEvent(int line, std::string reason) {
        if (eventBroken) return;
        eventBroken = true;
        eventProblem = {line, std::move(reason)};
    }

    void Begin(const std::string& name, int line) {
        if (name == "VEVENT") {
            event = IcsEvent();
            event.line = line;
            eventBroken = false;
        } else if (name == "VTIMEZONE") {
            zone = CalendarZone();
        } else if (name == "STANDARD" || name == "DAYLIGHT") {
            observance = CalendarZone::Observance();
            observanceBroken = false;
        }
    }

    void End(const std::string& name, int line) {
        if (name == "VEVENT" && Within("VCALENDAR", 1)) {
            if (!hasStart_) BreakEvent(event.line, "an event without DTSTART");
            if (eventBroken) Skip(eventProblem.line, eventProblem.reason);
            else calendar.events.push_back(std::move(event));
            hasStart_ = false;
        } else if (name == "VTIMEZONE" && Within("VCALENDAR", 1)) {
            if (!zone.id.empty() && !zone.observances.empty()) calendar.zones.push_back(std::move(zone));
            else Skip(line, "a VTIMEZONE without TZID or observances");
        } else if ((name == "STANDARD" || name == "DAYLIGHT") && Within("VTIMEZONE", 1)) {
            if (!observanceBroken) zone.observances.push_back(std::move(observance));
            else Skip(line, "a zone's observance that cannot be read");
        }
    }

    // Is the component `depth` levels above the innermost one named so?
    bool Within(std::string_view name, size_t depth) const {
        return stack.size() > depth && stack[stack.size() - 1 - depth] == name;
    }

    void Property(const ContentLine& p) {
        if (stack.empty()) return;
        const std::string& component = stack.back();
        if (component == "VCALENDAR") {
            if (p.name == "X-WR-CALNAME") calendar.name = UnescapeIcsText(p.value);
        } else if (component == "VEVENT" && Within("VCALENDAR", 1)) {
            EventProperty(p);
        } else if (component == "VTIMEZONE") {
            if (p.name == "TZID") zone.id = p.value;
        } else if ((component == "STANDARD" || component == "DAYLIGHT") && Within("VTIMEZONE", 1)) {
            ObservanceProperty(p);
        }
    }

    void EventProperty(const ContentLine& p) {
        if (p.name == "UID") {
            event.uid = p.value;
        } else if (p.name == "SUMMARY") {
            event.summary = UnescapeIcsText(p.value);
        } else if (p.name == "LOCATION") {
            event.location = UnescapeIcsText(p.value);
        } else if (p.name == "STATUS") {
            event.cancelled = p.value == "CANCELLED";
        } else if (p.name == "DTSTART") {
            if (!TimeOf(p, p.value, event.start)) BreakEvent(p.line, "a wrong DTSTART: " + p.value);
            hasStart_ = true;
        } else if (p.name == "DTEND") {
            event.hasEnd = TimeOf(p, p.value, event.end);
            if (!event.hasEnd) BreakEvent(p.line, "a wrong DTEND: " + p.value);
        } else if (p.name == "DURATION") {
            event.hasDuration = ParseIcsDuration(p.value, event.duration);
            if (!event.hasDuration) BreakEvent(p.line, "a wrong DURATION: " + p.value);
        } else if (p.name == "RRULE") {
            // A second rule is a form the standard no longer allows; the first is taken.
            if (event.hasRule) return;
            std::string reason;
            event.hasRule = ParseRecurrenceRule(p.value, event.rule, reason);
            if (!event.hasRule) BreakEvent(p.line, "a wrong RRULE: " + reason);
        } else if (p.name == "RDATE") {
            const std::string* type = p.Param("VALUE");
            const bool periods = type != nullptr && *type == "PERIOD";
            const bool ok = EachValue(p.value, [&](std::string_view item) {
                if (periods) {
                    IcsPeriod period;
                    if (!ParsePeriod(p, item, period)) return false;
                    event.periods.push_back(period);
                    return true;
                }
                IcsTime time;
                if (!TimeOf(p, item, time)) return false;
                event.dates.push_back(time);
                return true;
            });
            if (!ok) BreakEvent(p.line, "a wrong RDATE: " + p.value);
        } else if (p.name == "EXDATE") {
            const bool ok = EachValue(p.value, [&](std::string_view item) {
                IcsTime time;
                if (!TimeOf(p, item, time)) return false;
                event.exceptions.push_back(time);
                return true;
            });
            if (!ok) BreakEvent(p.line, "a wrong EXDATE: " + p.value);
        } else if (p.name == "RECURRENCE-ID") {
            event.hasRecurrenceId = TimeOf(p, p.value, event.recurrenceId);
            if (!event.hasRecurrenceId) BreakEvent(p.line, "a wrong RECURRENCE-ID: " + p.value);
            const std::string* range = p.Param("RANGE");
            event.thisAndFuture = range != nullptr && *range == "THISANDFUTURE";
        }
    }

    void ObservanceProperty(const ContentLine& p) {
        if (p.name == "DTSTART") {
            IcsTime time;
            if (!ParseIcsTime(p.value, time) || time.isDate) observanceBroken = true;
            observance.start = time.seconds;
        } else if (p.name == "TZOFFSETFROM") {
            if (!ParseOffsetText(p.value, observance.offsetFrom)) observanceBroken = true;
        } else if (p.name == "TZOFFSETTO") {
            if (!ParseOffsetText(p.value, observance.offsetTo)) observanceBroken = true;
        } else if (p.name == "RRULE") {
            std::string reason;
            observance.hasRule = ParseRecurrenceRule(p.value, observance.rule, reason);
            if (!observance.hasRule) observanceBroken = true;
        } else if (p.name == "RDATE") {
            const bool ok = EachValue(p.value, [&](std::string_view item) {
                IcsTime time;
                if (!ParseIcsTime(item, time) || time.isDate) return false;
                observance.dates.push_back(time.seconds);
                return true;
            });
            if (!ok) observanceBroken = true;
        }
    }

    bool hasStart_ = false;
};

}  // namespace

std::string UnescapeIcsText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            out += next == 'n' || next == 'N' ? '\n' : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool ReadIcs(std::string_view bytes, IcsCalendar& calendar, IcsProblem& failure) {
    calendar = IcsCalendar();
    if (bytes.size() > kMaxIcsBytes) {
        failure = {0, "the file is " + std::to_string(bytes.size() >> 20) + " MB, more than the " +
                          std::to_string(kMaxIcsBytes >> 20) + " MB a calendar file may have"};
        return false;
    }
    Builder builder(calendar);
    LineReader reader(bytes);
    std::string text;
    int line = 0;
    bool sawCalendar = false;
    while (reader.Next(text, line)) {
        if (text.empty()) continue;
        ContentLine content;
        content.line = line;
        if (!ParseContentLine(text, content)) {
            // Calendars in the wild hold a broken line now and then; the rest still counts.
            builder.Skip(line, "a line that is no property");
            continue;
        }
        if (content.name == "BEGIN") {
            std::string name;
            for (char c : content.value) name += Upper(c);
            if (builder.stack.empty() && name != "VCALENDAR") continue;  // text before the calendar
            if (builder.stack.size() >= static_cast<size_t>(kMaxDepth)) {
                failure = {line, "components nested more than " + std::to_string(kMaxDepth) + " deep"};
                return false;
            }
            sawCalendar = true;
            builder.stack.push_back(name);
            builder.Begin(name, line);
        } else if (content.name == "END") {
            std::string name;
            for (char c : content.value) name += Upper(c);
            if (builder.stack.empty()) continue;
            if (builder.stack.back() != name) {
                failure = {line, "END:" + name + " where " + builder.stack.back() + " is open"};
                return false;
            }
            builder.End(name, line);
            builder.stack.pop_back();
        } else {
            builder.Property(content);
        }
    }
    if (!sawCalendar) {
        failure = {1, "no BEGIN:VCALENDAR: not an iCalendar file"};
        return false;
    }
    if (!builder.stack.empty()) {
        // A calendar cut short (a sync in progress) keeps the events it finished.
        builder.Skip(line, "the file ends inside " + builder.stack.back());
    }
    return true;
}

}  // namespace tavoli
