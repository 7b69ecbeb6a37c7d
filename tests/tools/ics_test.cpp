// The iCalendar writer: kind lists, stamps, escaping, folding, identities and the events
// a script and a memo file give.
#include "tools/tavoli/ics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/platform_host.h"

namespace tavoli::tool::ics {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(Ics, KindLists) {
    struct Case {
        const char* text;
        std::optional<KindSet> expected;
    } cases[] = {
        {"3,4,5", kDefaultKinds},
        {"5,4,3", kDefaultKinds},
        {" 3 , 4,5 ", kDefaultKinds},
        {"4", KindSet::Of({DayKind::kNationalHoliday})},
        {"4,4", KindSet::Of({DayKind::kNationalHoliday})},
        {"1,2", KindSet::Of({DayKind::kNormal, DayKind::kSemiHoliday})},
        {"1,2,3,4,5", KindSet::Of({DayKind::kNormal, DayKind::kSemiHoliday, DayKind::kHoliday,
                                   DayKind::kNationalHoliday, DayKind::kAnniversary})},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"0", std::nullopt},
        {"6", std::nullopt},
        {"34", std::nullopt},
        {"3,", std::nullopt},
        {",3", std::nullopt},
        {"3,,4", std::nullopt},
        {"3;4", std::nullopt},
        {"3-5", std::nullopt},
        {"holiday", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseKindList(c.text), c.expected) << c.text;

