// Recurrence rules against the examples of the iCalendar standard's recurrence section
// (floating starts, so that UNTIL compares as written), each with the instances the
// standard lists for it.
#include "events/recurrence.h"

#include <gtest/gtest.h>

namespace tavoli {
namespace {

std::string Text(int64_t seconds) {
    const CivilParts p = CivilOf(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d", p.year, p.month, p.day, p.hour, p.minute);
    return text;
}

int64_t At(const char* text) {
    IcsTime time;
    EXPECT_TRUE(ParseIcsTime(text, time)) << text;
    return time.seconds;
}

std::vector<std::string> Expand(const char* start, const char* rule, const char* from, const char* to,
                                ExpansionBudget* budget = nullptr) {
    RecurrenceRule parsed;
    std::string reason;
    EXPECT_TRUE(ParseRecurrenceRule(rule, parsed, reason)) << rule << ": " << reason;
    ExpansionBudget own;
    std::vector<int64_t> starts;
    ExpandRule(
        parsed, At(start), std::string_view(start).size() == 8, At(from), At(to), [](int64_t s) { return s; },
        budget ? *budget : own, starts);
    std::vector<std::string> texts;
    for (int64_t s : starts) texts.push_back(Text(s));
    return texts;
}

TEST(Recurrence, ExamplesOfTheStandard) {
    const struct {
        const char* start;
        const char* rule;
        const char* to;  // the range ends before it
        size_t count;
        std::vector<std::string> first;  // the first instances, or all of them
        const char* last;
    } cases[] = {
        {"19970902T090000", "FREQ=DAILY;COUNT=10", "19990101", 10, {"19970902T0900", "19970903T0900"}, "19970911T0900"},
        {"19970902T090000", "FREQ=DAILY;UNTIL=19971224T000000Z", "19990101", 113, {"19970902T0900"}, "19971223T0900"},
        {"19970902T090000",
         "FREQ=DAILY;INTERVAL=2",
         "19970911",
         5,
         {"19970902T0900", "19970904T0900"},
         "19970910T0900"},
        {"19970902T090000",
         "FREQ=DAILY;INTERVAL=10;COUNT=5",
         "19990101",
         5,
         {"19970902T0900", "19970912T0900", "19970922T0900", "19971002T0900", "19971012T0900"},
         "19971012T0900"},
        {"19980101T090000",
         "FREQ=YEARLY;UNTIL=20000131T140000Z;BYMONTH=1;BYDAY=SU,MO,TU,WE,TH,FR,SA",
         "20010101",
         93,
         {"19980101T0900"},
         "20000131T0900"},
        {"19970902T090000",
         "FREQ=WEEKLY;COUNT=10",
         "19990101",
         10,
         {"19970902T0900", "19970909T0900"},
         "19971104T0900"},
        {"19970902T090000",
         "FREQ=WEEKLY;UNTIL=19971007T000000Z;WKST=SU;BYDAY=TU,TH",
         "19990101",
         10,
         {"19970902T0900", "19970904T0900", "19970909T0900"},
         "19971002T0900"},
        {"19970901T090000",
         "FREQ=WEEKLY;INTERVAL=2;UNTIL=19971224T000000Z;WKST=SU;BYDAY=MO,WE,FR",
         "19990101",
         25,
         {"19970901T0900", "19970903T0900", "19970905T0900", "19970915T0900"},
         "19971222T0900"},
        {"19970905T090000",
         "FREQ=MONTHLY;COUNT=10;BYDAY=1FR",
         "19990101",
         10,
         {"19970905T0900", "19971003T0900", "19971107T0900", "19971205T0900", "19980102T0900"},
         "19980605T0900"},
        {"19970907T090000",
         "FREQ=MONTHLY;INTERVAL=2;COUNT=10;BYDAY=1SU,-1SU",
         "19990101",
         10,
         {"19970907T0900", "19970928T0900", "19971102T0900", "19971130T0900", "19980104T0900"},
         "19980531T0900"},
        {"19970922T090000",
         "FREQ=MONTHLY;COUNT=6;BYDAY=-2MO",
         "19990101",
         6,
         {"19970922T0900", "19971020T0900", "19971117T0900", "19971222T0900"},
         "19980216T0900"},
        {"19970928T090000",
         "FREQ=MONTHLY;BYMONTHDAY=-3",
         "19980227",
         6,
         {"19970928T0900", "19971029T0900", "19971128T0900", "19971229T0900", "19980129T0900"},
         "19980226T0900"},
        {"19970930T090000",
         "FREQ=MONTHLY;COUNT=10;BYMONTHDAY=1,-1",
         "19990101",
         10,
         {"19970930T0900", "19971001T0900", "19971031T0900"},
         "19980201T0900"},
        {"19970910T090000",
         "FREQ=MONTHLY;INTERVAL=18;COUNT=10;BYMONTHDAY=10,11,12,13,14,15",
         "20000101",
         10,
         {"19970910T0900"},
         "19990313T0900"},
        {"19970902T090000",
         "FREQ=MONTHLY;INTERVAL=2;BYDAY=TU",
         "19980101",
         9,
         {"19970902T0900", "19970909T0900", "19970916T0900", "19970923T0900", "19970930T0900", "19971104T0900"},
         "19971125T0900"},
        {"19970610T090000",
         "FREQ=YEARLY;COUNT=10;BYMONTH=6,7",
         "20030101",
         10,
         {"19970610T0900", "19970710T0900"},
         "20010710T0900"},
        {"19970310T090000",
         "FREQ=YEARLY;INTERVAL=2;COUNT=10;BYMONTH=1,2,3",
         "20050101",
         10,
         {"19970310T0900", "19990110T0900", "19990210T0900", "19990310T0900"},
         "20030310T0900"},
        {"19970101T090000",
         "FREQ=YEARLY;INTERVAL=3;COUNT=10;BYYEARDAY=1,100,200",
         "20070101",
         10,
         {"19970101T0900", "19970410T0900", "19970719T0900", "20000101T0900", "20000409T0900"},
         "20060101T0900"},
        {"19970519T090000",
         "FREQ=YEARLY;BYDAY=20MO",
         "20000101",
         3,
         {"19970519T0900", "19980518T0900"},
         "19990517T0900"},
        {"19970512T090000",
         "FREQ=YEARLY;BYWEEKNO=20;BYDAY=MO",
         "20000101",
         3,
         {"19970512T0900", "19980511T0900"},
         "19990517T0900"},
        {"19970313T090000",
         "FREQ=YEARLY;BYMONTH=3;BYDAY=TH",
         "19990101",
         7,
         {"19970313T0900", "19970320T0900", "19970327T0900", "19980305T0900"},
         "19980326T0900"},
        {"19970605T090000", "FREQ=YEARLY;BYDAY=TH;BYMONTH=6,7,8", "19980101", 13, {"19970605T0900"}, "19970828T0900"},
        {"19980213T090000",
         "FREQ=MONTHLY;BYDAY=FR;BYMONTHDAY=13",
         "20010101",
         5,
         {"19980213T0900", "19980313T0900", "19981113T0900", "19990813T0900"},
         "20001013T0900"},
        {"19970913T090000",
         "FREQ=MONTHLY;BYDAY=SA;BYMONTHDAY=7,8,9,10,11,12,13",
         "19980615",
         10,
         {"19970913T0900", "19971011T0900", "19971108T0900"},
         "19980613T0900"},
        {"19961105T090000",
         "FREQ=YEARLY;INTERVAL=4;BYMONTH=11;BYDAY=TU;BYMONTHDAY=2,3,4,5,6,7,8",
         "20050101",
         3,
         {"19961105T0900", "20001107T0900"},
         "20041102T0900"},
        {"19970904T090000",
         "FREQ=MONTHLY;COUNT=3;BYDAY=TU,WE,TH;BYSETPOS=3",
         "19990101",
         3,
         {"19970904T0900", "19971007T0900"},
         "19971106T0900"},
        {"19970929T090000",
         "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-2",
         "19980331",
         7,
         {"19970929T0900", "19971030T0900", "19971127T0900", "19971230T0900"},
         "19980330T0900"},
        {"19970902T090000",
         "FREQ=HOURLY;INTERVAL=3;UNTIL=19970902T170000Z",
         "19990101",
         3,
         {"19970902T0900"},
         "19970902T1500"},
        {"19970902T090000",
         "FREQ=MINUTELY;INTERVAL=15;COUNT=6",
         "19990101",
         6,
         {"19970902T0900", "19970902T0915"},
         "19970902T1015"},
        {"19970902T090000",
         "FREQ=MINUTELY;INTERVAL=90;COUNT=4",
         "19990101",
         4,
         {"19970902T0900", "19970902T1030", "19970902T1200"},
         "19970902T1330"},
        {"19970902T090000",
         "FREQ=DAILY;BYHOUR=9,10,11,12,13,14,15,16;BYMINUTE=0,20,40",
         "19970903",
         24,
         {"19970902T0900", "19970902T0920"},
         "19970902T1640"},
        {"19970805T090000",
         "FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=MO",
         "19990101",
         4,
         {"19970805T0900", "19970810T0900", "19970819T0900"},
         "19970824T0900"},
        {"19970805T090000",
         "FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=SU",
         "19990101",
         4,
         {"19970805T0900", "19970817T0900", "19970819T0900"},
         "19970831T0900"},
        {"20070115T090000",
         "FREQ=MONTHLY;BYMONTHDAY=15,30;COUNT=5",
         "20080101",
         5,
         {"20070115T0900", "20070130T0900", "20070215T0900", "20070315T0900"},
         "20070330T0900"},
        // Dates: a yearly birthday on 29 February keeps to leap years.
        {"20000229", "FREQ=YEARLY", "20130101", 4, {"20000229T0000", "20040229T0000"}, "20120229T0000"},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> got = Expand(c.start, c.rule, c.start, c.to);
        ASSERT_EQ(got.size(), c.count) << c.rule;
        for (size_t i = 0; i < c.first.size(); ++i) EXPECT_EQ(got[i], c.first[i]) << c.rule << " #" << i;
        EXPECT_EQ(got.back(), c.last) << c.rule;
    }
}

// A range far from the start gives the instances there, found without walking the years
// between; a count still counts from the start.
TEST(Recurrence, RangesAfterTheStart) {
    EXPECT_EQ(Expand("19970902T090000", "FREQ=DAILY", "20260101", "20260103"),
              (std::vector<std::string>{"20260101T0900", "20260102T0900"}));
    EXPECT_EQ(Expand("19970905T090000", "FREQ=MONTHLY;BYDAY=1FR", "20261201", "20270201"),
              (std::vector<std::string>{"20261204T0900", "20270101T0900"}));
    EXPECT_TRUE(Expand("19970902T090000", "FREQ=DAILY;COUNT=10", "20260101", "20260103").empty());
    ExpansionBudget budget;
    EXPECT_EQ(Expand("20000101T000000", "FREQ=SECONDLY", "20260101", "20260102", &budget).size(), budget.instances);
    EXPECT_TRUE(budget.exhausted);  // bounded, not 86,400
}

TEST(Recurrence, RulesRefused) {
    for (const char* rule : {"", "COUNT=3", "FREQ=FORTNIGHTLY", "FREQ=DAILY;INTERVAL=0", "FREQ=DAILY;COUNT=0",
                             "FREQ=MONTHLY;BYMONTHDAY=0", "FREQ=MONTHLY;BYMONTHDAY=32", "FREQ=YEARLY;BYMONTH=13",
                             "FREQ=MONTHLY;BYDAY=0MO", "FREQ=MONTHLY;BYDAY=1XX", "FREQ=DAILY;COUNT=2;UNTIL=20240101",
                             "FREQ=DAILY;UNTIL=2024", "FREQ=WEEKLY;WKST=XY", "FREQ=DAILY;BYHOUR=24"}) {
        RecurrenceRule parsed;
        std::string reason;
        EXPECT_FALSE(ParseRecurrenceRule(rule, parsed, reason)) << rule;
        EXPECT_FALSE(reason.empty()) << rule;
    }
}

}  // namespace
}  // namespace tavoli
