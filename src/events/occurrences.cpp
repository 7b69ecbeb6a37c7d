#include "events/occurrences.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace tavoli {

namespace {

// Frames of the world lie within this much of UTC.
constexpr int64_t kZoneSpan = 18 * 3600;
// What one range may hold before the rest is left out.
constexpr size_t kMaxOccurrences = 100000;

// An event's times in one frame: the seconds of its start's frame (a zone's local time,
// UTC, or floating), with the conversions to UTC and back.
struct Frame {
    const Zone* zone = nullptr;  // null: UTC or floating
    bool floating = false;
    int64_t ToUtc(int64_t seconds) const { return zone != nullptr ? zone->ToUtc(seconds) : seconds; }
    int64_t FromUtc(int64_t utc) const { return zone != nullptr ? zone->ToLocal(utc) : utc; }
};

Frame FrameOf(const IcsTime& time, const ZoneResolver& zones) {
    Frame frame;
    if (time.frame == IcsTime::kZoned) frame.zone = zones.Find(time.zone);
    frame.floating =
        time.isDate || time.frame == IcsTime::kFloating || (time.frame == IcsTime::kZoned && frame.zone == nullptr);
    return frame;
}

// A time of the file in the frame of an event's start: the key its instances are known by.
int64_t InFrame(const IcsTime& time, const Frame& frame, const ZoneResolver& zones) {
    if (time.isDate || frame.floating) return time.seconds;
    const Frame own = FrameOf(time, zones);
    const int64_t utc = own.floating ? time.seconds : own.ToUtc(time.seconds);
    return frame.FromUtc(utc);
}

struct Span {
    int64_t days = 0;     // nominal: the same local time so many days later
    int64_t seconds = 0;  // exact
};

Span SpanOf(const IcsEvent& e, const ZoneResolver& zones) {
    Span span;
    if (e.start.isDate) {
        span.days = 1;
        if (e.hasEnd) span.days = (e.end.seconds - e.start.seconds) / kSecondsPerDay;
        else if (e.hasDuration) span.days = e.duration.days + e.duration.seconds / kSecondsPerDay;
        // An all-day event that ends before it starts still has its day.
        span.days = std::max<int64_t>(1, span.days);
        return span;
    }
    if (e.hasEnd) {
        const Frame start = FrameOf(e.start, zones), end = FrameOf(e.end, zones);
        const int64_t from = start.floating ? e.start.seconds : start.ToUtc(e.start.seconds);
        const int64_t to = end.floating ? e.end.seconds : end.ToUtc(e.end.seconds);
        span.seconds = std::max<int64_t>(0, to - from);
    } else if (e.hasDuration) {
        span.days = std::max<int64_t>(0, e.duration.days);
        span.seconds = std::max<int64_t>(0, e.duration.seconds);
    }
    return span;
}

class Collector {
public:
    Collector(CalDate first, CalDate last, const Zone& viewer, std::vector<EventOccurrence>& out)
        : out_(out), firstDay_(SecondsOfDay(first)), endDay_(SecondsOfDay(last + 1)) {
        fromUtc_ = viewer.ToUtc(firstDay_);
        toUtc_ = viewer.ToUtc(endDay_);
    }

    // Adds one instance starting at `start` (in the frame) if it overlaps the range.
    void Add(const IcsEvent& e, const Frame& frame, int64_t start, const Span& span) {
        EventOccurrence o;
        o.event = &e;
        if (e.start.isDate) {
            o.allDay = true;
            o.start = start;
            o.end = start + span.days * kSecondsPerDay;
            if (o.start >= endDay_ || o.end <= firstDay_) return;
        } else {
            o.floating = frame.floating;
            const int64_t startLocalEnd = start + span.days * kSecondsPerDay;
            if (frame.floating) {
                o.start = start;
                o.end = startLocalEnd + span.seconds;
                if (!Overlaps(o.start, o.end, firstDay_, endDay_)) return;
            } else {
                o.start = frame.ToUtc(start);
                o.end = (span.days != 0 ? frame.ToUtc(startLocalEnd) : o.start) + span.seconds;
                if (!Overlaps(o.start, o.end, fromUtc_, toUtc_)) return;
            }
        }
        if (out_.size() >= kMaxOccurrences) {
            truncated = true;
            return;
        }
        out_.push_back(o);
    }

