#include "framework/lang_text.h"

#include <gtest/gtest.h>

#include "framework/platform.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

TEST(PackTag, PacksFoldsSkipsAndStops) {
    struct Case {
        std::string_view text;
        size_t maxLength;
        std::string_view expected;
    } cases[] = {
        {"ja", 0, "ja"},
        {"JA", 0, "ja"},
        {"head", 0, "head"},
        {"HeAd", 0, "head"},
        {"he-ad", 0, "head"},  // printable non-alphanumerics are skipped
        {" h e a d", 0, "head"},
        {"headline", 0, "head"},  // four characters at most
        {"loc", 0, "loc"},
        {"a1b2c3", 0, "a1b2"},
        {"ENU", 2, "en"},     // the language code: first two characters
        {"E-NU", 2, "e"},     // the limit counts input bytes, skipped ones too
        {"ab\tcd", 0, "ab"},  // stops at a control character
        {"ab\x7f"
         "cd",
         0, "ab"},            // and at DEL
        {"\x93\xfa", 0, ""},  // a text that begins with a non-ASCII byte
        {"", 0, ""},
        {"---", 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TagText(PackTag(c.text, c.maxLength)), c.expected) << "text: " << c.text;
    }
    EXPECT_EQ(PackTag("ab"), 0x6261u);  // first character in the lowest byte
    static_assert(PackTag("date") == PackTag("DATE"), "packing is usable at compile time");
}

TEST(SelectSegment, FollowsTheResolutionRule) {
    const PackedTag ja = PackTag("ja"), ch = PackTag("ch"), de = PackTag("de");
    struct Case {
        std::string_view literal;
        PackedTag code;
        std::string_view expected;
    } cases[] = {
        {"Exit\tja:終了", ja, "終了"},
        {"Exit\tja:終了", de, "Exit"},
        {"Exit\tja:終了", 0, "Exit"},
        {"/\tja:月\tkr:월\ttw:月", ch, "/"},                  // no ch segment
        {"\tja:日\tkr:일\tch:号\ttw:號", PackTag("en"), ""},  // empty default
        {"\tja:日\tkr:일\tch:号\ttw:號", ch, "号"},
        {"a\tja:\tch:x", ja, ""},  // empty tagged text is not the default
        {"a\t\tja:b", ja, "b"},    // two TABs are one separator
        {"a\tja:b\t", ja, "b"},    // a trailing TAB changes nothing
        {"a\t", ja, "a"},
        {"a\tJA:b", ja, "a"},                  // tags are case-sensitive
        {"a\tjap:b", ja, "a"},                 // a longer tag never matches
        {"a\tj:b", ja, "a"},                   // neither does a shorter one
        {"a\tjab", ja, "a"},                   // the colon is required
        {"a\tx:1\tja:2\tja:3", ja, "2"},       // the first match wins
        {"ja:begins\tch:x", ja, "ja:begins"},  // segment 1 is never compared
        {"begins:%Y/%M/%D", ja, "begins:%Y/%M/%D"},
        {"plain text", ja, "plain text"},
        {"", ja, ""},
        {"\t", ja, ""},
        {"a\x01ja:b\x1f"
         "ch:c",
         ch, "c"},  // any control byte separates
        {"a\x7fja:b", ja, "b"},
        {"a\tja", ja, "a"},  // literal ends inside the tag
        {"a\t:x", 0, "x"},   // the empty code matches an empty tag
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SelectSegment(c.literal, c.code), c.expected) << "literal: " << c.literal;
    }
}

TEST(CharsetForLanguage, MapsTheFourEastAsianLanguages) {
    EXPECT_EQ(CharsetForLanguage(PackTag("ja")), 128);
    EXPECT_EQ(CharsetForLanguage(PackTag("kr")), 129);
    EXPECT_EQ(CharsetForLanguage(PackTag("ch")), 134);
    EXPECT_EQ(CharsetForLanguage(PackTag("tw")), 136);
    EXPECT_EQ(CharsetForLanguage(PackTag("en")), 1);
    EXPECT_EQ(CharsetForLanguage(0), 1);
}

