#include "holidays/day_kinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

#include "calendar/lunisolar.h"
#include "calendar/lunisolar_memo.h"

#include "support/example_script.h"
#include "support/test_platform.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

HolidayScript Compiled(const std::string& utf8) {
    HolidayScript script;
    std::vector<std::string> report;
    EXPECT_EQ(script.Compile(AnsiFromUtf8(utf8), report), kSuccess) << (report.empty() ? "" : report[0]);
    return script;
}

std::vector<std::string> NameTexts(const HolidayScript& script, CalDate date) {
    std::vector<std::string> names;
    for (const NameEntry& n : NamesOf(script, date)) names.push_back(CurrentPlatform().ToUtf8(n.name));
    return names;
}

std::string Kind(const HolidayScript& script, CalDate date) { return CurrentPlatform().ToUtf8(KindOf(script, date)); }

TEST(DayKind, Texts) {
    struct Case {
        const char* text;
        DayKind kind;
    } cases[] = {
        {"1", DayKind::kNormal},          {"2", DayKind::kSemiHoliday}, {"3", DayKind::kHoliday},
        {"4", DayKind::kNationalHoliday}, {"5", DayKind::kAnniversary}, {"平日", DayKind::kNormal},
        {"半休", DayKind::kSemiHoliday},  {"休日", DayKind::kHoliday},  {"祝日", DayKind::kNationalHoliday},
        {"記念", DayKind::kAnniversary},  {"", DayKind::kNone},         {"6", DayKind::kNone},
        {" 4", DayKind::kNone},           {"4 ", DayKind::kNone},       {"04", DayKind::kNone},
    };
    for (const Case& c : cases) {
        if (!CodePageHoldsJapanese() && static_cast<unsigned char>(c.text[0]) >= 0x80) continue;
        EXPECT_EQ(DayKindFromText(AnsiFromUtf8(c.text)), c.kind) << c.text;
    }
}

class ExampleScriptTest : public testing::Test {
protected:
    // The lunisolar and solar descriptors carry their own offset; pin the machine's
    // zone anyway so that nothing depends on it.
    ExampleScriptTest() : zone_(0), scope_(zone_), script_(Compiled(kExampleScript)) {}

    PinnedZonePlatform zone_;
    ScopedPlatform scope_;
    HolidayScript script_;
};

TEST_F(ExampleScriptTest, KindsAndNames) {
    if (!CodePageHoldsJapanese()) GTEST_SKIP() << "the example's texts are Japanese";
    struct Case {
        CalDate date;
        const char* kind;
        std::vector<std::string> names;
    } cases[] = {
        {CalDate(2024, 1, 1), "4", {"元日"}},
        {CalDate(2024, 1, 8), "祝日", {"成人の日"}},
        {CalDate(2024, 1, 15), "", {}},
        {CalDate(2023, 1, 2), "4", {"振替休日"}},  // the Monday after 1 January, a Sunday
        {CalDate(2024, 1, 2), "", {}},             // 1 January 2024 was a Monday
        {CalDate(2024, 3, 20), "4", {"春分の日"}},
        {CalDate(2024, 3, 19), "", {}},
        {CalDate(2024, 3, 21), "", {}},
        {CalDate(2023, 1, 22), "", {"旧正月"}},  // a name without a kind
        {CalDate(2024, 5, 5), "", {}},           // a Sunday: !w0 fails
        {CalDate(2025, 5, 5), "3", {}},
        {CalDate(2024, 12, 31), "", {}},  // after #stop
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Kind(script_, c.date), c.kind) << c.date.Text();
        std::vector<std::string> names = NameTexts(script_, c.date);
        names.erase(std::remove(names.begin(), names.end(), "満月"), names.end());
        EXPECT_EQ(names, c.names) << c.date.Text();
    }
    const std::vector<NameEntry> entries = NamesOf(script_, CalDate(2024, 1, 8));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].kind, AnsiFromUtf8("祝日"));  // each name comes with its rule's kind
}

TEST_F(ExampleScriptTest, EquinoxNeighboursAndTheFullMoon) {
    // The Sun at the local midnights around 20 March 2024 (03:06 UT = 12:06 JST).
    const TimeOfDay japan(9 * 3600000);
    const long double before = SolarLongitude(CalDateTime(CalDate(2024, 3, 20), TimeOfDay(0)) - japan);
    const long double after = SolarLongitude(CalDateTime(CalDate(2024, 3, 21), TimeOfDay(0)) - japan);
    EXPECT_GE(before, 359.0L);
    EXPECT_LT(after, 1.0L);
    // The full moon of 25 January 2024 (17:54 UT): its elongation at Japanese midnight.
    bool sawFullMoon = false;
    for (CalDate d(2024, 1, 20); d <= CalDate(2024, 1, 30); ++d) {
        for (const NameEntry& n : NamesOf(script_, d)) sawFullMoon = sawFullMoon || n.name == AnsiFromUtf8("満月");
    }
    EXPECT_TRUE(sawFullMoon);
}