    // The range in an event's frame, wide enough for any zone and the event's length.
    int64_t From(const Frame& frame, const Span& span) const {
        return (frame.floating ? firstDay_ : fromUtc_ - kZoneSpan) - span.days * kSecondsPerDay - span.seconds -
               kSecondsPerDay;
    }
    int64_t To(const Frame& frame) const { return frame.floating ? endDay_ : toUtc_ + kZoneSpan; }

    bool truncated = false;

private:
    // A moment (zero length) counts on the day it falls on.
    static bool Overlaps(int64_t start, int64_t end, int64_t from, int64_t to) {
        return start < to && (end > from || (end == start && start >= from));
    }

    std::vector<EventOccurrence>& out_;
    int64_t firstDay_, endDay_, fromUtc_ = 0, toUtc_ = 0;
};

void ExpandMaster(const IcsEvent& master, const std::vector<const IcsEvent*>& overrides, const ZoneResolver& zones,
                  Collector& collect) {
    const Frame frame = FrameOf(master.start, zones);
    const Span span = SpanOf(master, zones);
    // Overridden instances, by the start they replace; a THISANDFUTURE one also moves
    // and renames those after it.
    std::map<int64_t, const IcsEvent*> replaced, fromThenOn;
    int64_t widen = 0;
    for (const IcsEvent* o : overrides) {
        const int64_t key = InFrame(o->recurrenceId, frame, zones);
        replaced[key] = o;
        if (o->thisAndFuture) {
            fromThenOn[key] = o;
            // Calendars move a series by hours or days; a shift of centuries (a broken
            // RECURRENCE-ID) would widen the work to them, so the range widens by a year at most.
            widen = std::min(std::max(widen, std::abs(InFrame(o->start, frame, zones) - key)), 366 * kSecondsPerDay);
        }
    }
    std::vector<int64_t> excluded;
    std::vector<int64_t> excludedDays;
    for (const IcsTime& x : master.exceptions) {
        if (x.isDate && !master.start.isDate) excludedDays.push_back(x.seconds);
        else excluded.push_back(InFrame(x, frame, zones));
    }
    const int64_t from = collect.From(frame, span) - widen, to = collect.To(frame) + widen;
    std::vector<int64_t> starts;
    if (master.hasRule) {
        ExpansionBudget budget;
        ExpandRule(
            master.rule, master.start.seconds, master.start.isDate, from, to,
            [&](int64_t local) { return frame.ToUtc(local); }, budget, starts);
        if (budget.exhausted) collect.truncated = true;
    } else if (master.start.seconds >= from && master.start.seconds < to) {
        starts.push_back(master.start.seconds);
    }
    for (const IcsTime& d : master.dates) {
        const int64_t key = InFrame(d, frame, zones);
        if (key >= from && key < to) starts.push_back(key);
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    auto isExcluded = [&](int64_t key) {
        if (std::find(excluded.begin(), excluded.end(), key) != excluded.end()) return true;
        const int64_t day = key - (key % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
        return std::find(excludedDays.begin(), excludedDays.end(), day) != excludedDays.end();
    };
    for (int64_t key : starts) {
        if (isExcluded(key) || replaced.count(key) != 0) continue;
        auto later = fromThenOn.upper_bound(key);
        if (later == fromThenOn.begin()) {
            collect.Add(master, frame, key, span);
            continue;
        }
        const IcsEvent& o = *std::prev(later)->second;
        if (o.cancelled) continue;
        const int64_t shift = InFrame(o.start, frame, zones) - std::prev(later)->first;
        collect.Add(o, frame, key + shift, SpanOf(o, zones));
    }
    // Periods carry their own length.
    for (const IcsPeriod& p : master.periods) {
        const int64_t key = InFrame(p.start, frame, zones);
        if (isExcluded(key) || replaced.count(key) != 0) continue;
        Span own;
        if (p.hasEnd) own.seconds = std::max<int64_t>(0, InFrame(p.end, frame, zones) - key);
        else own = {std::max<int64_t>(0, p.duration.days), std::max<int64_t>(0, p.duration.seconds)};
        collect.Add(master, frame, key, own);
    }
}

}  // namespace

const Zone* ZoneResolver::Find(const std::string& id) const {
    for (const CalendarZone& zone : calendar_.zones) {
        if (zone.id == id) return &zone;
    }
    for (const auto& zone : system_) {
        if (zone->Name() == id) return zone->Known() ? zone.get() : nullptr;
    }
    system_.push_back(std::make_unique<SystemZone>(id));
    return system_.back()->Known() ? system_.back().get() : nullptr;
}

bool AppendOccurrences(const IcsCalendar& calendar, CalDate first, CalDate last, const Zone& viewer,
                       std::vector<EventOccurrence>& out) {
    Collector collect(first, last, viewer, out);
    const ZoneResolver zones(calendar);
    std::unordered_map<std::string_view, std::vector<const IcsEvent*>> overrides;
    for (const IcsEvent& e : calendar.events) {
        if (e.hasRecurrenceId) overrides[e.uid].push_back(&e);
    }
    // Local times lie within a day of zones from UTC: what happens once, far from the
    // range, is left out before any zone or override is looked up.
    const int64_t nearFrom = SecondsOfDay(first) - kZoneSpan - 2 * kSecondsPerDay,
                  nearTo = SecondsOfDay(last + 1) + kZoneSpan;
    for (const IcsEvent& e : calendar.events) {
        if (!e.hasRule && e.dates.empty() && e.periods.empty() && !e.hasRecurrenceId &&
            (e.start.seconds >= nearTo ||
             std::max({e.start.seconds, e.hasEnd ? e.end.seconds : 0,
                       e.start.seconds + (e.hasDuration ? e.duration.days * kSecondsPerDay + e.duration.seconds : 0)}) <
                 nearFrom))
            continue;
        if (e.hasRecurrenceId) {
            // An overridden instance stands where it now is, wherever it came from.
            if (!e.cancelled) collect.Add(e, FrameOf(e.start, zones), e.start.seconds, SpanOf(e, zones));
            continue;
        }
        if (e.cancelled) continue;
        static const std::vector<const IcsEvent*> kNone;
        const auto found = overrides.find(e.uid);
        ExpandMaster(e, found != overrides.end() ? found->second : kNone, zones, collect);
    }
    return collect.truncated;
}

std::vector<std::string> OccurrenceLines(const std::vector<EventOccurrence>& occurrences, const Zone& zone) {
    struct Line {
        std::string start, end, summary;
    };
    std::vector<Line> lines;
    for (const EventOccurrence& o : occurrences) {
        Line line;
        if (o.allDay) {
            line.start = DayText(o.start);
            line.end = DayText(o.end - kSecondsPerDay);
        } else {
            line.start = MinuteText(o.floating ? o.start : zone.ToLocal(o.start));
            line.end = MinuteText(o.floating ? o.end : zone.ToLocal(o.end));
        }
        // One line each: a summary's own line breaks and tabs become spaces.
        for (char c : o.event->summary) line.summary += c == '\n' || c == '\r' || c == '\t' ? ' ' : c;
        lines.push_back(std::move(line));
    }
    std::sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
        if (a.start != b.start) return a.start < b.start;
        if (a.summary != b.summary) return a.summary < b.summary;
        return a.end < b.end;
    });
    std::vector<std::string> texts;
    for (const Line& line : lines) texts.push_back(line.start + "\t" + line.end + "\t" + line.summary);
    return texts;
}

}  // namespace tavoli
