#include "shell/tray_tip.h"

#include <gtest/gtest.h>

#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/platform.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

std::string Repeat(std::string_view piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

// The icon follows the scale of the taskbar's monitor: the small icon's size there.
TEST(TrayIconPixels, TheSmallIconAtTheScale) {
    const int cases[][2] = {{96, 16}, {120, 20}, {144, 24}, {192, 32}, {288, 48}, {48, 16}};
    for (const auto& [dpi, pixels] : cases) EXPECT_EQ(TrayIconPixels(dpi), pixels) << dpi;
}

#ifndef _WIN32

TEST(CutAtCharacter, NeverEndsInsideACharacter) {
    const std::string kanji = "\x93\xfa";           // 日 in Shift_JIS
    const std::string backslashTrail = "\x95\x5c";  // 表: its trail byte is "\"
    const std::string hiragana = "\xe3\x81\x82";    // あ in UTF-8
    struct Case {
        int codePage;
        std::string text;
        size_t kept;
    } cases[] = {
        {932, Repeat("a", 70), 63},
        {932, Repeat("a", 63), 63},
        {932, Repeat("a", 62), 62},
        {932, Repeat(kanji, 40), 62},  // the 32nd character would need bytes 63 and 64
        {932, "x" + Repeat(kanji, 40), 63},
        {932, Repeat(backslashTrail, 40), 62},
        {932, Repeat("\xb1", 70), 63},  // half-width katakana are single bytes
        {932, Repeat("a", 61) + kanji + "b", 63},
        {932, Repeat("a", 62) + kanji, 62},
        {932, Repeat(kanji, 31) + "\x93", 63},  // a lead byte at the very end is one byte
        {1252, Repeat("\xfc", 70), 63},         // single-byte code page: every byte
        {1252, Repeat("\x93\xfa", 40), 63},
        {65001, Repeat(hiragana, 21), 63},
        {65001, Repeat(hiragana, 22), 63},
        {65001, "ab" + Repeat(hiragana, 21), 62},
        {932, "", 0},
        {932, std::string("tip\0hidden", 10), 3},  // the record ends the tip at a NUL
    };
    for (const Case& c : cases) {
        HostPlatform platform;
        platform.SetCodePage(c.codePage);
        ScopedPlatform scope(platform);
        const std::string_view cut = CutAtCharacter(c.text, kTrayTipMaxBytes);
        EXPECT_EQ(cut.size(), c.kept) << c.codePage << " " << c.text;
        EXPECT_EQ(cut.data(), c.text.data());
        if (!c.text.empty()) {  // an empty tip stands for the title
            EXPECT_EQ(TrayTipText(c.text), std::string(c.text, 0, c.kept)) << c.codePage;
        }
    }
    HostPlatform japanese;
    japanese.SetCodePage(932);
    ScopedPlatform scope(japanese);
    EXPECT_EQ(CutAtCharacter(Repeat(kanji, 3), 5), Repeat(kanji, 2));
    EXPECT_EQ(CutAtCharacter(Repeat(kanji, 3), 1), "");
    EXPECT_EQ(CutAtCharacter("abc", 0), "");
}

#endif

TEST(TrayTipText, TheApplicationTitleStandsInForAnEmptyTip) {
    SetApplicationName("Tavoli Tip Test");
    EXPECT_EQ(TrayTipText(""), "Tavoli Tip Test");
    EXPECT_EQ(TrayTipText("Own tip"), "Own tip");
    SetApplicationName("");
    EXPECT_EQ(TrayTipText(""), std::string(CutAtCharacter(ApplicationTitle(), kTrayTipMaxBytes)));
    EXPECT_FALSE(TrayTipText("").empty());  // the program's file name at the least

    // In the system's own code page: a Japanese tip is cut after a whole character.
    const std::string japanese = AnsiFromUtf8(Repeat("たぼりカレンダー", 5));
    const std::string tip = TrayTipText(japanese);
    EXPECT_LE(tip.size(), kTrayTipMaxBytes);
    EXPECT_EQ(japanese.compare(0, tip.size(), tip), 0);
    if (CurrentPlatform().AnsiCodePage() == kCodePageJapanese) {
        EXPECT_EQ(tip.size(), 62u);
    }
}

}  // namespace
}  // namespace tavoli