// Rules on lunisolar dates in several zones give the same days with the lunisolar memo
// as without it, visited in order or not.
TEST(DayKinds, LunisolarRulesAnswerAsWithoutTheMemo) {
    PinnedZonePlatform zone(0);
    ScopedPlatform scope(zone);
    const HolidayScript script = Compiled(
        "m?a1 :+0900 d?a1 :+0900 (4) \"old new year\"\n"
        "m?a8 :-1200 d?a15 :-1200 (5) \"harvest moon west\"\n"
        "m?a8 :+1400 d?a15 :+1400 (5) \"harvest moon east\"\n"
        "m?a1 >1 d?a1 >1 (3) \"eve at Greenwich\"\n"
        "w?a4 :+0900 m?a13-24 :+0900 \"butsumetsu of a leap month\"\n");
    std::vector<CalDate> days;
    for (CalDate d(2023, 1, 1); d <= CalDate(2024, 12, 31); ++d) days.push_back(d);
    for (size_t i = 0; i < 100; ++i) days.push_back(CalDate(2023, 1, 1) + static_cast<int32_t>(i * 367 % 730));
    const bool wasOn = LunisolarMemoOn();
    auto answers = [&](bool memo) {
        SetLunisolarMemo(memo);
        ThisThreadsLunarQuarterMemo().Clear();
        std::vector<std::string> texts;
        for (CalDate d : days) {
            std::string text = KindOf(script, d);
            for (const NameEntry& n : NamesOf(script, d)) text += "|" + n.name;
            texts.push_back(text);
        }
        SetLunisolarMemo(wasOn);
        return texts;
    };
    const std::vector<std::string> searched = answers(false), kept = answers(true);
    ASSERT_EQ(kept.size(), searched.size());
    int named = 0;
    for (size_t i = 0; i < days.size(); ++i) {
        EXPECT_EQ(kept[i], searched[i]) << days[i].Text();
        named += searched[i].empty() ? 0 : 1;
    }
    EXPECT_GT(named, 8);  // the rules name days in both years
}

TEST_F(ExampleScriptTest, WeekdayKinds) {
    EXPECT_EQ(KindOfWeekday(script_, 0), AnsiFromUtf8("休日"));
    EXPECT_EQ(KindOfWeekday(script_, 6), "2");
    EXPECT_EQ(KindOfWeekday(script_, 3), "");
    EXPECT_EQ(KindOfWeekday(script_, 7), AnsiFromUtf8("休日"));  // taken mod 7
    EXPECT_EQ(KindOfWeekday(script_, -1), "2");
    EXPECT_EQ(KindOfWeekday(HolidayScript(), 0), "");
}

