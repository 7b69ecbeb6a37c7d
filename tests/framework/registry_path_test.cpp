#include "framework/registry_path.h"

#include <gtest/gtest.h>

#include "framework/font_spec.h"

namespace tavoli {
namespace {

TEST(RegistryPath, RootsAndSubkeys) {
    struct Case {
        const char* path;
        bool ok;
        uint32_t root;
        const char* subkey;
    } cases[] = {
        {"HKCU\\Software\\Brenholt\\TavoliCalendar", true, 0x80000001u, "Software\\Brenholt\\TavoliCalendar"},
        {"hkcu\\Software\\X", true, 0x80000001u, "Software\\X"},
        {"HKEY_CURRENT_USER\\Software", true, 0x80000001u, "Software"},
        {"HKEY_LOCAL_MACHINE\\A", true, 0x80000002u, "A"},
        {"HKLM\\A", true, 0x80000002u, "A"},
        {"HKCR\\.txt", true, 0x80000000u, ".txt"},
        {"HKU\\.DEFAULT", true, 0x80000003u, ".DEFAULT"},
        {"HKPD\\x", true, 0x80000004u, "x"},
        {"HKCC\\x", true, 0x80000005u, "x"},
        {"HKDD\\x", true, 0x80000006u, "x"},
        {"HKCUX\\A", true, 0x80000001u, "A"},  // the name only needs to be a prefix
        {"HKCU", true, 0x80000001u, ""},
        {"#80000001\\Software\\X", true, 0x80000001u, "Software\\X"},
        {"#8000000a\\X", true, 0x8000000Au, "X"},
        {"#FFFFFFFF\\X", true, 0xFFFFFFFFu, "X"},
        {"#8000000G\\X", false, 0, ""},
        {"#100000000\\X", false, 0, ""},  // does not fit in 32 bits
        {"#80000001", false, 0, ""},      // no backslash
        {"HKXX\\Software", false, 0, ""},
        {"", false, 0, ""},
        {"Software\\X", false, 0, ""},
    };
    for (const Case& c : cases) {
        RegistryPath parsed;
        const ErrorValue error = ParseRegistryPath(c.path, parsed);
        EXPECT_EQ(error, c.ok ? kSuccess : ErrorFromKey("registry")) << c.path;
        EXPECT_EQ(parsed.root, c.root) << c.path;
        EXPECT_EQ(parsed.subkey, c.subkey) << c.path;
    }
}

TEST(FontSpec, StyleLetters) {
    struct Case {
        const char* style;
        bool bold, italic, underline, strike;
    } cases[] = {
        {"BI", true, true, false, false},   {"bI", false, true, false, false},  {"Bi", true, false, false, false},
        {"bB", false, false, false, false}, {"Bb", true, false, false, false},  {"BIUS", true, true, true, true},
        {"B I", true, false, false, false},  // stops at the first non-letter
        {"", false, false, false, false},   {"us", false, false, false, false}, {"xyzS", false, false, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StyleLetterOn(c.style, 'B'), c.bold) << c.style;
        EXPECT_EQ(StyleLetterOn(c.style, 'I'), c.italic) << c.style;
        EXPECT_EQ(StyleLetterOn(c.style, 'U'), c.underline) << c.style;
        EXPECT_EQ(StyleLetterOn(c.style, 'S'), c.strike) << c.style;
    }
}

}  // namespace
}  // namespace tavoli
