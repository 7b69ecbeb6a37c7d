// The shipped holiday sets against their laws: for each country a year listed whole, an
// early and a late Easter, and a day a law added or took away in a year; regions on top.
#include "holidays/holiday_set.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/platform.h"
#include "holidays/day_kinds.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

const std::string kSets = TAVOLI_SOURCE_DIR "/dist/holidays";

HolidayScript Set(std::string_view code) {
    HolidayScript script;
    std::vector<std::string> report;
    EXPECT_EQ(CompileHolidaySet(kSets, code, script, report), kSuccess) << code << (report.empty() ? "" : report[0]);
    return script;
}

// Every day of the year with a kind, as "MM-DD kind".
std::vector<std::string> KindsOfYear(const HolidayScript& script, int year) {
    std::vector<std::string> days;
    for (CalDate d(year, 1, 1); d < CalDate(year + 1, 1, 1); d = d + 1) {
        const std::string kind = KindOf(script, d);
        if (kind.empty()) continue;
        const YearMonthDay p = d.Parts();
        days.push_back((p.month < 10 ? "0" : "") + std::to_string(p.month) + "-" + (p.day < 10 ? "0" : "") +
                       std::to_string(p.day) + " " + kind);
    }
    return days;
}

TEST(HolidaySets, GermanyAndItsLaender) {
    // Weekends aside (the weekday kinds are not rules), 2024 whole: Easter on 31 March.
    const std::vector<std::string> germany2024 = {"01-01 4", "03-29 4", "04-01 4", "05-01 4", "05-09 4",
                                                  "05-20 4", "10-03 4", "12-25 4", "12-26 4"};
    EXPECT_EQ(KindsOfYear(Set("DE"), 2024), germany2024);
    EXPECT_EQ(KindsOfYear(Set("DE-BY"), 2024),
              (std::vector<std::string>{"01-01 4", "01-06 4", "03-29 4", "04-01 4", "05-01 4", "05-09 4", "05-20 4",
                                        "05-30 4", "08-15 3", "10-03 4", "11-01 4", "12-25 4", "12-26 4"}));
    const struct {
        const char* set;
        CalDate date;
        const char* kind;
        std::vector<std::string> names;  // English
    } days[] = {
        // An early Easter (23 March 2008): Ascension falls on Labour Day.
        {"DE", CalDate(2008, 3, 21), "4", {"Good Friday"}},
        {"DE", CalDate(2008, 5, 1), "4", {"Labour Day", "Ascension Day"}},
        {"DE", CalDate(2008, 5, 12), "4", {"Whit Monday"}},
        // A late one (24 April 2011).
        {"DE", CalDate(2011, 4, 25), "4", {"Easter Monday"}},
        {"DE", CalDate(2011, 6, 13), "4", {"Whit Monday"}},
        {"DE-BW", CalDate(2011, 6, 23), "4", {"Corpus Christi"}},
        // Reformation Day: every Land in 2017, named once; some Länder every year, four from 2018.
        {"DE", CalDate(2017, 10, 31), "4", {"Reformation Day"}},
        {"DE-SN", CalDate(2017, 10, 31), "4", {"Reformation Day"}},
        {"DE", CalDate(2018, 10, 31), "", {}},
        {"DE-SN", CalDate(2016, 10, 31), "4", {"Reformation Day"}},
        {"DE-NI", CalDate(2016, 10, 31), "", {}},
        {"DE-NI", CalDate(2018, 10, 31), "4", {"Reformation Day"}},
        {"DE-SN", CalDate(2024, 11, 20), "4", {"Day of Repentance and Prayer"}},
        {"DE-SN", CalDate(2023, 11, 22), "4", {"Day of Repentance and Prayer"}},
        {"DE-BE", CalDate(2018, 3, 8), "", {}},
        {"DE-BE", CalDate(2019, 3, 8), "4", {"International Women's Day"}},
        {"DE-BE", CalDate(2020, 5, 8), "4", {"Liberation Day"}},
        {"DE-BE", CalDate(2021, 5, 8), "", {}},
        {"DE-MV", CalDate(2022, 3, 8), "", {}},
        {"DE-MV", CalDate(2023, 3, 8), "4", {"International Women's Day"}},
        {"DE-TH", CalDate(2019, 9, 20), "4", {"World Children's Day"}},
        {"DE-BB", CalDate(2024, 5, 19), "4", {"Whit Sunday"}},
        {"DE-SL", CalDate(2024, 8, 15), "4", {"Assumption Day"}},
        {"DE-ST", CalDate(2024, 1, 6), "4", {"Epiphany"}},
        {"DE-HE", CalDate(2024, 11, 1), "", {}},
    };
    for (const auto& d : days) {
        const HolidayScript script = Set(d.set);
        EXPECT_EQ(KindOf(script, d.date), d.kind) << d.set << " " << d.date.Text();
        std::vector<std::string> names;
        for (const NameEntry& entry : NamesOf(script, d.date)) names.push_back(entry.name);
        EXPECT_EQ(names, d.names) << d.set << " " << d.date.Text();
    }
    for (const char* land :
         {"BW", "BY", "BE", "BB", "HB", "HH", "HE", "MV", "NI", "NW", "RP", "SL", "SN", "ST", "SH", "TH"})
        Set(std::string("DE-") + land);  // every Land's script compiles
}