    // A set holds exactly what was added; no kind is never in it.
    const KindSet set = KindSet::Of({DayKind::kSemiHoliday, DayKind::kAnniversary});
    for (int k = 0; k <= 5; ++k) {
        EXPECT_EQ(set.Has(static_cast<DayKind>(k)), k == 2 || k == 5) << k;
    }
}

TEST(Ics, KindNames) {
    struct Case {
        DayKind kind;
        const char* name;
    } cases[] = {
        {DayKind::kNone, ""},
        {DayKind::kNormal, "Normal day"},
        {DayKind::kSemiHoliday, "Semi-holiday"},
        {DayKind::kHoliday, "Holiday"},
        {DayKind::kNationalHoliday, "National holiday"},
        {DayKind::kAnniversary, "Anniversary"},
    };
    for (const Case& c : cases) EXPECT_EQ(KindName(c.kind), c.name) << static_cast<int>(c.kind);
}

TEST(Ics, StampsAndDates) {
    struct StampCase {
        const char* text;
        bool valid;
    } stamps[] = {
        {"20240101T000000Z", true},   {"20241231T235959Z", true},      {"20240229T120000Z", true},
        {"20230229T120000Z", false},  {"20240431T120000Z", false},     {"20241301T000000Z", false},
        {"20240001T000000Z", false},  {"20240100T000000Z", false},     {"20240101T240000Z", false},
        {"20240101T006000Z", false},  {"20240101T000060Z", false},     {"20240101T000000", false},
        {"20240101 000000Z", false},  {"2024-01-01T00:00:00Z", false}, {"2024010T000000Z", false},
        {"20240101T000000ZZ", false}, {"2024010aT000000Z", false},     {"", false},
    };
    for (const StampCase& c : stamps) EXPECT_EQ(IsUtcStamp(c.text), c.valid) << c.text;

    SystemTimeParts moment;
    moment.year = 2024, moment.month = 3, moment.day = 7, moment.hour = 9, moment.minute = 5, moment.second = 3;
    moment.milliseconds = 999;
    EXPECT_EQ(UtcStamp(moment), "20240307T090503Z");
    moment.year = 987, moment.month = 12, moment.day = 31, moment.hour = 23, moment.minute = 59, moment.second = 59;
    EXPECT_EQ(UtcStamp(moment), "09871231T235959Z");

    struct DateCase {
        CalDate date;
        const char* value;
    } dates[] = {
        {CalDate(2024, 1, 1), "20240101"},
        {CalDate(2024, 2, 29), "20240229"},
        {CalDate(1, 2, 3), "00010203"},
        {CalDate(9999, 12, 31), "99991231"},
    };
    for (const DateCase& c : dates) EXPECT_EQ(DateValue(c.date), c.value) << c.value;
}

TEST(Ics, OnlyValidUtf8GetsThrough) {
    const std::string r = kReplacement;
    struct Case {
        std::string text;
        std::string expected;
    } cases[] = {
        {"", ""},
        {"abc", "abc"},
        {"\xE3\x81\x82", "\xE3\x81\x82"},                          // あ
        {"\xC3\xA9\xF0\x9F\x98\x80", "\xC3\xA9\xF0\x9F\x98\x80"},  // é and an emoji
        {"\xEF\xBF\xBD", "\xEF\xBF\xBD"},
        {"\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},  // U+10FFFF, the last code point
        {"\x80", r},
        {"a\xE3\x81", "a" + r},  // cut at the end: one replacement
        {"\xE3\x81"
         "a",
         r + "a"},
        {"\xC0\x80", r + r},                  // an overlong NUL
        {"\xE0\x80\x80", r + r + r},          // an overlong form of three bytes
        {"\xED\xA0\x80", r + r + r},          // a surrogate
        {"\xF4\x90\x80\x80", r + r + r + r},  // beyond U+10FFFF
        {"\xFF"
         "b",
         r + "b"},
        {"\x82\xA0", r + r},  // Shift_JIS あ read as UTF-8
    };
    for (const Case& c : cases) EXPECT_EQ(ValidUtf8(c.text), c.expected) << c.text;
}

TEST(Ics, TextEscaping) {
    struct Case {
        std::string text;
        std::string expected;
    } cases[] = {
        {"plain text", "plain text"},
        {"a;b,c\\d", "a\\;b\\,c\\\\d"},
        {"\\n is no line break", "\\\\n is no line break"},
        {"tab\there", "tab\there"},
        {"colon: and \"quotes\"", "colon: and \"quotes\""},
        {"one\ntwo", "one\\ntwo"},
        {"one\r\ntwo", "one\\ntwo"},
        {"one\rtwo", "one\\ntwo"},
        {"\r\r\n\n", "\\n\\n\\n"},
        {"end\r", "end\\n"},
        {std::string("a\x01"
                     "b\x1f"
                     "c\x7f",
                     6),
         "a b c "},
        {"\xE6\x97\xA5;\xE6\x9C\xAC", "\xE6\x97\xA5\\;\xE6\x9C\xAC"},  // 日;本
    };
    for (const Case& c : cases) EXPECT_EQ(EscapeText(c.text), c.expected) << c.text;
}

// Checks a folded line against the rules and gives back the unfolded text.
std::string CheckFolding(const std::string& folded, const std::string& label) {
    std::string unfolded;
    size_t start = 0;
    bool first = true;
    while (start < folded.size()) {
        const size_t end = folded.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << label << ": no CR LF at the end";
            return unfolded;
        }
        std::string line = folded.substr(start, end - start);
        EXPECT_LE(line.size(), 75u) << label;
        if (!first) {
            EXPECT_EQ(line.substr(0, 1), " ") << label;
            line.erase(0, 1);
        }
        // Every piece is whole characters: none starts or ends inside one.
        EXPECT_EQ(ValidUtf8(line), line) << label << ": a character was cut";
        EXPECT_EQ(line.find('\r'), std::string::npos) << label;
        EXPECT_EQ(line.find('\n'), std::string::npos) << label;
        // A line is only cut early to keep a character whole (at most 3 octets).
        if (end + 2 < folded.size()) {
            EXPECT_GE(end - start, 72u) << label;
        }
        unfolded += line;
        start = end + 2;
        first = false;
    }
    return unfolded;
}

std::string Repeat(const std::string& piece, size_t times) {
    std::string text;
    for (size_t i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(Ics, FoldingKeepsCharactersWhole) {
    // A Japanese memo of 200 bytes: the sentence repeated, cut at a character, padded.
    const std::string sentence =
        "\xE6\x98\x8E\xE6\x97\xA5\xE3\x81\xAF\xE6\xAD\xAF\xE5\x8C\xBB\xE8\x80\x85\xE3\x81\xAE\xE4\xBA\x88\xE7\xB4\x84"
        "\xE3\x80\x81\xE5\x8D\x88\xE5\xBE\x8C\xE4\xB8\x89\xE6\x99\x82\xE3\x80\x82";  // 明日は歯医者の予約、午後三時。
    std::string memo;
    while (memo.size() + 3 <= 200) memo += sentence.substr(memo.size() % sentence.size(), 3);
    while (memo.size() < 200) memo += 'x';
    ASSERT_EQ(memo.size(), 200u);

    std::vector<std::string> texts = {"", "SUMMARY:", "SUMMARY:" + memo, memo, Repeat("a", 300)};
    // Every position of a 75-octet boundary inside characters of two, three and four bytes.
    for (const char* character : {"\xC3\xA9", "\xE3\x81\x82", "\xF0\x9F\x98\x80"}) {
        for (size_t prefix = 0; prefix < 4; ++prefix) {
            for (size_t count : {24u, 25u, 26u, 37u, 38u, 60u, 100u}) {
                texts.push_back(Repeat("a", prefix) + Repeat(character, count));
            }
        }
    }
    for (const std::string& text : texts) {
        const std::string folded = FoldLine(text);
        EXPECT_EQ(CheckFolding(folded, text), text);
    }
}

TEST(Ics, FoldingCases) {
    const std::string a = "\xE3\x81\x82";  // あ
    struct Case {
        std::string line;
        std::string expected;
    } cases[] = {
        {"", "\r\n"},
        {"BEGIN:VEVENT", "BEGIN:VEVENT\r\n"},
        {Repeat("a", 75), Repeat("a", 75) + "\r\n"},
        {Repeat("a", 76), Repeat("a", 75) + "\r\n a\r\n"},
        {Repeat("a", 149), Repeat("a", 75) + "\r\n " + Repeat("a", 74) + "\r\n"},
        {Repeat("a", 150), Repeat("a", 75) + "\r\n " + Repeat("a", 74) + "\r\n a\r\n"},
        // 8 + 23 × 3 = 77 octets: the 23rd character would straddle octet 75.
        {"SUMMARY:" + Repeat(a, 23), "SUMMARY:" + Repeat(a, 22) + "\r\n " + a + "\r\n"},
        // 9 + 22 × 3 = 75 octets: fits exactly.
        {"SUMMARY:x" + Repeat(a, 22), "SUMMARY:x" + Repeat(a, 22) + "\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(FoldLine(c.line), c.expected) << c.line;
}

TEST(Ics, HashAndIdentity) {
    // The published test vectors of 64-bit FNV-1a.
    EXPECT_EQ(Fnv1a64(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(Fnv1a64("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(Fnv1a64("foobar"), 0x85944171f73967e8ull);

    const CalDate day(2024, 1, 1);
    const std::string uid = Uid(day, Source::kMemo, "dentist");
    EXPECT_EQ(uid, Uid(day, Source::kMemo, "dentist"));
    ASSERT_EQ(uid.size(), 8 + 1 + 16 + 24u) << uid;
    EXPECT_EQ(uid.substr(0, 9), "20240101-");
    EXPECT_EQ(uid.find_first_not_of("0123456789abcdef", 9), 25u) << uid;
    EXPECT_EQ(uid.substr(25), "@tavoli-calendar.invalid");

    struct Other {
        CalDate date;
        Source source;
        const char* text;
    } others[] = {
        {CalDate(2024, 1, 2), Source::kMemo, "dentist"},
        {CalDate(2025, 1, 1), Source::kMemo, "dentist"},
        {day, Source::kMemo, "dentist "},
        {day, Source::kMemo, "Dentist"},
        {day, Source::kHoliday, "dentist"},
        {day, Source::kMemo, ""},
    };
    for (const Other& o : others) {
        EXPECT_NE(Uid(o.date, o.source, o.text), uid) << o.date.Text() << " " << o.text;
        // And the hash part differs too, not only the date in front of it.
        EXPECT_NE(Uid(o.date, o.source, o.text).substr(9), uid.substr(9)) << o.date.Text() << " " << o.text;
    }
}

// The script and memo file as a Japanese Windows writes them, read in code page 932.
class IcsEvents : public ::testing::Test {
protected:
    void SetUp() override {
        japanese_.SetCodePage(kCodePageJapanese);
        std::vector<std::string> report;
        ASSERT_EQ(script_.Compile(japanese_.FromUtf8(kScript), report), kSuccess) << (report.empty() ? "" : report[0]);
        ASSERT_EQ(memos_.ReadContents(japanese_.FromUtf8(kMemos)), kSuccess);
    }

    static constexpr const char* kScript =
        "m1 d1 (4) \"元日\"\n"
        "m1 d1 \"家族の日\"\n"             // no kind: the day's kind
        "m1 d1 (記念) \"祖父の誕生日\"\n"  // its own kind on a national holiday
        "m1 d1 (祝日) \"元日\"\n"          // the same name again: one event
        "m3 d3 (2) \"半ドン\"\n"
        "m3 d3 (5) \"結婚記念日\"\n"
        "m5 d6 (3) \"休み\"\n"
        "m6 d6 (1) \"出勤\"\n"
        "m7 d7 \"七夕\"\n"  // no kind on a day without one: never exported
        "m8 d8 (4) \"\"\n";
    static constexpr const char* kMemos =
        ";Tavoli Calendar Memo 24/03/07 09:05:03\r\n"
        "2024/03/03=ひな祭り, ケーキ;\t\\ 予約\r\n"
        "2024/01/01=初詣\r\n"
        "2023/12/31=大晦日\r\n"
        "2024/01/01=年賀状\r\n"
        "2024/01/01=初詣\r\n"
        "2025/01/01=来年\r\n";

    HostPlatform japanese_;
    ScopedPlatform scope_{japanese_};
    HolidayScript script_;
    MemoStore memos_;
};

TEST_F(IcsEvents, ChosenKindsAndMemosByDay) {
    const CalDate jan1(2024, 1, 1), mar3(2024, 3, 3), may6(2024, 5, 6), jun6(2024, 6, 6);
    const Event memoJan1a{jan1, Source::kMemo, "Memo", "初詣"}, memoJan1b{jan1, Source::kMemo, "Memo", "年賀状"},
        memoMar3{mar3, Source::kMemo, "Memo", "ひな祭り, ケーキ;\t\\ 予約"};
    const Event ganjitsu{jan1, Source::kHoliday, "National holiday", "元日"},
        family{jan1, Source::kHoliday, "National holiday", "家族の日"},
        grandpa{jan1, Source::kHoliday, "Anniversary", "祖父の誕生日"},
        half{mar3, Source::kHoliday, "Semi-holiday", "半ドン"},
        wedding{mar3, Source::kHoliday, "Anniversary", "結婚記念日"}, off{may6, Source::kHoliday, "Holiday", "休み"},
        work{jun6, Source::kHoliday, "Normal day", "出勤"};
    const CalDate first(2024, 1, 1), last(2024, 12, 31);
    struct Case {
        const char* label;
        bool script, memos;
        CalDate from, to;
        KindSet kinds;
        std::vector<Event> expected;
    } cases[] = {
        {"default kinds",
         true,
         true,
         first,
         last,
         kDefaultKinds,
         {ganjitsu, family, grandpa, memoJan1a, memoJan1b, wedding, memoMar3, off}},
        {"normal days", true, false, first, last, KindSet::Of({DayKind::kNormal}), {work}},
        {"semi-holidays and anniversaries",
         true,
         false,
         first,
         last,
         KindSet::Of({DayKind::kSemiHoliday, DayKind::kAnniversary}),
         {grandpa, half, wedding}},
        {"national holidays", true, false, first, last, KindSet::Of({DayKind::kNationalHoliday}), {ganjitsu, family}},
        {"memos only", false, true, first, last, kDefaultKinds, {memoJan1a, memoJan1b, memoMar3}},
        {"one day", true, true, mar3, mar3, kDefaultKinds, {wedding, memoMar3}},
        {"from the second day", true, true, CalDate(2024, 1, 2), last, kDefaultKinds, {wedding, memoMar3, off}},
        {"to the first day",
         true,
         true,
         CalDate(2023, 12, 31),
         jan1,
         KindSet::Of({DayKind::kHoliday}),
         {Event{CalDate(2023, 12, 31), Source::kMemo, "Memo", "大晦日"}, memoJan1a, memoJan1b}},
        {"nothing chosen", false, false, first, last, kDefaultKinds, {}},
    };
    for (const Case& c : cases) {
        const std::vector<Event> events =
            CollectEvents(c.script ? &script_ : nullptr, c.memos ? &memos_ : nullptr, c.from, c.to, c.kinds);
        ASSERT_EQ(events.size(), c.expected.size()) << c.label;
        for (size_t i = 0; i < events.size(); ++i) {
            EXPECT_EQ(events[i], c.expected[i])
                << c.label << " #" << i << ": " << events[i].date.Text() << " " << events[i].summary;
        }
    }
}

TEST(Ics, WholeCalendar) {
    const std::vector<Event> events = {
        {CalDate(2024, 2, 29), Source::kMemo, "Memo", "a;b"},
        {CalDate(2024, 12, 31), Source::kHoliday, "Holiday", "Year's end"},
    };
    std::string expected =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Brenholt//Tavoli Calendar//EN\r\nCALSCALE:GREGORIAN\r\n";
    expected += "BEGIN:VEVENT\r\nUID:" + Uid(CalDate(2024, 2, 29), Source::kMemo, "a;b") +
                "\r\nDTSTAMP:20240101T000000Z\r\n"
                "DTSTART;VALUE=DATE:20240229\r\nDTEND;VALUE=DATE:20240301\r\nSUMMARY:a\\;b\r\nCATEGORIES:Memo\r\n"
                "TRANSP:TRANSPARENT\r\nEND:VEVENT\r\n";
    expected += "BEGIN:VEVENT\r\nUID:" + Uid(CalDate(2024, 12, 31), Source::kHoliday, "Year's end") +
                "\r\nDTSTAMP:20240101T000000Z\r\n"
                "DTSTART;VALUE=DATE:20241231\r\nDTEND;VALUE=DATE:20250101\r\nSUMMARY:Year's end\r\n"
                "CATEGORIES:Holiday\r\nTRANSP:TRANSPARENT\r\nEND:VEVENT\r\n";
    expected += "END:VCALENDAR\r\n";
    EXPECT_EQ(WriteCalendar(events, "20240101T000000Z"), expected);
    EXPECT_EQ(WriteCalendar({}, "20240101T000000Z"),
              "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Brenholt//Tavoli Calendar//EN\r\nCALSCALE:GREGORIAN\r\n"
              "END:VCALENDAR\r\n");
}

}  // namespace
}  // namespace tavoli::tool::ics
