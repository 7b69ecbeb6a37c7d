#include "holidays/holiday_script.h"

#include <gtest/gtest.h>

#include "framework/platform.h"
#include "holidays/day_kinds.h"
#include "support/example_script.h"
#include "support/file_contents.h"
#include "support/temp_folder.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

std::string CompileOne(std::string_view line) {
    HolidayScript script;
    std::vector<std::string> report;
    const ErrorValue error = script.Compile(line, report);
    if (error == kSuccess) return script.Empty() ? "empty" : "ok";
    EXPECT_EQ(error, ErrorFromKey("script"));
    EXPECT_TRUE(script.Empty());
    EXPECT_EQ(report.size(), 1u);
    return report.empty() ? "" : report.front();
}

TEST(HolidayScript, ExampleCompiles) {
    HolidayScript script;
    std::vector<std::string> report;
    ASSERT_EQ(script.Compile(AnsiFromUtf8(kExampleScript), report), kSuccess);
    EXPECT_TRUE(report.empty());
    const auto& e = script.Entries();
    ASSERT_EQ(e.size(), 13u);  // the comment line stores nothing
    EXPECT_EQ(e[0].type, ScriptEntry::kWeekday);
    EXPECT_EQ(e[0].weekday, 0);
    EXPECT_EQ(e[0].kind, AnsiFromUtf8("休日"));
    EXPECT_EQ(e[0].line, 2);
    EXPECT_EQ(e[2].type, ScriptEntry::kBlockBegin);
    EXPECT_EQ(e[3].descriptors.size(), 2u);
    EXPECT_EQ(e[3].name, AnsiFromUtf8("元日"));
    const ScriptEntry& equinox = e[5];
    ASSERT_EQ(equinox.descriptors.size(), 2u);
    EXPECT_EQ(equinox.descriptors[0].letter, 's');
    EXPECT_EQ(equinox.descriptors[0].offset, 900);
    EXPECT_EQ(equinox.descriptors[1].shift, 1);
    EXPECT_EQ(e[6].type, ScriptEntry::kBlockEnd);
    EXPECT_EQ(e[7].descriptors[1].shift, -1);
    EXPECT_EQ(e[8].descriptors[0].calendar, 'a');
    EXPECT_FALSE(e[8].hasKind);
    EXPECT_TRUE(e[9].descriptors[3].negated);
    EXPECT_EQ(e[9].descriptors[0].low, 2000);
    EXPECT_EQ(e[9].descriptors[0].high, kMaxRangeValue);
    EXPECT_EQ(e[11].type, ScriptEntry::kStop);
    EXPECT_EQ(e[12].line, 14);

    EXPECT_EQ(CompileOne(""), "empty");  // an empty script: an empty rule list
}

