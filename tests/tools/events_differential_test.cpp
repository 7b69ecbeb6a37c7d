// tavoli events against libical's recurrence iterator on generated calendars: the same
// instances for rules of every frequency with day, month and position parts, counts,
// ends and excluded dates. (libical applies no overridden instances; those are the
// reader's own tests.)
#include <gtest/gtest.h>
#include <libical/ical.h>

#include <fstream>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tools/tool_run.h"

namespace tavoli {
namespace {

std::string Minute(const icaltimetype& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

std::string Stamp(const icaltimetype& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d00Z", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

// A rule from the parts libical and the standard read alike.
std::string RandomRule(std::mt19937& random) {
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    static const char* const kDays[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
    static const char* const kFrequencies[] = {"DAILY", "WEEKLY", "MONTHLY", "YEARLY"};
    const int frequency = pick(4);
    std::string rule = std::string("FREQ=") + kFrequencies[frequency];
    if (pick(3) == 0) rule += ";INTERVAL=" + std::to_string(2 + pick(3));
    // Each weekday once (libical gives a day twice for "TU,TU").
    auto days = [&](bool ordinals) {
        std::string list;
        for (int day = pick(7), n = 1 + pick(3), i = 0; i < n; ++i, day = (day + 1 + pick(2)) % 7) {
            if (!list.empty()) list += ",";
            if (ordinals) list += std::to_string(pick(2) ? 1 + pick(4) : -1 - pick(2));
            list += kDays[day];
        }
        return list;
    };
    switch (frequency) {
    case 0:
        if (pick(2)) rule += ";BYDAY=" + days(false);
        if (pick(3) == 0) rule += ";BYMONTH=" + std::to_string(1 + pick(12));
        break;
    case 1:
        if (pick(2)) rule += ";BYDAY=" + days(false);
        if (pick(3) == 0) rule += std::string(";WKST=") + kDays[pick(7)];
        break;
    case 2:
        switch (pick(4)) {
        case 0: rule += ";BYDAY=" + days(true); break;
        case 1: rule += ";BYMONTHDAY=" + std::to_string(pick(2) ? 1 + pick(28) : -1 - pick(3)); break;
        case 2: rule += ";BYDAY=MO,TU,WE,TH,FR;BYSETPOS=" + std::to_string(pick(2) ? 1 + pick(3) : -1 - pick(2)); break;
        default: break;
        }
        break;
    default:
        switch (pick(3)) {
        case 0: rule += ";BYMONTH=" + std::to_string(1 + pick(12)) + ";BYDAY=" + days(true); break;
        case 1:
            rule += ";BYMONTH=" + std::to_string(1 + pick(12)) + ";BYMONTHDAY=" + std::to_string(1 + pick(28));
            break;
        default: break;
        }
        break;
    }
    if (pick(3) == 0) rule += ";COUNT=" + std::to_string(1 + pick(40));
    else if (pick(2) == 0) rule += ";UNTIL=" + std::to_string(2022 + pick(4)) + "0615T000000Z";
    return rule;
}

TEST(EventsDifferential, RecurrenceAgainstLibical) {
    std::mt19937 random(20261209);
    const icaltimetype rangeEnd = icaltime_from_string("20280101T000000Z");
    std::string file = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n";
    std::multiset<std::string> expected;
    for (int n = 0; n < 300; ++n) {
        const std::string rule = RandomRule(random);
        icaltimetype start = icaltime_null_time();
        start.year = 2020 + static_cast<int>(random() % 3);
        start.month = 1 + static_cast<int>(random() % 12);
        start.day = 1 + static_cast<int>(random() % 28);
        start.hour = static_cast<int>(random() % 24);
        start.minute = 15 * static_cast<int>(random() % 4);
        start.zone = icaltimezone_get_utc_timezone();
        const icalrecurrencetype recurrence = icalrecurrencetype_from_string(rule.c_str());
        // The start taken from the rule's first instance, so that both count from it.
        icalrecur_iterator* first = icalrecur_iterator_new(recurrence, start);
        ASSERT_NE(first, nullptr) << rule;
        const icaltimetype synchronized = icalrecur_iterator_next(first);
        icalrecur_iterator_free(first);
        if (icaltime_is_null_time(synchronized)) continue;
        start = synchronized;
        start.zone = icaltimezone_get_utc_timezone();
        std::vector<icaltimetype> instances;
        icalrecur_iterator* it = icalrecur_iterator_new(recurrence, start);
        for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t) && instances.size() < 10000;
             t = icalrecur_iterator_next(it)) {
            if (icaltime_compare(t, rangeEnd) >= 0) break;
            instances.push_back(t);
        }
        icalrecur_iterator_free(it);
        const std::string summary = "E" + std::to_string(n) + " " + rule;
        std::string event = "BEGIN:VEVENT\r\nUID:" + std::to_string(n) + "\r\nDTSTART:" + Stamp(start) +
                            "\r\nDURATION:PT30M\r\nRRULE:" + rule + "\r\nSUMMARY:" + summary + "\r\n";
        // Every third series leaves out its second instance.
        size_t excluded = SIZE_MAX;
        if (n % 3 == 0 && instances.size() > 1) {
            excluded = 1;
            event += "EXDATE:" + Stamp(instances[1]) + "\r\n";
        }
        file += event + "END:VEVENT\r\n";
        for (size_t i = 0; i < instances.size(); ++i) {
            if (i == excluded) continue;
            icaltimetype end = instances[i];
            icaltime_adjust(&end, 0, 0, 30, 0);
            expected.insert(Minute(instances[i]) + "\t" + Minute(end) + "\t" + summary);
        }
    }
    file += "END:VCALENDAR\r\n";
    TempFolder folder;
    std::ofstream(folder.Join("generated.ics"), std::ios::binary) << file;
    const ToolRun run = Tavoli({"events", "--tz", "+0000", "2020-01-01", "2027-12-31", folder.Join("generated.ics")});
    ASSERT_EQ(run.exit, 0) << run.err;
    std::multiset<std::string> listed;
    size_t start = 0;
    while (start < run.out.size()) {
        const size_t end = run.out.find('\n', start);
        listed.insert(run.out.substr(start, end - start));
        start = end + 1;
    }
    // Compared series by series, so that a difference names its rule.
    std::map<std::string, std::pair<std::vector<std::string>, std::vector<std::string>>> bySeries;
    auto series = [](const std::string& line) { return line.substr(line.rfind('\t') + 1); };
    for (const std::string& line : expected) bySeries[series(line)].first.push_back(line);
    for (const std::string& line : listed) bySeries[series(line)].second.push_back(line);
    for (const auto& [name, lines] : bySeries) EXPECT_EQ(lines.second, lines.first) << name;
    EXPECT_GT(expected.size(), 3000u);
}

// Appointments exported by tavoli ics: a file other calendars read without an error, an
// event an instance with an identity of its own, which tavoli events lists as the source.
TEST(EventsDifferential, ExportedAppointmentsReadBack) {
    TempFolder folder;
    const std::string source = folder.Join("work.ics");
    std::ofstream(source, std::ios::binary)
        << "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:w\r\nDTSTART:20240304T140000Z\r\nDURATION:PT1H\r\n"
           "RRULE:FREQ=WEEKLY;COUNT=4\r\nSUMMARY:Standup\r\nLOCATION:Room 5\r\nEND:VEVENT\r\n"
           "BEGIN:VEVENT\r\nUID:w\r\nRECURRENCE-ID:20240311T140000Z\r\nDTSTART:20240312T150000Z\r\n"
           "DURATION:PT30M\r\nSUMMARY:Standup, moved\r\nEND:VEVENT\r\n"
           "BEGIN:VEVENT\r\nUID:t\r\nDTSTART;VALUE=DATE:20240320\r\nDTEND;VALUE=DATE:20240323\r\nSUMMARY:Trip\r\n"
           "END:VEVENT\r\nBEGIN:VEVENT\r\nUID:f\r\nDTSTART:20240321T080000\r\nSUMMARY:Floating\r\nEND:VEVENT\r\n"
           "END:VCALENDAR\r\n";
    const std::string exported = folder.Join("exported.ics");
    const ToolRun run = Tavoli(
        {"ics", "--events", source, "--dtstamp", "20240101T000000Z", "-o", exported, "2024-03-01", "2024-03-31"});
    ASSERT_EQ(run.exit, 0) << run.err;
    std::ifstream in(exported, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    icalcomponent* root = icalparser_parse_string(text.c_str());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(icalcomponent_count_errors(root), 0);
    std::set<std::string> uids;
    int events = 0;
    for (icalcomponent* e = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT), ++events)
        EXPECT_TRUE(uids.insert(icalcomponent_get_uid(e)).second);
    icalcomponent_free(root);
    EXPECT_EQ(events, 6);
    const std::vector<std::string> both = {"events", "--tz", "+0100", "2024-03-01", "2024-03-31"};
    std::vector<std::string> original = both, again = both;
    original.push_back(source);
    again.push_back(exported);
    EXPECT_EQ(Tavoli(again).out, Tavoli(original).out);
    EXPECT_NE(Tavoli(original).out.find("2024/03/12 16:00\t2024/03/12 16:30\tStandup, moved"), std::string::npos);
}

}  // namespace
}  // namespace tavoli
