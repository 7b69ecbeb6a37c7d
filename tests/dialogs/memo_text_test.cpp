// A control's text cut to 255 bytes never ends in half a character; a memo keeps its lines
// as the file's breaks and is cut to its own limit the same way.
#include "dialogs/memo_text.h"
#include "memo/memo_lines.h"

#include <gtest/gtest.h>

#include "framework/lang_text.h"

#include "framework/platform.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

struct CutCase {
    const char* what;
    std::string text;  // UTF-8, converted to the code page under test
    size_t maxBytes;
    size_t expectedBytes;
};

void CheckCuts(const std::vector<CutCase>& cases) {
    for (const CutCase& c : cases) {
        const std::string text = AnsiFromUtf8(c.text);
        const std::string cut = std::string(CutAtCharacter(text, c.maxBytes));
        EXPECT_EQ(cut.size(), c.expectedBytes) << c.what;
        EXPECT_EQ(cut, text.substr(0, c.expectedBytes)) << c.what;
    }
}

// Code page 932 (Shift_JIS): kana and kanji take two bytes, half-width katakana one.
void CheckShiftJisCuts() {
    CheckCuts({
        {"300 ASCII bytes", std::string(300, 'a'), 255, 255},
        {"150 kana (300 bytes)", Repeat("あ", 150), 255, 254},
        {"one ASCII byte first", "a" + Repeat("あ", 150), 255, 255},
        {"trail byte 0x5C", Repeat("表", 150), 255, 254},
        {"mixed", Repeat("aあ", 100), 255, 255},  // 85 pairs of three bytes
        {"half-width katakana", Repeat("ｱ", 300), 255, 255},
        {"exactly 255 bytes", "a" + Repeat("あ", 127), 255, 255},
        {"shorter", Repeat("あ", 10), 255, 20},
        {"nothing allowed", Repeat("あ", 10), 0, 0},
        {"one byte allowed", Repeat("あ", 10), 1, 0},
    });
    EXPECT_EQ(std::string(CutAtCharacter("ab\x82\xa0", 3)), "ab");  // "あ" would be cut in half
}

void CheckMemoLines() {
    const std::string br(1, kMemoLineBreak);
    struct Case {
        std::string text;
        std::string expected;
    } cases[] = {
        {"first\r\nsecond", "first" + br + "second"},
        {"first\nsecond", "first" + br + "second"},
        {"first\rsecond\r\n\r\n", "first" + br + "second"},  // breaks at the end dropped
        {"page\fbreak", "page break"},
        {"\r\nafter", "after"},
        {"tab\tstays", "tab\tstays"},
        {std::string(280, 'x') + "\nrest", std::string(280, 'x') + br + "rest"},
        {Repeat("あ", 5) + "\r\n" + Repeat("い", 200), Repeat("あ", 5) + br + Repeat("い", 200)},
        {Repeat("い", 5000), Repeat("い", 4000)},  // 8,000 bytes
        {"a" + Repeat("表", 5000), "a" + Repeat("表", 3999)},
    };
    for (const Case& c : cases) {
        const std::string memo = MemoFromEditText(AnsiFromUtf8(c.text));
        EXPECT_EQ(CurrentPlatform().ToUtf8(memo), c.expected) << c.text.substr(0, 40);
        EXPECT_EQ(MemoFromEditText(MemoEditText(memo)), memo) << c.text.substr(0, 40);  // the editor's round trip
    }
}

#ifdef _WIN32

TEST(MemoText, CutsInTheSystemCodePage) {
    if (SystemPlatform().AnsiCodePage() == kCodePageJapanese) {
        CheckShiftJisCuts();
        CheckMemoLines();
    } else {
        CheckCuts({{"300 Latin-1 letters", Repeat("é", 300), 255, 255}});
        EXPECT_EQ(MemoFromEditText("first\r\nsecond"), "first\x1fsecond");
    }
}

#else

class CodePageScope {
public:
    explicit CodePageScope(int codePage) : scope_(host_) { host_.SetCodePage(codePage); }

private:
    HostPlatform host_;
    ScopedPlatform scope_;
};

TEST(MemoText, CutsOnShiftJisCharacterBoundaries) {
    CodePageScope japanese(kCodePageJapanese);
    CheckShiftJisCuts();
    CheckMemoLines();
}

TEST(MemoText, CutsInSingleByteAndUtf8CodePages) {
    {
        CodePageScope western(kCodePageWestern);
        CheckCuts({{"300 Latin-1 letters", Repeat("é", 300), 255, 255}});
    }
    {
        CodePageScope utf8(kCodePageUtf8);
        CheckCuts({
            {"two-byte sequences", Repeat("é", 150), 255, 254},
            {"three-byte sequences", Repeat("日", 100), 255, 255},
            {"shifted by one", "a" + Repeat("日", 100), 255, 253},
            {"four-byte sequences", Repeat("😀", 70), 255, 252},
        });
    }
}

#endif

}  // namespace
}  // namespace tavoli
