#include "format/date_format.h"

#include <gtest/gtest.h>

#include "calendar/era.h"
#include "support/test_platform.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

const char* const kJapaneseEras = "1989/1/8=\"平成\" 1926/12/25=\"昭和\" 1912/7/30=\"大正\" 1868=\"明治\" 2088=\"\"";

// Templates and results are written in UTF-8 here and converted to and from the code
// page of the run, so one table serves every code page that can hold its texts.
class DateFormatTest : public testing::Test {
protected:
    DateFormatTest() : zone_(kJapanBias), scope_(zone_) {}

    static std::string Format(std::string_view templ, CalDate date, std::string_view eras = kJapaneseEras) {
        const Platform& p = CurrentPlatform();
        return p.ToUtf8(DateFormat(p.FromUtf8(templ), date, p.FromUtf8(eras)));
    }
    static std::string Format(std::string_view templ, CalDate date, TimeOfDay time,
                              std::string_view eras = kJapaneseEras) {
        const Platform& p = CurrentPlatform();
        return p.ToUtf8(DateFormat(p.FromUtf8(templ), CalDateTime(date, time), p.FromUtf8(eras)));
    }

    PinnedZonePlatform zone_;
    ScopedPlatform scope_;
};

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

struct Case {
    const char* templ;
    CalDate date;
    const char* expected;
};

const CalDate kMay5(2024, 5, 5);  // a Sunday

TEST_F(DateFormatTest, NumbersWidthsAndEscapes) {
    const Case cases[] = {
        {"%Y/%M/%D", kMay5, "2024/5/5"},
        {"%Y##/%M##/%D##", kMay5, "24/05/05"},
        {"%Y####", kMay5, "2024"},
        {"%Y#", kMay5, "4"},
        {"%D###", kMay5, "005"},
        {"%Y##{-2030}", kMay5, "-06"},
        {"%D{-10}", kMay5, "-5"},
        {"%J", CalDate(2000, 1, 1), "2451545"},
        {"%W", kMay5, "0"},
        {"%P", kMay5, "0"},
        {"%%", kMay5, "%"},
        {"100%%", kMay5, "100%"},
        {"%1", kMay5, ""},
        {"a%", kMay5, "a"},   // "%" at the end writes nothing
        {"%<%>", kMay5, ""},  // "<" and ">" never reach the output
        {"a\tb", kMay5, "a\tb"},
        {"%\tx", kMay5, "\tx"},
        {"a\x01"
         "b\x7f"
         "c",
         kMay5, "a b c"},
        {"% x", kMay5, " x"},
        {"%\x02x", kMay5, " x"},
        {"%Q", kMay5, ""},                              // a letter without a row
        {"%h:%m:%s %j %z %T %t %x", kMay5, "::     "},  // time directives without a time
        {"", kMay5, ""},
        {"plain", kMay5, "plain"},
    };
    for (const Case& c : cases) EXPECT_EQ(Format(c.templ, c.date), c.expected) << c.templ;
}

TEST_F(DateFormatTest, Modifiers) {
    const Case cases[] = {
        {"%Y?J", kMay5, "2024"},
        {"%M?J/%D?J", kMay5, "4/22"},
        {"%W?J", kMay5, "0"},  // the Julian weekday is the day's own
        {"%Y?H/%M?H/%D?H", kMay5, "1445/10/26"},
        {"%Y?X", kMay5, "2024"},    // any other letter: Gregorian
        {"%Y?A?G", kMay5, "2024"},  // the last calendar letter wins
        {"%Y?", kMay5, "2024?"},    // "?" before anything else is text
        {"%Y?1", kMay5, "2024?1"},
        {"%Y?x#", kMay5, "4"},  // "?" and a lower-case letter are ignored
        {"%Y#?J#", kMay5, "24"},
        {"%M?A/%D?A %P?A", CalDate(2023, 3, 22), "2/1 1"},  // leap month: number without the mark
        {"%W?A", CalDate(2023, 1, 22), "1"},
        // The Chinese rule: in 2033 the leap month follows the 11th, not the 7th.
        {"%M?A %P?A / %M?C %P?C", CalDate(2033, 8, 25), "7 1 / 8 0"},
        {"%M?C/%D?C %P?C", CalDate(2033, 12, 22), "11/1 1"},
    };
    for (const Case& c : cases) EXPECT_EQ(Format(c.templ, c.date), c.expected) << c.templ;
}

