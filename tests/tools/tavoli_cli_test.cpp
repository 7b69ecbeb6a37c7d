// The companion tool as its users run it: the built binary, its output and exit codes.
#include <gtest/gtest.h>

#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/paths.h"
#include "framework/platform_host.h"
#include "framework/text_lines.h"
#include "holidays/day_trace.h"
#include "support/file_contents.h"
#include "support/temp_folder.h"
#include "tools/tavoli/ics.h"
#include "tools/tool_run.h"

namespace tavoli {
namespace {

const std::string kScript = TAVOLI_SOURCE_DIR "/dist/holidays/JP.txt";

TEST(TavoliCli, Convert) {
    ToolRun run = Tavoli({"convert", "A", "2023-03-20", "2023/03/23", "--tz", "+0900"});
    EXPECT_EQ(run.exit, 0);
    EXPECT_EQ(run.out,
              "2023/03/20\t2023\t2\t29\t6\n2023/03/21\t2023\t2\t30\t1\n"
              "2023/03/22\t2023\t14\t1\t2\n2023/03/23\t2023\t14\t2\t3\n");
    EXPECT_EQ(Tavoli({"convert", "G", "2000-01-01"}).out, "2000/01/01\t2000\t1\t1\t6\n");
    EXPECT_EQ(Tavoli({"convert", "J", "2024-03-01"}).out, "2024/03/01\t2024\t2\t17\t5\n");
    EXPECT_EQ(Tavoli({"convert", "H", "2024-07-08"}).out, "2024/07/08\t1446\t1\t1\t1\n");
    // The zone moves month starts: the new moon of 5 December 2029 at 23:50 JST.
    EXPECT_EQ(Tavoli({"convert", "A", "2029-12-05", "--tz", "+0900"}).out.substr(0, 21), "2029/12/05\t2029\t11\t1\t");
    EXPECT_NE(Tavoli({"convert", "A", "2029-12-05", "--tz", "+1000"}).out.substr(0, 21), "2029/12/05\t2029\t11\t1\t");
    run = Tavoli({"convert", "g", "2024-12-30", "2025-01-02"});
    EXPECT_EQ(run.out,
              "2024/12/30\t2024\t12\t30\t1\n2024/12/31\t2024\t12\t31\t2\n"
              "2025/01/01\t2025\t1\t1\t3\n2025/01/02\t2025\t1\t2\t4\n");
}

TEST(TavoliCli, Format) {
    const std::string rokuyo = "%W?A{1=\"先勝\",2=\"友引\",3=\"先負\",4=\"仏滅\",5=\"大安\",6=\"赤口\"}";
    ToolRun run = Tavoli({"format", "%Y<(%G%g{1=\"元\"})>年 %M月%D日 " + rokuyo, "2024-05-05", "--tz", "+0900", "--era",
                          "1989/1/8=\"平成\" 2019/5/1=\"令和\""});
    EXPECT_EQ(run.exit, 0);
    EXPECT_EQ(run.out, "2024(令和6)年 5月5日 大安\n");
    EXPECT_EQ(Tavoli({"format", "%h##:%m##:%s##.%z###", "2024-05-05", "09:05:03.5"}).out, "09:05:03.500\n");
    EXPECT_EQ(Tavoli({"format", "%Y年", "1989-01-08", "--codepage", "932", "--era", "1989/1/8=\"平成\""}).out,
              "1989年\n");
    // The Japanese default era list comes with code page 932.
    EXPECT_EQ(Tavoli({"format", "%G%g", "1989-01-08", "--codepage", "932"}).out, "平成1\n");
}

TEST(TavoliCli, CheckHolidaysAndExplain) {
    ToolRun run = Tavoli({"check", kScript, "--codepage", "932"});
    EXPECT_EQ(run.exit, 0);
    EXPECT_EQ(run.out, "OK\n");
    TempFolder folder;
    WriteWholeFile(folder.Join("bad.txt"), "m1 d1 \"ok\"\r\nm1 x\r\n");
    run = Tavoli({"check", folder.Join("bad.txt")});
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.out, "Line 2:Syntax error.\n");
    run = Tavoli({"check", folder.Join("missing.txt")});
    EXPECT_EQ(run.exit, 2);
    EXPECT_NE(run.err.find("cannot read"), std::string::npos);

