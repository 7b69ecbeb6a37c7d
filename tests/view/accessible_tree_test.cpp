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

using R = AccessibleRole;

struct Expected {
    int child;
    R role;
    Rect rect;
    const char* date;  // a day's, as yyyy/mm/dd; "" for others
};

// May 2024 starts on a Wednesday, March 2024 on a Friday (its 31st folds under the 24th).
TEST(AccessibleTree, ItemsOfEachDesign) {
    SettableClock clock;  // today 15 May 2024
    ScopedPlatform scope(clock);
    const struct {
        const char* what;
        Design design;
        int month;
        bool neighbours;
        int count, cursorChild;
        std::vector<Expected> items;
    } cases[] = {
        {"default",
         {kTopOneLine, kShowWeekdayIndex, kFiveLines, kBottomTwoLines},
         5,
         false,
         3 + 7 + 31,
         10 + 15,
         {{1, R::kPushButton, {4, 4, 52, 40}, ""},
          {2, R::kStaticText, {52, 4, 292, 40}, ""},
          {3, R::kPushButton, {292, 4, 340, 40}, ""},
          {4, R::kColumnHeader, {4, 40, 52, 76}, ""},
          {11, R::kCell, {148, 76, 196, 112}, "2024/05/01"},
          {41, R::kCell, {244, 220, 292, 256}, "2024/05/31"}}},
        {"split cells",
         {kTopOneLine, kShowWeekdayIndex, kFiveLines, kBottomTwoLines},
         3,
         false,
         3 + 7 + 31,
         10 + 13,  // the cursor stays in its cell: 13 March
         {{11, R::kCell, {244, 76, 292, 112}, "2024/03/01"},
          {34, R::kCell, {4, 220, 52, 238}, "2024/03/24"},  // the upper half
          {40, R::kCell, {292, 220, 340, 256}, "2024/03/30"},
          {41, R::kCell, {4, 238, 52, 256}, "2024/03/31"}}},  // the lower half, last
        {"two months, neighbour days",
         {kTopOneLine, kHideWeekdayIndex, kTwoMonths, kNoFooter},
         5,
         true,
         3 + 70,
         3 + 18,
         {{4, R::kCell, {4, 40, 52, 76}, "2024/04/28"}, {73, R::kCell, {292, 364, 340, 400}, "2024/07/06"}}},
        {"left two lines, week numbers",
         {kLeftTwoLines, kShowWeekdayIndexWithWeekNumber, kSixLines, kRightThreeLines},
         5,
         false,
         1 + 4 + 7 + 6 + 31,
         12 + 5 + 8 + 5,  // after two rows of a week number and their days
         {{1, R::kStaticText, {4, 4, 100, 148}, ""},
          {5, R::kPushButton, {52, 184, 100, 220}, ""},  // =>
          {6, R::kColumnHeader, {148, 4, 196, 40}, ""},
          {13, R::kRowHeader, {100, 40, 148, 76}, ""},
          {14, R::kCell, {292, 40, 340, 76}, "2024/05/01"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestView view;
        view.SetDesign(c.design);
        view.SetNeighbourDays(c.neighbours);
        view.SelectDate(CalDate(2024, 5, 15));
        view.SetMonth(2024, c.month);
        const AccessibleTree tree(view);
        ASSERT_EQ(tree.ChildCount(), c.count);
        EXPECT_EQ(tree.CursorChild(), c.cursorChild);
        for (const Expected& e : c.items) {
            const AccessibleItem& item = *tree.Child(e.child);
            EXPECT_EQ(item.role, e.role) << e.child;
            EXPECT_EQ(item.rect, e.rect) << e.child << ": " << item.rect.left << "," << item.rect.top;
            EXPECT_EQ(item.date.IsNull() || item.role != R::kCell ? "" : item.date.Text(), e.date) << e.child;
            // Each item is found at its own middle.
            EXPECT_EQ(tree.ChildAt({(e.rect.left + e.rect.right) / 2, (e.rect.top + e.rect.bottom) / 2}), e.child);
        }
        // Days can take the focus; only the cursor's has it.
        for (int child = 1; child <= tree.ChildCount(); ++child) {
            const uint32_t states = tree.Child(child)->states;
            const bool day = tree.Child(child)->role == R::kCell;
            EXPECT_EQ(states & (kAccessibleFocusable | kAccessibleSelectable), day ? 3u : 0u) << child;
            EXPECT_EQ((states & (kAccessibleFocused | kAccessibleSelected)) != 0, child == c.cursorChild) << child;
        }
    }
}

TEST(AccessibleTree, AtTwiceTheScaleAndOnAPressedButton) {
    SettableClock clock;
    ScopedPlatform scope(clock);
    TestView view;
    view.SetDpi(192);
    view.SetMonth(2024, 5);
    view.PointerMoved(8 + 6 * 96 + 10, 8 + 10);  // on ">>"
    view.SetPressed(true);
    const AccessibleTree tree(view);
    EXPECT_EQ(tree.Child(3)->rect, (Rect{584, 8, 680, 80}));
    EXPECT_EQ(tree.Child(3)->states, kAccessibleHotTracked | kAccessiblePressed);
    EXPECT_EQ(tree.Child(1)->states, 0u);
    EXPECT_EQ(tree.CursorChild(), 0);  // no day has the focus
    EXPECT_EQ(tree.ChildAt({7, 7}), 0);
}

void CheckNames(bool japanese) {
    const auto ansi = [](const char* utf8) { return CurrentPlatform().FromUtf8(utf8); };
    TestView view;
    view.CompileScript(ansi("m5 d3 (4) \"Constitution Day\tja:憲法記念日\"\n"));
    view.Memos().SetMemo(CalDate(2024, 5, 3), "dentist");
    view.SetNeighbourDays(true);
    view.SetMonth(2024, 5);
    const AccessibleTree tree(view);
    const auto dayChild = [](int day) { return 10 + 3 + day; };  // April 28 … 30 come first
    const struct {
        int child;
        const char* english;
        const char* japanese;
    } cases[] = {
        {0, "May 2024", "2024年5月"},
        {1, "Previous month", "前の月"},
        {2, "2024 May", "2024(令和6)年 5月"},
        {4, "Sunday", "日曜日"},
        {dayChild(14), "Tuesday, 14 May 2024", "2024年5月14日 火曜日"},
        {dayChild(15), "Wednesday, 15 May 2024, today", "2024年5月15日 水曜日 今日"},
        {dayChild(3), "Friday, 3 May 2024, Constitution Day, national holiday, memo: dentist",
         "2024年5月3日 金曜日 憲法記念日 祝日 メモ：dentist"},
        {dayChild(0), "Tuesday, 30 April 2024", "2024年4月30日 火曜日"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CurrentPlatform().ToUtf8(tree.NameOf(c.child)), japanese ? c.japanese : c.english) << c.child;
    }
    EXPECT_EQ(tree.DefaultActionOf(1), ansi(japanese ? "押す" : "Press"));
    EXPECT_EQ(tree.DefaultActionOf(dayChild(14)), ansi(japanese ? "メモを編集" : "Edit memo"));
    EXPECT_EQ(tree.DefaultActionOf(4), "");
    if (!japanese) {
        EXPECT_EQ(tree.DescriptionOf(dayChild(14)), "2024 May 14th (TUE)");  // the footer's date line
    }
}

#ifdef _WIN32

TEST(AccessibleTree, NamesInTheSystemsLanguage) {
    SettableClock clock;
    ScopedPlatform scope(clock);
    CheckNames(CurrentPlatform().AnsiCodePage() == kCodePageJapanese);
}

#else

void CheckNamesIn(int codePage, const char* language) {
    HostPlatform host;
    host.SetCodePage(codePage);
    host.SetAbbreviatedLanguageName(std::string(language));
    host.SetLocalTime(CalDateTime(CalDate(2024, 5, 15), TimeOfDay::FromParts(10, 0, 0, 0)).ToSystemTime());
    ScopedPlatform scope(host);
    CheckNames(codePage == kCodePageJapanese);
}

TEST(AccessibleTree, NamesInEnglishAndJapanese) {
    CheckNamesIn(kCodePageWestern, "ENU");
    CheckNamesIn(kCodePageJapanese, "JPN");
}

#endif

}  // namespace
}  // namespace tavoli