TEST_F(DateFormatTest, ValueMaps) {
    const char* const ordinal =
        "%D{/10,0=\"\"}%D{%10,0=\"0th\",1=\"1st\",2=\"2nd\",3=\"3rd\",4=\"4th\",5=\"5th\",6=\"6th\",7=\"7th\","
        "8=\"8th\",9=\"9th\"}";
    const Case cases[] = {
        {ordinal, kMay5, "5th"},
        {ordinal, CalDate(2024, 5, 25), "25th"},
        {ordinal, CalDate(2024, 5, 11), "11st"},
        {ordinal, CalDate(2024, 5, 1), "1st"},
        {ordinal, CalDate(2024, 5, 10), "10th"},
        {ordinal, CalDate(2024, 5, 31), "31st"},
        {"%M##{5=\"May\"}", kMay5, "Ma"},  // a text is cut, not padded
        {"%M#####{5=\"May\"}", kMay5, "May"},
        {"%M{5=\"five\",5=\"cinq\"}", kMay5, "cinq"},  // the later match wins
        {"%M{5=\"five\",+1}", kMay5, "five"},          // later operators no longer change it
        {"%M{+1,6=\"June\"}", kMay5, "June"},
        {"%M{-5,0=\"\",1=\"x\"}", kMay5, ""},  // an empty text is nothing
        {"%M{*3,15=\"x\"}", kMay5, "x"},
        {"%M{*3}", kMay5, "15"},
        {"%M{/2}", kMay5, "2"},
        {"%M{%2}", kMay5, "1"},
        {"%D{-10%3}", kMay5, "-2"},  // the remainder has the sign of v
        {"%Y{/0}", kMay5, "2024"},   // "/" and "%" by zero change nothing
        {"%Y{%0}", kMay5, "2024"},
        {"%Y{+}", kMay5, "2024"},  // no digits: k = 0
        {"%Y{999999}", kMay5, "2024"},
        {"%Y{*1000000}", kMay5, ""},  // the limit empties the whole result
        {"abc %D %Y{1000000=\"x\"} def", kMay5, ""},
        {"%Y{+0999999}", kMay5, "1002023"},  // leading zeros do not count
        {"%D{1=\"a\" 2}", kMay5, "5 2}"},    // anything else ends the map
        {"%D{5=\"a\"}}", kMay5, "a}"},
        {"%D{1=\"a\"", kMay5, "5"},    // the map ends at the end of the template
        {"%D{5=\"abc", kMay5, "abc"},  // an unterminated text runs to the end
        {"%D{", kMay5, "5"},
        {"%D{,,5=\"x\"}", kMay5, "5,,5=\"x\"}"},  // a bare item ends the map before its comma
        {"%h{1=\"x\"}", kMay5, "{1=\"x\"}"},      // no number, no map: its text is copied
        {"%Q{1=\"x\"}", kMay5, "{1=\"x\"}"},
        {"%J{%10,0=\"癸\",1=\"甲\",2=\"乙\",3=\"丙\",4=\"丁\",5=\"戊\",6=\"己\",7=\"庚\",8=\"辛\",9=\"壬\"}"
         "%J{%12,0=\"丑\",1=\"寅\",2=\"卯\",3=\"辰\",4=\"巳\",5=\"午\",6=\"未\",7=\"申\",8=\"酉\",9=\"戌\",10=\"亥\","
         "11=\"子\"}",
         CalDate(2000, 1, 1), "戊午"},
        {"%Y{%10,0=\"かのえ\",1=\"かのと\",2=\"みずのえ\",3=\"みずのと\",4=\"きのえ\",5=\"きのと\",6=\"ひのえ\","
         "7=\"ひのと\",8=\"つちのえ\",9=\"つちのと\"}・%Y{%12,0=\"さる\",1=\"とり\",2=\"いぬ\",3=\"い\",4=\"ね\","
         "5=\"うし\",6=\"とら\",7=\"う\",8=\"たつ\",9=\"み\",10=\"うま\",11=\"ひつじ\"}",
         CalDate(2000, 1, 1), "かのえ・たつ"},
        {"%W?A{1=\"先勝\",2=\"友引\",3=\"先負\",4=\"仏滅\",5=\"大安\",6=\"赤口\"}", CalDate(2023, 1, 22), "先勝"},
        {"%P?A{0=\"\",1=\"閏\"}%M?A月%D?A##日", CalDate(2023, 3, 22), "閏2月01日"},
        {"%P?A{0=\"\",1=\"閏\"}%M?A月%D?A##日", CalDate(2023, 4, 20), "3月01日"},
    };
    for (const Case& c : cases) {
        if (!CodePageHoldsJapanese() && !IsAscii(c.expected)) continue;
        EXPECT_EQ(Format(c.templ, c.date), c.expected) << c.templ;
    }
}

