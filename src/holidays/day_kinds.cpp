#include "holidays/day_kinds.h"

#include <map>
#include <tuple>

#include "calendar/calendar_system.h"
#include "calendar/easter.h"
#include "calendar/lunisolar.h"
#include "framework/lang_text.h"
#include "framework/platform.h"

namespace tavoli {

DayKind DayKindFromText(std::string_view text) {
    static const char* const kDigits[] = {"1", "2", "3", "4", "5"};
    static const char* const kWords[] = {"平日", "半休", "休日", "祝日", "記念"};
    // Asked for every painted day: the words are converted once per code page.
    static unsigned convertedFor = ~0u;
    static std::string words[5];
    if (convertedFor != Platform::Generation()) {
        for (int i = 0; i < 5; ++i) words[i] = AnsiFromUtf8(kWords[i]);
        convertedFor = Platform::Generation();
    }
    for (int i = 0; i < 5; ++i) {
        if (text == kDigits[i] || text == words[i]) return static_cast<DayKind>(i + 1);
    }
    return DayKind::kNone;
}

std::string DayKindName(DayKind kind) {
    switch (kind) {
    case DayKind::kNormal: return ResolveText("Normal day\tja:平日");
    case DayKind::kSemiHoliday: return ResolveText("Semi-holiday\tja:半休");
    case DayKind::kHoliday: return ResolveText("Holiday\tja:休日");
    case DayKind::kNationalHoliday: return ResolveText("National holiday\tja:祝日");
    case DayKind::kAnniversary: return ResolveText("Anniversary\tja:記念日");
    case DayKind::kNone: break;
    }
    return {};
}

namespace {

// One query's walk over the script. Block tests and lunisolar splits are remembered for
// the query's lifetime: both are pure, and a script whose block rules test other blocks
// would otherwise repeat the same work exponentially.
class Evaluator {
public:
    Evaluator(const std::vector<ScriptEntry>& entries, EvaluationTrace* trace) : entries_(entries), trace_(trace) {}

    enum class Query { kKind, kNames, kBlock };

    // Walks entries [begin, end); the kind query returns the first match's index, the
    // block test whether any rule matched, the names query collects every match.
    bool Walk(size_t begin, size_t end, Query query, CalDate date, size_t& found, std::vector<size_t>* all) {
        size_t blockStart = 0, blockEnd = 0;
        bool started = false, closed = false;
        for (size_t i = begin; i < end; ++i) {
            const ScriptEntry& entry = entries_[i];
            switch (entry.type) {
            case ScriptEntry::kBlockBegin:
                blockStart = i + 1;
                started = true;
                closed = false;
                continue;
            case ScriptEntry::kBlockEnd:
                blockEnd = i;
                closed = started;  // an "#end" without a "#begin" closes no block
                continue;
            case ScriptEntry::kStop: return false;
            case ScriptEntry::kWeekday: continue;
            case ScriptEntry::kRule: break;
            }
            if (query == Query::kKind && !entry.hasKind) continue;
            if (query == Query::kNames && !entry.hasName) continue;
            if (!Matches(i, date, closed, blockStart, blockEnd)) continue;
            if (query == Query::kNames) {
                if (all) all->push_back(i);
                continue;
            }
            found = i;
            return true;
        }
        return false;
    }

private:
    bool Matches(size_t rule, CalDate date, bool closed, size_t blockStart, size_t blockEnd) {
        const ScriptEntry& entry = entries_[rule];
        for (size_t k = 0; k < entry.descriptors.size(); ++k) {
            const Descriptor& d = entry.descriptors[k];
            const CalDate e = date + d.shift;
            const int64_t v = Value(d, e, rule, k, closed, blockStart, blockEnd);
            const int64_t reduced = d.modulus != 0 ? v % d.modulus : v;
            const bool inside = d.low <= reduced && reduced <= d.high;
            if (inside == d.negated) return false;
        }
        return true;
    }

    static TimeOfDay OffsetOf(const Descriptor& d) {
        const int hhmm = d.offset < 0 ? -d.offset : d.offset;
        const int32_t ms = (hhmm / 100) * 3600000 + (hhmm % 100) * 60000;
        return TimeOfDay(d.offset < 0 ? -ms : ms);
    }

