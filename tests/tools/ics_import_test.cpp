// The exported calendar as other calendar programs read it: parsed by libical, the parser
// of several desktop calendars, and compared with the official list of Japan's holidays
// and with the memos of a Shift_JIS memo file.
#include <gtest/gtest.h>
#include <iconv.h>
#include <libical/ical.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/platform_host.h"
#include "support/file_contents.h"
#include "support/temp_folder.h"
#include "tools/tool_run.h"

namespace tavoli {
namespace {

const std::string kScript = TAVOLI_SOURCE_DIR "/dist/holidays/JP.txt";
const std::string kStamp = "20240101T000000Z";

// (YYYYMMDD, text) pairs, as many times as they occur.
using DatedTexts = std::multiset<std::pair<std::string, std::string>>;

// The official list's holidays FROM..TO (dates as YYYY-MM-DD), by the names the script
// gives them: the list names a substitute day after the holiday before it and a citizens'
// holiday "休日".
DatedTexts OfficialHolidays(const std::string& from, const std::string& to) {
    DatedTexts holidays;
    std::ifstream in(TAVOLI_TEST_DATA "/japan-national-holidays-1970-2050.tsv", std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const size_t tab = line.find('\t');
        const std::string date = line.substr(0, tab);
        std::string name = line.substr(tab + 1);
        if (name.find(" 振替休日") != std::string::npos) name = "振替休日";
        if (name == "休日") name = "国民の休日";
        if (date < from || date > to) continue;
        std::string compact = date;
        compact.erase(std::remove(compact.begin(), compact.end(), '-'), compact.end());
        holidays.emplace(compact, name);
    }
    return holidays;
}

std::string DateText(const icaltimetype& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", t.year, t.month, t.day);
    return text;
}

bool IsUtf8(const std::string& text) {
    iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string in = text;
    std::vector<char> out(text.size() * 4 + 4);
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    return result != static_cast<size_t>(-1) && inLeft == 0;
}

// What libical read: every event by category, and the properties every event must have.
struct Parsed {
    int errors = -1;
    int events = 0;
    std::map<std::string, DatedTexts> byCategory;
    std::set<std::string> uids;
};

Parsed ParseWithLibical(const std::string& text) {
    Parsed parsed;
    icalcomponent* root = icalparser_parse_string(text.c_str());
    if (!root) return parsed;
    EXPECT_EQ(icalcomponent_isa(root), ICAL_VCALENDAR_COMPONENT);
    parsed.errors = icalcomponent_count_errors(root);
    icalproperty* version = icalcomponent_get_first_property(root, ICAL_VERSION_PROPERTY);
    EXPECT_TRUE(version && std::string(icalproperty_get_version(version)) == "2.0");
    EXPECT_NE(icalcomponent_get_first_property(root, ICAL_PRODID_PROPERTY), nullptr);
    for (icalcomponent* event = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        ++parsed.events;
        const icaltimetype start = icalcomponent_get_dtstart(event);
        icaltimetype end = icalcomponent_get_dtend(event);
        EXPECT_TRUE(start.is_date && end.is_date) << DateText(start);
        icaltimetype next = start;
        icaltime_adjust(&next, 1, 0, 0, 0);
        EXPECT_EQ(DateText(end), DateText(next)) << DateText(start);
        EXPECT_EQ(std::string(icaltime_as_ical_string(icalcomponent_get_dtstamp(event))), kStamp);
        const char* uid = icalcomponent_get_uid(event);
        EXPECT_TRUE(uid && parsed.uids.insert(uid).second) << (uid ? uid : "no UID");
        icalproperty* categories = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY);
        const std::string category = categories ? icalproperty_get_categories(categories) : "";
        const char* summary = icalcomponent_get_summary(event);
        parsed.byCategory[category].emplace(DateText(start), summary ? summary : "");
    }
    icalcomponent_free(root);
    return parsed;
}

// The file's own form: CR LF line ends, lines of at most 75 octets that cut no character.
void CheckLines(const std::string& text) {
    size_t start = 0, lines = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "the file does not end with CR LF";
        std::string line = text.substr(start, end - start);
        EXPECT_LE(line.size(), 75u) << line;
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        if (!line.empty() && line[0] == ' ') line.erase(0, 1);
        EXPECT_TRUE(IsUtf8(line)) << line;
        start = end + 2;
        ++lines;
    }
    EXPECT_GT(lines, 0u);
}

