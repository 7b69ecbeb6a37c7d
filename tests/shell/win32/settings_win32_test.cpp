// The settings in the registry of the test run's private Wine prefix (a key of its own).
#include <gtest/gtest.h>

#include <filesystem>

#include "framework/registry_win32.h"
#include "shell/settings_store_win32.h"
#include "support/file_contents.h"
#include "support/shown_reports.h"
#include "support/temp_folder.h"
#include "support/test_platform.h"

namespace tavoli {
namespace {

constexpr const char* kSubkey = "Software\\TavoliTest\\Settings";
constexpr const char* kKeyPath = "HKCU\\Software\\TavoliTest\\Settings";

class RegistrySettings : public testing::Test {
protected:
    RegistrySettings() : scope_(platform_), store_(kKeyPath) {
        RegDeleteTreeA(HKEY_CURRENT_USER, kSubkey);
        paths_.userScript = folder_.Join("user\\holidays.txt");
        paths_.allUsersScript = folder_.Join("holidays.txt");
        paths_.formatFile = folder_.Join("format.txt");
        paths_.memoFile = folder_.Join("user\\memo.txt");
        WriteWholeFile(paths_.allUsersScript, "#weekday 0 (3)\r\n");
        settings_ = std::make_unique<CalendarSettings>(paths_);
    }
    ~RegistrySettings() override { RegDeleteTreeA(HKEY_CURRENT_USER, kSubkey); }

    void ShowAndHide() {
        CalendarDocument document;
        ShowReport(settings_->Load(document, store_, PixelColor::Rgb(255, 255, 255)).report);
        document.EditSettings([](SettingsRecord& s) { s.position = Point{420, 300}; });
        bool dirty = false;
        ShowReport(settings_->Save(document, store_, dirty));
    }
    std::string Stored(const char* name, DWORD* type = nullptr) {
        char data[4096] = {};
        DWORD size = sizeof data - 1, kind = 0;
        const LONG status = RegGetValueA(HKEY_CURRENT_USER, kSubkey, name, RRF_RT_ANY, &kind, data, &size);
        if (type) *type = kind;
        return status == ERROR_SUCCESS ? std::string(data) : "(none)";
    }
    void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, kSubkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    void SetText(const char* name, const std::string& text) {
        SetRaw(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }

    RecordingPlatform platform_;
    ScopedPlatform scope_;
    TempFolder folder_;
    SettingsPaths paths_;
    RegistrySettingsStore store_;
    std::unique_ptr<CalendarSettings> settings_;
};

TEST_F(RegistrySettings, FirstRunWritesTextValues) {
    ShowAndHide();
    const std::pair<const char*, std::string> expected[] = {
        {"Design", "T1W1N0D5B2"},
        {"Flags", "pcn"},
        {"CellSize", "(48,36)"},
        {"Margin", "4,4,4,4"},
        {"FontSize", "40,24,16,8"},
        {"CountDown", "0," + Today(kLocalZone).Text() + ",0,1"},
        {"Color03", "(224,32,32)"},
        {"Position", "420,300"},
        {"FormatWeekdayName", ResolveText("SUN MON TUE WED THU FRI SAT\tja:日 月 火 水 木 金 土")},
    };
    for (const auto& [name, text] : expected) {
        DWORD type = 0;
        EXPECT_EQ(Stored(name, &type), text) << name;
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << name;
    }
    // The era list of English has no eras: written as one blank, read back as one.
    if (SystemPlatform().AnsiCodePage() != kCodePageJapanese) {
        EXPECT_EQ(Stored("FormatEra"), " ");
        ShowAndHide();
        EXPECT_EQ(Stored("FormatEra"), " ");
    }
}

TEST_F(RegistrySettings, OtherTypesAndHostileTexts) {
    const DWORD transparency = 300;
    SetRaw("Transparance", REG_DWORD, &transparency, sizeof transparency);
    const uint8_t binary[] = {1, 2, 3, 0, 255};
    SetRaw("CellSize", REG_BINARY, binary, sizeof binary);
    SetText("Design", std::string(300, 'T'));  // beyond the 256-byte buffer
    SetText("FontFace", "\x81");               // half a Shift_JIS character
    SetText("Color01", "#FF000080");
    SetText("Flags", "PpC");
    SetText("FontSize", "12,300,7");
    ShowAndHide();
    DWORD type = 0;
    EXPECT_EQ(Stored("Transparance", &type), "240");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));  // rewritten as text
    EXPECT_EQ(Stored("CellSize"), "(48,36)");
    EXPECT_EQ(Stored("Design").size(), 10u);
    EXPECT_EQ(Stored("Color01"), "(255,0,0,128)");
    EXPECT_EQ(Stored("Flags"), "pCn");
    EXPECT_EQ(Stored("FontSize"), "12,24,16,8");
}

TEST_F(RegistrySettings, ScriptFallbackAndMemosOfAnUnwritableFile) {
    std::filesystem::create_directories(std::filesystem::u8path(paths_.memoFile));
    CalendarDocument document;
    ShowReport(settings_->Load(document, store_, PixelColor::Rgb(255, 255, 255)).report);
    EXPECT_TRUE(platform_.boxes.empty());  // the all-users script, no per-user one
    document.EditMemos().SetMemo(CalDate(2024, 5, 5), "kept");
    document.EditSettings([](SettingsRecord& s) { s.position = Point{0, 0}; });
    bool dirty = true;
    ShowReport(settings_->Save(document, store_, dirty));
    EXPECT_TRUE(dirty);
    ASSERT_EQ(platform_.boxes.size(), 1u);  // where the memos went instead
    EXPECT_NE(platform_.boxes[0].text.find("memo-unsaved.txt"), std::string::npos);
    std::filesystem::remove(std::filesystem::u8path(paths_.memoFile));
    ShowReport(settings_->Load(document, store_, PixelColor::Rgb(255, 255, 255), dirty).report);
    ShowReport(settings_->Save(document, store_, dirty));
    EXPECT_FALSE(dirty);
    EXPECT_NE(ReadWholeFile(paths_.memoFile).find("2024/05/05=kept"), std::string::npos);
}

}  // namespace
}  // namespace tavoli
