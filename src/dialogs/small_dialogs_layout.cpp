#include "dialogs/small_dialogs_layout.h"

#include <limits>

#include "dialogs/control_rules.h"
#include "framework/app_info.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/paths.h"

namespace tavoli {

namespace {

constexpr const char* kCancelText = "Cancel\tja:キャンセル";
constexpr const char* kYearUnit = "/\tja:年\tkr:년\tch:年\ttw:年";
// The fields of a date stand before their units ("/" reads as nothing): named for
// screen readers.
constexpr const char* kYearName = "Year\tja:年";
constexpr const char* kMonthName = "Month\tja:月";
constexpr const char* kDayName = "Day\tja:日";
constexpr int kNone = kEveryPage;
constexpr SettingField kNoField = SettingField::kCount;

using K = ControlKind;

}  // namespace

// The rectangles are pixels while the sizes are dialog units, which grow with the system
// font. Each size holds its controls and a margin of 10 pixels at two pixels per unit,
// the smallest units a system font gives: sized for 2.25 pixels per vertical unit (an
// 18-pixel system font), the buttons of the jump, count-down and About dialogs were cut
// off under a 16-pixel one, and those of the memo editor touched the dialog's edge.

const DialogLayout& JumpDialogLayout() {
    using namespace jump_dialog;
    static const DialogLayout layout{
        "Jump\tja:移動",
        100,
        42,
        {
            {K::kSpinEdit, kYear, {10, 10, 60, 30}, "", "", 1, 3999, kNone, kNoField, kYearName},
            {K::kLabel, kYearLabel, {70, 10, 90, 30}, kYearUnit},
            {K::kSpinEdit, kMonth, {100, 10, 150, 30}, "", "", 1, 12, kNone, kNoField, kMonthName},
            {K::kLabel, kMonthLabel, {160, 10, 180, 30}, " \tja:月\tkr:월\tch:月\ttw:月"},
            {K::kButton, kOkId, {10, 50, 90, 74}, "OK"},
            {K::kButton, kCancelId, {100, 50, 180, 74}, kCancelText},
        }};
    return layout;
}

const DialogLayout& CountDownDialogLayout() {
    using namespace count_down_dialog;
    static const DialogLayout layout{
        "Settings of Countdown\tja:カウントダウンの設定",
        120,
        92,
        {
            {K::kButton, kOkId, {10, 150, 90, 174}, "OK"},
            {K::kButton, kCancelId, {100, 150, 180, 174}, kCancelText},
            {K::kSpinEdit, kYear, {10, 10, 60, 30}, "", "", 1, 3999, kNone, kNoField, kYearName},
            {K::kLabel, kYearLabel, {65, 10, 80, 30}, kYearUnit},
            {K::kSpinEdit, kMonth, {90, 10, 130, 30}, "", "", 1, 12, kNone, kNoField, kMonthName},
            {K::kLabel, kMonthLabel, {135, 10, 150, 30}, "/\tja:月\tkr:월\ttw:月"},
            {K::kSpinEdit, kDay, {160, 10, 200, 30}, "", "", 1, 31, kNone, kNoField, kDayName},
            {K::kLabel, kDayLabel, {205, 10, 220, 40}, "\tja:日\tkr:일\tch:号\ttw:號"},
            // Their labels follow them: "10 days before", "every 7 days".
            {K::kSpinEdit,
             kDaysBefore,
             {10, 50, 100, 70},
             "",
             "",
             -1000,
             1000,
             kNone,
             kNoField,
             "Days before the target\tja:何日前から"},
            {K::kLabel, kDaysBeforeLabel, {110, 50, 220, 70}, "days before\tja:日前から"},
            {K::kSpinEdit,
             kInterval,
             {10, 80, 100, 100},
             "",
             "",
             1,
             1000,
             kNone,
             kNoField,
             "Interval in days\tja:何日おきに表示"},
            {K::kLabel, kIntervalLabel, {110, 80, 220, 100}, "each days\tja:日おきに表示"},
            // As wide as the labels above: a box reaching past the dialog's edge would
            // clip its own text there.
            {K::kCheckBox, kShown, {10, 110, 220, 130}, "Show counter\tja:カウンターを表示する", "(&D)"},
        }};
    return layout;
}

const DialogLayout& AboutDialogLayout() {
    // The label ends inside the dialog, so that a long line wraps instead of being clipped.
    static const DialogLayout layout{"About\tja:バージョン情報",
                                     106,
                                     116,
                                     {
                                         {K::kButton, kOkId, {70, 200, 142, 222}, "OK"},
                                         {K::kLabel, about_dialog::kText, {10, 10, 202, 160}},
                                     }};
    return layout;
}

const DialogLayout& MemoDialogLayout() {
    // Reading order: the prompt, the memo, its rule and end, the buttons.
    static const DialogLayout layout{
        "",
        176,
        124,
        {
            {K::kLabel, memo_dialog::kPrompt, {10, 10, 340, 32}},
            {K::kEdit, memo_dialog::kEdit, {10, 42, 340, 162}},
            {K::kLabel, memo_dialog::kRepeatLabel, {10, 172, 70, 194}, "Repeat\tja:繰り返し", "(&R)"},
            {K::kCombo,
             memo_dialog::kRepeat,
             {75, 172, 205, 272},
             "\"Does not repeat\" \"Every year\" \"Every month\" \"Every week\"\tja:しない 毎年 毎月 毎週"},
            {K::kLabel, memo_dialog::kUntilLabel, {215, 172, 255, 194}, "Until\tja:終了日", "(&U)"},
            {K::kEdit, memo_dialog::kUntil, {260, 172, 340, 194}},
            {K::kButton, kOkId, {100, 206, 172, 228}, "OK"},
            {K::kButton, kCancelId, {188, 206, 260, 228}, kCancelText},
        }};
    return layout;
}

const DialogLayout& SearchDialogLayout() {
    static const DialogLayout layout{
        "Search Memos\tja:メモの検索",
        200,
        150,
        {
            {K::kLabel, search_dialog::kQueryLabel, {10, 10, 70, 32}, "Find\tja:検索", "(&F)"},
            {K::kEdit, search_dialog::kQuery, {75, 10, 390, 32}},
            {K::kLabel,
             search_dialog::kFoundLabel,
             {10, 42, 390, 62},
             "Memos, latest first\tja:メモ (新しい順)",
             "(&M)"},
            {K::kTextBox, search_dialog::kFound, {10, 64, 390, 264}},
            {K::kButton, kOkId, {230, 274, 302, 296}, "Show\tja:表示"},
            {K::kButton, kCancelId, {318, 274, 390, 296}, "Close\tja:閉じる"},
        }};
    return layout;
}

const DialogLayout& DayTraceDialogLayout() {
    static const DialogLayout layout{"Why this day?\tja:この日の理由",
                                     160,
                                     78,
                                     {
                                         {K::kTextBox, day_trace_dialog::kText, {10, 10, 310, 110}},
                                         {K::kButton, kOkId, {10, 120, 90, 144}, "OK"},
                                     }};
    return layout;
}

std::string AboutText() {
    return ApplicationTitle() + "\nver." + VersionString("FileVersion") + "\n" + ResolveText(AppInfo::kNotice) + "\n" +
           AppInfo::kWebSite;
}

CountDownFields FieldsOfCountDown(const CountDown& countDown) {
    const YearMonthDay parts = countDown.target.Parts();
    CountDownFields fields;
    fields.year = parts.year;
    fields.month = parts.month;
    fields.day = parts.day;
    // A range of −2^31 has no negation in an int; no spinner holds either.
    fields.daysBefore =
        countDown.range == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max() : -countDown.range;
    fields.interval = countDown.interval;
    fields.shown = countDown.shown;
    return fields;
}

CountDown CountDownOfFields(const CountDownFields& fields) {
    CountDown countDown;
    countDown.shown = fields.shown;
    countDown.target = CalDate(fields.year, fields.month, fields.day);
    countDown.range =
        fields.daysBefore == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max() : -fields.daysBefore;
    countDown.interval = fields.interval;
    return countDown;
}

CountDownFields KeptFields(const CountDownFields& opened, const CountDownFields& shown, const CountDownFields& left) {
    CountDownFields kept;
    kept.year = KeptUnlessChanged(opened.year, shown.year, left.year);
    kept.month = KeptUnlessChanged(opened.month, shown.month, left.month);
    kept.day = KeptUnlessChanged(opened.day, shown.day, left.day);
    kept.daysBefore = KeptUnlessChanged(opened.daysBefore, shown.daysBefore, left.daysBefore);
    kept.interval = KeptUnlessChanged(opened.interval, shown.interval, left.interval);
    kept.shown = left.shown;  // ticked at every open: OK shows the count-down unless cleared
    return kept;
}

}  // namespace tavoli