TEST(HolidayScript, EveryMessageWithItsLine) {
    struct Case {
        std::string script;
        std::string report;
    } cases[] = {
        {"#beginning", "Line 1:Unknown token."},
        {"#", "Line 1:Unknown token."},
        {"# begin", "Line 1:Unknown token."},
        {"m1\n\n#weekday 0 (1", "Line 3:Syntax error."},
        {"#weekday (1)", "Line 1:Syntax error."},
        {"#weekday 0 1)", "Line 1:Syntax error."},
        {"m1 d1 (4", "Line 1:Parenthesis error."},
        {"m1 \"name", "Line 1:Parenthesis error."},
        {"m1 (4) (3)", "Line 1:Double definition of token."},
        {"m1 \"a\" \"b\"", "Line 1:Double definition of token."},
        {"m1 %4 %5", "Line 1:Double definition of token."},
        {"m1 :+0900 :+0100", "Line 1:Double definition of token."},
        {"m1 <1 <2", "Line 1:Double definition of token."},
        {"m", "Line 1:Syntax error."},
        {"m-", "Line 1:Syntax error."},
        {"m5-3", "Line 1:Invalid value is determined."},
        {"d1 %0", "Line 1:Invalid value is determined."},
        {"d1 %10000", "Line 1:Invalid value is determined."},
        {"d1 %", "Line 1:Syntax error."},
        {"m1 :+0960", "Line 1:Invalid value is determined."},
        {"m1 :+2401", "Line 1:Invalid value is determined."},
        {"m1 :0900", "Line 1:Syntax error."},
        {"m1 : +0900", "Line 1:Syntax error."},
        {"m1 :+", "Line 1:Syntax error."},
        {"m1 <367", "Line 1:Invalid value is determined."},
        {"m1 >", "Line 1:Syntax error."},
        {"q1", "Line 1:Unknown token."},
        {"m?z1", "Line 1:Unknown token."},
        {"m?1", "Line 1:Syntax error."},
        {"e?a0", "Line 1:Unknown token."},  // Easter has the Gregorian and the Julian computus only
        {"e?h0", "Line 1:Unknown token."},
        {"e?c0", "Line 1:Unknown token."},
        {"e", "Line 1:Syntax error."},
        {"!", "Line 1:Syntax error."},
        {"! 5", "Line 1:Syntax error."},
        {"m1 @", "Line 1:Syntax error."},
        {"m1 5", "Line 1:Syntax error."},
        {"m1\nm2\nm3\nm4\nm5\nm6\nm7\nm8\nm9\nm10\nm11\nm1 x", "Line 12:Syntax error."},
        {std::string(256, ' '), "Line 1:This line of script is too long."},
        {"y1 y2 y3 y4 y5 y6 y7 y8 y9 y10 y11 y12 y13 y14 y15 y16 y17", "Line 1:Too many descripters."},
        {"m1\r\nq1", "Line 2:Unknown token."},  // CR LF is one break
        {"m1\n\rq1", "Line 3:Unknown token."},  // LF CR are two
    };
    for (const Case& c : cases) EXPECT_EQ(CompileOne(c.script), c.report) << c.script;
}

TEST(HolidayScript, AcceptedForms) {
    struct Case {
        const char* line;
        const char* result;
    } cases[] = {
        {"#BEGIN", "ok"},
        {"#Weekday0(1)", "ok"},
        {"  #stop and the rest is ignored", "ok"},
        {"#end (", "ok"},
        {"m 1", "ok"},
        {"M?A1", "ok"},
        {"m1-", "ok"},
        {"m-12", "ok"},
        {"m1 %4 :-0930 >366 <0", "ok"},
        {"m1 :+0900 :-0900", "ok"},  // both signs: the later one wins
        {"!  y0 %4", "ok"},
        {"y99999999999", "ok"},  // clamped, not rejected
        {"(休日)", "empty"},     // a kind alone stores nothing
        {"\"name\"", "empty"},
        {"; comment only", "empty"},
        {"m1 ; \"unclosed in a comment", "ok"},
        {"\t m1\td1\t", "ok"},
        {"m1 d1 ()", "ok"},
        {"m1 \"\"", "ok"},
    };
    for (const Case& c : cases) EXPECT_EQ(CompileOne(AnsiFromUtf8(c.line)), c.result) << c.line;

    HolidayScript script;
    std::vector<std::string> report;
    ASSERT_EQ(script.Compile("y99999999999 m1 :+0900 :-0930 <5 >7 d-12", report), kSuccess);
    const auto& d = script.Entries()[0].descriptors;
    EXPECT_EQ(d[0].low, kMaxRangeValue);
    EXPECT_EQ(d[1].offset, -930);
    EXPECT_EQ(d[1].shift, 7);
    EXPECT_EQ(d[2].low, 0);
    EXPECT_EQ(d[2].high, 12);
}

TEST(HolidayScript, LineLengthAndDescriptorLimits) {
    const std::string rule = "m1 \"";
    std::string line255 = rule + std::string(255 - rule.size() - 1, 'n') + "\"";
    ASSERT_EQ(line255.size(), 255u);
    EXPECT_EQ(CompileOne(line255), "ok");
    std::string line256 = rule + std::string(256 - rule.size() - 1, 'n') + "\"";
    EXPECT_EQ(CompileOne(line256), "Line 1:This line of script is too long.");

    HolidayScript script;
    std::vector<std::string> report;
    ASSERT_EQ(script.Compile("y1 y2 y3 y4 y5 y6 y7 y8 y9 y10 y11 y12 y13 y14 y15 y16", report), kSuccess);
    EXPECT_EQ(script.Entries()[0].descriptors.size(), 16u);
}

