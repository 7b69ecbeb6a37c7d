#include "format/default_formats.h"

#include <gtest/gtest.h>

#include <vector>

#include "calendar/era.h"
#include "format/date_format.h"
#include "support/test_platform.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

// Each default template resolved for the current language and applied with the default
// era list of that language, the result given back in UTF-8.
std::string Apply(const char* literal, CalDate date) {
    const Platform& p = CurrentPlatform();
    return p.ToUtf8(DateFormat(ResolveText(literal), date, ResolveText(kDefaultEraList)));
}

std::string Apply(const std::string& literal, CalDate date, TimeOfDay time) {
    const Platform& p = CurrentPlatform();
    return p.ToUtf8(DateFormat(ResolveText(literal), CalDateTime(date, time), ResolveText(kDefaultEraList)));
}

struct Expectation {
    std::string what;
    std::string actual;
    std::string expected;
};

std::vector<Expectation> EnglishAndJapanese(bool japanese) {
    const CalDate may1(2024, 5, 1), may5(2024, 5, 5), leap(2023, 3, 22), march7(2024, 3, 7), jan5(2024, 1, 5);
    const TimeOfDay morning = TimeOfDay::FromParts(9, 5, 3, 0);
    auto pick = [japanese](const char* en, const char* ja) { return std::string(japanese ? ja : en); };
    const std::string weekday = japanese ? kSpanJapaneseWeekday : "";
    return {
        {"header 1", Apply(kDefaultHeaderFormats[0], may1), pick("2024 May", "2024(令和6)年 5月")},
        {"header 1, last day of Heisei", Apply(kDefaultHeaderFormats[0], CalDate(2019, 4, 30)),
         pick("2019 April", "2019(平成31)年 4月")},
        {"header 1, first day of Reiwa", Apply(kDefaultHeaderFormats[0], CalDate(2019, 5, 1)),
         pick("2019 May", "2019(令和元)年 5月")},
        {"header 1, 2026", Apply(kDefaultHeaderFormats[0], CalDate(2026, 12, 1)),
         pick("2026 December", "2026(令和8)年 12月")},
        {"header 1, 1989", Apply(kDefaultHeaderFormats[0], CalDate(1989, 2, 1)),
         pick("1989 February", "1989(平成元)年 2月")},
        {"header 1, 1867", Apply(kDefaultHeaderFormats[0], CalDate(1867, 12, 1)), pick("1867 December", "1867年 12月")},
        {"header 2", Apply(kDefaultHeaderFormats[1], may1), "5"},
        {"header 3", Apply(kDefaultHeaderFormats[2], may1), "2024"},
        {"header 4", Apply(kDefaultHeaderFormats[3], may1), pick("", "令和6年")},
        {"header 4, 1989", Apply(kDefaultHeaderFormats[3], CalDate(1989, 1, 1)), pick("", "昭和64年")},
        {"header 4, 1867", Apply(kDefaultHeaderFormats[3], CalDate(1867, 1, 1)), ""},
        {"footer 1", Apply(kDefaultFooterFormats[0], may5), pick("MAY 5th (SUN)", "5月5日(日) 大安")},
        {"footer 1, 22nd", Apply(kDefaultFooterFormats[0], CalDate(2024, 12, 22)),
         pick("DEC 22nd (SUN)", "12月22日(日) 友引")},
        {"footer 2", Apply(kDefaultFooterFormats[1], may5), pick("24 MAY 5th (SUN)", "24年5月5日(日)")},
        {"footer 3", Apply(kDefaultFooterFormats[2], may5), pick("", "旧3月27日 己巳 大安")},
        {"footer 3, leap month", Apply(kDefaultFooterFormats[2], leap), pick("", "旧閏2月01日 己卯 友引")},
        {"footer 4", Apply(kDefaultFooterFormats[3], may5),
         pick("2024 May 5th (SUN)", "5月5日 日 (旧3月27日 己巳 大安)")},
        {"footer 4, leap month", Apply(kDefaultFooterFormats[3], leap),
         pick("2023 March 22nd (WED)", "3月22日 水 (旧閏2月01日 己卯 友引)")},
        {"hover line", Apply(kMonthTitleHoverFormat, may1), pick("", "2024年 (きのえ・たつ) ― 5月(皐月)")},
        {"hover line, 2000", Apply(kMonthTitleHoverFormat, CalDate(2000, 12, 1)),
         pick("", "2000年 (かのえ・たつ) ― 12月(師走)")},
        {"title", Apply(kTitleBarFormat, may1), pick("2024/5", "2024年5月")},
        {"clock", Apply(kTitleClockFormat, may5, morning), "[5.05 Sun - 09:05:03]"},
        {"memo file header", Apply(kMemoFileHeaderFormat, march7, morning), ";Tavoli Calendar Memo 24/03/07 09:05:03"},
        {"memo prompt", Apply(kMemoPromptFormat, march7), pick("Memo - 2024/3/7", "メモ - 24年03月07日")},
        {"span begins", Apply(std::string(kSpanBeginsFormat) + weekday + ")", jan5, TimeOfDay(0)),
         pick("begins:2024/1/5", "開始日：2024年1月5日(金)")},
        {"span ends", Apply(std::string(kSpanEndsFormat) + weekday + ")", CalDate(2024, 2, 5), TimeOfDay(0)),
         pick("ends:2024/2/5", "終了日：2024年2月5日(月)")},
        {"span label",
         CurrentPlatform().ToUtf8(ResolveText(kSpanLabel)) + "31" +
             CurrentPlatform().ToUtf8(ResolveText(kSpanDaysUnit)),
         pick("Span:31days", "期間：31日")},
        {"weekday names", CurrentPlatform().ToUtf8(ResolveText(kDefaultWeekdayNames)),
         pick("SUN MON TUE WED THU FRI SAT", "日 月 火 水 木 金 土")},
        {"month names", CurrentPlatform().ToUtf8(ResolveText(kDefaultMonthNames)),
         pick("JAN FEB MAR APR MAY JUN JUL AUG SEP OCT NOV DEC", "１ ２ ３ ４ ５ ６ ７ ８ ９ 10 11 12")},
    };
}