TEST(HolidaySets, FranceAndAlsaceMoselle) {
    const std::vector<std::string> france2024 = {"01-01 4", "04-01 4", "05-01 4", "05-08 4", "05-09 4", "05-20 4",
                                                 "07-14 4", "08-15 4", "11-01 4", "11-11 4", "12-25 4"};
    EXPECT_EQ(KindsOfYear(Set("FR"), 2024), france2024);
    std::vector<std::string> alsace = france2024;
    alsace.insert(alsace.begin() + 1, "03-29 4");  // Good Friday
    alsace.push_back("12-26 4");
    for (const char* department : {"FR-57", "FR-67", "FR-68"}) EXPECT_EQ(KindsOfYear(Set(department), 2024), alsace);
    // A late Easter (24 April 2011): Whit Monday on 13 June.
    EXPECT_EQ(KindOf(Set("FR"), CalDate(2011, 6, 13)), "4");
}

// The federal holidays, each observed on the Friday before a Saturday or the Monday after a
// Sunday; Juneteenth from 2021.
TEST(HolidaySets, UnitedStates) {
    EXPECT_EQ(KindsOfYear(Set("US"), 2021),
              (std::vector<std::string>{"01-01 4", "01-18 4", "02-15 4", "05-31 4", "06-18 4", "06-19 4", "07-04 4",
                                        "07-05 4", "09-06 4", "10-11 4", "11-11 4", "11-25 4", "12-24 4", "12-25 4",
                                        "12-31 4"}));
    const HolidayScript us = Set("US");
    EXPECT_EQ(KindOf(us, CalDate(2020, 6, 19)), "");
    EXPECT_EQ(NamesOf(us, CalDate(2022, 6, 20)).at(0).name, "Juneteenth National Independence Day (observed)");
    EXPECT_EQ(NamesOf(us, CalDate(2022, 12, 26)).at(0).name, "Christmas Day (observed)");
    EXPECT_EQ(KindOf(us, CalDate(2023, 1, 2)), "4");  // 1 January 2023 was a Sunday
}

// England and Wales' bank holidays with their substitute and proclaimed days; Scotland and
// Northern Ireland on top, Scotland taking back two of them.
TEST(HolidaySets, UnitedKingdom) {
    EXPECT_EQ(KindsOfYear(Set("GB"), 2022),
              (std::vector<std::string>{"01-01 4", "01-03 4", "04-15 4", "04-18 4", "05-02 4", "06-02 4", "06-03 4",
                                        "08-29 4", "09-19 4", "12-25 4", "12-26 4", "12-27 4"}));
    EXPECT_EQ(KindsOfYear(Set("GB-SCT"), 2022),
              (std::vector<std::string>{"01-01 4", "01-02 4", "01-03 4", "01-04 4", "04-15 4", "04-18 1", "05-02 4",
                                        "06-02 4", "06-03 4", "08-01 4", "08-29 1", "09-19 4", "11-30 4", "12-25 4",
                                        "12-26 4", "12-27 4"}));
    const struct {
        const char* set;
        CalDate date;
        const char* kind;
    } days[] = {
        {"GB", CalDate(2020, 5, 8), "4"},      {"GB", CalDate(2020, 5, 4), ""},     // VE Day's 75th year
        {"GB", CalDate(2020, 12, 28), "4"},                                         // Boxing Day on a Saturday
        {"GB", CalDate(2021, 12, 27), "4"},    {"GB", CalDate(2021, 12, 28), "4"},  // Christmas on a Saturday
        {"GB", CalDate(2012, 5, 28), ""},      {"GB", CalDate(2012, 6, 5), "4"},    // the Diamond Jubilee
        {"GB", CalDate(2023, 5, 8), "4"},      {"GB-WLS", CalDate(2023, 1, 2), "4"},
        {"GB-SCT", CalDate(2021, 1, 4), "4"},   // 2 January on a Saturday
        {"GB-SCT", CalDate(2024, 12, 2), "4"},  // St Andrew's Day on a Saturday
        {"GB-NIR", CalDate(2024, 3, 18), "4"}, {"GB-NIR", CalDate(2023, 7, 12), "4"},
    };
    for (const auto& d : days) EXPECT_EQ(KindOf(Set(d.set), d.date), d.kind) << d.set << " " << d.date.Text();
}