TEST(HolidayScript, AFailingLineEmptiesTheScript) {
    HolidayScript script;
    std::vector<std::string> report;
    ASSERT_EQ(script.Compile("m1 d1 \"a\"", report), kSuccess);
    ASSERT_FALSE(script.Empty());
    EXPECT_EQ(script.Compile("m1 d1 \"a\"\nm2 d2 \"b\"\nm3 )\nm3", report), ErrorFromKey("script"));
    EXPECT_TRUE(script.Empty());
    EXPECT_EQ(report, std::vector<std::string>{"Line 3:Syntax error."});
}

#ifndef _WIN32
// Kind and name texts are read character by character, as the system steps through
// them: a lead byte takes the next byte along, so a second byte 0x29 or 0x22 never
// closes a kind text or a name.
TEST(HolidayScript, DoubleByteTextsUnderCodePage932) {
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    ScopedPlatform scope(japanese);
    HolidayScript script;
    std::vector<std::string> report;
    ASSERT_EQ(script.Compile("m1 (\x95\x5c) \"\x83\x5c\x8a\x7b\x8a\x7d\"", report), kSuccess);
    EXPECT_EQ(script.Entries()[0].kind, "\x95\x5c");
    EXPECT_EQ(script.Entries()[0].name, "\x83\x5c\x8a\x7b\x8a\x7d");
    EXPECT_EQ(CompileOne("m1 (\x95)"), "Line 1:Parenthesis error.");
    EXPECT_EQ(CompileOne("m1 \"\x95\""), "Line 1:Parenthesis error.");
    ASSERT_EQ(script.Compile("m1 (\x95))\"\x95\"\"", report), kSuccess);
    EXPECT_EQ(script.Entries()[0].kind, "\x95)");
    EXPECT_EQ(script.Entries()[0].name, "\x95\"");
    EXPECT_EQ(CompileOne("m1 \x95\x5c"), "Line 1:Syntax error.");  // a kanji outside a text
    EXPECT_EQ(CompileOne("\x82\xa0"), "Line 1:Syntax error.");
}

// A script in UTF-8 under three code pages and four locales: its kind words are kinds
// everywhere, and each user reads the name in their locale's language where the script
// has it and the code page holds it, else in English, never as "?". Its lines may be
// longer.
TEST(HolidayScript, ScriptsInUtf8) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::string script = bom +
                               "m10 d3 (祝日) \"German Unity Day\tde:Tag der Deutschen Einheit\tfr:Fête de l'Unité "
                               "allemande\tja:ドイツ統一の日\tkr:독일 통일의 날\"\n"
                               "m1 d1 (休日) \"元日\tfr:Jour de l'An\"\n";
    const struct {
        int codePage;
        const char* language;
        const char* unity;
        const char* newYear;
    } users[] = {
        {kCodePageWestern, "DEU", "Tag der Deutschen Einheit", "Jour de l'An"},
        {kCodePageWestern, "FRA", "Fête de l'Unité allemande", "Jour de l'An"},
        {kCodePageWestern, "ENU", "German Unity Day", "Jour de l'An"},  // 元日 cannot be held
        {kCodePageJapanese, "JPN", "ドイツ統一の日", "元日"},
        {kCodePageKorean, "KOR", "독일 통일의 날", "元日"},  // the code page holds the Hanja
    };
    for (const auto& user : users) {
        HostPlatform host;
        host.SetCodePage(user.codePage);
        host.SetAbbreviatedLanguageName(user.language);
        ScopedPlatform scope(host);
        HolidayScript compiled;
        std::vector<std::string> report;
        ASSERT_EQ(compiled.Compile(script, report), kSuccess) << user.language;
        const std::vector<NameEntry> unity = NamesOf(compiled, CalDate(2024, 10, 3)),
                                     newYear = NamesOf(compiled, CalDate(2024, 1, 1));
        ASSERT_EQ(unity.size(), 1u);
        ASSERT_EQ(newYear.size(), 1u);
        EXPECT_EQ(host.ToUtf8(unity[0].name), user.unity) << user.language;
        EXPECT_EQ(host.ToUtf8(newYear[0].name), user.newYear) << user.language;
        EXPECT_EQ(KindOf(compiled, CalDate(2024, 10, 3)), "4") << user.language;
        EXPECT_EQ(KindOf(compiled, CalDate(2024, 1, 1)), "3") << user.language;
    }
    // A name no segment of which the code page holds is still a name.
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    ScopedPlatform inJapan(japanese);
    HolidayScript swiss;
    std::vector<std::string> report;
    ASSERT_EQ(swiss.Compile(bom + "m4 d9 \"Näfels Procession\tde:Näfelser Fahrt\"", report), kSuccess);
    const std::vector<NameEntry> procession = NamesOf(swiss, CalDate(2026, 4, 9));
    ASSERT_EQ(procession.size(), 1u);
    EXPECT_EQ(procession[0].name, japanese.FromUtf8("Näfels Procession"));
    // 1,023 bytes a line in UTF-8, 255 in the code page.
    const std::string name = "m1 \"" + std::string(1018, 'x') + "\"";
    EXPECT_EQ(CompileOne(bom + name), "ok");
    EXPECT_EQ(CompileOne(bom + name + " "), "Line 1:This line of script is too long.");
    EXPECT_EQ(CompileOne(name), "Line 1:This line of script is too long.");
}
#endif