    int64_t Value(const Descriptor& d, CalDate e, size_t rule, size_t index, bool closed, size_t blockStart,
                  size_t blockEnd) {
        const bool calendarLetter = d.letter == 'y' || d.letter == 'm' || d.letter == 'd' || d.letter == 'w';
        if (d.calendar != 0 && calendarLetter) {
            const SplitDate parts = Split(d.calendar, e, OffsetOf(d));
            switch (d.letter) {
            case 'y': return parts.year;
            case 'm': return parts.month;
            case 'd': return parts.day;
            default: return parts.weekday;
            }
        }
        switch (d.letter) {
        case 'y': return e.Year();
        case 'm': return e.Month();
        case 'd': return e.Day();
        case 'w': return e.Weekday();
        case 'j': return e.Serial();
        // Days from Easter Sunday of E's year (by the Julian computus with ?j) to E.
        case 'e': {
            const int year = e.Parts().year;
            const CalDate easter = d.calendar == 'j' ? OrthodoxEaster(year) : WesternEaster(year);
            return static_cast<int64_t>(e.Serial()) - static_cast<int64_t>(easter.Serial());
        }
        case 's': return WholeDegrees(SolarLongitude(CalDateTime(e, TimeOfDay(0)) - OffsetOf(d)));
        case 'l': return WholeDegrees(Elongation(CalDateTime(e, TimeOfDay(0)) - OffsetOf(d)));
        case 'x': return closed && BlockMatches(blockStart, blockEnd, e, rule, index) ? 1 : 0;
        default: return 0;  // p
        }
    }

    static int64_t WholeDegrees(long double degrees) {
        if (!(degrees >= 0.0L && degrees < 360.0L)) return 0;
        return static_cast<int64_t>(degrees);
    }

    SplitDate Split(char calendar, CalDate e, TimeOfDay offset) {
        if (calendar == 'c') return ChineseLunisolarCalendar(offset).split(e);  // its own months are kept
        if (calendar != 'a') {
            const char letter = calendar == 'j' ? 'J' : calendar == 'h' ? 'H' : 'G';
            return MakeCalendarSystem(letter, offset)->split(e);
        }
        const auto key = std::make_pair(e.Serial(), offset.Milliseconds());
        const auto known = lunar_.find(key);
        if (known != lunar_.end()) return known->second;
        const SplitDate parts = LunisolarCalendar(offset).split(e);
        lunar_.emplace(key, parts);
        return parts;
    }

    bool BlockMatches(size_t blockStart, size_t blockEnd, CalDate e, size_t rule, size_t index) {
        // Blocks nested this deep are no calendar; refusing them keeps the stack bounded.
        if (depth_ >= kMaxBlockDepth) return false;
        const auto key = std::make_tuple(blockStart, blockEnd, e.Serial());
        auto known = blocks_.find(key);
        size_t matched = 0;
        bool result;
        if (known != blocks_.end()) {
            result = known->second.first;
            matched = known->second.second;
        } else {
            ++depth_;
            result = Walk(blockStart, blockEnd, Query::kBlock, e, matched, nullptr);
            --depth_;
            blocks_.emplace(key, std::make_pair(result, matched));
        }
        if (result && trace_) trace_->blockMatches.push_back({rule, index, matched, e});
        return result;
    }

    static constexpr int kMaxBlockDepth = 64;

    const std::vector<ScriptEntry>& entries_;
    EvaluationTrace* trace_;
    int depth_ = 0;
    std::map<std::pair<uint32_t, int32_t>, SplitDate> lunar_;
    std::map<std::tuple<size_t, size_t, uint32_t>, std::pair<bool, size_t>> blocks_;
};

}  // namespace

std::string KindOf(const HolidayScript& script, CalDate date, EvaluationTrace* trace) {
    Evaluator evaluator(script.Entries(), trace);
    size_t found = 0;
    if (!evaluator.Walk(0, script.Entries().size(), Evaluator::Query::kKind, date, found, nullptr)) return {};
    if (trace) trace->matchedRules.push_back(found);
    return script.Entries()[found].kind;
}

std::vector<NameEntry> NamesOf(const HolidayScript& script, CalDate date, EvaluationTrace* trace) {
    Evaluator evaluator(script.Entries(), trace);
    std::vector<size_t> matches;
    size_t unused = 0;
    evaluator.Walk(0, script.Entries().size(), Evaluator::Query::kNames, date, unused, &matches);
    std::vector<NameEntry> names;
    for (size_t i : matches) {
        // A name may carry a text for each language ("New Year's Day<TAB>ja:元日").
        names.push_back({script.Entries()[i].kind, ResolveAnsiText(script.Entries()[i].name)});
        if (trace) trace->matchedRules.push_back(i);
    }
    return names;
}

std::string KindOfWeekday(const HolidayScript& script, int weekday) {
    const int w = ((weekday % 7) + 7) % 7;
    for (const ScriptEntry& entry : script.Entries()) {
        if (entry.type == ScriptEntry::kWeekday && entry.weekday == w) return entry.kind;
    }
    return {};
}

}  // namespace tavoli
