// Holidays and memos as an iCalendar file (RFC 5545) that phone, web and desktop
// calendars import: one all-day event per holiday name and per memo.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/cal_date.h"
#include "events/occurrences.h"
#include "framework/platform.h"
#include "holidays/day_kinds.h"
#include "holidays/holiday_script.h"
#include "memo/memo_store.h"

namespace tavoli::tool::ics {

// The set of day kinds whose holiday names are exported.
class KindSet {
public:
    constexpr KindSet() = default;
    static constexpr KindSet Of(std::initializer_list<DayKind> kinds) {
        KindSet set;
        for (DayKind kind : kinds) set.Add(kind);
        return set;
    }
    constexpr void Add(DayKind kind) { bits_ |= 1u << static_cast<unsigned>(kind); }
    constexpr bool Has(DayKind kind) const {
        return kind != DayKind::kNone && (bits_ >> static_cast<unsigned>(kind)) & 1u;
    }
    constexpr bool operator==(KindSet o) const { return bits_ == o.bits_; }

private:
    unsigned bits_ = 0;
};

// Holidays, national holidays and anniversaries: the days people mark in other calendars.
constexpr KindSet kDefaultKinds = KindSet::Of({DayKind::kHoliday, DayKind::kNationalHoliday, DayKind::kAnniversary});

// "3,4,5": kind digits 1 … 5 separated by commas, blanks around them allowed, a repeated
// kind counted once; nullopt for anything else (also the empty list).
std::optional<KindSet> ParseKindList(std::string_view text);

// The English name of a kind, used as the event's category; empty for no kind.
std::string_view KindName(DayKind kind);
constexpr std::string_view kMemoCategory = "Memo";

// A UTC moment in the iCalendar form "YYYYMMDDTHHMMSSZ", checked to be a real one of
// the years 0001 … 9999.
bool IsUtcStamp(std::string_view text);
std::string UtcStamp(const SystemTimeParts& universal);

// "YYYYMMDD", the form of a DATE value (years 1 … 9999).
std::string DateValue(CalDate date);

// Bytes that are no UTF-8 character (a stray continuation byte, a cut sequence, an overlong
// form, a surrogate, beyond U+10FFFF) become U+FFFD: the file must be UTF-8 throughout.
std::string ValidUtf8(std::string_view text);
// A TEXT value: backslash, semicolon and comma escaped, each line break (CR LF, CR or LF)
// written as "\n"; other control characters, which TEXT cannot hold, become blanks (the
// tab stays).
std::string EscapeText(std::string_view utf8);
// One content line as it goes into the file: cut into lines of at most 75 octets, never
// inside a UTF-8 character, each continuation line beginning with one blank; every line
// ends with CR LF.
std::string FoldLine(std::string_view line);

// 64-bit FNV-1a over the bytes.
uint64_t Fnv1a64(std::string_view bytes);

enum class Source { kHoliday, kMemo, kAppointment };
constexpr std::string_view kAppointmentCategory = "Appointment";

struct Event {
    Event() = default;
    Event(CalDate day, Source from, std::string kind, std::string text)
        : date(day), source(from), category(std::move(kind)), summary(std::move(text)) {}

    CalDate date;  // the first day
    Source source = Source::kHoliday;
    std::string category;  // UTF-8
    std::string summary;   // UTF-8
    // An appointment's own times: its last day (all-day), or its start and end (UTC, or
    // as written when floating), its place, and the identity of the instance.
    CalDate lastDay;
    bool timed = false, floating = false;
    int64_t start = 0, end = 0;
    std::string location, instance;
    bool operator==(const Event& o) const {
        return date == o.date && source == o.source && category == o.category && summary == o.summary &&
               lastDay == o.lastDay && timed == o.timed && floating == o.floating && start == o.start && end == o.end &&
               location == o.location && instance == o.instance;
    }
};

// The event's identity: the same day, source and text give the same UID on every run and
// every platform, so that importing the file again updates the events instead of doubling
// them. The kind stays out of it: a rule whose kind changes updates its events' category.
std::string Uid(CalDate date, Source source, std::string_view summary);

// The events of FROM..TO: for each day the holiday names whose kind is chosen (a name's
// own kind, or the day's kind when its rule gives none), then the memos of the day in file
// order. Texts are converted from the ANSI code page of the current platform to UTF-8. A
// name or memo that repeats on the same day is one event.
std::vector<Event> CollectEvents(const HolidayScript* script, const MemoStore* memos, CalDate from, CalDate to,
                                 KindSet kinds);

// The occurrences of a calendar's events that overlap FROM..TO in the zone, as events of
// their own (an instance each, known by its event's UID and its start), after those there.
void AppendAppointments(const IcsCalendar& calendar, CalDate from, CalDate to, const Zone& zone,
                        std::vector<Event>& events);

// The whole calendar: VCALENDAR with the events, every line folded and ended by CR LF.
std::string WriteCalendar(const std::vector<Event>& events, std::string_view stamp);

}  // namespace tavoli::tool::ics