TEST(NextChar, ExplicitEncodings) {
    struct Case {
        std::string_view text;
        std::string_view encoding;
        size_t length;
        uint32_t code;
    } cases[] = {
        {"\xa4\xa2x", "euc", 2, 0xA4A2},
        {"\xa4"
         "a",
         "euc", 1, 0xA4},          // second byte without the high bit
        {"\xa4", "euc", 1, 0xA4},  // only one byte left
        {"\xa4\x40", "big5", 2, 0xA440},
        {"\xa4\x20", "big5", 2, 0xA420},
        {"\xa4\x1f", "big5", 1, 0xA4},   // second byte below 0x20
        {"\x24\xa4", "big5", 1, 0x24},   // first byte without the high bit
        {"\x93\xfa", "ascii", 1, 0x93},  // any other tag: one byte each
        {"ab", "euc", 1, 'a'},
    };
    for (const Case& c : cases) {
        const char* cursor = c.text.data();
        CharStep step = NextChar(cursor, c.text.data() + c.text.size(), PackTag(c.encoding));
        EXPECT_EQ(step.length, c.length) << c.encoding;
        EXPECT_EQ(step.code, c.code) << c.encoding;
        EXPECT_EQ(cursor, c.text.data() + c.length);
    }
    const char* text = "x";
    const char* cursor = text + 1;
    CharStep end = NextChar(cursor, text + 1);
    EXPECT_EQ(end.length, 0u);
    EXPECT_EQ(end.code, 0u);
    EXPECT_EQ(cursor, text + 1);
}

#ifdef _WIN32

// Under Wine the locale of the run decides: code page 932 must give the Japanese
// segments in Shift_JIS, anything else the English ones.
TEST(ResolveText, FollowsTheSystemCodePage) {
    const int codePage = SystemPlatform().AnsiCodePage();
    if (codePage == kCodePageJapanese) {
        EXPECT_EQ(CurrentLanguage(), PackTag("ja"));
        EXPECT_EQ(ResolveText("Options\tja:設定"), "\x90\xdd\x92\xe8");
        EXPECT_EQ(ResolveText("Options\tja:設定") + "(&O)...", "\x90\xdd\x92\xe8(&O)...");
        EXPECT_EQ(ResolveText("Exit\tja:終了"), "\x8f\x49\x97\xb9");
        const std::string table = ResolveText("x\tja:表");  // trail byte 0x5C
        const char* cursor = table.data();
        CharStep step = NextChar(cursor, table.data() + table.size());
        EXPECT_EQ(step.length, 2u);
        EXPECT_EQ(step.code, 0x955Cu);
    } else {
        EXPECT_EQ(codePage, kCodePageWestern);
        EXPECT_EQ(CurrentLanguage(), PackTag("en"));
        EXPECT_EQ(ResolveText("Options\tja:設定"), "Options");
        EXPECT_EQ(ResolveText("\tja:日\tkr:일\tch:号\ttw:號"), "");
    }
}

#else

HostPlatform WithCodePage(int codePage, const char* language = "ENU") {
    HostPlatform platform;
    platform.SetCodePage(codePage);
    platform.SetAbbreviatedLanguageName(std::string(language));
    return platform;
}

TEST(CurrentLanguage, ComesFromTheCodePageElseTheLocale) {
    struct Case {
        int codePage;
        const char* localeName;  // nullptr: the query fails
        std::string_view expected;
    } cases[] = {
        {932, "ENU", "ja"},  {949, "ENU", "kr"},  {936, "ENU", "ch"},   {950, "ENU", "tw"},
        {1252, "ENU", "en"}, {1252, "DEU", "de"}, {65001, "JPN", "jp"},  // only the code page makes Japanese "ja"
        {1252, nullptr, ""},
    };
    for (const Case& c : cases) {
        HostPlatform platform;
        platform.SetCodePage(c.codePage);
        platform.SetAbbreviatedLanguageName(c.localeName ? std::optional<std::string>(c.localeName) : std::nullopt);
        ScopedPlatform scope(platform);
        EXPECT_EQ(TagText(CurrentLanguage()), c.expected) << c.codePage;
    }
}