// Lunar days by the Chinese rule in Korea's time; substitute days as the decree (from 2014)
// and the act (from 2021, and 2023 for Buddha's Birthday and Christmas) give them.
TEST(HolidaySets, Korea) {
    EXPECT_EQ(KindsOfYear(Set("KR"), 2024),
              (std::vector<std::string>{"01-01 4", "02-09 4", "02-10 4", "02-11 4", "02-12 4", "03-01 4", "04-10 4",
                                        "05-05 4", "05-06 4", "05-15 4", "06-06 4", "08-15 4", "09-16 4", "09-17 4",
                                        "09-18 4", "10-01 4", "10-03 4", "10-09 4", "12-25 4"}));
    const HolidayScript kr = Set("KR");
    const struct {
        CalDate date;
        const char* kind;
    } days[] = {
        {CalDate(2013, 2, 12), ""},   // before 2014, Seollal on a Sunday (10 February) gave no day
        {CalDate(2014, 9, 10), "4"},  // the first substitute day: Chuseok on Sunday 7 September
        {CalDate(2017, 10, 6), "4"},  // Chuseok on National Foundation Day
        {CalDate(2018, 5, 7), "4"},   // Children's Day on a Saturday
        {CalDate(2021, 2, 15), ""},   // Seollal on a Saturday: none
        {CalDate(2021, 8, 16), "4"},  // Liberation Day on a Sunday, from 2021
        {CalDate(2020, 10, 5), ""},   // National Foundation Day on a Saturday, before 2021
        {CalDate(2023, 5, 29), "4"},  // Buddha's Birthday on a Saturday, from 2023
        {CalDate(2025, 5, 6), "4"},   // Children's Day on Buddha's Birthday
        {CalDate(2025, 10, 8), "4"},  // Chuseok on Sunday 5 October
        {CalDate(2012, 10, 9), ""},   // Hangul Day a day off again from 2013
        {CalDate(2013, 10, 9), "4"},
    };
    for (const auto& d : days) EXPECT_EQ(KindOf(kr, d.date), d.kind) << d.date.Text();
}

