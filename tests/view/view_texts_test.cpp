// The texts of the view in English and Japanese: footer lines in every footer style,
// the window title and the month as plain text.
#include <gtest/gtest.h>

#include "format/date_format.h"
#include "framework/messages.h"
#include "support/test_platform.h"
#include "support/test_view.h"
#include "view/calendar_view.h"
#include "view/view_texts.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

struct Language {
    bool japanese;
};

// A view on May 2024 whose script names 5 May twice and whose memo store has a memo.
class ViewTexts {
public:
    ViewTexts() {
        view.CompileScript("m5 d5 (4) \"Kodomo\"\nm5 d5 \"Tango\"\nm5 d6 (4)");
        view.Memos().SetMemo(CalDate(2024, 5, 5), "dentist");
        view.SetMonth(2024, 5);
    }
    std::vector<std::string> LinesFor(FooterStyle footerStyle, CalDate date) {
        view.SetFooterStyle(footerStyle);
        view.SelectDate(date);
        std::vector<std::string> lines;
        for (const std::string& line : view.FooterLines()) lines.push_back(CurrentPlatform().ToUtf8(line));
        return lines;
    }
    TestView view;
};

using Lines = std::vector<std::string>;

void CheckFooterLines(bool japanese) {
    ViewTexts texts;
    const CalDate may5(2024, 5, 5), may6(2024, 5, 6);
    if (!japanese) {
        EXPECT_EQ(texts.LinesFor(kBottomOneLine, may5), Lines{"MAY 5th (SUN) Kodomo Tango [dentist]"});
        EXPECT_EQ(texts.LinesFor(kBottomTwoLines, may5), (Lines{"2024 May 5th (SUN)", "Kodomo Tango [dentist]"}));
        EXPECT_EQ(texts.LinesFor(kBottomThreeLines, may5), (Lines{"2024 May 5th (SUN)", "Kodomo Tango", "[dentist]"}));
        EXPECT_EQ(texts.LinesFor(kRightThreeLines, may5), (Lines{"24 MAY 5th (SUN)", "", "Kodomo Tango", "[dentist]"}));
        EXPECT_EQ(texts.LinesFor(kRightFourLines, may5), texts.LinesFor(kRightThreeLines, may5));
        EXPECT_EQ(texts.LinesFor(kBottomTwoLines, may6), (Lines{"2024 May 6th (MON)", ""}));  // neither names nor memo
        EXPECT_EQ(texts.LinesFor(kBottomOneLine, may6), Lines{"MAY 6th (MON)"});
    } else {
        EXPECT_EQ(texts.LinesFor(kBottomOneLine, may5), Lines{"5月5日(日) 大安 Kodomo Tango [dentist]"});
        EXPECT_EQ(texts.LinesFor(kBottomTwoLines, may5),
                  (Lines{"5月5日 日 (旧3月27日 己巳 大安)", "Kodomo Tango [dentist]"}));
        EXPECT_EQ(texts.LinesFor(kBottomThreeLines, may5),
                  (Lines{"5月5日 日 (旧3月27日 己巳 大安)", "Kodomo Tango", "[dentist]"}));
        EXPECT_EQ(texts.LinesFor(kRightFourLines, may5),
                  (Lines{"24年5月5日(日)", "旧3月27日 己巳 大安", "Kodomo Tango", "[dentist]"}));
    }
    EXPECT_EQ(texts.LinesFor(kNoFooter, may5), Lines{});
    // Only the memo: the line is the memo alone.
    texts.view.Memos().SetMemo(may6, "x");
    EXPECT_EQ(texts.LinesFor(kBottomTwoLines, may6)[1], "[x]");

    // The footer boxes: bottom rows under the date columns, right rows beside them.
    texts.view.SetFooterStyle(kBottomTwoLines);
    texts.view.SelectDate(may5);
    int bottom = 0;
    for (const TextBox& box : texts.view.TextBoxes()) {
        if (box.color != TextBox::Color::kFooter) continue;
        ++bottom;
        EXPECT_EQ(box.firstColumn, 0);
        EXPECT_EQ(box.lastColumn, 6);
        EXPECT_GE(box.firstRow, texts.view.Layout().topRows + texts.view.Layout().dateRows);
    }
    EXPECT_EQ(bottom, 2);
    texts.view.SetFooterStyle(kRightThreeLines);
    texts.view.SelectDate(may5);
    int right = 0;
    for (const TextBox& box : texts.view.TextBoxes()) {
        if (box.color != TextBox::Color::kFooter) continue;
        ++right;
        EXPECT_EQ(box.firstColumn, 7);
        EXPECT_EQ(box.lastColumn, 9);
    }
    EXPECT_EQ(right, japanese ? 4 : 3);  // the English second line is empty
}

