// The four calendars a template can ask for, behind one operation: split a date into
// year, month, day and a weekday value.
#pragma once

#include <memory>

#include "calendar/cal_date.h"

namespace tavoli {

struct SplitDate {
    int year = 0;
    int month = 0;
    int day = 0;
    int weekday = 0;  // 0 Sunday … 6; the rokuyō 1 … 6 in the lunisolar calendar
};

class CalendarSystem {
public:
    // The zone offset is read from the machine when the object is made.
    CalendarSystem() : offset_(TimeZoneOffset()) {}
    explicit CalendarSystem(TimeOfDay offset) : offset_(offset) {}
    virtual ~CalendarSystem() = default;

    // The null date splits into zeros in every calendar.
    virtual SplitDate split(CalDate date) const = 0;

    TimeOfDay Offset() const { return offset_; }
    void SetOffset(TimeOfDay offset) { offset_ = offset; }

private:
    TimeOfDay offset_;
};

class GregorianCalendar : public CalendarSystem {
public:
    using CalendarSystem::CalendarSystem;
    SplitDate split(CalDate date) const override;
};

// Proleptic Julian calendar; days before 1 March of year 0 continue it backwards.
class JulianCalendar : public CalendarSystem {
public:
    using CalendarSystem::CalendarSystem;
    SplitDate split(CalDate date) const override;
};

// Year, month code 1 … 24 (13 … 24 leap months), day; rokuyō in the weekday slot.
class LunisolarCalendar : public CalendarSystem {
public:
    using CalendarSystem::CalendarSystem;
    SplitDate split(CalDate date) const override;
};

// The lunisolar calendar by the Chinese rule (calendar letter C; c in holiday scripts).
class ChineseLunisolarCalendar : public CalendarSystem {
public:
    using CalendarSystem::CalendarSystem;
    SplitDate split(CalDate date) const override;
};

// Tabular Islamic calendar (30-year cycle of 10,631 days); days before 1 Muharram of
// year 1 continue it backwards.
class HijriCalendar : public CalendarSystem {
public:
    using CalendarSystem::CalendarSystem;
    SplitDate split(CalDate date) const override;
};

// J Julian, A lunisolar (the Japanese rule), C lunisolar (the Chinese rule), H Hijri; any
// other letter Gregorian.
std::unique_ptr<CalendarSystem> MakeCalendarSystem(char letter);
std::unique_ptr<CalendarSystem> MakeCalendarSystem(char letter, TimeOfDay offset);

}  // namespace tavoli
