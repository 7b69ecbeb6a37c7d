// The Japanese lunisolar ("old") calendar, computed on demand from series for the
// longitudes of the Sun and the Moon. There is no table of months.
#pragma once

#include "calendar/cal_date.h"

namespace tavoli {

// Month code 1 … 12 is an ordinary month, 13 … 24 the leap month after month code − 12.
struct LunarDate {
    int year = 0;
    int monthCode = 0;
    int day = 0;
    int rokuyo = 0;  // 1 先勝 … 6 赤口

    int Month() const { return (monthCode - 1) % 12 + 1; }
    int LeapFlag() const { return (monthCode - 1) / 12; }
};

// Apparent longitudes in degrees, [0, 360), at a moment in universal time.
long double SolarLongitude(const CalDateTime& moment);
long double LunarLongitude(const CalDateTime& moment);
// Moon minus Sun in [0, 360).
double Elongation(const CalDateTime& moment);

// The first moment of year Y (from 1 January, universal time) at which the Sun reaches
// the longitude, in whole degrees.
CalDateTime FindSolarLongitude(int year, int longitude);
// The moment before (direction < 0) or after (> 0) the start at which the elongation
// equals the phase in whole degrees (0: the new moon). Direction 0 gives the null date.
CalDateTime FindMoonPhase(const CalDateTime& start, int direction, int phase);

// The lunisolar date of a day in a zone `offset` ahead of universal time.
LunarDate ToLunarDate(CalDate date, TimeOfDay offset);

// The same by the Chinese rule (China, Taiwan, Korea, Vietnam, each at its own offset): the
// month that holds the winter solstice is the 11th, and in a year of thirteen months from
// one 11th month to the next, the first month without a principal term (the Sun crossing no
// multiple of 30°) is the leap month. Where the Japanese rule differs (2033–2034), this
// gives the Chinese month. The rokuyō is computed as for the Japanese date.
LunarDate ToChineseLunarDate(CalDate date, TimeOfDay offset);

}  // namespace tavoli
