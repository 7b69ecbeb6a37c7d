// Dates from text (memo keys, settings): any text gives some date, and what the date
// says of itself is consistent.
#include <cstdlib>

#include "calendar/cal_date.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavoli;
    const CalDate date = CalDate::FromText(std::string_view(reinterpret_cast<const char*>(data), size));
    const YearMonthDay ymd = date.Parts();
    if (!date.IsNull() && CalDate(ymd.year, ymd.month, ymd.day) != date) std::abort();
    if (date.Weekday() < 0 || date.Weekday() > 6) std::abort();
    (void)date.Text();
    // Week numbers run 1 … 54 for real days (the null date has none).
    const int week = WeekNumber(ymd.day, ymd.month, date);
    if (!date.IsNull() && date.Serial() < 0x80000000u && (week < 1 || week > 54)) std::abort();
    (void)CellDate(ymd.year, ymd.month, ymd.day % 7, ymd.day % 6, ymd.year);
    return 0;
}