    run = Tavoli({"holidays", kScript, "2024-01-01", "2024-12-31", "--codepage", "932"});
    EXPECT_EQ(run.exit, 0);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 21);
    for (const char* line : {"2024/01/01\t4\t元日\n", "2024/02/12\t4\t振替休日\n", "2024/03/20\t4\t春分の日\n",
                             "2024/09/22\t4\t秋分の日\n", "2024/11/23\t4\t勤労感謝の日\n"}) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
    }
    // A Shift_JIS script with a name but no kind.
    WriteWholeFile(folder.Join("sjis.txt"), "m?a1 :+0900 d?a1 :+0900 \"\x8b\x8c\x90\xb3\x8c\x8e\"\r\n");
    run = Tavoli({"holidays", folder.Join("sjis.txt"), "2023-01-01", "2023-12-31", "--codepage", "932"});
    EXPECT_EQ(run.out, "2023/01/22\t\t旧正月\n");
    // A shipped set: Saxony's days on top of Germany's.
    run = Tavoli({"holidays", "--country", "DE-SN", "2024-11-01", "2024-11-30"});
    EXPECT_EQ(run.exit, 0);
    EXPECT_EQ(run.out, "2024/11/20\t4\tDay of Repentance and Prayer\n");
    run = Tavoli({"countries"});
    EXPECT_EQ(run.exit, 0);
    for (const char* line : {"DE\tGermany\n  DE-BB\tBrandenburg\n", "  GB-SCT\tScotland\n", "KR\tRepublic of Korea\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;
}

// "tavoli explain" prints the calendar's own trace of a day, in the language of the code
// page: the shipped script in Japanese and in English, a lunisolar rule in English.
TEST(TavoliCli, ExplainIsTheCalendarsDayTrace) {
    TempFolder folder;
    const std::string lunar = folder.Join("lunar.txt");
    WriteWholeFile(lunar, "#weekday 0 (3)\r\nm?a1 :+0900 d?a1 :+0900 \"Lunar New Year\"\r\n");
    const std::string shipped = "スクリプト: " + kScript + "\n", none = "名前を付ける規則はありません\n";
    const std::string newYear = " (13 行目): m1 d1 (4) \"New Year's Day\tja:元日\"\n";
    const std::string substitute =
        " (58 行目): y2007- w1 x1 <1 x0 (4) \"Substitute Holiday\tja:振替休日\"\n"
        "  記述子 3 の x (2023/01/01) は 13 行目に当てはまりました: m1 d1 (4) \"New Year's "
        "Day\tja:元日\"\n";
    const std::string citizens =
        " (63 行目): j2446427- !w0-1 x0 x1 <1 x1 >1 (4) \"Citizens' Holiday\tja:国民の休日\"\n"
        "  記述子 4 の x (2026/09/21) は 35 行目に当てはまりました: y2003- m9 w1 d15-21 (4) "
        "\"Respect for the Aged Day\tja:敬老の日\"\n"
        "  記述子 5 の x (2026/09/23) は 36 行目に当てはまりました: m9 d21-24 s179 :+0900 "
        "s180 >1 :+0900 (4) \"Autumnal Equinox Day\tja:秋分の日\"\n";
    const std::string christmas = folder.Join("christmas.txt");
    WriteWholeFile(christmas, "m12 d25 (4) \"Christmas Day\tfr:No\xEBl\tja:\x83\x4e\x83\x8a\"\r\n");
    const struct {
        const std::string& script;
        int codePage;
        CalDate date;
        std::string expected;
    } cases[] = {
        {kScript, 932, CalDate(2024, 1, 1),
         "2024/01/01 (月曜日)\n祝日: 元日\n" + shipped + "種類 \"4\"" + newYear + "名前 \"元日\"" + newYear},
        {kScript, 932, CalDate(2023, 1, 2),
         "2023/01/02 (月曜日)\n祝日: 振替休日\n" + shipped + "種類 \"4\"" + substitute + "名前 \"振替休日\"" +
             substitute},
        {kScript, 932, CalDate(2026, 9, 22),
         "2026/09/22 (火曜日)\n祝日: 国民の休日\n" + shipped + "種類 \"4\"" + citizens + "名前 \"国民の休日\"" +
             citizens},
        {kScript, 932, CalDate(2023, 1, 8),
         "2023/01/08 (日曜日)\n日曜日\n" + shipped +
             "種類を決める規則はありません: 曜日の種類 \"3\" (8 行目): #weekday 0 (3)\n" + none},
        {kScript, 932, CalDate(2023, 1, 10),
         "2023/01/10 (火曜日)\n平日\n" + shipped + "種類を決める規則も、この曜日の \"#weekday\" 行もありません\n" +
             none},
        // In English the Japanese names of the line, unreadable in code page 1252, are elided.
        {kScript, 1252, CalDate(2024, 1, 1),
         "2024/01/01 (Monday)\nNational holiday: New Year's Day\nScript: " + kScript +
             "\nKind \"4\" from line 13: m1 d1 (4) \"New Year's Day\tja:...\"\n"
             "Name \"New Year's Day\" from line 13: m1 d1 (4) \"New Year's Day\tja:...\"\n"},
        {lunar, 1252, CalDate(2023, 1, 22),
         "2023/01/22 (Sunday)\nSunday: Lunar New Year\nScript: " + lunar +
             "\nNo rule sets a kind: the weekday's kind \"3\" from line 1: #weekday 0 (3)\n"
             "Name \"Lunar New Year\" from line 2: m?a1 :+0900 d?a1 :+0900 \"Lunar New Year\"\n"},
        // A French name is written in code page 1252: it is shown there as it is.
        {christmas, 1252, CalDate(2024, 12, 25),
         "2024/12/25 (Wednesday)\nNational holiday: Christmas Day\nScript: " + christmas +
             "\nKind \"4\" from line 1: m12 d25 (4) \"Christmas Day\tfr:Noël\tja:...\"\n"
             "Name \"Christmas Day\" from line 1: m12 d25 (4) \"Christmas Day\tfr:Noël\tja:...\"\n"},
    };
    for (const auto& c : cases) {
        // The calendar's function, called here, and the tool print the same.
        HostPlatform platform;
        platform.SetCodePage(c.codePage);
        ScopedPlatform scope(platform);
        std::vector<std::string> lines, report;
        HolidayScript script;
        ASSERT_TRUE(ReadTextLines(c.script, lines) == kSuccess && script.CompileLines(lines, report) == kSuccess);
        std::string traced;
        for (const std::string& line : DayTrace(c.date, script, lines, {{TracedScriptFile::Role::kGiven, c.script}}))
            traced += platform.ToUtf8(line) + "\n";
        EXPECT_EQ(traced, c.expected) << c.date.Text();
        EXPECT_EQ(Tavoli({"explain", c.script, c.date.Text(), "--codepage", std::to_string(c.codePage)}).out, traced);
    }
}

TEST(TavoliCli, MonthAndMemos) {
    ToolRun run = Tavoli({"month", "2024", "6"});
    EXPECT_EQ(run.exit, 0);
    EXPECT_EQ(run.out,
              "2024年 6月\n日 月 火 水 木 金 土\n                  １\n２ ３ ４ ５ ６ ７ ８\n"
              "９ 10 11 12 13 14 15\n16 17 18 19 20 21 22\n23 24 25 26 27 28 29\n30                  \n");

    TempFolder folder;
    const std::string memo = folder.Join("memo.txt");
    WriteWholeFile(memo,
                   ";Tavoli Calendar Memo 24/03/07 09:05:03\r\n2024/03/07=dentist\r\n2024/05/05=\x95\x5c\x8e\xa6\r\n"
                   "\x93\xfa=bad\r\n2024/06/01=after\r\n");
    run = Tavoli({"memos", memo, "--codepage", "932"});
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.out, "2024/03/07\tdentist\n2024/05/05\t表示\n");
    EXPECT_NE(run.err.find("line 4"), std::string::npos) << run.err;
    run = Tavoli({"memos", memo, "2024-04-01", "2024-12-31", "--codepage", "932"});
    EXPECT_EQ(run.out, "2024/05/05\t表示\n");
    run = Tavoli({"memos", folder.Join("none.txt")});
    EXPECT_EQ(run.exit, 2);
    WriteWholeFile(memo,
                   "\xEF\xBB\xBF"
                   "99999/01/01=far\r\n2024/01/01 x\r\n");  // a mark, five digits, a bad line
    run = Tavoli({"memos", memo});
    EXPECT_EQ(run.out, "99999/01/01\tfar\n");
    EXPECT_NE(run.err.find("line 2: 2024/01/01 x\ntavoli: There is no \"=\" after the date."), std::string::npos);
}

