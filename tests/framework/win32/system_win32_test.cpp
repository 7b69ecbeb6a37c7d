// Fonts, the version resource and the shell under Wine.
#include <gtest/gtest.h>

#include "framework/font_win32.h"
#include "framework/paths.h"
#include "framework/platform.h"
#include "framework/shell_win32.h"
#include "support/dialog_driver_win32.h"
#include "support/temp_folder.h"

#include <cstdio>

namespace tavoli {
namespace {

LOGFONTA FontOf(const FontSpec& spec) {
    HFONT font = CreateFontFromSpec(spec);
    LOGFONTA info = {};
    EXPECT_NE(font, nullptr);
    GetObjectA(font, sizeof info, &info);
    DeleteObject(font);
    return info;
}

TEST(Fonts, StyleLettersSizeAndCharset) {
    struct Case {
        const char* style;
        LONG weight;
        bool italic;
    } cases[] = {{"BI", FW_BOLD, true}, {"bI", FW_NORMAL, true}, {"Bi", FW_BOLD, false}, {"", FW_NORMAL, false}};
    for (const Case& c : cases) {
        const LOGFONTA info = FontOf({"Tahoma", 14, c.style});
        EXPECT_EQ(info.lfWeight, c.weight) << c.style;
        EXPECT_EQ(info.lfItalic != 0, c.italic) << c.style;
        EXPECT_EQ(info.lfHeight, -14);
        EXPECT_EQ(info.lfCharSet, DEFAULT_CHARSET);  // a face name: the default set
        EXPECT_STREQ(info.lfFaceName, "Tahoma");
    }
    const LOGFONTA underlined = FontOf({"", 0, "US"});
    EXPECT_TRUE(underlined.lfUnderline);
    EXPECT_TRUE(underlined.lfStrikeOut);
    EXPECT_EQ(underlined.lfHeight, 0);
    // No face name: the character set of the user's language.
    const BYTE expected = SystemPlatform().AnsiCodePage() == kCodePageJapanese ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
    EXPECT_EQ(underlined.lfCharSet, expected);
    EXPECT_EQ(FontOf({std::string(100, 'F'), 10, ""}).lfHeight, -10);  // an overlong face name is cut, not overrun
}

TEST(VersionResource, StringsOfTheTestProgram) {
    EXPECT_EQ(VersionString("FileVersion"), "1.2.3.4");
    EXPECT_EQ(VersionString("FileDescription"), "Tavoli Test Program");
    EXPECT_EQ(VersionString("NoSuchName"), "");
    EXPECT_EQ(VersionString(std::string(231, 'x')), "");
}

TEST(FileDialogFilter, AddsAllFilesUnlessPresent) {
    FileDialog dialog;
    dialog.filters = {{"Text", "*.txt"}};
    const std::string text = FileDialogFilterText(dialog);
    const std::string all = SystemPlatform().AnsiCodePage() == kCodePageJapanese ? AnsiFromUtf8("すべてのファイル(*.*)")
                                                                                 : std::string("All Files(*.*)");
    EXPECT_EQ(text, std::string("Text\0*.txt\0", 11) + all + std::string("\0*.*\0\0", 6));
    dialog.filters.push_back({"Everything", "*.*"});
    EXPECT_EQ(FileDialogFilterText(dialog), std::string("Text\0*.txt\0Everything\0*.*\0\0", 27));
}

TEST(ShellOpen, ReportsAMissingFile) {
    TempFolder folder;
    EXPECT_NE(ShellOpen(folder.Join("no-such-document.xyz"), ""), kSuccess);
}

}  // namespace
}  // namespace tavoli

namespace tavoli {
namespace {

// The open dialog for real: a second thread types the name into the dialog's file name
// box and presses Open.
TEST(FileDialog, OpenReturnsTheChosenPath) {
    TempFolder folder;
    const std::string path = folder.Join("chosen.txt");
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);

    DialogDriver typist("Pick a file", [&](HWND dialog) -> std::string {
        Sleep(200);
        // The explorer-style dialog keeps the name in combo box cmb13 (0x47C) or edit edt1 (0x480).
        HWND name = GetDlgItem(dialog, 0x47C);
        if (!name) name = GetDlgItem(dialog, 0x480);
        if (!name) return "no file name box";
        SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        DialogDriver::Press(dialog, IDOK);
        return {};
    });
    FileDialog dialog;
    dialog.title = "Pick a file";
    dialog.filters = {{"Text", "*.txt"}};
    dialog.fileNames = {"initial.txt"};
    const bool chosen = RunFileDialog(dialog, false);
    const DialogReport report = typist.Finish();
    ASSERT_TRUE(report.driven) << report.failure;
    ASSERT_TRUE(chosen);
    ASSERT_EQ(dialog.fileNames.size(), 1u);
    EXPECT_EQ(PathPart(dialog.fileNames.front(), "fe"), "chosen.txt");
}

}  // namespace
}  // namespace tavoli