// Countries from their holiday laws: a day on an early and on a late Easter, a day
// observed in another's stead, and each day a law added, moved or took away, in its year.
TEST(HolidaySets, CountriesFromTheirLaws) {
    const struct {
        const char* set;
        CalDate date;
        const char* kind;
        std::vector<std::string> names;  // in English, a region's first
    } days[] = {
        // China: the law's days by the Chinese rule at UTC+8 as the law changed them, the
        // State Council's days joined and weekend days worked.
        {"CN", CalDate(2005, 2, 10), "4", {"Spring Festival"}},     // the second day, under the law of 1999
        {"CN", CalDate(2005, 5, 3), "4", {"Labour Day"}},           // three days in May until 2007
        {"CN", CalDate(2008, 5, 2), "3", {"Labour Day holiday"}},   // then one, with days joined
        {"CN", CalDate(2013, 2, 9), "4", {"Spring Festival Eve"}},  // the Eve 2008-2013 and from 2025
        {"CN", CalDate(2014, 1, 30), "", {}},
        {"CN", CalDate(2025, 1, 28), "4", {"Spring Festival Eve"}},
        {"CN", CalDate(2025, 5, 2), "4", {"Labour Day"}},
        {"CN", CalDate(2017, 10, 4), "4", {"Mid-Autumn Festival"}},   // after a leap 6th month
        {"CN", CalDate(2020, 6, 25), "4", {"Dragon Boat Festival"}},  // after a leap 4th month
        {"CN", CalDate(2023, 6, 22), "4", {"Dragon Boat Festival"}},  // after a leap 2nd month
        {"CN", CalDate(2024, 4, 4), "4", {"Qingming Festival"}},      // the Sun at 15 degrees
        {"CN", CalDate(2026, 4, 5), "4", {"Qingming Festival"}},
        {"CN", CalDate(2020, 2, 1), "3", {"Spring Festival holiday"}},  // lengthened to 2 February
        {"CN", CalDate(2024, 2, 18), "1", {"Working day"}},             // a Sunday worked
        {"CN", CalDate(2015, 9, 3), "3", {"Victory Day holiday"}},
        // The United States' states on top of the federal days.
        {"US-CA", CalDate(2025, 3, 31), "3", {"Cesar Chavez Day"}},
        {"US-MA", CalDate(2024, 4, 15), "3", {"Patriots' Day"}},
        {"US-MS", CalDate(2024, 4, 29), "3", {"Confederate Memorial Day"}},  // the last Monday of April
        {"US-VT", CalDate(2024, 3, 5), "3", {"Town Meeting Day"}},
        {"US-HI", CalDate(2024, 8, 16), "3", {"Statehood Day"}},
        {"US-NV", CalDate(2024, 10, 25), "3", {"Nevada Day"}},
        {"US-CT", CalDate(2024, 3, 29), "3", {"Good Friday"}},
        {"US-DE", CalDate(2024, 11, 5), "3", {"Election Day"}},  // even years only
        {"US-DE", CalDate(2023, 11, 7), "", {}},
        {"US-TX", CalDate(2026, 3, 2), "", {"Texas Independence Day"}},  // offices open
        // Christmas on a Saturday: the federal day observed on the 24th keeps its kind.
        {"US-TX", CalDate(2021, 12, 24), "4", {"Christmas Day (observed)"}},
        {"US-DC", CalDate(2013, 1, 21), "4", {"Inauguration Day (observed)", "Birthday of Martin Luther King, Jr."}},
        {"US-DC", CalDate(2022, 4, 15), "3", {"DC Emancipation Day (observed)"}},
        {"US-LA", CalDate(2024, 2, 13), "3", {"Mardi Gras"}},       // 47 days before Easter
        {"US-VA", CalDate(2019, 1, 18), "3", {"Lee-Jackson Day"}},  // until 2020
        {"US-VA", CalDate(2021, 1, 15), "", {}},
        // Europe, South Africa and New Zealand.
        {"AT", CalDate(2008, 5, 22), "4", {"Corpus Christi"}},  // Easter on 23 March
        {"AT", CalDate(2011, 6, 23), "4", {"Corpus Christi"}},  // and on 24 April
        {"AT", CalDate(2019, 4, 19), "", {"Good Friday"}},      // a day off for some until 2018
        {"AT", CalDate(2024, 10, 26), "4", {"National Day"}},
        {"AT-2", CalDate(2024, 10, 10), "", {"Plebiscite Day"}},  // a Land's day: its offices and schools
        {"AT-9", CalDate(2024, 11, 15), "", {"St. Leopold's Day"}},
        {"BE", CalDate(2024, 7, 21), "4", {"National Day"}},
        {"BE", CalDate(2011, 6, 13), "4", {"Whit Monday"}},
        {"CZ", CalDate(2015, 4, 3), "", {}},  // Good Friday from 2016
        {"CZ", CalDate(2016, 3, 25), "4", {"Good Friday"}},
        {"CZ", CalDate(2024, 11, 17), "4", {"Struggle for Freedom and Democracy Day"}},
        {"DK", CalDate(2023, 5, 5), "4", {"Great Prayer Day"}},  // abolished from 2024
        {"DK", CalDate(2024, 4, 26), "", {}},
        {"DK", CalDate(2008, 3, 20), "4", {"Maundy Thursday"}},
        {"FI", CalDate(2024, 6, 21), "3", {"Midsummer Eve"}},
        {"FI", CalDate(2024, 11, 2), "4", {"All Saints' Day"}},  // the Saturday of 31 October - 6 November
        {"FI", CalDate(2020, 10, 31), "4", {"All Saints' Day"}},
        {"HU", CalDate(2016, 3, 25), "", {}},  // Good Friday from 2017
        {"HU", CalDate(2017, 4, 14), "4", {"Good Friday"}},
        {"HU", CalDate(2024, 8, 20), "4", {"State Foundation Day"}},
        {"IT", CalDate(2000, 6, 2), "", {}},  // Republic Day a day off again from 2001
        {"IT", CalDate(2001, 6, 2), "4", {"Republic Day"}},
        {"IT", CalDate(2011, 4, 25), "4", {"Easter Monday", "Liberation Day"}},
        {"NL", CalDate(2013, 4, 30), "4", {"Queen's Day"}},
        {"NL", CalDate(2014, 4, 26), "4", {"King's Day"}},  // 27 April on a Sunday
        {"NL", CalDate(2024, 4, 26), "", {}},
        {"NO", CalDate(2024, 5, 17), "4", {"Constitution Day"}},
        {"NO", CalDate(2011, 4, 21), "4", {"Maundy Thursday"}},
        {"PL", CalDate(2010, 1, 6), "", {}},  // Epiphany from 2011
        {"PL", CalDate(2011, 1, 6), "4", {"Epiphany"}},
        {"PL", CalDate(2018, 11, 12), "4", {"Independence Day (centenary)"}},
        {"PL", CalDate(2024, 12, 24), "", {}},  // Christmas Eve from 2025
        {"PL", CalDate(2025, 12, 24), "4", {"Christmas Eve"}},
        {"PT", CalDate(2014, 10, 5), "", {}},  // suspended 2013-2015
        {"PT", CalDate(2016, 10, 5), "4", {"Republic Day"}},
        {"PT", CalDate(2024, 2, 13), "", {"Carnival"}},
        {"SE", CalDate(2004, 5, 31), "4", {"Whit Monday"}},  // until 2004, National Day after
        {"SE", CalDate(2005, 5, 16), "", {}},
        {"SE", CalDate(2005, 6, 6), "4", {"National Day"}},
        {"SE", CalDate(2024, 6, 22), "4", {"Midsummer Day"}},
        {"GR", CalDate(2024, 3, 18), "4", {"Clean Monday"}},  // 48 days before the Orthodox Easter
        {"GR", CalDate(2024, 6, 24), "4", {"Whit Monday"}},
        {"GR", CalDate(2024, 4, 1), "", {}},  // the Western Easter Monday
        {"LU", CalDate(2018, 5, 9), "", {}},  // Europe Day from 2019
        {"LU", CalDate(2019, 5, 9), "4", {"Europe Day"}},
        {"IS", CalDate(2024, 4, 25), "4", {"First Day of Summer"}},
        {"IS", CalDate(2024, 8, 5), "4", {"Commerce Day"}},
        {"EE", CalDate(2004, 12, 24), "", {}},  // Christmas Eve from 2005
        {"EE", CalDate(2005, 12, 24), "4", {"Christmas Eve"}},
        {"SI", CalDate(2014, 1, 2), "", {}},  // not a work-free day 2013-2016
        {"SI", CalDate(2017, 1, 2), "4", {"New Year's Day"}},
        {"ZA", CalDate(2022, 5, 2), "4", {"Workers' Day (observed)"}},  // 1 May on a Sunday
        {"ZA", CalDate(2022, 12, 27), "4", {"Public holiday"}},         // declared
        {"ZA", CalDate(2024, 5, 29), "4", {"Election Day"}},
        {"NZ", CalDate(2022, 1, 4), "4", {"New Year holiday (observed)"}},  // 1 and 2 January on a weekend
        {"NZ", CalDate(2021, 4, 26), "4", {"ANZAC Day (observed)"}},
        {"NZ", CalDate(2024, 6, 28), "4", {"Matariki"}},
        {"NZ", CalDate(2040, 7, 6), "4", {"Matariki"}},
        {"NZ-AUK", CalDate(2027, 2, 1), "4", {"Auckland Anniversary Day"}},  // the Monday nearest 29 January
        {"NZ-OTA", CalDate(2008, 3, 25), "4", {"Otago Anniversary Day"}},    // its Monday is Easter Monday
        {"MX", CalDate(2005, 2, 5), "4", {"Constitution Day"}},              // on Mondays from 2006
        {"MX", CalDate(2006, 2, 6), "4", {"Constitution Day"}},
        {"MX", CalDate(2024, 10, 1), "4", {"Change of Federal Government"}},
        {"BR", CalDate(2023, 11, 20), "", {}},  // from 2024
        {"BR", CalDate(2024, 11, 20), "4", {"Black Consciousness Day"}},
        {"BR", CalDate(2024, 2, 12), "", {"Carnival"}},
        {"HR", CalDate(2019, 6, 25), "4", {"Statehood Day"}},  // 30 May from 2020
        {"HR", CalDate(2020, 5, 30), "4", {"Statehood Day"}},
        {"HR", CalDate(2020, 10, 8), "", {}},
        // Canada and its provinces and territories.
        {"CA", CalDate(2018, 7, 2), "4", {"Canada Day (observed)"}},
        {"CA", CalDate(2020, 9, 30), "", {}},  // from 2021
        {"CA", CalDate(2021, 9, 30), "4", {"National Day for Truth and Reconciliation"}},
        {"CA-BC", CalDate(2018, 2, 12), "4", {"Family Day"}},  // the third Monday from 2019
        {"CA-BC", CalDate(2019, 2, 18), "4", {"Family Day"}},
        {"CA-QC", CalDate(2024, 6, 24), "4", {"National Holiday"}},
        {"CA-YT", CalDate(2004, 2, 27), "4", {"Heritage Day"}},  // the Friday before the last Sunday
        {"CA-NL", CalDate(2024, 3, 18), "3", {"St. Patrick's Day"}},
        // Argentina: a movable day to the Monday before or after, the executive's bridge days.
        {"AR", CalDate(2024, 11, 18), "4", {"National Sovereignty Day"}},  // from a Wednesday
        {"AR", CalDate(2025, 11, 24), "4", {"National Sovereignty Day"}},  // from a Thursday
        {"AR", CalDate(2025, 8, 15), "4", {"Bridge holiday"}},
        {"AR", CalDate(2004, 3, 24), "", {}},  // a holiday from 2006
        {"AR", CalDate(2024, 3, 28), "3", {"Maundy Thursday"}},
        // Australia: Anzac Day on Easter Monday, a weekend's additional days by state.
        {"AU", CalDate(2011, 4, 25), "4", {"Easter Monday", "Anzac Day"}},
        {"AU", CalDate(2011, 4, 26), "4", {"Anzac Day (additional day)"}},
        {"AU", CalDate(2008, 3, 21), "4", {"Good Friday"}},  // an early Easter
        {"AU-NSW", CalDate(2027, 4, 26), "", {}},
        {"AU-WA", CalDate(2027, 4, 26), "4", {"Anzac Day (additional day)"}},
        {"AU-QLD", CalDate(2012, 10, 1), "4", {"Queen's Birthday"}},
        {"AU-VIC", CalDate(2026, 6, 8), "4", {"King's Birthday"}},
        {"BG", CalDate(2024, 5, 6), "4", {"St. George's Day", "Orthodox Easter Monday"}},  // a late Easter
        {"BG", CalDate(2022, 12, 28), "4", {"Christmas (moved from the weekend)"}},
        {"BG", CalDate(2022, 1, 3), "4", {"Holiday (moved from the weekend)"}},
        // Switzerland: the Näfels procession a week late when its Thursday is Maundy Thursday.
        {"CH", CalDate(2026, 8, 1), "4", {"Swiss National Day"}},
        {"CH-GL", CalDate(2026, 4, 2), "", {}},
        {"CH-GL", CalDate(2026, 4, 9), "4", {"Näfels Procession"}},
        {"CH-GL", CalDate(2025, 4, 3), "4", {"Näfels Procession"}},
        {"CH-GE", CalDate(2026, 9, 10), "4", {"Genevan Fast"}},
        {"CH-VS", CalDate(2026, 4, 6), "", {}},
        {"CL", CalDate(2023, 10, 9), "4", {"Meeting of Two Worlds"}},               // from a Thursday
        {"CL", CalDate(2023, 10, 27), "4", {"Reformation Day"}},                    // from a Tuesday
        {"CL", CalDate(2024, 6, 20), "4", {"National Day of Indigenous Peoples"}},  // the solstice
        {"CL", CalDate(2026, 6, 21), "4", {"National Day of Indigenous Peoples"}},
        {"ES", CalDate(2026, 4, 2), "", {}},
        {"ES-MD", CalDate(2026, 4, 2), "4", {"Maundy Thursday"}},
        {"ES-CT", CalDate(2026, 4, 6), "4", {"Easter Monday"}},
        {"ES-CT", CalDate(2026, 9, 11), "4", {"National Day of Catalonia"}},
        // Hong Kong: the day after a Sunday holiday, after Easter Monday when Ching Ming is Easter.
        {"HK", CalDate(2026, 4, 7), "4", {"Holiday (the day after a holiday on a Sunday)"}},
        {"HK", CalDate(2023, 1, 25), "4", {"Fourth day of Lunar New Year"}},
        {"HK", CalDate(2026, 9, 25), "", {"Mid-Autumn Festival"}},
        {"IE", CalDate(2022, 2, 7), "", {}},  // from 2023
        {"IE", CalDate(2025, 2, 3), "4", {"St. Brigid's Day"}},
        {"IE", CalDate(2030, 2, 1), "4", {"St. Brigid's Day"}},  // a Friday
        {"IE", CalDate(2030, 2, 4), "", {}},
        {"IE", CalDate(2026, 12, 28), "3", {"St. Stephen's Day (day in lieu)"}},
        {"LT", CalDate(2019, 11, 2), "", {}},  // from 2020
        {"LT", CalDate(2020, 11, 2), "4", {"All Souls' Day"}},
        {"LV", CalDate(2025, 5, 5), "4", {"Restoration of Independence Day (moved)"}},
        {"LV", CalDate(2023, 5, 29), "4", {"Ice hockey championship holiday"}},
        {"RO", CalDate(2023, 1, 6), "", {}},  // from 2024
        {"RO", CalDate(2024, 1, 6), "4", {"Epiphany"}},
        {"RO", CalDate(2026, 4, 10), "4", {"Orthodox Good Friday"}},
        {"SK", CalDate(2000, 11, 17), "", {}},  // from 2001
        {"SK", CalDate(2018, 10, 30), "4", {"Anniversary of the Declaration of the Slovak Nation"}},
        // Taiwan: Children's Day moved by Tomb Sweeping Day, weekend days given on weekdays.
        {"TW", CalDate(2024, 4, 5), "4", {"Children's Day"}},  // Tomb Sweeping Day on a Thursday
        {"TW", CalDate(2025, 4, 3), "4", {"Children's Day"}},
        {"TW", CalDate(2021, 4, 2), "4", {"Children's Day (observed)"}},
        {"TW", CalDate(2026, 2, 20), "4", {"Spring Festival (observed)"}},
        {"TW", CalDate(2025, 9, 29), "4", {"Confucius' Birthday (observed)"}},
        {"TW", CalDate(2024, 9, 28), "", {}},  // from 2025
        // Ukraine: a holiday and Easter on one weekend, then martial law's names without days off.
        {"UA", CalDate(2021, 5, 4), "4", {"Day off (moved from the weekend)"}},
        {"UA", CalDate(2021, 3, 8), "4", {"International Women's Day"}},
        {"UA", CalDate(2022, 3, 8), "", {"International Women's Day"}},
        {"UA", CalDate(2023, 10, 1), "", {"Defenders' Day"}},
        {"VN", CalDate(2026, 4, 27), "3", {"Compensatory day off"}},  // after a Sunday
        {"VN", CalDate(2026, 2, 16), "4", {"Tet holiday (New Year's Eve)"}},
        {"VN", CalDate(2007, 4, 26), "4", {"Hung Kings' Commemoration Day"}},
        {"US-CO", CalDate(2020, 10, 5), "3", {"Frances Xavier Cabrini Day"}},
        {"US-SD", CalDate(2026, 10, 12), "4", {"Native American Day", "Columbus Day"}},
    };
    for (const auto& d : days) {
        const HolidayScript set = Set(d.set);
        std::vector<std::string> names, expected;
        for (const NameEntry& name : NamesOf(set, d.date)) names.push_back(name.name);
        // Names come in the system's code page ("Näfels" under 1252).
        for (const std::string& name : d.names) expected.push_back(CurrentPlatform().FromUtf8(name));
        EXPECT_EQ(KindOf(set, d.date), d.kind) << d.set << " " << d.date.Text();
        EXPECT_EQ(names, expected) << d.set << " " << d.date.Text();
    }
}