TEST(ResolveText, ConvertsTheChosenSegmentToTheCodePage) {
    struct Case {
        int codePage;
        const char* localeName;
        std::string_view literal;
        std::string_view expected;  // bytes in the code page
    } cases[] = {
        {936, "CHS", "/\tja:月\tkr:월\ttw:月", "/"},
        {936, "CHS", "/\tja:年\tkr:년\tch:年\ttw:年", "\xc4\xea"},
        {949, "KOR", "/\tja:月\tkr:월\ttw:月", "\xbf\xf9"},
        {950, "CHT", "\tja:日\tkr:일\tch:号\ttw:號", "\xb8\xb9"},
        {936, "CHS", "\tja:日\tkr:일\tch:号\ttw:號", "\xba\xc5"},
        {1252, "ENU", "\tja:日\tkr:일\tch:号\ttw:號", ""},
        {932, "JPN", "Options\tja:設定", "\x90\xdd\x92\xe8"},
        {932, "JPN", "Exit\tja:終了", "\x8f\x49\x97\xb9"},
        {932, "JPN", "x\tja:表", "\x95\x5c"},
        {1252, "DEU", "Exit\tde:Beenden\tja:終了", "Beenden"},
        {1252, "DEU", "Exit\tja:終了", "Exit"},
        {1252, "ENU", "ü\tja:x", "\xfc"},  // the default segment is converted too
    };
    for (const Case& c : cases) {
        HostPlatform platform = WithCodePage(c.codePage, c.localeName);
        ScopedPlatform scope(platform);
        EXPECT_EQ(ResolveText(c.literal), c.expected) << c.codePage << " " << c.literal;
    }
    HostPlatform japanese = WithCodePage(932, "JPN");
    ScopedPlatform scope(japanese);
    EXPECT_EQ(ResolveText("Options\tja:設定") + "(&O)...", "\x90\xdd\x92\xe8(&O)...");
    // A text already in the code page is chosen but not converted again.
    EXPECT_EQ(ResolveAnsiText("Exit\tja:\x8f\x49\x97\xb9"), "\x8f\x49\x97\xb9");
}

TEST(NextChar, SystemCodePageReadsDoubleByteCharactersAsUnits) {
    struct Case {
        int codePage;
        std::string_view text;
        size_t length;
        uint32_t code;
    } cases[] = {
        {932, "\x95\x5c%", 2, 0x955C},  // 表: trail byte "\"
        {932, "\x8a\x7b", 2, 0x8A7B},   // trail byte "{"
        {932, "\x83\x3c", 2, 0x833C},   // trail byte "<"
        {932, "\xe0\x40", 2, 0xE040},
        {932, "\xa0\x40", 1, 0xA0},                     // 0xA0 is no lead byte in 932
        {932, "\xb1\x40", 1, 0xB1},                     // half-width katakana: one byte
        {932, "\x95", 1, 0x95},                         // a lead byte at the very end
        {932, std::string_view("\x95\0", 2), 1, 0x95},  // a lead byte before NUL
        {936, "\xa0\x40", 2, 0xA040},
        {949, "\xbf\xf9", 2, 0xBFF9},
        {950, "\xb8\xb9", 2, 0xB8B9},
        {1252, "\xfc\xfc", 1, 0xFC},
        {65001, "\xe6\x97\xa5x", 3, 0xE697A5},
        {65001, "\xe6\x97", 1, 0xE6},  // a cut sequence counts byte by byte
        {65001, "\xf0\x9f\x98\x80", 4, 0xF09F9880},
    };
    for (const Case& c : cases) {
        HostPlatform platform = WithCodePage(c.codePage);
        ScopedPlatform scope(platform);
        const char* cursor = c.text.data();
        CharStep step = NextChar(cursor, c.text.data() + c.text.size());
        EXPECT_EQ(step.length, c.length) << c.codePage;
        EXPECT_EQ(step.code, c.code) << c.codePage;
    }
}

TEST(CurrentLanguage, IsComputedAgainForANewPlatformOnly) {
    HostPlatform japanese = WithCodePage(932);
    {
        ScopedPlatform scope(japanese);
        EXPECT_EQ(CurrentLanguage(), PackTag("ja"));
        japanese.SetCodePage(949);  // a change of the platform itself counts as well
        EXPECT_EQ(CurrentLanguage(), PackTag("kr"));
    }
    HostPlatform western = WithCodePage(1252, "ENU");
    ScopedPlatform scope(western);
    EXPECT_EQ(CurrentLanguage(), PackTag("en"));
}

#endif

}  // namespace
}  // namespace tavoli
