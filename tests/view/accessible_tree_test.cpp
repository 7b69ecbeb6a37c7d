// What a screen reader is told of the calendar: the items of a view state in reading
// order, their roles, rectangles and states, and their names in English and Japanese.
#include "view/accessible_tree.h"

#include <gtest/gtest.h>

#include "support/test_platform.h"
#include "support/test_view.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

// "child role left,top,right,bottom", and a day's date.
std::string Describe(const AccessibleTree& tree, int child) {
    static const char* const kRoles[] = {"button", "title", "weekday", "week", "day", "group"};
    const AccessibleItem& item = *tree.Child(child);
    const Rect& r = item.rect;
    std::string text = std::to_string(child) + " " + kRoles[static_cast<int>(item.role)] + " " +
                       std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
                       std::to_string(r.bottom);
    return item.role == AccessibleRole::kCell ? text + " " + item.date.Text() : text;
}

// May 2024 starts on a Wednesday; March 2024 on a Friday, its 31st folded under the 24th.
TEST(AccessibleTree, ItemsOfEachDesign) {
    SettableClock clock;  // today 15 May 2024
    ScopedPlatform scope(clock);
    struct Setup {
        int month;
        bool neighbours;
        int count, cursorChild;  // the cursor stays in the cell of 15 May
    };
    const struct {
        Design design;
        Setup setup;
        std::vector<std::string> items;
    } cases[] = {
        {{kTopOneLine, kShowWeekdayIndex, kFiveLines, kBottomTwoLines},
         {5, false, 3 + 7 + 31, 10 + 15},
         {"1 button 4,4,52,40", "2 title 52,4,292,40", "3 button 292,4,340,40", "4 weekday 4,40,52,76",
          "11 day 148,76,196,112 2024/05/01", "41 day 244,220,292,256 2024/05/31"}},
        {{kTopOneLine, kShowWeekdayIndex, kFiveLines, kBottomTwoLines},
         {3, false, 3 + 7 + 31, 10 + 13},
         {"11 day 244,76,292,112 2024/03/01", "34 day 4,220,52,238 2024/03/24", "40 day 292,220,340,256 2024/03/30",
          "41 day 4,238,52,256 2024/03/31"}},
        {{kTopOneLine, kHideWeekdayIndex, kTwoMonths, kNoFooter},
         {5, true, 3 + 70, 3 + 18},
         {"4 day 4,40,52,76 2024/04/28", "73 day 292,364,340,400 2024/07/06"}},
        {{kLeftTwoLines, kShowWeekdayIndexWithWeekNumber, kSixLines, kRightThreeLines},
         {5, false, 1 + 4 + 7 + 6 + 31, 12 + 5 + 8 + 5},
         {"1 title 4,4,100,148", "5 button 52,184,100,220", "6 weekday 148,4,196,40", "13 week 100,40,148,76",
          "14 day 292,40,340,76 2024/05/01"}},
    };
    for (const auto& c : cases) {
        TestView view;
        view.SetDesign(c.design);
        view.SetNeighbourDays(c.setup.neighbours);
        view.SelectDate(CalDate(2024, 5, 15));
        view.SetMonth(2024, c.setup.month);
        const AccessibleTree tree(view);
        ASSERT_EQ(tree.ChildCount(), c.setup.count) << c.items.front();
        EXPECT_EQ(tree.CursorChild(), c.setup.cursorChild) << c.items.front();
        for (const std::string& expected : c.items) {
            const int child = std::stoi(expected);
            EXPECT_EQ(Describe(tree, child), expected);
            EXPECT_EQ(tree.ChildAt({tree.Child(child)->rect.left, tree.Child(child)->rect.bottom - 1}), child);
        }
        // Days can take the focus; only the cursor's has it.
        for (int child = 1; child <= tree.ChildCount(); ++child) {
            const bool day = tree.Child(child)->role == AccessibleRole::kCell;
            EXPECT_EQ(tree.Child(child)->states, !day ? 0u : child == c.setup.cursorChild ? 15u : 3u) << child;
        }
    }
}

