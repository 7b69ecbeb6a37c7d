// The jump, count-down, About and memo dialogs as data: their layouts pass the checks
// under every system font's units, their texts in English, Japanese and Chinese, the
// About text and the count-down's fields.
#include "dialogs/small_dialogs_layout.h"

#include <gtest/gtest.h>

#include <climits>

#include "dialogs/message_box_layout.h"
#include "framework/messages.h"
#include "framework/platform.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

struct NamedLayout {
    const char* name;
    const DialogLayout& layout;
    int focus;  // where the focus starts: the first field, or OK with nothing to type
};

std::vector<NamedLayout> AllLayouts() {
    return {{"jump", JumpDialogLayout(), jump_dialog::kYear},
            {"count-down", CountDownDialogLayout(), count_down_dialog::kYear},
            {"about", AboutDialogLayout(), kOkId},
            {"memo", MemoDialogLayout(), memo_dialog::kEdit},
            {"why this day", DayTraceDialogLayout(), kOkId}};
}

TEST(SmallDialogLayouts, PassTheChecksUnderEverySystemFont) {
    const DialogBaseUnits fonts[] = {kSmallestBaseUnits, {9, 16}, {8, 18}, {10, 20}};
    for (const NamedLayout& dialog : AllLayouts()) {
        for (const DialogBaseUnits& units : fonts) {
            EXPECT_EQ(CheckDialogLayout(dialog.layout, units), std::vector<std::string>{})
                << dialog.name << " at " << units.x << " x " << units.y;
        }
        const ControlSpec* ok = dialog.layout.Find(kOkId);
        ASSERT_NE(ok, nullptr) << dialog.name;
        EXPECT_EQ(ok->kind, ControlKind::kButton) << dialog.name;
        EXPECT_EQ(ok->Text(), "OK") << dialog.name;
        EXPECT_EQ(InitialFocusId(dialog.layout), dialog.focus) << dialog.name;
    }
    // The sizes hold the buttons with a margin: at the height the buttons were first
    // given, a 16-pixel system font cut them off.
    DialogLayout jump = JumpDialogLayout();
    jump.heightUnits = 36;
    EXPECT_EQ(CheckDialogLayout(jump),
              (std::vector<std::string>{"control 1 at (10, 50, 90, 74) reaches outside the 200 x 72 dialog",
                                        "control 2 at (100, 50, 180, 74) reaches outside the 200 x 72 dialog"}));
}

// Texts in UTF-8 for each language: English, Japanese, simplified Chinese.
struct TextCase {
    const char* what;
    const DialogLayout& layout;
    int id;  // 0: the caption
    const char* english;
    const char* japanese;
    const char* chinese;
};

void CheckTexts(int language) {
    const TextCase cases[] = {
        {"jump caption", JumpDialogLayout(), 0, "Jump", "移動", "Jump"},
        {"jump year unit", JumpDialogLayout(), jump_dialog::kYearLabel, "/", "年", "年"},
        {"jump month unit", JumpDialogLayout(), jump_dialog::kMonthLabel, " ", "月", "月"},
        {"jump cancel", JumpDialogLayout(), kCancelId, "Cancel", "キャンセル", "Cancel"},
        {"count-down caption", CountDownDialogLayout(), 0, "Settings of Countdown", "カウントダウンの設定",
         "Settings of Countdown"},
        {"count-down year unit", CountDownDialogLayout(), count_down_dialog::kYearLabel, "/", "年", "年"},
        {"count-down month unit", CountDownDialogLayout(), count_down_dialog::kMonthLabel, "/", "月", "/"},
        {"count-down day unit", CountDownDialogLayout(), count_down_dialog::kDayLabel, "", "日", "号"},
        {"days before", CountDownDialogLayout(), count_down_dialog::kDaysBeforeLabel, "days before", "日前から",
         "days before"},
        {"interval", CountDownDialogLayout(), count_down_dialog::kIntervalLabel, "each days", "日おきに表示",
         "each days"},
        {"show counter", CountDownDialogLayout(), count_down_dialog::kShown, "Show counter(&D)",
         "カウンターを表示する(&D)", "Show counter(&D)"},
        {"about caption", AboutDialogLayout(), 0, "About", "バージョン情報", "About"},
        {"memo cancel", MemoDialogLayout(), kCancelId, "Cancel", "キャンセル", "Cancel"},
        {"why this day caption", DayTraceDialogLayout(), 0, "Why this day?", "この日の理由", "Why this day?"},
    };
    for (const TextCase& c : cases) {
        std::string text;
        if (c.id == 0) {
            text = ResolveText(c.layout.caption);
        } else {
            const ControlSpec* control = c.layout.Find(c.id);
            ASSERT_NE(control, nullptr) << c.what;
            text = control->Text();
        }
        const char* expected[] = {c.english, c.japanese, c.chinese};
        EXPECT_EQ(CurrentPlatform().ToUtf8(text), expected[language]) << c.what;
    }
}