void ExpectAll(const std::vector<Expectation>& expectations) {
    for (const Expectation& e : expectations) EXPECT_EQ(e.actual, e.expected) << e.what;
}

// Every English footer that names the day writes its ordinal right, 11th to 13th too.
TEST(DefaultFormats, EnglishOrdinalsOfEveryDay) {
    const char* const kOrdinals[31] = {"1st",  "2nd",  "3rd",  "4th",  "5th",  "6th",  "7th",  "8th",
                                       "9th",  "10th", "11th", "12th", "13th", "14th", "15th", "16th",
                                       "17th", "18th", "19th", "20th", "21st", "22nd", "23rd", "24th",
                                       "25th", "26th", "27th", "28th", "29th", "30th", "31st"};
    for (int footer : {0, 1, 3}) {
        const std::string_view english = SelectSegment(kDefaultFooterFormats[footer], PackTag("en"));
        for (int day = 1; day <= 31; ++day) {
            const std::string text = DateFormat(std::string(english), CalDate(2026, 12, day), "");
            EXPECT_NE(text.find(std::string(" ") + kOrdinals[day - 1] + " ("), std::string::npos)
                << "footer " << footer + 1 << ": " << text;
        }
    }
}

#ifdef _WIN32

TEST(DefaultFormats, InTheLanguageOfTheRun) {
    PinnedZonePlatform zone(kJapanBias);
    ScopedPlatform scope(zone);
    const bool japanese = CurrentPlatform().AnsiCodePage() == kCodePageJapanese;
    ExpectAll(EnglishAndJapanese(japanese));
    if (!japanese) {
        // The plain-text month is Japanese in every language; 1252 cannot hold it.
        EXPECT_EQ(ResolveText(kMonthTextTitleFormat), "%Y? %M?");
    }
}