// A year: its two buttons, then month by month a group named by it, its weekdays, and its
// weeks each after its number; every day once and in order.
TEST(AccessibleTree, AYearMonthByMonth) {
    SettableClock clock;  // today 15 May 2024
    ScopedPlatform scope(clock);
    for (const int year : {2024, 2026}) {
        TestView view;
        view.SetDesign({kTopOneLine, kShowWeekdayIndexWithWeekNumber, kTwelveMonths, kBottomTwoLines});
        view.SetMonth(year, 5);
        const AccessibleTree tree(view);
        const bool japanese = CurrentLanguage() == PackTag("ja");
        const auto utf8 = [](const std::string& text) { return CurrentPlatform().ToUtf8(text); };
        EXPECT_EQ(utf8(tree.Name()), std::to_string(year) + (japanese ? "年" : ""));
        EXPECT_EQ(utf8(tree.NameOf(1)), japanese ? "前の年" : "Previous year");
        std::vector<CalDate> days;
        std::vector<std::string> groups;
        int weeks = 0, emptyCellGroup = 0;
        for (int child = 3; child <= tree.ChildCount(); ++child) {
            const AccessibleItem& item = *tree.Child(child);
            if (item.role == AccessibleRole::kGrouping) {
                groups.push_back(utf8(tree.NameOf(child)));
                // A cell of its block that shows no day: the group itself.
                const Rect& r = item.rect;
                if (emptyCellGroup == 0) emptyCellGroup = tree.ChildAt({r.right - 2, r.bottom - 2}) == child;
            } else if (item.role == AccessibleRole::kCell) {
                EXPECT_TRUE(days.empty() || item.date == days.back() + 1) << Describe(tree, child);
                EXPECT_EQ(item.date.Month(), static_cast<int>(groups.size())) << Describe(tree, child);
                EXPECT_EQ(tree.ChildAt({item.rect.left, item.rect.top}), child);
                days.push_back(item.date);
            } else if (item.role == AccessibleRole::kRowHeader) {
                ++weeks;
                EXPECT_EQ(tree.Child(child + 1)->role, AccessibleRole::kCell);  // its days follow
            }
        }
        ASSERT_EQ(days.size(), year == 2024 ? 366u : 365u);
        EXPECT_EQ(days.front(), CalDate(year, 1, 1));
        ASSERT_EQ(groups.size(), 12u);
        EXPECT_EQ(groups[2], japanese ? std::to_string(year) + "年3月" : "March " + std::to_string(year));
        EXPECT_GE(weeks, 12 * 4 + 10);
        EXPECT_EQ(emptyCellGroup, 1);
    }
}

#ifndef _WIN32  // in both languages, where a Windows run has one of them

void CheckNames(bool japanese) {
    const auto ansi = [](const char* utf8) { return CurrentPlatform().FromUtf8(utf8); };
    TestView view;
    view.CompileScript(ansi("m5 d3 (4) \"Constitution Day\tja:憲法記念日\"\n"));
    view.Memos().SetMemo(CalDate(2024, 5, 3), "dentist");
    view.SetNeighbourDays(true);
    view.SetMonth(2024, 5);
    const AccessibleTree tree(view);
    const auto day = [](int day) { return 10 + 3 + day; };  // April 28 … 30 come first
    const struct {
        int child;
        const char* english;
        const char* japanese;
    } cases[] = {
        {0, "May 2024", "2024年5月"},
        {2, "2024 May", "2024(令和6)年 5月"},
        {day(14), "Tuesday, 14 May 2024", "2024年5月14日 火曜日"},
        {day(15), "Wednesday, 15 May 2024, today", "2024年5月15日 水曜日 今日"},
        {day(3), "Friday, 3 May 2024, Constitution Day, national holiday, memo: dentist",
         "2024年5月3日 金曜日 憲法記念日 祝日 メモ：dentist"},
        {day(0), "Tuesday, 30 April 2024", "2024年4月30日 火曜日"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CurrentPlatform().ToUtf8(tree.NameOf(c.child)), japanese ? c.japanese : c.english) << c.child;
    }
    // The footer's date line, in Japanese with the lunisolar date.
    const std::string description = CurrentPlatform().ToUtf8(tree.DescriptionOf(day(14)));
    EXPECT_EQ(description.rfind(japanese ? "5月14日 火 (旧" : "2024 May 14th (TUE)", 0), 0u) << description;
}

TEST(AccessibleTree, NamesInEnglishAndJapanese) {
    for (const int codePage : {kCodePageWestern, kCodePageJapanese}) {
        HostPlatform host;
        host.SetCodePage(codePage);
        host.SetAbbreviatedLanguageName(std::string(codePage == kCodePageJapanese ? "JPN" : "ENU"));
        host.SetLocalTime(CalDateTime(CalDate(2024, 5, 15), TimeOfDay::FromParts(10, 0, 0, 0)).ToSystemTime());
        ScopedPlatform scope(host);
        CheckNames(codePage == kCodePageJapanese);
    }
}

#endif

}  // namespace
}  // namespace tavoli
