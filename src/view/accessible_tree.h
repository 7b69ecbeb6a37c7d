// What a screen reader is told of the calendar: the cells a user can reach, in reading
// order, each with its role, its place in the client area, its name and what it does.
// Plain data made from the view and its document; the window half only hands it to the
// system's accessibility interface.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/cal_date.h"
#include "framework/geometry.h"
#include "view/calendar_view.h"

namespace tavoli {

// A view of several months has a group for each month before its items, named by it.
enum class AccessibleRole { kPushButton, kStaticText, kColumnHeader, kRowHeader, kCell, kGrouping };

// States of an item, as bits.
enum AccessibleState : uint32_t {
    kAccessibleFocusable = 1,
    kAccessibleSelectable = 2,
    kAccessibleFocused = 4,  // the cursor's day
    kAccessibleSelected = 8,
    kAccessibleHotTracked = 16,  // a button under the cursor
    kAccessiblePressed = 32,
};

// One thing a reader can visit: a header button, the month title, a weekday name, a week
// number or a day (a split cell gives two, one per half).
struct AccessibleItem {
    AccessibleRole role = AccessibleRole::kCell;
    Rect rect;  // in client pixels at the view's DPI
    // The cells it covers, and the half of a split cell (−1: the whole cell).
    int firstColumn = 0, lastColumn = 0, firstRow = 0, lastRow = 0, half = -1;
    CalDate date;       // a day; for the month title, the first of the month
    int monthStep = 0;  // a button: the months it steps (−12, −6, −3, −1, 1, 3, 6, 12)
    int weekday = -1;   // a column header: 0 Sunday … 6 Saturday
    int week = 0;       // a row header: the week number
    uint32_t states = 0;

    bool Covers(int column, int row, int cellHalf) const {
        return column >= firstColumn && column <= lastColumn && row >= firstRow && row <= lastRow &&
               (half < 0 || half == cellHalf);
    }
};

class AccessibleTree {
public:
    // The items of the view as it stands; the view must outlive the tree.
    explicit AccessibleTree(const CalendarView& view);

    const std::vector<AccessibleItem>& Items() const { return items_; }
    // Items are numbered from 1, as the system numbers children; 0 stands for the whole.
    const AccessibleItem* Child(int child) const;
    int ChildCount() const { return static_cast<int>(items_.size()); }

    // The whole calendar's name: the shown month in words ("January 2027", "2027年1月").
    std::string Name() const;
    // What is read for an item (texts in the system's code page): a day's weekday, day,
    // month and year, "today", its holiday names, its kind unless it is a normal day, and
    // its memo.
    std::string NameOf(int child) const;
    // More of what the footer shows: a day's date lines, the month title's hover line.
    std::string DescriptionOf(int child) const;
    // What the default action does ("Press", "Edit memo"); empty when there is none.
    std::string DefaultActionOf(int child) const;

    // The day the cursor is on; 0 when it is on no day.
    int CursorChild() const;
    // The item at a client point; 0 when there is none.
    int ChildAt(Point point) const;

private:
    void AddHeader();
    void AddWeekdays();
    void AddDays();
    // A view of several months: its two buttons, then month by month a group, its
    // weekdays, and its weeks each after its number.
    void AddBlocks();
    void AddDay(int column, int row, int half);
    AccessibleItem& Add(AccessibleRole role, int firstColumn, int firstRow, int lastColumn, int lastRow);
    Rect CellsRect(int firstColumn, int firstRow, int lastColumn, int lastRow) const;

    const CalendarView& view_;
    std::vector<AccessibleItem> items_;
};

}  // namespace tavoli