#ifndef _WIN32
// A German system reads the names in German, the sets being in UTF-8.
TEST(HolidaySets, NamesInTheLanguageOfTheLocale) {
    HostPlatform german;
    german.SetCodePage(kCodePageWestern);
    german.SetAbbreviatedLanguageName("DEU");
    ScopedPlatform scope(german);
    const std::vector<NameEntry> names = NamesOf(Set("DE-SN"), CalDate(2024, 11, 20));
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(german.ToUtf8(names[0].name), "Buß- und Bettag");
    HostPlatform korean;
    korean.SetCodePage(kCodePageKorean);
    ScopedPlatform inKorea(korean);
    EXPECT_EQ(korean.ToUtf8(NamesOf(Set("KR"), CalDate(2024, 9, 17)).at(0).name), "추석");
    HostPlatform chinese;
    chinese.SetCodePage(kCodePageSimplifiedChinese);
    ScopedPlatform inChina(chinese);
    EXPECT_EQ(chinese.ToUtf8(NamesOf(Set("CN"), CalDate(2024, 2, 10)).at(0).name), "春节");
    HostPlatform polish;
    polish.SetCodePage(1250);
    polish.SetAbbreviatedLanguageName("PLK");
    ScopedPlatform inPoland(polish);
    EXPECT_EQ(polish.ToUtf8(NamesOf(Set("PL"), CalDate(2024, 11, 11)).at(0).name), "Narodowe Święto Niepodległości");
    HostPlatform bulgarian;
    bulgarian.SetCodePage(1251);
    bulgarian.SetAbbreviatedLanguageName("BGR");
    ScopedPlatform inBulgaria(bulgarian);
    EXPECT_EQ(bulgarian.ToUtf8(NamesOf(Set("BG"), CalDate(2026, 3, 3)).at(0).name),
              "Ден на Освобождението на България");
    HostPlatform taiwanese;
    taiwanese.SetCodePage(kCodePageTraditionalChinese);
    ScopedPlatform inTaiwan(taiwanese);
    EXPECT_EQ(taiwanese.ToUtf8(NamesOf(Set("TW"), CalDate(2026, 10, 10)).at(0).name), "國慶日");
}
#endif

