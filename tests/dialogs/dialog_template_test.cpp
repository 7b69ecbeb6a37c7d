// The in-memory dialog template, byte by byte.
#include "dialogs/dialog_template.h"

#include <gtest/gtest.h>

namespace tavoli {
namespace {

uint32_t DoubleWordAt(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}
int WordAt(const std::vector<uint8_t>& bytes, size_t at) { return bytes[at] | bytes[at + 1] << 8; }

TEST(DialogTemplate, SizesAreClampedAndTheTitleFollowsTheClassWord) {
    struct Case {
        int width, height;
        std::u16string title;
        int expectedWidth, expectedHeight;
    } cases[] = {
        {20, 300, u"", 32, 256},     {100, 36, u"Jump", 100, 36},
        {32, 256, u"x", 32, 256},    {31, 257, u"", 32, 256},
        {-5, 0, u"", 32, 32},        {106, 48, u"\u30e1\u30e2", 106, 48},
        {1000, -1000, u"", 256, 32}, {120, 90, u"Settings", 120, 90},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> bytes = BuildDialogTemplate(kModalDialogStyle, c.width, c.height, c.title);
        ASSERT_EQ(bytes.size(), 18 + 2 + 2 + 2 * (c.title.size() + 1)) << c.width << " x " << c.height;
        EXPECT_EQ(DoubleWordAt(bytes, 0), 0x90C80880u);  // popup, visible, caption, system menu, modal frame, centre
        EXPECT_EQ(DoubleWordAt(bytes, 4), 0u);           // extended style
        EXPECT_EQ(WordAt(bytes, 8), 0);                  // no controls
        EXPECT_EQ(WordAt(bytes, 10), 0);                 // x
        EXPECT_EQ(WordAt(bytes, 12), 0);                 // y
        EXPECT_EQ(WordAt(bytes, 14), c.expectedWidth) << c.width;
        EXPECT_EQ(WordAt(bytes, 16), c.expectedHeight) << c.height;
        EXPECT_EQ(WordAt(bytes, 18), 0);  // no menu
        EXPECT_EQ(WordAt(bytes, 20), 0);  // the system's dialog class
        for (size_t i = 0; i < c.title.size(); ++i) EXPECT_EQ(WordAt(bytes, 22 + 2 * i), c.title[i]) << i;
        EXPECT_EQ(WordAt(bytes, 22 + 2 * c.title.size()), 0);  // the title's NUL
    }
}

TEST(DialogTemplate, WholeTemplateOfAJapaneseCaption) {
    // "移動" (U+79FB U+52D5) at 20 × 300 dialog units.
    const std::vector<uint8_t> expected = {
        0x80, 0x08, 0xC8, 0x90,  // style
        0x00, 0x00, 0x00, 0x00,  // extended style
        0x00, 0x00,              // control count
        0x00, 0x00, 0x00, 0x00,  // x, y
        0x20, 0x00, 0x00, 0x01,  // 32 × 256
        0x00, 0x00, 0x00, 0x00,  // menu, class
        0xFB, 0x79, 0xD5, 0x52, 0x00, 0x00,
    };
    EXPECT_EQ(BuildDialogTemplate(kModalDialogStyle, 20, 300, u"\u79fb\u52d5"), expected);
    EXPECT_EQ(BuildDialogTemplate(0x12345678u, 40, 40, u"")[0], 0x78);  // the style is the caller's
}

}  // namespace
}  // namespace tavoli
