// The program's own date templates and name lists, as bilingual literals (UTF-8 in the
// source; resolved for the user's language when used).
#pragma once

namespace tavoli {

// Header formats 1–4 and footer formats 1–4 of the calendar view; format.txt may
// replace them.
extern const char* const kDefaultHeaderFormats[4];
extern const char* const kDefaultFooterFormats[4];
// Shown in the footer while the pointer rests on the month title; not replaceable.
extern const char* const kMonthTitleHoverFormat;

extern const char* const kDefaultWeekdayNames;
extern const char* const kDefaultMonthNames;

// The window title in the "Title-bar" header style, and the clock appended to any title.
extern const char* const kTitleBarFormat;
// A year view's title, and the first and last month of a view of three or six.
extern const char* const kTitleBarYearFormat;
extern const char* const kTitleBarRangeFormat;
extern const char* const kTitleClockFormat;

// First line of the memo file, and the memo editor's prompt.
extern const char* const kMemoFileHeaderFormat;
extern const char* const kMemoPromptFormat;

// The month as plain text: its first two lines, in Japanese wherever the code page holds
// it, else in English in the same columns.
extern const char* const kMonthTextTitleFormat;
extern const char* const kMonthTextWeekdays;
extern const char* const kMonthTextEnglishTitleFormat;
extern const char* const kMonthTextEnglishWeekdays;

// The span message: the Japanese weekday is appended to the begin and end literals.
extern const char* const kSpanBeginsFormat;
extern const char* const kSpanEndsFormat;
extern const char* const kSpanJapaneseWeekday;
extern const char* const kSpanLabel;
extern const char* const kSpanDaysUnit;

}  // namespace tavoli