TEST(HolidaySets, CodesAndFiles) {
    EXPECT_EQ(HolidaySetFiles("sets", "DE-BY"), (std::vector<std::string>{"sets/DE-BY.txt", "sets/DE.txt"}));
    EXPECT_EQ(HolidaySetFiles("sets/", "US"), (std::vector<std::string>{"sets/US.txt"}));
    EXPECT_EQ(HolidaySetFiles("C:\\Tavoli\\holidays", "US"),
              (std::vector<std::string>{"C:\\Tavoli\\holidays\\US.txt"}));
    for (const char* wrong : {"", "D", "de", "DE-", "DE_BY", "DE-BYXX", "DE-by", "../x"})
        EXPECT_TRUE(HolidaySetFiles("sets", wrong).empty()) << wrong;
    HolidayScript script;
    std::vector<std::string> report;
    EXPECT_NE(CompileHolidaySet(kSets, "ZZ", script, report), kSuccess);
    const struct {
        const char* line;
        bool region;
        const char* name;
    } lines[] = {
        {"\xEF\xBB\xBF; Germany: the public holidays every Land keeps.", false, "Germany"},
        {"; Germany, Bavaria (Bayern): the days off", true, "Bavaria (Bayern)"},
        {"; Germany, Bavaria (Bayern): the days off", false, ""},
        {"; Germany: the days", true, ""},
        {"m1 d1 (4)", false, ""},
        {"; no colon", false, ""},
    };
    for (const auto& l : lines) EXPECT_EQ(HolidaySetName(l.line, l.region), l.name) << l.line;
}

// The shipped list, each country before its regions, each region's label with its
// country's name. (The set a first start takes is the settings' test.)
TEST(HolidaySets, ListedCountryBeforeRegions) {
    const std::vector<HolidaySetEntry> sets = ListHolidaySets(kSets);
    std::string country;
    for (const HolidaySetEntry& entry : sets) {
        if (entry.code.size() == 2) country = entry.code;
        else EXPECT_EQ(entry.code.substr(0, 2), country) << entry.code << " is not below its country";
    }
    const auto brandenburg = std::find_if(sets.begin(), sets.end(), [](auto& e) { return e.code == "DE-BB"; });
    ASSERT_NE(brandenburg, sets.end());
    EXPECT_EQ(HolidaySetLabel(*brandenburg, sets), "Germany: Brandenburg");
    EXPECT_EQ(std::count_if(sets.begin(), sets.end(), [](auto& e) { return e.code.size() == 2; }), 45);
    for (const HolidaySetEntry& entry : sets) Set(entry.code);  // every one compiles, each line in its code page
    EXPECT_TRUE(ListHolidaySets(kSets + "/none").empty());
}

}  // namespace
}  // namespace tavoli