void CheckTitleAndMonthText(bool japanese) {
    TestView view;
    view.SetMonth(2024, 6);
    SetApplicationName("Tavoli Calendar");
    const CalDateTime now(CalDate(2024, 6, 3), TimeOfDay::FromParts(9, 5, 3, 0));
    EXPECT_EQ(WindowTitle(view.Settings(), view.ShownYear(), view.ShownMonth(), now), "Tavoli Calendar");
    view.Change([](SettingsRecord& s) { s.clock = true; });
    EXPECT_EQ(WindowTitle(view.Settings(), view.ShownYear(), view.ShownMonth(), now),
              "Tavoli Calendar [6.03 Mon - 09:05:03]");
    view.Change([](SettingsRecord& s) { s.design.header = kTitleBar; });
    EXPECT_EQ(CurrentPlatform().ToUtf8(WindowTitle(view.Settings(), view.ShownYear(), view.ShownMonth(), now)),
              japanese ? "2024年6月 [6.03 Mon - 09:05:03]" : "2024/6 [6.03 Mon - 09:05:03]");
    view.Change([](SettingsRecord& s) { s.clock = false; });
    EXPECT_EQ(CurrentPlatform().ToUtf8(WindowTitle(view.Settings(), view.ShownYear(), view.ShownMonth(), now)),
              japanese ? "2024年6月" : "2024/6");
    // Views of several months name their range.
    const struct {
        int year, month, count;
        const char *english, *japanese;
    } ranges[] = {{2024, 6, 2, "2024/6", "2024年6月"},
                  {2024, 11, 3, "2024/11 \xE2\x80\x93 2025/1", "2024年11月～2025年1月"},
                  {2024, 6, 6, "2024/6 \xE2\x80\x93 2024/11", "2024年6月～2024年11月"},
                  {2024, 1, 12, "2024", "2024年"}};
    for (const auto& r : ranges) {
        EXPECT_EQ(CurrentPlatform().ToUtf8(WindowTitle(view.Settings(), r.year, r.month, r.count, now)),
                  japanese ? r.japanese : r.english);
    }
    SetApplicationName("");
    if (!japanese) {
        // Without two-byte full-width digits the days keep their bytes: a blank and the digit.
        const std::vector<std::string> text = MonthAsText(view.ShownYear(), view.ShownMonth());
        ASSERT_EQ(text.size(), 8u);
        if (CurrentPlatform().AnsiCodePage() == kCodePageWestern) {
            // 1252 cannot hold the Japanese words: the English ones, in the same columns.
            EXPECT_EQ(text[0], "June 2024");
            EXPECT_EQ(text[1], "Su Mo Tu We Th Fr Sa");
            for (size_t i = 1; i < text.size(); ++i) EXPECT_EQ(text[i].size(), 20u) << i;
            EXPECT_EQ(text[2], std::string(18, ' ') + " 1");
            EXPECT_EQ(text[4], " 9 10 11 12 13 14 15");
        }
        return;
    }

    // June 2024 begins on a Saturday. In code page 932 every week line is 20 bytes, day i
    // of the week at bytes 3i and 3i + 1, 1 … 9 as full-width digits.
    auto sjis = [](const char* utf8) { return CurrentPlatform().FromUtf8(utf8); };
    const std::vector<std::string> june = {
        sjis("2024年 6月"),           sjis("日 月 火 水 木 金 土"),      std::string(18, ' ') + sjis("１"),
        sjis("２ ３ ４ ５ ６ ７ ８"), sjis("９") + " 10 11 12 13 14 15", "16 17 18 19 20 21 22",
        "23 24 25 26 27 28 29",       "30" + std::string(18, ' '),
    };
    EXPECT_EQ(MonthAsText(view.ShownYear(), view.ShownMonth()), june);
    if (CurrentPlatform().AnsiCodePage() == kCodePageJapanese) {
        EXPECT_EQ(june[2], std::string(18, ' ') + "\x82\x50");
        for (size_t i = 1; i < june.size(); ++i) EXPECT_EQ(june[i].size(), 20u) << i;
    }
    // February 2015: a common year's February from a Sunday fills exactly four weeks.
    view.SetMonth(2015, 2);
    const std::vector<std::string> february = {
        sjis("2015年 2月"),           sjis("日 月 火 水 木 金 土"),
        sjis("１ ２ ３ ４ ５ ６ ７"), sjis("８ ９") + " 10 11 12 13 14",
        "15 16 17 18 19 20 21",       "22 23 24 25 26 27 28",
        std::string(20, ' '),         std::string(20, ' '),
    };
    EXPECT_EQ(MonthAsText(view.ShownYear(), view.ShownMonth()), february);
    view.SetFirstDayOfWeek(1);  // the text always starts the week on Sunday
    EXPECT_EQ(MonthAsText(view.ShownYear(), view.ShownMonth()), february);
}