// A folder read as one calendar (an override in a file of its own), a file that is no
// calendar said while the others are listed, zones by name with their daylight saving.
TEST(TavoliCli, Events) {
    TempFolder folder;
    std::filesystem::create_directory(folder.Join("work"));
    WriteWholeFile(folder.Join("work/a.ics"),
                   "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:s\r\nDTSTART;TZID=America/New_York:20240304T090000\r\n"
                   "DURATION:PT1H\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\nSUMMARY:Standup\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    WriteWholeFile(folder.Join("work/b.ICS"),
                   "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:s\r\nRECURRENCE-ID;TZID=America/New_York:20240311T090000\r\n"
                   "DTSTART;TZID=America/New_York:20240312T090000\r\nDURATION:PT1H\r\nSUMMARY:Standup, moved\r\n"
                   "END:VEVENT\r\nBEGIN:VEVENT\r\nSUMMARY:no start\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    WriteWholeFile(folder.Join("work/notes.txt"), "not a calendar, and not read");
    WriteWholeFile(folder.Join("broken.ics"), "BEGIN:VCARD\r\n");
    ToolRun run = Tavoli({"events", "--tz", "Europe/Berlin", "2024-03-01", "2024-03-31", folder.Join("work")});
    EXPECT_EQ(run.exit, 0) << run.err;
    EXPECT_EQ(run.out,
              "2024/03/04 15:00\t2024/03/04 16:00\tStandup\n2024/03/12 14:00\t2024/03/12 15:00\tStandup, moved\n"
              "2024/03/18 14:00\t2024/03/18 15:00\tStandup\n");
    EXPECT_NE(run.err.find("b.ICS:9: left out: an event without DTSTART"), std::string::npos) << run.err;
    run =
        Tavoli({"events", "--tz", "-0500", "2024-03-18", "2024-03-18", folder.Join("broken.ics"), folder.Join("work")});
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.out, "2024/03/18 08:00\t2024/03/18 09:00\tStandup\n");
    EXPECT_NE(run.err.find("broken.ics:1: no BEGIN:VCALENDAR"), std::string::npos) << run.err;
    EXPECT_EQ(Tavoli({"events", "--tz", "Mars/Olympus", "2024-03-01", "2024-03-31", folder.Join("work")}).exit, 2);
    EXPECT_EQ(Tavoli({"events", "2024-03-01", "2024-03-31"}).exit, 2);
}