TEST_F(DateFormatTest, ErasAndGroups) {
    const Case cases[] = {
        {"%Y<(%G%g{1=\"元\"})>年", kMay5, "2024(平成36)年"},
        {"%Y<(%G%g{1=\"元\"})>年", CalDate(1867, 12, 31), "1867年"},
        {"%Y<(%G%g{1=\"元\"})>年", CalDate(1989, 1, 8), "1989(平成元)年"},
        {"%Y<(%G%g{1=\"元\"})>年", CalDate(1989, 1, 7), "1989(昭和64)年"},
        {"%Y<(%G%g)>", CalDate(2088, 1, 1), "2088"},
        {"%G{1=\"x\"}", kMay5, "平成{1=\"x\"}"},  // a map after a text is text
        {"%G##", kMay5, "平成"},
        {"%G#", kMay5, "平"},  // texts are cut by characters
        {"%g##", kMay5, "36"},
        {"<%D>", kMay5, "5"},
        {"<x%Q>", kMay5, ""},
        {"<abc>", kMay5, ""},       // a group without a directive is dropped
        {"a<%D%Q>b", kMay5, "ab"},  // the last directive decides
        {"a<%Q%D>b", kMay5, "a5b"},
        {"<%D><%Q>", kMay5, "5"},
        {"<<<%D>>>", kMay5, "5"},
        {"a<b<%Q>c", kMay5, "abc"},  // a second "<" keeps the text before it
        {"ab>cd", kMay5, "abcd"},    // a stray ">" drops nothing
        {"%Q>x", kMay5, "x"},
        {"ab<%D", kMay5, "ab5"},  // an open group closes at the end
        {"ab<%Q", kMay5, "ab"},
    };
    for (const Case& c : cases) {
        if (!CodePageHoldsJapanese() && !IsAscii(c.expected)) continue;
        EXPECT_EQ(Format(c.templ, c.date), c.expected) << c.templ;
    }
    // Without an era list there is no era, so the group falls away.
    EXPECT_EQ(Format("%Y<(%G%g)>", kMay5, ""), "2024");
    // In another calendar the era follows that calendar's date (lunar 2023/12/26 here).
    EXPECT_EQ(Format("%G?A %g?A", CalDate(2024, 2, 5), "2023/1/1=\"A\" 2024/1/1=\"B\""), "A 1");
    EXPECT_EQ(Format("%G %g", CalDate(2024, 2, 5), "2023/1/1=\"A\" 2024/1/1=\"B\""), "B 1");
    EXPECT_EQ(Format("%g?J", CalDate(2024, 1, 10), "2000=\"A\""), "24");  // Julian 2023/12/28
}

TEST_F(DateFormatTest, TimesOfDay) {
    struct TimeCase {
        const char* templ;
        TimeOfDay time;
        const char* expected;
    } cases[] = {
        {"%h##:%m##:%s##", TimeOfDay::FromParts(9, 5, 3, 0), "09:05:03"},
        {"%T{1=\"AM\",2=\"PM\"} %t", TimeOfDay::FromParts(15, 0, 0, 0), "PM 3"},
        {"%T{1=\"AM\",2=\"PM\"} %t", TimeOfDay::FromParts(0, 0, 0, 0), "AM 0"},
        {"%T{1=\"AM\",2=\"PM\"} %t", TimeOfDay::FromParts(12, 30, 0, 0), "PM 0"},
        {"%j %z###", TimeOfDay::FromParts(0, 0, 1, 7), "1007 007"},
        {"%D %h", TimeOfDay::FromParts(25, 0, 0, 0), "6 1"},  // normalised into the next day
    };
    for (const TimeCase& c : cases) EXPECT_EQ(Format(c.templ, kMay5, c.time), c.expected) << c.templ;
    EXPECT_EQ(Format("%h|%Y", CalDate(), TimeOfDay::FromParts(9, 0, 0, 0)), "9|");  // no date
}

