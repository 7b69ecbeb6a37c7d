// The kinds and names the view keeps for the days around the shown month: the script's
// own answers, kept until the month or the script changes.
#include "view/day_kind_memo.h"

#include <gtest/gtest.h>

#include "framework/delegating_platform.h"
#include "view/calendar_view.h"

namespace tavoli {
namespace {

std::string Names(const std::vector<NameEntry>& names) {
    std::string text;
    for (const NameEntry& n : names) text += n.kind + ":" + n.name + ";";
    return text;
}

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
                ASSERT_EQ(Names(memo.NamesOf(script, d)), Names(NamesOf(script, d))) << d.Text() << " pass " << pass;
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
    EXPECT_EQ(Names(memo.NamesOf(script, day)), "4:A;");
    // The memo does not see the script change: the kept answers stay until it is told.
    script = Compiled("m5 d3 (3) \"B\"\n");
    EXPECT_EQ(memo.KindOf(script, day), "4");
    EXPECT_EQ(Names(memo.NamesOf(script, day)), "4:A;");
    memo.Cover(2024, 5);  // the same month keeps them
    EXPECT_EQ(memo.KindOf(script, day), "4");
    memo.Clear();
    memo.Cover(2024, 5);
    EXPECT_EQ(memo.KindOf(script, day), "3");
    EXPECT_EQ(Names(memo.NamesOf(script, day)), "3:B;");
    // Another month forgets the last month's answers.
    script = Compiled("m5 d3 (2) \"C\"\n");
    memo.Cover(2024, 6);
    memo.Cover(2024, 5);
    EXPECT_EQ(memo.KindOf(script, day), "2");
    EXPECT_EQ(Names(memo.NamesOf(script, day)), "2:C;");
}

// The view forgets what it kept whenever its script is reached for writing, which every
// compilation does.
TEST(DayKindMemo, TheViewForgetsWhenItsScriptIsCompiledAgain) {
    PinnedZonePlatform zone(-540);
    ScopedPlatform scope(zone);
    CalendarView view;
    std::vector<std::string> report;
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
        ASSERT_EQ(view.Script().Compile(step.script, report), kSuccess) << step.script;
        view.UpdateFooterLines();
        for (int pass = 0; pass < 2; ++pass) {
            EXPECT_EQ(view.KindOfDay(CalDate(2024, 5, 3)), step.kind) << step.script;
            ASSERT_EQ(view.FooterLines().size(), 2u);
            EXPECT_EQ(view.FooterLines()[1], step.footerNames) << step.script;
        }
    }
    // Clearing the script is a change too.
    view.Script().Clear();
    EXPECT_EQ(view.KindOfDay(CalDate(2024, 5, 3)), "");
}

TEST(DayKindMemo, TheViewWithAndWithoutCachingAgrees) {
    PinnedZonePlatform zone(-540);
    ScopedPlatform scope(zone);
    CalendarView cached, direct;
    direct.SetCaching(false);
    std::vector<std::string> report;
    ASSERT_EQ(cached.Script().Compile(kScript, report), kSuccess);
    ASSERT_EQ(direct.Script().Compile(kScript, report), kSuccess);
    for (int month = 1; month <= 12; ++month) {
        cached.SetMonth(2024, month);
        direct.SetMonth(2024, month);
        for (CalDate d = CalDate(2024, month, 1) - 10; d <= CalDate(2024, month, 1) + 45; ++d) {
            ASSERT_EQ(cached.KindOfDay(d), direct.KindOfDay(d)) << d.Text();
            ASSERT_EQ(Names(cached.NamesOfDay(d)), Names(direct.NamesOfDay(d))) << d.Text();
        }
    }
}

}  // namespace
}  // namespace tavoli