TEST(DayKinds, DescriptorRules) {
    PinnedZonePlatform zone(0);
    ScopedPlatform scope(zone);
    struct Case {
        const char* script;
        CalDate date;
        const char* kind;
    } cases[] = {
        {"!y0 %4 (1)", CalDate(2023, 6, 1), "1"},  // a negated descriptor with a modulus
        {"!y0 %4 (1)", CalDate(2024, 6, 1), ""},
        {"y0 %4 (1)", CalDate(2024, 6, 1), "1"},
        {"y1 %4 (1)", CalDate(2025, 6, 1), "1"},
        {"j2460462 (1)", CalDate(2024, 5, 31), "1"},  // the Julian Day Number
        {"d1 >1 (1)", CalDate(2024, 5, 31), "1"},     // shifted forward a day
        {"d31 <1 (1)", CalDate(2024, 6, 1), "1"},
        {"w0 >366 (1)", CalDate(2024, 1, 5), "1"},  // 5 Jan 2024 + 366 days is a Sunday
        {"p0 (1)", CalDate(2024, 1, 1), "1"},       // p is always 0
        {"p1- (1)", CalDate(2024, 1, 1), ""},
        {"m?j2 d?j17 (1)", CalDate(2024, 3, 1), "1"},  // Julian 17 February
        {"y?h1445 m?h10 d?h26 (1)", CalDate(2024, 5, 5), "1"},
        {"m?g5 d?g5 w?g0 (1)", CalDate(2024, 5, 5), "1"},
        {"m?a14 :+0900 d?a1 :+0900 (1)", CalDate(2023, 3, 22), "1"},  // leap month codes 13 … 24
        {"w?a2 :+0900 (1)", CalDate(2023, 3, 22), "1"},               // the rokuyō in the weekday slot
        {"j?a2460026 (1)", CalDate(2023, 3, 22), "1"},                // other letters ignore the calendar
        {"d1 (1)\nd1 (2)", CalDate(2024, 1, 1), "1"},                 // the first match decides the kind
        {"d1 \"x\"\nd1 (2)", CalDate(2024, 1, 1), "2"},               // rules without a kind are skipped
        {"x0 (1)", CalDate(2024, 1, 1), "1"},                         // no block: x is 0
        {"#begin\nd1\n#end\nx1 (1)", CalDate(2024, 1, 1), "1"},
        {"#begin\nd1\n#end\nx1 >1 (1)", CalDate(2024, 1, 1), ""},
        {"#begin\nd1\nx1 (1)\n#end", CalDate(2024, 1, 1), ""},  // inside an open block x is 0
        {"#begin\nd1\n#end\n#begin\nx1 (1)\n#end", CalDate(2024, 1, 1), ""},
        {"#end\nx1 (1)", CalDate(2024, 1, 1), ""},                                 // an "#end" alone closes no block
        {"#begin\nd2\n#end\n#begin\nd1\n#end\nx1 (1)", CalDate(2024, 1, 1), "1"},  // the last closed block
        {"#begin\nd1\n#end\n#begin\nd2\n#end\nx1 (1)", CalDate(2024, 1, 1), ""},
        {"#stop\nd1 (1)", CalDate(2024, 1, 1), ""},
        {"s0-359 (1)", CalDate(2024, 1, 1), "1"},
        {"l0-359 :-1200 (1)", CalDate(2024, 1, 1), "1"},
        // Days from Easter Sunday (31 March 2024; the Orthodox one 5 May); before it, by a shift.
        {"e0 (1)", CalDate(2024, 3, 31), "1"},
        {"e1 (1)", CalDate(2024, 4, 1), "1"},       // Easter Monday
        {"e0 >2 (1)", CalDate(2024, 3, 29), "1"},   // Good Friday
        {"e0 >46 (1)", CalDate(2024, 2, 14), "1"},  // Ash Wednesday
        {"e39 (1)", CalDate(2024, 5, 9), "1"},      // Ascension
        {"e0- (1)", CalDate(2024, 3, 30), ""},      // before Easter the value is negative
        {"e?g50 (1)", CalDate(2024, 5, 20), "1"},   // Whit Monday, the Gregorian computus named
        {"e?j0 (1)", CalDate(2024, 5, 5), "1"},     // the Orthodox Easter
        {"e?j1 (1)", CalDate(2024, 4, 1), ""},
        {"e?j0 >2 (1)", CalDate(2024, 5, 3), "1"},  // the Orthodox Good Friday
        {"e60 (1)", CalDate(2025, 6, 19), "1"},     // Corpus Christi of 2025 (Easter 20 April)
    };
    for (const Case& c : cases) {
        const HolidayScript script = Compiled(c.script);
        EXPECT_EQ(KindOf(script, c.date), c.kind) << c.script;
    }
}

// A set: the user's script, then the region's, then the country's. The first that gives a
// day a kind wins, every part names it, and each part's "x" sees its own blocks only.
TEST(DayKinds, ComposedSets) {
    const HolidayScript user = Compiled("#weekday 6 (1)\nm10 d3 (5) \"Our day\"\n#begin\nm1 d1\n#end");
    const HolidayScript region = Compiled("m10 d31 (4) \"Reformation Day\"\nw1 x1 <1 (4) \"never\"");
    const HolidayScript country =
        Compiled("#weekday 0 (3)\n#weekday 6 (2)\n#begin\nm10 d3 (4) \"Unity Day\"\n#end\nw1 x1 <1 (4) \"Substitute\"");
    const HolidayScript set = HolidayScript::Composed({&user, &region, &country});
    const struct {
        CalDate date;
        const char* kind;
        std::vector<std::string> names;
    } days[] = {
        {CalDate(2021, 10, 3), "5", {"Our day", "Unity Day"}},  // the user's kind wins; both names
        {CalDate(2021, 10, 4), "4", {"Substitute"}},            // the country's block, its own x
        {CalDate(2021, 10, 31), "4", {"Reformation Day"}},      // the region's day added
        {CalDate(2023, 1, 2), "", {}},  // Monday after 1 January: the region's x does not see the user's block
    };
    for (const auto& d : days) {
        EXPECT_EQ(KindOf(set, d.date), d.kind) << d.date.Text();
        std::vector<std::string> names;
        for (const NameEntry& entry : NamesOf(set, d.date)) names.push_back(entry.name);
        EXPECT_EQ(names, d.names) << d.date.Text();
    }
    EXPECT_EQ(KindOfWeekday(set, 6), "1");  // the user's weekday kinds win
    EXPECT_EQ(KindOfWeekday(set, 0), "3");
    EXPECT_EQ(set.Entries().back().source, 2);
}

