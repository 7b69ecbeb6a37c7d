// The kinds the painter keeps for the days around the shown month: the script's own
// answers, kept until the month or the script changes.
#include "view/day_kind_memo.h"

#include <gtest/gtest.h>

#include "framework/delegating_platform.h"
#include "support/fake_glyph_source.h"
#include "support/test_view.h"
#include "view/painter.h"

namespace tavoli {
namespace {

HolidayScript Compiled(const std::string& text) {
    HolidayScript script;
    std::vector<std::string> report;
    EXPECT_EQ(script.Compile(text, report), kSuccess) << (report.empty() ? "" : report[0]);
    return script;
}

// Lunisolar rules in two zones, the moon, an equinox, a block with a substitute rule.
const char* const kScript =
    "#weekday 0 (3)\n"
    "#begin\n"
    "m1 d1 (4) \"New Year\"\n"
    "s359 :+0900 s0 >1 :+0900 (4) \"Equinox\"\n"
    "m5 d3-5 (4) \"Golden\"\n"
    "#end\n"
    "w1 x1 <1 (4) \"Substitute\"\n"
    "m?a1 :+0900 d?a1 :+0900 (5) \"Old New Year\"\n"
    "m?a8 :-0500 d?a15 :-0500 (5) \"Harvest Moon\"\n"
    "l175-184 \"Full\"\n";

TEST(DayKindMemo, AnswersAsTheScriptForEveryDayOfManyMonths) {
    const HolidayScript script = Compiled(kScript);
    DayKindMemo memo;
    // Months visited in no order, each asked twice (the second time from the memo), and
    // days beyond what the memo keeps.
    const int months[][2] = {{2024, 3}, {2024, 2}, {2023, 9}, {2024, 5}, {2025, 1}, {2024, 3}, {1999, 12}};
    for (const auto& m : months) {
        memo.Cover(m[0], m[1]);
        const CalDate first(m[0], m[1], 1);
        for (int pass = 0; pass < 2; ++pass) {
            for (CalDate d = first - 40; d <= first + 130; ++d) {
                ASSERT_EQ(memo.KindOf(script, d), KindOf(script, d)) << d.Text() << " pass " << pass;
            }
        }
    }
}

TEST(DayKindMemo, KeepsAnswersUntilClearedOrAnotherMonth) {
    HolidayScript script = Compiled("m5 d3 (4) \"A\"\n");
    DayKindMemo memo;
    memo.Cover(2024, 5);
    const CalDate day(2024, 5, 3);
    EXPECT_EQ(memo.KindOf(script, day), "4");
    // The memo does not see the script change: the kept answers stay until it is told.
    script = Compiled("m5 d3 (3) \"B\"\n");
    EXPECT_EQ(memo.KindOf(script, day), "4");
    memo.Cover(2024, 5);  // the same month keeps them
    EXPECT_EQ(memo.KindOf(script, day), "4");
    memo.Clear();
    memo.Cover(2024, 5);
    EXPECT_EQ(memo.KindOf(script, day), "3");
    // Another month forgets the last month's answers.
    script = Compiled("m5 d3 (2) \"C\"\n");
    memo.Cover(2024, 6);
    memo.Cover(2024, 5);
    EXPECT_EQ(memo.KindOf(script, day), "2");
}

// The painter forgets the kinds it kept whenever the document's script changes; the view's
// footer asks the script itself.
TEST(DayKindMemo, ThePainterForgetsWhenTheScriptChanges) {
    PinnedZonePlatform zone(-540);
    ScopedPlatform scope(zone);
    TestView view;
    PaintCaches caches;
    FakeGlyphSource glyphs;
    view.SelectDate(CalDate(2024, 5, 3));
    struct Step {
        const char* script;
        const char* kind;
        const char* footerNames;
    } steps[] = {
        {"m5 d3 (4) \"Constitution\"\n", "4", "Constitution"},
        {"m5 d3 (3) \"Other\"\nm5 d3 \"Second\"\n", "3", "Other Second"},
        {"", "", ""},
        {"m5 d3 (5) \"Again\"\n", "5", "Again"},
    };
    for (const Step& step : steps) {
        ASSERT_EQ(view.CompileScript(step.script), kSuccess) << step.script;
        for (int pass = 0; pass < 2; ++pass) {
            CalendarPainter painter(view, glyphs, caches);
            EXPECT_EQ(painter.KindOfDay(CalDate(2024, 5, 3)), step.kind) << step.script;
            ASSERT_EQ(view.FooterLines().size(), 2u);
            EXPECT_EQ(view.FooterLines()[1], step.footerNames) << step.script;
        }
    }
}

TEST(DayKindMemo, ThePainterWithAndWithoutCachingAgrees) {
    PinnedZonePlatform zone(-540);
    ScopedPlatform scope(zone);
    TestView view;
    ASSERT_EQ(view.CompileScript(kScript), kSuccess);
    PaintCaches cached, direct;
    direct.SetCaching(false);
    FakeGlyphSource glyphs;
    for (int month = 1; month <= 12; ++month) {
        view.SetMonth(2024, month);
        CalendarPainter withMemo(view, glyphs, cached), without(view, glyphs, direct);
        for (CalDate d = CalDate(2024, month, 1) - 10; d <= CalDate(2024, month, 1) + 45; ++d) {
            ASSERT_EQ(withMemo.KindOfDay(d), without.KindOfDay(d)) << d.Text();
        }
    }
}

}  // namespace
}  // namespace tavoli