TEST(IcsImport, TheShippedHolidaysAsTheOfficialListHasThem) {
    const ToolRun run =
        Tavoli({"ics", "--holidays", kScript, "2024-01-01", "2026-12-31", "--codepage", "932", "--dtstamp", kStamp});
    ASSERT_EQ(run.exit, 0) << run.err;
    CheckLines(run.out);
    const Parsed parsed = ParseWithLibical(run.out);
    EXPECT_EQ(parsed.errors, 0);

    const DatedTexts official = OfficialHolidays("2024-01-01", "2026-12-31");
    ASSERT_FALSE(official.empty());
    EXPECT_EQ(parsed.events, static_cast<int>(official.size()));
    ASSERT_EQ(parsed.byCategory.size(), 1u);
    ASSERT_EQ(parsed.byCategory.count("National holiday"), 1u);
    EXPECT_EQ(parsed.byCategory.at("National holiday"), official);
    for (const auto& day : {std::make_pair("20240101", "元日"), std::make_pair("20240212", "振替休日")}) {
        EXPECT_EQ(parsed.byCategory.at("National holiday").count(day), 1u) << day.first;
    }

    // The holidays command counts the same names.
    const ToolRun listed = Tavoli({"holidays", kScript, "2024-01-01", "2026-12-31", "--codepage", "932"});
    ASSERT_EQ(listed.exit, 0);
    const int tabs = static_cast<int>(std::count(listed.out.begin(), listed.out.end(), '\t'));
    const int lines = static_cast<int>(std::count(listed.out.begin(), listed.out.end(), '\n'));
    EXPECT_EQ(parsed.events, tabs - lines);  // one tab before the kind, one before each name
}

TEST(IcsImport, AJapaneseMemoFileWithTheHolidays) {
    // The memo file as the calendar writes it on a Japanese Windows: Shift_JIS, CR LF.
    std::string longMemo;  // 100 characters, 200 bytes in Shift_JIS
    const char* const characters[] = {"明", "日", "は", "歯", "医", "者", "の", "予", "約", "、"};
    for (int i = 0; i < 100; ++i) longMemo += characters[i % 10];
    const std::vector<std::pair<std::string, std::string>> memos = {
        {"20240101", "初詣"},     {"20240101", "年賀状を書く"},
        {"20240212", longMemo},   {"20240303", "ひな祭り; ケーキ, 予約 \\ 午後\t三時"},
        {"20261231", "大晦日"},   {"20270101", "範囲の外"},
        {"20231231", "範囲の外"},
    };
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    std::string file = japanese.FromUtf8(";Tavoli Calendar Memo 24/03/07 09:05:03\r\n");
    DatedTexts expected;
    for (const auto& [date, text] : memos) {
        file += date.substr(0, 4) + "/" + date.substr(4, 2) + "/" + date.substr(6, 2) + "=" + japanese.FromUtf8(text) +
                "\r\n";
        if (date >= "20240101" && date <= "20261231") expected.emplace(date, text);
    }
    ASSERT_EQ(japanese.FromUtf8(longMemo).size(), 200u);
    TempFolder folder;
    const std::string memoPath = folder.Join("memo.txt");
    WriteWholeFile(memoPath, file);

    const std::vector<std::string> arguments = {"ics",    "--holidays", kScript,      "--memos",
                                                memoPath, "2024-01-01", "2026-12-31", "--codepage",
                                                "932",    "--dtstamp",  kStamp};
    const ToolRun run = Tavoli(arguments);
    ASSERT_EQ(run.exit, 0) << run.err;
    CheckLines(run.out);
    // The long memo is folded: its summary does not fit on one line.
    EXPECT_EQ(run.out.find(longMemo), std::string::npos);
    const Parsed parsed = ParseWithLibical(run.out);
    EXPECT_EQ(parsed.errors, 0);

    const DatedTexts official = OfficialHolidays("2024-01-01", "2026-12-31");
    EXPECT_EQ(parsed.events, static_cast<int>(official.size() + expected.size()));
    ASSERT_EQ(parsed.byCategory.count("Memo"), 1u);
    EXPECT_EQ(parsed.byCategory.at("Memo"), expected);
    EXPECT_EQ(parsed.byCategory.at("National holiday"), official);

    // The same file on every run: the UIDs depend on nothing but the events.
    EXPECT_EQ(Tavoli(arguments).out, run.out);
}

}  // namespace
}  // namespace tavoli