// %X and %x use the user's short date and time formats.
TEST_F(DateFormatTest, SystemDateAndTimeFormats) {
    const TimeOfDay time = TimeOfDay::FromParts(15, 4, 5, 0);
    const std::string date = Format("%X", kMay5);
    const std::string both = Format("%X|%x", kMay5, time);
#ifdef _WIN32
    // The system's locale data decide the pictures: compare with the system itself.
    const SystemTimeParts st = CalDateTime(kMay5, time).ToSystemTime();
    const std::string systemDate = SystemPlatform().ShortDateText(st);
    ASSERT_NE(systemDate.find("2024"), std::string::npos) << systemDate;
    EXPECT_EQ(date, systemDate);
    EXPECT_EQ(both, systemDate + "|" + SystemPlatform().TimeText(st));
    EXPECT_NE(both.find("04:05"), std::string::npos) << both;
#else
    EXPECT_EQ(date, "5/5/2024");  // the host's default pictures, under UTF-8
    EXPECT_EQ(both, "5/5/2024|3:04:05 PM");
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    ScopedPlatform scope(japanese);
    EXPECT_EQ(DateFormat("%X %x", CalDateTime(kMay5, time)), "2024/05/05 15:04:05");
    japanese.SetDateTimePictures("d.M.yy 'at' HH", "hh:mm tt");
    EXPECT_EQ(DateFormat("%X|%x", CalDateTime(kMay5, time)), "5.5.24 at 15|03:04 PM");
#endif
    EXPECT_EQ(Format("%x", kMay5), "");  // no time
}

// Under code page 932 a trail byte equal to "{", "}" or "\" belongs to its character:
// it never opens or closes a map, and a "%" before a double-byte character takes it
// along.
TEST_F(DateFormatTest, ShiftJisTrailBytesAreNoSyntax) {
#ifndef _WIN32
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    PinnedZonePlatform zone(kJapanBias, japanese);
    ScopedPlatform scope(zone);
#else
    if (CurrentPlatform().AnsiCodePage() != kCodePageJapanese) GTEST_SKIP() << "needs code page 932";
#endif
    struct Raw {
        std::string templ;
        std::string expected;
    } cases[] = {
        {"%D\x8a\x7b"
         "1=\"x\"}",
         "5\x8a\x7b"
         "1=\"x\"}"},                                // 顎 (trail "{") after a number
        {"%D{5=\"\x95\x5c\"}", "\x95\x5c"},          // 表 (trail "\") in a map text
        {"%D{5=\"\x8a\x7d\",6=\"y\"}", "\x8a\x7d"},  // 笠 (trail "}")
        {"\x95\x5c\x8e\xa6%D",
         "\x95\x5c\x8e\xa6"
         "5"},
        {"%\x95\x5c%D", "5"},  // "%" takes the whole character
        {"<\x8a\x7b%D>",
         "\x8a\x7b"
         "5"},
        {"%G", "\x95\xbd\x90\xac"},                                            // 平成 from the converted list
        {"%M##{5=\"\x95\x5c\x8e\xa6\x82\xb7\x82\xe9\"}", "\x95\x5c\x8e\xa6"},  // cut by characters
    };
    const std::string eras = CurrentPlatform().FromUtf8(kJapaneseEras);
    for (const Raw& c : cases) EXPECT_EQ(DateFormat(c.templ, kMay5, eras), c.expected) << c.templ;
}

TEST_F(DateFormatTest, BadInputIsHarmless) {
    EXPECT_EQ(Format(std::string(100000, '<') + "%D" + std::string(100000, '>'), kMay5), "5");
    EXPECT_EQ(Format(std::string(100000, '>') + "%D", kMay5), "5");
    std::string manyGroups;
    for (int i = 0; i < 20000; ++i) manyGroups += "x<%Q>";
    EXPECT_EQ(Format(manyGroups, kMay5), std::string(20000, 'x'));
    const std::string wide = Format("%D" + std::string(100000, '#'), kMay5);
    EXPECT_EQ(wide.size(), 100000u);
    EXPECT_EQ(wide.back(), '5');
    EXPECT_EQ(Format("%Y{" + std::string(5000, '9') + "}", kMay5), "");
    EXPECT_EQ(Format("%Y{*999999*999999*999999*999999*999999}", kMay5).empty(), false);  // wraps, no overflow
    EXPECT_EQ(Format("%D{" + std::string(50000, ','), kMay5), "5" + std::string(50000, ','));
    EXPECT_EQ(Format(std::string(50000, '%'), kMay5), std::string(25000, '%'));
    EXPECT_EQ(Format("%D{5=\"" + std::string(10000, '"'), kMay5), std::string(9999, '"'));
}

}  // namespace
}  // namespace tavoli
