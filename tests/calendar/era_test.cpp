#include "calendar/era.h"

#include <gtest/gtest.h>

#include <tuple>

#include "framework/lang_text.h"
#include "framework/platform.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

const char* const kJapaneseList = "1989/1/8=\"平成\" 1926/12/25=\"昭和\" 1912/7/30=\"大正\" 1868=\"明治\" 2088=\"\"";

TEST(Era, DefaultJapaneseList) {
    struct Case {
        CalDate date;
        const char* name;
        int year;
    } cases[] = {
        {CalDate(1989, 1, 8), "平成", 1},    {CalDate(1989, 1, 7), "昭和", 64},
        {CalDate(2019, 5, 1), "平成", 31},  // the list, not the program, decides later eras
        {CalDate(1868, 1, 1), "明治", 1},    {CalDate(1912, 7, 29), "明治", 45},
        {CalDate(1912, 7, 30), "大正", 1},   {CalDate(1926, 12, 25), "昭和", 1},
        {CalDate(2087, 12, 31), "平成", 99},
    };
    for (const Case& c : cases) {
        const EraLookup era = LookUpEra(kJapaneseList, c.date);
        EXPECT_TRUE(era.found) << c.date.Text();
        EXPECT_EQ(era.name, c.name) << c.date.Text();
        EXPECT_EQ(era.year, c.year) << c.date.Text();
    }
    const EraLookup before = LookUpEra(kJapaneseList, CalDate(1867, 12, 31));
    EXPECT_FALSE(before.found);
    EXPECT_EQ(before.name, "");
    EXPECT_EQ(before.year, 0);
    const EraLookup ended = LookUpEra(kJapaneseList, CalDate(2088, 1, 1));  // "" ends the era
    EXPECT_FALSE(ended.found);
    EXPECT_EQ(ended.name, "");
}

TEST(Era, DefaultListOfEachLanguage) {
    const CalDate d(2024, 5, 5);
    EXPECT_EQ(SelectSegment(kEarlierDefaultEraLists[0], PackTag("ja")), kJapaneseList);
    const std::string_view japanese = SelectSegment(kDefaultEraList, PackTag("ja"));
    for (const auto& [date, name, year] : {std::tuple{CalDate(2019, 4, 30), "平成", 31},
                                           {CalDate(2019, 5, 1), "令和", 1},
                                           {CalDate(2026, 12, 8), "令和", 8},
                                           {CalDate(2117, 12, 31), "令和", 99},
                                           {CalDate(2118, 1, 1), "", 0}}) {
        const EraLookup era = LookUpEra(japanese, date);
        EXPECT_EQ(era.name, name) << date.Text();
        if (era.found) {
            EXPECT_EQ(era.year, year) << date.Text();
        }
    }
    EXPECT_EQ(SelectSegment(kDefaultEraList, PackTag("en")), "");
    EXPECT_EQ(SelectSegment(kDefaultEraList, PackTag("ch")), "");
    const EraLookup korean = LookUpEra(SelectSegment(kDefaultEraList, PackTag("kr")), d);
    EXPECT_EQ(korean.name, "단군");
    EXPECT_EQ(korean.year, 2024 + 2332);
    const EraLookup taiwan = LookUpEra(SelectSegment(kDefaultEraList, PackTag("tw")), d);
    EXPECT_EQ(taiwan.name, "民國");
    EXPECT_EQ(taiwan.year, 113);
    EXPECT_FALSE(LookUpEra(SelectSegment(kDefaultEraList, PackTag("en")), d).found);
}

// A stored list equal to an earlier default, word for word, is read as today's default;
// any list the user made stays.
TEST(Era, StoredListFromAnEarlierDefault) {
#ifdef _WIN32
    if (CurrentLanguage() != PackTag("ja")) GTEST_SKIP() << "the Japanese lists need the Japanese code page";
#else
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    japanese.SetAbbreviatedLanguageName(std::string("JPN"));
    ScopedPlatform scope(japanese);
#endif
    const std::string current = ResolveText(kDefaultEraList);
    const std::string earlier = ResolveText(kEarlierDefaultEraLists[0]);
    const std::string shortened = earlier.substr(0, earlier.rfind(' '));
    ASSERT_NE(current, earlier);
    struct Case {
        std::string stored, expected;
    } cases[] = {
        {earlier, current},
        {"  " + earlier + " ", current},  // blanks between the words do not count
        {shortened, shortened},
        {earlier + " 3000=\"X\"", earlier + " 3000=\"X\""},
        {" ", " "},  // an emptied list stays empty
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(EraListFromStored(c.stored), c.expected) << c.stored;
}

TEST(Era, SyntaxAndSeparators) {
    const CalDate d(2024, 5, 5);
    struct Case {
        const char* list;
        bool found;
        const char* name;
        int year;
    } cases[] = {
        {"2000/1/1=\"A\" 2000/1/1=\"B\"", true, "A", 25},     // the first of equal starts wins
        {"2000=\"A\" 2010=\"B\" 2005=\"C\"", true, "B", 15},  // the latest start, in any order
        {"2030=\"A\"", false, "", 0},
        {"", false, "", 0},
        {"   ", false, "", 0},
        {"2000 / 6 / 1 @ 5 = \"A\"", true, "A", 29},  // spaces around the separators
        {"2000/6/1@5=  \"A\"", true, "A", 29},
        {"2000=\"A\"\t2010=\"B\"", true, "B", 15},  // a tab before a number
        {"2000\t=\"A\"", true, "A", 25},            // a tab after a number
        {"2000=\t\"A\"", false, "", 0},             // a tab before the quote fails
        {"2000=\"A\"\t", false, "", 0},             // a tab next to no number fails
        {"=\"Z\"", true, "Z", 2025},                // year 0, offset 1
        {"2000@0=\"A\"", true, "A", 24},
        {"2000/13=\"A\"", true, "A", 24},     // month 13 of 2000: January 2001
        {"2000=\"A\" 2000=", true, "A", 25},  // an empty name on an equal start loses
        {"2000=\"A\" 2010=", false, "", 15},  // an empty name ends the era
        {"2000=\"a=b\"", true, "a=b", 25},
        {"2000/1/1/1=\"A\"", false, "", 0},  // four date parts
        {"2000@1@2=\"A\"", false, "", 0},    // "@" after the offset
        {"2000=\"A", false, "", 0},          // unterminated name
        {"2000", false, "", 0},              // no "="
        {"2000 \"A\"", false, "", 0},
        {"-2000=\"A\"", false, "", 0},
        {"2000=\"A\" x", false, "", 0},  // an error anywhere fails all
        {"2000=\"A\" 2010=\"B\" 2100=\"", false, "", 0},
        {"99999999999999=\"A\"", false, "", 0},  // huge numbers do not overflow
    };
    for (const Case& c : cases) {
        const EraLookup era = LookUpEra(c.list, d);
        EXPECT_EQ(era.found, c.found) << c.list;
        EXPECT_EQ(era.name, c.name) << c.list;
        EXPECT_EQ(era.year, c.year) << c.list;
    }
}

}  // namespace
}  // namespace tavoli
