#include "calendar/easter.h"

namespace tavoli {

namespace {

int FloorMod(int a, int m) { return ((a % m) + m) % m; }
int FloorDiv(int a, int m) { return (a - FloorMod(a, m)) / m; }

// The Julian Day Number of a date of the Julian calendar.
uint32_t JulianCalendarDay(int year, int month, int day) {
    const int a = (14 - month) / 12, y = year + 4800 - a, m = month + 12 * a - 3;
    return static_cast<uint32_t>(day + (153 * m + 2) / 5 + 365 * y + FloorDiv(y, 4) - 32083);
}

}  // namespace

CalDate WesternEaster(int year) {
    // The anonymous Gregorian algorithm: the Paschal full moon from the golden number, the
    // century's solar and lunar corrections, then the next Sunday.
    const int a = FloorMod(year, 19), b = FloorDiv(year, 100), c = FloorMod(year, 100);
    const int d = FloorDiv(b, 4), e = FloorMod(b, 4), f = FloorDiv(b + 8, 25), g = FloorDiv(b - f + 1, 3);
    const int h = FloorMod(19 * a + b - d - g + 15, 30);
    const int i = FloorDiv(c, 4), k = FloorMod(c, 4);
    const int l = FloorMod(32 + 2 * e + 2 * i - h - k, 7);
    const int m = FloorDiv(a + 11 * h + 22 * l, 451);
    const int month = FloorDiv(h + l - 7 * m + 114, 31), day = FloorMod(h + l - 7 * m + 114, 31) + 1;
    return CalDate(year, month, day);
}

CalDate OrthodoxEaster(int year) {
    // The Julian computus: a 19-year lunar cycle without corrections, then the Sunday.
    const int d = FloorMod(19 * FloorMod(year, 19) + 15, 30);
    const int e = FloorMod(2 * FloorMod(year, 4) + 4 * FloorMod(year, 7) - d + 34, 7);
    const int month = (d + e + 114) / 31, day = (d + e + 114) % 31 + 1;
    return CalDate::FromSerial(JulianCalendarDay(year, month, day));
}

}  // namespace tavoli
