// The jump, count-down, About and memo dialogs as data: their captions, sizes and
// controls, the About text, and the count-down settings as the dialog's fields show them.
#pragma once

#include <string>

#include "dialogs/dialog_layout.h"
#include "settings/view_style.h"

namespace tavoli {

// Ids shared by the dialogs: OK ends a dialog with 1, Cancel with 2.
constexpr int kOkId = 1;
constexpr int kCancelId = 2;

namespace jump_dialog {
constexpr int kYear = 3, kYearLabel = 4, kMonth = 5, kMonthLabel = 6;
}
namespace count_down_dialog {
constexpr int kYear = 3, kYearLabel = 4, kMonth = 5, kMonthLabel = 6, kDay = 7, kDayLabel = 8;
constexpr int kDaysBefore = 9, kDaysBeforeLabel = 10, kInterval = 11, kIntervalLabel = 12, kShown = 13;
}  // namespace count_down_dialog
namespace about_dialog {
constexpr int kText = 2;
}
namespace memo_dialog {
constexpr int kPrompt = 3, kEdit = 4, kRepeatLabel = 5, kRepeat = 6, kUntilLabel = 7, kUntil = 8;
}
namespace search_dialog {
constexpr int kQueryLabel = 3, kQuery = 4, kFoundLabel = 5, kFound = 6;
}
namespace day_trace_dialog {
constexpr int kText = 3;
}

// A month to show: two spin edits, year 1 … 3999 and month 1 … 12, with their units.
const DialogLayout& JumpDialogLayout();
// The count-down's target date, the days before it, the interval and "Show counter".
const DialogLayout& CountDownDialogLayout();
// One label with the About text (its table entry has no text of its own) and OK.
const DialogLayout& AboutDialogLayout();
// The memo editor: the prompt, an edit of several lines, how the memo repeats and until
// when, OK and Cancel. Its caption is empty: the application's title is shown instead.
const DialogLayout& MemoDialogLayout();
// The search of the memos: what to find, the memos found, Show and Close.
const DialogLayout& SearchDialogLayout();
// "Why this day?": the trace of a day in a text box that grows with it, and OK.
const DialogLayout& DayTraceDialogLayout();

// The About label: the application's title, "ver." and the file version, the notice and
// the web site, one to a line.
std::string AboutText();

// The count-down as the dialog shows it. The spin edit "days before" shows the range
// negated: the view counts days before the target as a negative range.
struct CountDownFields {
    int year = 0;
    int month = 0;
    int day = 0;
    int daysBefore = 0;
    int interval = 1;
    bool shown = false;

    bool operator==(const CountDownFields& o) const {
        return year == o.year && month == o.month && day == o.day && daysBefore == o.daysBefore &&
               interval == o.interval && shown == o.shown;
    }
};
CountDownFields FieldsOfCountDown(const CountDown& countDown);
// The target is the date of the three fields as they are (day 31 of a 30-day month is
// the first of the next month).
CountDown CountDownOfFields(const CountDownFields& fields);
// What OK gives: each field as the user left it, but a number left as it was shown keeps
// the value the dialog was opened with (a range beyond the spinner's ±1000 cannot be
// shown). "Show counter" is always as left.
CountDownFields KeptFields(const CountDownFields& opened, const CountDownFields& shown, const CountDownFields& left);

}  // namespace tavoli