#ifdef _WIN32

TEST(ViewTexts, FooterLinesTitleAndMonthText) {
    PinnedZonePlatform zone(kJapanBias);
    ScopedPlatform scope(zone);
    const bool japanese = CurrentPlatform().AnsiCodePage() == kCodePageJapanese;
    CheckFooterLines(japanese);
    CheckTitleAndMonthText(japanese);
}

#else

class LanguageScope {
public:
    LanguageScope(int codePage, const char* localeName) : zone_(kJapanBias, host_), scope_(zone_) {
        host_.SetCodePage(codePage);
        host_.SetAbbreviatedLanguageName(std::string(localeName));
    }

private:
    HostPlatform host_;
    PinnedZonePlatform zone_;
    ScopedPlatform scope_;
};

TEST(ViewTexts, EnglishFooterLinesAndTitle) {
    LanguageScope english(kCodePageWestern, "ENU");
    CheckFooterLines(false);
    CheckTitleAndMonthText(false);
}

// A day's appointments take the lines the names and the memo leave empty, then the
// footer's further lines; with none free they follow on the last line.
TEST(ViewTexts, AppointmentsInTheFooter) {
    LanguageScope english(kCodePageWestern, "ENU");
    using Lines = std::vector<std::string>;
    const struct {
        Lines before;
        size_t dateLines, capacity, appointments;
        Lines after;
    } cases[] = {
        {{"Mon 20 Name"}, 0, 1, 2, {"Mon 20 Name a +1 more"}},  // the one-line footer
        {{"D", ""}, 1, 2, 1, {"D", "a"}},
        {{"D", "Name [memo]"}, 1, 2, 3, {"D", "Name [memo] a +2 more"}},
        {{"D", "", "[memo]"}, 1, 3, 2, {"D", "a +1 more", "[memo]"}},
        {{"F1", "F2", "Name", ""}, 2, 6, 3, {"F1", "F2", "Name", "a", "b", "c"}},
        {{"F1", "F2", "", ""}, 2, 5, 5, {"F1", "F2", "a", "b", "c +2 more"}},
        {{"D", ""}, 1, 2, 0, {"D", ""}},
    };
    for (const auto& c : cases) {
        std::vector<DayAppointment> appointments;
        for (size_t i = 0; i < c.appointments; ++i) appointments.push_back({false, 0, std::string(1, char('a' + i))});
        Lines lines = c.before;
        PlaceAppointments(appointments, c.dateLines, c.capacity, lines);
        EXPECT_EQ(lines, c.after) << c.before[0] << " " << c.appointments;
    }
}

// Three months side by side as the views of several copy them, and a year in rows of four.
TEST(ViewTexts, MonthsSideBySide) {
    LanguageScope english(kCodePageWestern, "ENU");
    const char* const november[] = {" 1  2  3  4  5  6  7", " 8  9 10 11 12 13 14", "15 16 17 18 19 20 21",
                                    "22 23 24 25 26 27 28", "29 30               ", ""};
    const char* const december[] = {"       1  2  3  4  5", " 6  7  8  9 10 11 12", "13 14 15 16 17 18 19",
                                    "20 21 22 23 24 25 26", "27 28 29 30 31      ", ""};
    const char* const january[] = {"                1  2", " 3  4  5  6  7  8  9", "10 11 12 13 14 15 16",
                                   "17 18 19 20 21 22 23", "24 25 26 27 28 29 30", "31"};
    const std::string weekdays = "Su Mo Tu We Th Fr Sa";
    std::vector<std::string> expected = {"November 2026         December 2026         January 2027",
                                         weekdays + "  " + weekdays + "  " + weekdays};
    for (int row = 0; row < 6; ++row) {
        std::string line = std::string(november[row]).empty() ? std::string(20, ' ') : november[row];
        line +=
            "  " + (std::string(december[row]).empty() ? std::string(20, ' ') : december[row]) + "  " + january[row];
        line.erase(line.find_last_not_of(' ') + 1);
        expected.push_back(line);
    }
    EXPECT_EQ(MonthsAsText(2026, 11, 3, 3), expected);
    const std::vector<std::string> year = MonthsAsText(2026, 1, 12, 4);
    ASSERT_EQ(year.size(), 26u);  // three rows of eight lines, a blank line between them
    EXPECT_EQ(year[8], "");
    EXPECT_EQ(year[18].substr(0, 12), "September 20");
}

TEST(ViewTexts, JapaneseFooterLinesTitleAndMonthText) {
    LanguageScope japanese(kCodePageJapanese, "JPN");
    CheckFooterLines(true);
    CheckTitleAndMonthText(true);
}

#endif

}  // namespace
}  // namespace tavoli