#else

class LanguagePlatform {
public:
    LanguagePlatform(int codePage, const char* localeName) : zone_(kJapanBias, host_) {
        host_.SetCodePage(codePage);
        host_.SetAbbreviatedLanguageName(std::string(localeName));
    }
    const Platform& Get() const { return zone_; }

private:
    HostPlatform host_;
    PinnedZonePlatform zone_;
};

TEST(DefaultFormats, English) {
    LanguagePlatform english(kCodePageWestern, "ENU");
    ScopedPlatform scope(english.Get());
    ExpectAll(EnglishAndJapanese(false));
}

TEST(DefaultFormats, Japanese) {
    LanguagePlatform japanese(kCodePageJapanese, "JPN");
    ScopedPlatform scope(japanese.Get());
    ExpectAll(EnglishAndJapanese(true));
    EXPECT_EQ(DateFormat(ResolveText(kMonthTextTitleFormat), CalDate(2024, 5, 1)), "2024\x94\x4e 5\x8c\x8e");
}

// Korean and the two Chinese texts come out whole in their own code pages.
TEST(DefaultFormats, KoreanAndChinese) {
    struct Case {
        int codePage;
        const char* localeName;
        const char* header;
        const char* footer2;
        const char* footer4;
        const char* title;
        const char* lunar2033;  // footer 3 on 25 August 2033: the 8th month by the Chinese rule
    } cases[] = {
        {kCodePageKorean, "KOR", "2024(단군4356)년 5월", "24년5월5일(일)", "2024년 5월 5일 (일) (음력 3월 27일)",
         "2024년5월", "음력 8월 1일"},
        {kCodePageSimplifiedChinese, "CHS", "2024年 5月", "24年5月5日(日)", "2024年5月5日 星期日 (农历3月27日)",
         "2024年5月", "农历8月1日"},
        {kCodePageTraditionalChinese, "CHT", "2024(民國113)年 5月", "24年5月5日(日)",
         "2024年5月5日 星期日 (農曆3月27日)", "2024年5月", "農曆8月1日"},
    };
    for (const Case& c : cases) {
        LanguagePlatform platform(c.codePage, c.localeName);
        ScopedPlatform scope(platform.Get());
        EXPECT_EQ(Apply(kDefaultHeaderFormats[0], CalDate(2024, 5, 1)), c.header) << c.codePage;
        EXPECT_EQ(Apply(kDefaultFooterFormats[1], CalDate(2024, 5, 5)), c.footer2) << c.codePage;
        EXPECT_EQ(Apply(kDefaultFooterFormats[3], CalDate(2024, 5, 5)), c.footer4) << c.codePage;
        EXPECT_EQ(Apply(kTitleBarFormat, CalDate(2024, 5, 1)), c.title) << c.codePage;
        {
            PinnedZonePlatform zone(-480, platform.Get());  // China's time; the Japanese rule: a leap 7th
            ScopedPlatform inZone(zone);
            EXPECT_EQ(Apply(kDefaultFooterFormats[2], CalDate(2033, 8, 25)), c.lunar2033) << c.codePage;
        }
        // Every literal of the language converts without loss.
        for (const char* literal :
             {kDefaultWeekdayNames, kDefaultMonthNames, kDefaultFooterFormats[1], kDefaultFooterFormats[2],
              kDefaultFooterFormats[3], kDefaultHeaderFormats[0], kDefaultEraList}) {
            EXPECT_EQ(CurrentPlatform().ToUtf8(ResolveText(literal)), SelectSegment(literal, CurrentLanguage()))
                << c.codePage << " " << literal;
        }
    }
}

#endif

}  // namespace
}  // namespace tavoli
