// The four styles of the calendar's design: header, weekday row, date rows and footer.
#pragma once

namespace tavoli {

enum HeaderStyle { kTopOneLine = 0, kLeftTwoLines = 1, kTitleBar = 2 };
enum WeekdayStyle {
    kShowWeekdayIndex = 0,
    kHideWeekdayIndex = 1,
    kShowWeekdayIndexWithWeekNumber = 2,
    kHideWeekdayIndexWithWeekNumber = 3
};
// Beyond the two months: the views of several month blocks, each day shown once.
enum RowsStyle { kSixLines = 0, kFiveLines = 1, kTwoMonths = 2, kThreeMonths = 3, kSixMonths = 4, kTwelveMonths = 5 };
constexpr int kRowsStyleCount = 6;
// The months a rows style shows.
constexpr int MonthsOf(RowsStyle rows) {
    constexpr int kMonths[kRowsStyleCount] = {1, 1, 2, 3, 6, 12};
    return rows >= 0 && rows < kRowsStyleCount ? kMonths[rows] : 1;
}
enum FooterStyle {
    kBottomOneLine = 0,
    kBottomTwoLines = 1,
    kBottomThreeLines = 2,
    kRightThreeLines = 3,
    kRightFourLines = 4,
    kNoFooter = 5
};

// The four styles of the design.
struct Design {
    HeaderStyle header = kTopOneLine;
    WeekdayStyle weekday = kShowWeekdayIndex;
    RowsStyle rows = kFiveLines;
    FooterStyle footer = kBottomTwoLines;

    // Styles from stored numbers: one out of range becomes 0.
    static Design FromValues(int header, int weekday, int rows, int footer);
    bool operator==(const Design& o) const = default;
};

}  // namespace tavoli