TEST(HolidayScript, CompilingFiles) {
    TempFolder folder;
    const std::string path = folder.Join("holidays.txt");
    WriteWholeFile(path, "#weekday 0 (3)\r\nm1 d1 (4) \"New Year\"\r\n");
    HolidayScript script;
    std::vector<std::string> report;
    ASSERT_EQ(script.CompileFile(path, report), kSuccess);
    EXPECT_EQ(script.Entries().size(), 2u);
    EXPECT_EQ(script.CompileFile(folder.Join("missing.txt"), report), ErrorFromSystem(2));
    EXPECT_TRUE(script.Empty());
    EXPECT_TRUE(report.empty());  // a read failure has no report line
    WriteWholeFile(path, "m1\r\nm13-1\r\n");
    EXPECT_EQ(script.CompileFile(path, report), ErrorFromKey("script"));
    EXPECT_EQ(report, std::vector<std::string>{"Line 2:Invalid value is determined."});
}

TEST(HolidayScript, RandomBytesNeverCrash) {
    uint32_t state = 12345;
    auto next = [&] {
        state = state * 1103515245u + 12345u;
        return static_cast<char>(state >> 16);
    };
    HolidayScript script;
    std::vector<std::string> report;
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int length = round % 300;
        for (int i = 0; i < length; ++i) text.push_back(next());
        const ErrorValue error = script.Compile(text, report);
        EXPECT_TRUE(error == kSuccess || (error == ErrorFromKey("script") && report.size() == 1));
    }
    // Valid pieces in random order, including huge numbers: a script compiled again into
    // the same object (as every show of the window does) carries nothing over from the
    // script before it, and gives what a fresh object gives.
    const char* pieces[] = {"m", "d", "!", "?a", "1", "-", "99999999999", "%",  ":+", ":-",   "<",
                            ">", "(", ")", "\"", " ", ";", "#begin",      "x1", "s",  "0900", "\n"};
    int compiled = 0;
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = 0; i < 40; ++i) text += pieces[static_cast<unsigned char>(next()) % std::size(pieces)];
        const ErrorValue error = script.Compile(text, report);
        HolidayScript fresh;
        std::vector<std::string> freshReport;
        ASSERT_EQ(fresh.Compile(text, freshReport), error) << text;
        ASSERT_EQ(report, freshReport) << text;
        if (error != kSuccess) continue;
        ++compiled;
        for (CalDate date : {CalDate(2024, 1, 1), CalDate(2024, 11, 23), CalDate(1999, 12, 31)}) {
            ASSERT_EQ(KindOf(script, date), KindOf(fresh, date)) << text;
        }
    }
    EXPECT_GT(compiled, 20);  // the pieces make working scripts too, not only errors
}

}  // namespace
}  // namespace tavoli