void CheckAboutText(bool japanese) {
    SetApplicationName("Tavoli Test");
#ifdef _WIN32
    const std::string version = "1.2.3.4";  // the test programs' version resource
#else
    const std::string version;  // host programs have no version resource
#endif
    const std::string notice = japanese ? "フリーソフトウェアです。無保証です。" : "Free software. No warranty.";
    EXPECT_EQ(CurrentPlatform().ToUtf8(AboutText()),
              "Tavoli Test\nver." + version + "\n" + notice + "\nhttps://brenholt.example/tavoli/");
    SetApplicationName("");
}

#ifdef _WIN32

TEST(SmallDialogTexts, InTheSystemsLanguage) {
    const bool japanese = SystemPlatform().AnsiCodePage() == kCodePageJapanese;
    CheckTexts(japanese ? 1 : 0);
    CheckAboutText(japanese);
}

#else

class LanguageScope {
public:
    LanguageScope(int codePage, const char* localeName) : scope_(host_) {
        host_.SetCodePage(codePage);
        host_.SetAbbreviatedLanguageName(std::string(localeName));
    }

private:
    HostPlatform host_;
    ScopedPlatform scope_;
};

TEST(SmallDialogTexts, EnglishJapaneseAndChinese) {
    {
        LanguageScope english(kCodePageWestern, "ENU");
        CheckTexts(0);
        CheckAboutText(false);
    }
    {
        LanguageScope japanese(kCodePageJapanese, "JPN");
        CheckTexts(1);
        CheckAboutText(true);
    }
    {
        LanguageScope chinese(kCodePageSimplifiedChinese, "CHS");
        CheckTexts(2);
    }
}

#endif

TEST(CountDownFields, RangeShownNegatedAndTargetSplit) {
    struct Case {
        CountDown countDown;
        CountDownFields fields;
    } cases[] = {
        {{false, CalDate(2024, 12, 25), -7, 2}, {2024, 12, 25, 7, 2, false}},  // 7 days before
        {{true, CalDate(2024, 12, 25), 10, 1}, {2024, 12, 25, -10, 1, true}},  // 10 days after
        {{true, CalDate(1, 1, 1), 0, 1000}, {1, 1, 1, 0, 1000, true}},
        {{true, CalDate(3999, 12, 31), -1000, 7}, {3999, 12, 31, 1000, 7, true}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FieldsOfCountDown(c.countDown), c.fields) << c.countDown.range;
        EXPECT_EQ(CountDownOfFields(c.fields), c.countDown) << c.countDown.range;
    }
    // The fields as the user leaves them: a day past the month's end runs into the next.
    EXPECT_EQ(CountDownOfFields({2024, 4, 31, 0, 1, true}).target, CalDate(2024, 5, 1));
    EXPECT_EQ(CountDownOfFields({2024, 4, 31, 0, 1, true}).range, 0);
    // Ranges without a negation in an int.
    EXPECT_EQ(FieldsOfCountDown({true, CalDate(2024, 1, 1), INT_MIN, 1}).daysBefore, INT_MAX);
    EXPECT_EQ(CountDownOfFields({2024, 1, 1, INT_MIN, 1, true}).range, INT_MAX);

    // OK keeps a range the field could not show unless the field was changed; "Show
    // counter" is taken as left.
    const CountDownFields opened{2024, 12, 25, 5000, 0, true}, shown{2024, 12, 25, 1000, 1, true};
    EXPECT_EQ(KeptFields(opened, shown, shown), opened);
    EXPECT_EQ(KeptFields(opened, shown, {2024, 11, 25, 10, 1, false}), (CountDownFields{2024, 11, 25, 10, 0, false}));
}

// The script's error box: a short text beside the icon, a tall one, a wide one, at three
// scales. Nothing cut or overlapping, the text at the size it was measured, OK centred.
TEST(MessageBoxLayout, PartsInsideAndApart) {
    const Size texts[] = {{120, 13}, {200, 300}, {900, 26}};
    for (const int dpi : {96, 144, 192}) {
        const Size icon{ScaleToDpi(32, dpi), ScaleToDpi(32, dpi)}, button{ScaleToDpi(75, dpi), ScaleToDpi(23, dpi)};
        for (const Size& text : texts) {
            const MessageBoxLayout box = LayOutMessageBox(text, icon, button, dpi);
            const Rect client{0, 0, box.client.width, box.client.height};
            for (const Rect& part : {box.icon, box.text, box.button}) EXPECT_EQ(Intersect(part, client), part) << dpi;
            EXPECT_TRUE(Intersect(box.icon, box.text).Empty() && Intersect(box.text, box.button).Empty() &&
                        Intersect(box.icon, box.button).Empty())
                << dpi << " " << text.height;
            EXPECT_EQ((Size{box.text.Width(), box.text.Height()}), text);
            EXPECT_EQ((Size{box.button.Width(), box.button.Height()}), button);
            EXPECT_LE(std::abs(box.button.left - (box.client.width - box.button.right)), 1);
            if (text.height < icon.height) {
                EXPECT_LE(std::abs((box.text.top + box.text.bottom) - (box.icon.top + box.icon.bottom)), 1);
            }
        }
    }
}

}  // namespace
}  // namespace tavoli