TEST(TavoliCli, UsageErrorsAndHelp) {
    TempFolder folder;
    const std::string missing = folder.Join("missing.txt");
    struct Case {
        std::vector<std::string> arguments;
        std::string expected;  // in standard error
    } cases[] = {
        {{}, "tavoli convert"},
        {{"frob"}, "unknown command"},
        {{"convert"}, "usage: tavoli convert"},
        {{"convert", "Q", "2024-01-01"}, "unknown calendar"},
        {{"convert", "G", "2024-02-30"}, "bad first date"},
        {{"convert", "G", "24-1-1x"}, "bad first date"},
        {{"convert", "G", "2024-01-02", "2024-01-01"}, "before the first"},
        {{"convert", "G", "2024-01-01", "--tz", "+9"}, "bad zone"},
        {{"convert", "G", "2024-01-01", "--tz"}, "needs a value"},
        {{"convert", "G", "2024-01-01", "--frob"}, "unknown option"},
        {{"format", "%Y", "2024-01-01", "25:00:00"}, "bad time"},
        {{"holidays", kScript, "2024-01-01"}, "usage: tavoli holidays"},
        {{"holidays", "--country", "de", "2024-01-01", "2024-01-31"}, "no such holiday set: de"},
        {{"holidays", "--country", "ZZ", "2024-01-01", "2024-01-31"}, "cannot read the set ZZ"},
        {{"month", "4000", "1"}, "bad year or month"},
        {{"month", "2024", "13"}, "bad year or month"},
        {{"check", "a", "b"}, "usage: tavoli check"},
        {{"check", kScript, "--codepage", "1234"}, "unsupported code page"},
        {{"format", "--%Y", "2024-01-01"}, "unknown option --%Y"},
        {{"format", "%Y", "2024-01-01", "--kinds", "3"}, "unknown option --kinds"},
        {{"format", "%Y", "2024-01-01", "--", "--tz", "+0900"}, "usage: tavoli format"},
        {{"check", "--", "--help"}, "cannot read --help"},
        {{"ics", "2024-01-01", "2024-12-31"}, "nothing to export"},
        {{"ics", "--holidays", kScript, "2024-01-01"}, "usage: tavoli ics"},
        {{"ics", "--holidays", kScript, "2024-02-30", "2024-12-31"}, "bad first date"},
        {{"ics", "--holidays", kScript, "2024-01-01", "2024-13-01"}, "bad last date"},
        {{"ics", "--holidays", kScript, "2024-12-31", "2024-01-01"}, "before the first"},
        {{"ics", "--memos", kScript, "9999-01-01", "9999-12-31"}, "before 9999/12/31"},
        {{"ics", "--holidays", kScript, "2024-01-01", "2024-12-31", "--kinds", "3;4"}, "bad kind list \"3;4\""},
        {{"ics", "--holidays", kScript, "2024-01-01", "2024-12-31", "--kinds", ""}, "bad kind list"},
        {{"ics", "--holidays", kScript, "2024-01-01", "2024-12-31", "--kinds", "6"}, "bad kind list"},
        {{"ics", "--holidays", kScript, "2024-01-01", "2024-12-31", "--kinds"}, "--kinds needs a value"},
        {{"ics", "--holidays", kScript, "2024-01-01", "2024-12-31", "--dtstamp", "20240101"}, "bad stamp"},
        {{"ics", "--holidays", kScript, "2024-01-01", "2024-12-31", "--dtstamp", "20240101T000000"}, "bad stamp"},
        {{"ics", "--holidays", missing, "2024-01-01", "2024-12-31"}, "cannot read"},
        {{"ics", "--memos", missing, "2024-01-01", "2024-12-31"}, "cannot read"},
        {{"ics", "--holidays", kScript, "2024-01-01", "2024-12-31", "--codepage", "1234"}, "unsupported code page"},
        {{"ics", "--holidays", kScript, "2024-01-01", "2024-12-31", "--codepage", "932", "-o",
          folder.Join("no-such-folder/out.ics")},
         "cannot write"},
        {{"ics", "--holidays", kScript, "2024-01-01", "2024-01-31", "-o", folder.Path()}, "is a folder"},
        {{"check", folder.Path()}, "cannot read " + folder.Path() + ": is a folder"},
        {{"memos", folder.Path()}, "cannot read " + folder.Path() + ": is a folder"},
        // A device that never ends is read to a bound and refused.
        {{"check", "/dev/zero"}, "/dev/zero: more than 64 MiB"},
        {{"explain", "/dev/zero", "2024-01-01"}, "more than 64 MiB"},
        {{"format", "%Y", "2023-02-29"}, "bad date \"2023-02-29\" ("},
        {{"ics", "--holidays", kScript, "2024-01-01", "2024-12-31", "--kinds", "１"}, "bad kind list \"１\" (kinds"},
        {{"memos", kScript, "2026-12-31", "2026-01-01"}, "before the first"},
        // iCalendar's years are 0001 … 9999.
        {{"ics", "--holidays", kScript, "0000-12-01", "0001-01-31"}, "year 1 or later"},
        {{"ics", "--holidays", kScript, "2024-01-01", "2024-12-31", "--dtstamp", "00000101T000000Z"}, "bad stamp"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Tavoli(c.arguments);
        EXPECT_EQ(run.exit, 2) << c.expected;
        EXPECT_NE(run.err.find(c.expected), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "") << c.expected;
    }
    EXPECT_FALSE(FileExists(folder.Join("no-such-folder")));
    const ToolRun overview = Tavoli({"--help"});
    EXPECT_EQ(overview.exit, 0);
    for (const char* command : {"convert", "format", "check", "holidays", "explain", "month", "memos", "ics"}) {
        const ToolRun run = Tavoli({command, "--help"});
        EXPECT_EQ(run.exit, 0) << command;
        EXPECT_EQ(run.out.find(std::string("usage: tavoli ") + command), 0u) << command;
        EXPECT_NE(overview.out.find(std::string("\n  tavoli ") + command + " "), std::string::npos) << command;
    }
    for (const char* option : {"--kinds LIST", "--dtstamp STAMP", "-o FILE", "--holidays SCRIPT", "--memos MEMOFILE"}) {
        EXPECT_NE(Tavoli({"ics", "--help"}).out.find(option), std::string::npos) << option;
    }
    EXPECT_NE(overview.out.find("\n  --  "), std::string::npos) << overview.out;
}

TEST(TavoliCli, EndOfOptions) {
    struct Case {
        std::vector<std::string> arguments;
        const char* out;
    } cases[] = {
        {{"format", "--", "--%Y", "2024-01-01"}, "--2024\n"},
        {{"format", "--", "-h", "2024-01-01"}, "-h\n"},
        {{"format", "%Y", "--", "2024-01-01"}, "2024\n"},
        {{"format", "--tz", "+0900", "--", "--%M", "2024-03-01"}, "--3\n"},
        // Only the ics command takes -o: elsewhere it is a plain argument.
        {{"format", "-o", "2024-01-01"}, "-o\n"},
        {{"convert", "G", "--", "2024-01-01"}, "2024/01/01\t2024\t1\t1\t1\n"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Tavoli(c.arguments);
        EXPECT_EQ(run.exit, 0) << c.out << run.err;
        EXPECT_EQ(run.out, c.out);
    }
}

// The lines of an iCalendar text that begin with the property name.
std::vector<std::string> Properties(const std::string& text, const std::string& name) {
    std::vector<std::string> values;
    for (size_t at = text.find("\r\n" + name); at != std::string::npos; at = text.find("\r\n" + name, at + 2)) {
        const size_t end = text.find("\r\n", at + 2);
        values.push_back(text.substr(at + 2 + name.size(), end - at - 2 - name.size()));
    }
    return values;
}

TEST(TavoliCli, Ics) {
    TempFolder folder;
    const std::string script = folder.Join("holidays.txt");
    WriteWholeFile(script,
                   "m1 d1 (4) \"New Year\"\r\nm3 d3 (2) \"Half day\"\r\nm6 d6 (1) \"Work\"\r\n"
                   "m5 d6 (3) \"Day off\"\r\nm8 d8 (5) \"Founding\"\r\n");
    struct Case {
        const char* kinds;  // nullptr: the default
        std::vector<std::string> summaries;
    } cases[] = {
        {nullptr, {"New Year", "Day off", "Founding"}},
        {"1,2", {"Half day", "Work"}},
        {"5, 4", {"New Year", "Founding"}},
        {"2", {"Half day"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"ics",       "--holidays",      script, "2024-01-01", "2024-12-31",
                                              "--dtstamp", "20240101T000000Z"};
        if (c.kinds) arguments.insert(arguments.end(), {"--kinds", c.kinds});
        const ToolRun run = Tavoli(arguments);
        EXPECT_EQ(run.exit, 0) << run.err;
        EXPECT_EQ(run.out.substr(0, 17), "BEGIN:VCALENDAR\r\n");
        EXPECT_EQ(Properties(run.out, "SUMMARY:"), c.summaries) << (c.kinds ? c.kinds : "default");
        EXPECT_EQ(Properties(run.out, "DTSTAMP:"), std::vector<std::string>(c.summaries.size(), "20240101T000000Z"));
    }

    // Without a stamp the events carry the moment of the run, in UTC.
    ToolRun run = Tavoli({"ics", "--holidays", script, "2024-01-01", "2024-01-01"});
    ASSERT_EQ(Properties(run.out, "DTSTAMP:").size(), 1u) << run.out;
    EXPECT_TRUE(tool::ics::IsUtcStamp(Properties(run.out, "DTSTAMP:")[0])) << run.out;

    // -o writes what the standard output would get, replacing the file.
    const std::string out = folder.Join("out.ics");
    WriteWholeFile(out, "old contents");
    run = Tavoli({"ics", "--holidays", script, "2024-01-01", "2024-12-31", "-o", out, "--dtstamp", "20240101T000000Z"});
    EXPECT_EQ(run.exit, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadWholeFile(out),
              Tavoli({"ics", "--holidays", script, "2024-01-01", "2024-12-31", "--dtstamp", "20240101T000000Z"}).out);

    // A script that does not compile: its report, exit 1, and no calendar.
    const std::string bad = folder.Join("bad.txt");
    WriteWholeFile(bad, "m1 d1 \"ok\"\r\nm1 x\r\n");
    const std::string notWritten = folder.Join("not-written.ics");
    run = Tavoli({"ics", "--holidays", bad, "2024-01-01", "2024-12-31", "-o", notWritten});
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Line 2:Syntax error."), std::string::npos) << run.err;
    EXPECT_FALSE(FileExists(notWritten));

    // A memo file read in part: the memos before the malformed line, then exit 1.
    const std::string memo = folder.Join("memo.txt");
    WriteWholeFile(memo,
                   ";Tavoli Calendar Memo 24/03/07 09:05:03\r\n2024/03/07=dentist, 10:00\r\n"
                   "2024/05/05=\x95\x5c\x8e\xa6\r\n\x93\xfa=bad\r\n2024/06/01=after\r\n");
    for (bool toFile : {false, true}) {
        std::vector<std::string> arguments = {"ics", "--memos", memo, "2024-01-01", "2024-12-31", "--codepage", "932"};
        if (toFile) arguments.insert(arguments.end(), {"-o", out});
        run = Tavoli(arguments);
        EXPECT_EQ(run.exit, 1);
        EXPECT_NE(run.err.find("line 4"), std::string::npos) << run.err;
        const std::string text = toFile ? ReadWholeFile(out) : run.out;
        EXPECT_EQ(Properties(text, "SUMMARY:"), (std::vector<std::string>{"dentist\\, 10:00", "表示"})) << text;
        EXPECT_EQ(Properties(text, "CATEGORIES:"), (std::vector<std::string>{"Memo", "Memo"}));
        EXPECT_EQ(text.substr(text.size() - 15), "END:VCALENDAR\r\n");
    }
}

// Output that does not arrive is no success: every command, its help included, exits 2
// when the standard output is a full disk.
TEST(TavoliCli, StandardOutputThatCannotBeWritten) {
    TempFolder folder;
    const std::string memo = folder.Join("memo.txt");
    WriteWholeFile(memo, "2024/03/07=dentist\r\n");
    const std::vector<std::vector<std::string>> commands = {
        {"convert", "G", "2024-01-01"},
        {"format", "%Y", "2024-01-01"},
        {"check", kScript},
        {"holidays", kScript, "2024-01-01", "2024-12-31"},
        {"explain", kScript, "2024-01-01"},
        {"month", "2024", "6"},
        {"memos", memo},
        {"ics", "--memos", memo, "2024-01-01", "2024-12-31"},
        {"--help"},
        {"memos", "--help"},
    };
    for (const auto& arguments : commands) {
        const ToolRun run = Tavoli(arguments, "/dev/full");
        EXPECT_EQ(run.exit, 2) << arguments[0];
        EXPECT_NE(run.err.find("cannot write the standard output"), std::string::npos) << run.err;
    }
}

// -o onto a device or a pipe writes to it and leaves it what it was; the devices are made
// in the test's folder (as root), so that a fault cannot replace the machine's own.
TEST(TavoliCli, OutputOntoDevicesAndPipes) {
    TempFolder folder;
    WriteWholeFile(folder.Join("memo.txt"), "2024/03/07=dentist\r\n");
    struct Case {
        const char* name;
        mode_t kind;
        dev_t device;
        int exit;
    } cases[] = {
        {"fifo with a reader", S_IFIFO, 0, 0},     // opened first, read after the run
        {"fifo without a reader", S_IFIFO, 0, 2},  // no waiting for one
        {"null device", S_IFCHR, makedev(1, 3), 0},
        {"full device", S_IFCHR, makedev(1, 7), 2},
    };
    for (const Case& c : cases) {
        const std::string target = folder.Join(c.name);
        if (mknod(target.c_str(), c.kind | 0666, c.device) != 0) {
            std::printf("skipped: %s (making it needs root)\n", c.name);
            continue;
        }
        const int reader = c.kind == S_IFIFO && c.exit == 0 ? open(target.c_str(), O_RDONLY | O_NONBLOCK) : -1;
        EXPECT_EQ(Tavoli({"ics", "--memos", folder.Join("memo.txt"), "2024-01-01", "2024-12-31", "-o", target}).exit,
                  c.exit)
            << c.name;
        char read[15] = {};
        if (reader >= 0) {
            EXPECT_EQ(std::string(read, ::read(reader, read, 15)), "BEGIN:VCALENDAR");
            close(reader);
        }
        struct stat st {};
        EXPECT_TRUE(lstat(target.c_str(), &st) == 0 && (st.st_mode & S_IFMT) == c.kind) << c.name;
    }
    // "/dev/stdout" names the run's own output, here a file opened for appending: written
    // to, not replaced.
    const std::string all = folder.Join("all.ics");
    WriteWholeFile(all, "kept\n");
    EXPECT_EQ(
        Tavoli({"ics", "--memos", folder.Join("memo.txt"), "2024-01-01", "2024-12-31", "-o", "/dev/stdout"}, ">" + all)
            .exit,
        0);
    EXPECT_EQ(ReadWholeFile(all).substr(0, 20), "kept\nBEGIN:VCALENDAR");
}

}  // namespace
}  // namespace tavoli