// With ":+0900" the lunisolar date is that of Japan; without it, that of Greenwich: the
// new moon of 21 March 2023 at 17:23 UT begins the leap second month on the 22nd in
// Japan but on the 21st in Greenwich.
TEST(DayKinds, LunisolarDescriptorsUseTheirOwnOffset) {
    PinnedZonePlatform zone(kJapanBias);  // the machine's zone must not matter
    ScopedPlatform scope(zone);
    const HolidayScript japan = Compiled("m?a14 :+0900 d?a1 :+0900 \"x\"");
    const HolidayScript greenwich = Compiled("m?a14 d?a1 \"x\"");
    EXPECT_EQ(NamesOf(japan, CalDate(2023, 3, 22)).size(), 1u);
    EXPECT_EQ(NamesOf(japan, CalDate(2023, 3, 21)).size(), 0u);
    EXPECT_EQ(NamesOf(greenwich, CalDate(2023, 3, 21)).size(), 1u);
    EXPECT_EQ(NamesOf(greenwich, CalDate(2023, 3, 22)).size(), 0u);
    // The new moon of 21 January 2023 at 20:53 UT: new year on the 22nd in Japan, on the
    // 21st at Greenwich.
    EXPECT_EQ(NamesOf(Compiled("m?a1 :+0900 d?a1 :+0900 \"x\""), CalDate(2023, 1, 22)).size(), 1u);
    EXPECT_EQ(NamesOf(Compiled("m?a1 d?a1 \"x\""), CalDate(2023, 1, 21)).size(), 1u);
    EXPECT_EQ(NamesOf(Compiled("m?a1 d?a1 \"x\""), CalDate(2023, 1, 22)).size(), 0u);
}

TEST(DayKinds, SixteenDescriptorsAreEvaluatedWhole) {
    const HolidayScript script =
        Compiled("y2024 m5 d5 w0 j2460436 y0-9999 m1-12 d1-31 w0-6 !y0 %7 m0 %5 d5 d5 d5 d5 !d5 (1)");
    EXPECT_EQ(script.Entries()[0].descriptors.size(), 16u);
    EXPECT_EQ(KindOf(script, CalDate(2024, 5, 5)), "");  // the 16th fails
    EXPECT_EQ(KindOf(Compiled("y2024 m5 d5 w0 j2460436 y0-9999 m1-12 d1-31 w0-6 !y0 %7 m0 %5 d5 d5 d5 d5 d5 (1)"),
                     CalDate(2024, 5, 5)),
              "1");
}

// Blocks that test blocks: every level shifts the day; the work stays bounded.
TEST(DayKinds, NestedBlockTestsStayBounded) {
    std::string script;
    for (int i = 0; i < 40; ++i) script += "#begin\nd1-31 x1 <1 x1 >1 x0 <2\n";
    for (int i = 0; i < 40; ++i) script += "#end\n";
    script += "x1 <3 x1 >3 (1)\n";
    const HolidayScript compiled = Compiled(script);
    for (CalDate d(2024, 1, 1); d < CalDate(2024, 1, 8); ++d) KindOf(compiled, d);
}

// The sample script that ships beside the program: Japan's national holidays, checked
// against the official list for every day from 1970 to 2050.
TEST(SampleScript, JapaneseNationalHolidays1970To2050) {
#ifndef _WIN32
    HostPlatform japanese;  // the shipped file is in Shift_JIS
    japanese.SetCodePage(kCodePageJapanese);
    PinnedZonePlatform zone(0, japanese);
#else
    PinnedZonePlatform zone(0);
#endif
    ScopedPlatform scope(zone);
    const bool japaneseNames = CurrentPlatform().AnsiCodePage() == kCodePageJapanese;

    HolidayScript script;
    std::vector<std::string> report;
    ASSERT_EQ(script.CompileFile(TAVOLI_SOURCE_DIR "/dist/holidays/JP.txt", report), kSuccess)
        << (report.empty() ? "" : report[0]);
    EXPECT_EQ(KindOfWeekday(script, 0), "3");
    EXPECT_EQ(KindOfWeekday(script, 6), "2");

    std::map<uint32_t, std::string> official;
    std::ifstream list(TAVOLI_TEST_DATA "/japan-national-holidays-1970-2050.tsv");
    ASSERT_TRUE(list.good());
    std::string line;
    while (std::getline(list, line)) {
        if (line.empty() || line[0] == '#') continue;
        const size_t tab = line.find('\t');
        std::string date = line.substr(0, tab);  // YYYY-MM-DD: "-" would read as a sign
        std::replace(date.begin(), date.end(), '-', '/');
        official[CalDate::FromText(date).Serial()] = line.substr(tab + 1);
    }
    ASSERT_EQ(official.size(), 1329u);

    // The list names substitute days after the holiday before them, citizens' holidays
    // "休日", and three days irregularly; the script has names of its own for them.
    auto expectedName = [](CalDate date, const std::string& listed) -> std::string {
        if (listed.find(" 振替休日") != std::string::npos) return "振替休日";
        if (listed == "休日") return "国民の休日";
        if (date == CalDate(2019, 5, 1)) return "即位の日";
        if (date == CalDate(2019, 10, 22)) return "即位礼正殿の儀";
        if (listed == "体育の日（スポーツの日）") return "体育の日";
        return listed;
    };

    int failures = 0;
    for (CalDate d(1970, 1, 1); d <= CalDate(2050, 12, 31) && failures < 20; ++d) {
        const auto it = official.find(d.Serial());
        const bool listed = it != official.end();
        const std::string kind = KindOf(script, d);
        const std::vector<NameEntry> names = NamesOf(script, d);
        const bool holiday = DayKindFromText(kind) == DayKind::kNationalHoliday;
        if (holiday != listed || names.size() != (listed ? 1u : 0u)) {
            ADD_FAILURE() << d.Text() << ": kind \"" << kind << "\", " << names.size() << " names, listed "
                          << (listed ? it->second : "-");
            ++failures;
            continue;
        }
        if (listed && japaneseNames && CurrentPlatform().ToUtf8(names[0].name) != expectedName(d, it->second)) {
            ADD_FAILURE() << d.Text() << ": " << CurrentPlatform().ToUtf8(names[0].name) << " for " << it->second;
            ++failures;
        }
        // Elsewhere every name reads in English: no byte of the Japanese part.
        if (listed && !japaneseNames &&
            (names[0].name.empty() || std::any_of(names[0].name.begin(), names[0].name.end(), [](char c) {
                 return static_cast<unsigned char>(c) >= 0x80 || static_cast<unsigned char>(c) < 0x20;
             }))) {
            ADD_FAILURE() << d.Text() << ": " << names[0].name;
            ++failures;
        }
    }
}

// A name carries a text for each language: the user's is shown.
TEST(SampleScript, NamesInTheUsersLanguage) {
    const struct {
        CalDate date;
        const char* english;
        const char* japanese;
    } cases[] = {
        {CalDate(2024, 1, 1), "New Year's Day", "元日"},
        {CalDate(2023, 1, 2), "Substitute Holiday", "振替休日"},
        {CalDate(2015, 9, 22), "Citizens' Holiday", "国民の休日"},
        {CalDate(2024, 3, 20), "Vernal Equinox Day", "春分の日"},
    };
    for (const bool japanese : {false, true}) {
#ifndef _WIN32
        HostPlatform host;  // the shipped file is in Shift_JIS
        host.SetCodePage(japanese ? kCodePageJapanese : kCodePageWestern);
        host.SetAbbreviatedLanguageName(std::string(japanese ? "JPN" : "ENU"));
        PinnedZonePlatform zone(0, host);
#else
        if (japanese != (CurrentPlatform().AnsiCodePage() == kCodePageJapanese)) continue;
        PinnedZonePlatform zone(0);
#endif
        ScopedPlatform scope(zone);
        HolidayScript script;
        std::vector<std::string> report;
        ASSERT_EQ(script.CompileFile(TAVOLI_SOURCE_DIR "/dist/holidays/JP.txt", report), kSuccess);
        for (const auto& c : cases) {
            const std::vector<NameEntry> names = NamesOf(script, c.date);
            ASSERT_EQ(names.size(), 1u) << c.date.Text();
            EXPECT_EQ(CurrentPlatform().ToUtf8(names[0].name), japanese ? c.japanese : c.english) << c.date.Text();
        }
    }
}

}  // namespace
}  // namespace tavoli
