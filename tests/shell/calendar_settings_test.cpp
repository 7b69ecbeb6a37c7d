#include "shell/calendar_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/messages.h"
#include "framework/paths.h"
#include "holidays/day_kinds.h"
#include "memo/memo_file.h"
#include "support/file_contents.h"
#include "support/map_settings_store.h"
#include "support/shown_reports.h"
#include "support/temp_folder.h"
#include "support/test_platform.h"
#include "view/calendar_view.h"

namespace tavoli {
namespace {

// Message boxes recorded, in a region the test sets.
class RegionPlatform : public RecordingPlatform {
public:
    std::string UserCountry() const override { return country; }
    std::string country;
};

// Settings whose files live in a temporary folder; message boxes are recorded.
class Settings : public testing::Test {
protected:
    Settings() : scope_(platform_) {
        paths_.userScript = folder_.Join("user/holidays.txt");
        paths_.allUsersScript = folder_.Join("holidays.txt");
        paths_.formatFile = folder_.Join("format.txt");
        paths_.memoFile = folder_.Join("user/memo.txt");
        std::filesystem::create_directories(folder_.Join("user"));
        WriteWholeFile(paths_.allUsersScript, "#weekday 0 (3)\r\n");
    }
    // The settings' calls as the model makes them, what they report shown in boxes.
    std::string Load(CalendarDocument& document, bool memosUnsaved = false) {
        CalendarSettings::Loaded loaded = settings_.Load(document, store_, kWindowColor, memosUnsaved);
        ShowReport(loaded.report);
        return loaded.failingScript;
    }
    void Save(CalendarDocument& document, bool& memoDirty) { ShowReport(settings_.Save(document, store_, memoDirty)); }
    void LoadScript(CalendarDocument& document) {
        Report report;
        settings_.LoadHolidayScript(document, kNoHolidaySet, report);
        ShowReport(report);
    }
    std::string Rescue(MemoStore& memos) {
        Report report;
        std::string file = settings_.RescueUnsavedMemos(memos, report);
        ShowReport(report);
        return file;
    }
    // A show and a hide: Load into the document, then Save with the window at (120, 80).
    void ShowAndHide(bool memoDirty = false) {
        CalendarDocument document;
        Load(document);
        document.EditSettings([](SettingsRecord& s) { s.position = Point{120, 80}; });
        Save(document, memoDirty);
    }
    std::vector<std::string> Boxes() {
        std::vector<std::string> texts;
        for (const auto& box : platform_.boxes) texts.push_back(box.text);
        return texts;
    }

    static constexpr PixelColor kWindowColor = PixelColor::Rgb(250, 250, 240);
    RegionPlatform platform_;
    ScopedPlatform scope_;
    TempFolder folder_;
    SettingsPaths paths_;
    CalendarSettings settings_{SettingsPaths()};
    MapStore store_;

    void SetUp() override { settings_ = CalendarSettings(paths_); }
};

TEST_F(Settings, FirstRunWritesEveryValueInOrder) {
    ShowAndHide();
    std::vector<std::string> names;
    for (const auto& [name, text] : store_.stored) names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"",
                                               "WebSite",
                                               "InstallDirectory",
                                               "Position",
                                               "Transparance",
                                               "FirstDayOfWeek",
                                               "BaseDayOfWeek",
                                               "CellSize",
                                               "Margin",
                                               "FormatWeekdayName",
                                               "FormatMonthName",
                                               "FormatEra",
                                               "FontSize",
                                               "ColorHeader",
                                               "ColorFooter",
                                               "ColorSelection",
                                               "ColorToday",
                                               "ColorBackground",
                                               "Color01",
                                               "Color02",
                                               "Color03",
                                               "Color04",
                                               "Color05",
                                               "Design",
                                               "Flags",
                                               "BackgroundImage",
                                               "FontFace",
                                               "CountDown",
                                               "Theme",
                                               "HolidaySet",
                                               "CalendarSources"}));
    const std::pair<const char*, std::string> expected[] = {
        {"Design", "T1W1N0D5B2"},   {"Flags", "pcn"},
        {"CellSize", "(48,36)"},    {"Margin", "4,4,4,4"},
        {"FontSize", "40,24,16,8"}, {"CountDown", "0," + Today(kLocalZone).Text() + ",0,1"},
        {"Color03", "(224,32,32)"}, {"ColorBackground", "(250,250,240)"},  // the system's window colour
        {"Position", "120,80"},     {"Transparance", "0"},
        {"FirstDayOfWeek", "0"},    {"BaseDayOfWeek", "4"},
        {"BackgroundImage", ""},    {"", ApplicationTitle()},
    };
    for (const auto& [name, text] : expected) EXPECT_EQ(store_.Get(name), text) << name;
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Settings, ValuesReadByTheirRulesAndWrittenCanonically) {
    const struct {
        const char* name;
        const char* stored;
        const char* written;
    } cases[] = {
        {"Transparance", "300", "240"},
        {"Transparance", "-5", "0"},
        {"FontSize", "12,300,7", "12,24,16,8"},
        {"Design", "t0w0", "T0W0N0D5B2"},
        {"Design", "T1X9D6", "T1W1N0D5B2"},
        {"Flags", "PpC", "pCn"},
        {"ColorHeader", "#FF000080", "(255,0,0,128)"},
        {"ColorFooter", "#00FF00", "(0,255,0)"},
        {"Color01", "255 0 0", "(255,0,0)"},
        {"Color02", "", "(96,96,255)"},  // empty: not applied
        {"FormatEra", " ", " "},
        {"FormatMonthName", "J F M A M J J A S O N D", "J F M A M J J A S O N D"},
        {"CellSize", "(5,999)", "(8,256)"},
        {"Margin", "1 2", "1,2,0,0"},
        {"Margin", "99999,-5,1000,1001", "1000,0,1000,1000"},  // as the options dialog bounds them
        {"FirstDayOfWeek", "9", "2"},
        {"FirstDayOfWeek", "x", "0"},
        {"BaseDayOfWeek", "1", "1"},
        {"Position", "-10,20", "120,80"},  // applied to the window, written from it
        {"CountDown", "1,2030/1/2,-3", "1,2030/01/02,-3,0"},
        {"FontFace", "IPAGothic", "IPAGothic"},
        {"BackgroundImage", "C:\\bg??.bmp", "C:\\bg??.bmp"},
        {"Theme", "2", "2"},
        {"Theme", "3", "0"},  // a later version's theme: automatic here
    };
    for (const auto& c : cases) {
        store_.stored.clear();
        store_.Set(c.name, c.stored);
        ShowAndHide();
        EXPECT_EQ(store_.Get(c.name), c.written) << c.name << " " << c.stored;
    }
    // What reaches the window and the view.
    store_.stored = {{"Position", "-10,20"}, {"Transparance", "77"}, {"Flags", "PCN"}, {"FirstDayOfWeek", "8"}};
    CalendarDocument document;
    Load(document);
    const SettingsRecord& loaded = document.Settings();
    ASSERT_TRUE(loaded.position.has_value());
    EXPECT_EQ(*loaded.position, (Point{-10, 20}));
    EXPECT_EQ(loaded.transparency, 77);
    EXPECT_TRUE(loaded.style.emphasis);
    EXPECT_TRUE(loaded.clock);
    EXPECT_TRUE(loaded.neighbourDays);
    EXPECT_EQ(CalendarView(document).Layout().firstDayOfWeek, 1);
}

TEST_F(Settings, HolidayScriptsAndTheirErrorList) {
    const std::string heading =
        ResolveText("Failed to load holiday script.\tja:休日設定スクリプトを正常にロードできませんでした。");
    // Each show loads into the one document of the program, which keeps the last rules
    // that compiled; a fresh document has none yet.
    CalendarDocument shown, fromAllUsers, fresh;
    auto load = [&](CalendarDocument& document) {
        platform_.boxes.clear();
        LoadScript(document);
        return document.KindOfWeekday(0) + "|" + document.KindOfWeekday(6);
    };
    EXPECT_EQ(load(fromAllUsers), "3|");  // the all-users script
    EXPECT_TRUE(Boxes().empty());
    WriteWholeFile(paths_.userScript, "\xEF\xBB\xBF#weekday 6 (2)\r\n");
    EXPECT_EQ(load(shown), "|2");  // the per-user one comes first; an editor's byte-order mark is skipped
    EXPECT_TRUE(Boxes().empty());
    WriteWholeFile(paths_.userScript, "#weekday 6 (2)\r\nm1 d1 (4\r\n");
    const struct {
        CalendarDocument& document;
        const char* kinds;
        std::string inForce;
    } failing[] = {
        {shown, "|2",
         ResolveText("Until it loads, the rules it gave when it last loaded stay in force.\tja:"
                     "読み込めるまでは、前回読み込んだときの規則を使います。")},
        {fromAllUsers, "3|",
         FillText("Until it loads, the rules last loaded from %1 stay in force.\tja:"
                  "読み込めるまでは、前回 %1 から読み込んだ規則を使います。",
                  {paths_.allUsersScript})},
        {fresh, "|",
         ResolveText("Until it loads, no holiday rules are in force.\tja:読み込めるまでは、休日の規則はありません。")},
    };
    for (const auto& c : failing) {
        EXPECT_EQ(load(c.document), c.kinds);
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].substr(0, Boxes()[0].find("\nLine 2")),
                  heading + "\n" + paths_.userScript + "\n" + c.inForce);  // then the report
    }
    std::filesystem::remove(paths_.userScript);
    std::filesystem::remove(paths_.allUsersScript);
    EXPECT_EQ(load(shown), "|");                            // a script removed takes its rules with it
    EXPECT_EQ(Boxes(), std::vector<std::string>{heading});  // the heading alone
}

// The set a first start takes is stored and kept; a set's days come with the user's own
// holidays.txt on top (its kinds win, its names come first).
TEST_F(Settings, HolidaySetChosenOnceWithTheUsersScriptOnTop) {
    paths_.setsFolder = folder_.Join("sets");
    settings_ = CalendarSettings(paths_);
    std::filesystem::create_directories(paths_.setsFolder);
    WriteWholeFile(folder_.Join("sets/DE.txt"), "; Germany: test\r\nm10 d3 (4) \"Unity\"\r\n");
    WriteWholeFile(folder_.Join("sets/DE-BY.txt"), "; Germany, Bavaria: test\r\nm8 d15 (3) \"Assumption\"\r\n");
    WriteWholeFile(folder_.Join("sets/KR.txt"), "; Korea: test\r\nm8 d15 (4) \"Liberation\"\r\n");
    const std::string failed =
        ResolveText("Failed to load holiday script.\tja:休日設定スクリプトを正常にロードできませんでした。");
    const struct {
        const char* allUsers;  // the files there before the start
        const char* user;
        const char* stored;  // nullptr: none
        const char* country;
        const char* set;
        const char* told;  // what the first box holds
        const char* days;  // 3 October and 15 August: kind and names
    } cases[] = {
        {"#weekday 0 (3)\r\n", nullptr, nullptr, "DE", "none", "", ","},  // an upgrade sees what it saw
        {nullptr, "m1 d2 (3)\r\n", nullptr, "DE", "none", "", ","},
        {nullptr, nullptr, nullptr, "DE", "DE", "Germany", "4|Unity,"},
        {nullptr, nullptr, nullptr, "KR", "KR", "", ",4|Liberation"},  // no regions: nothing to say
        // No set for the country: no rules, the choice left to a later start, said once a run.
        {nullptr, nullptr, nullptr, "", "", "(?)", ","},
        {nullptr, nullptr, nullptr, "NZ", "", "", ","},
        {nullptr, "m10 d3 (5) \"Mine\"\r\n", "DE-BY", "KR", "DE-BY", "", "5|Mine|Unity,3|Assumption"},
        {"m10 d3 (1)\r\n", nullptr, "DE", "", "DE", "", "4|Unity,"},  // the all-users file is not in a set
        {nullptr, nullptr, "FR", "DE", "FR", failed.c_str(), ","},    // a set not shipped is said
    };
    for (const auto& c : cases) {
        const std::string row = std::string(c.country) + "/" + (c.stored ? c.stored : "-");
        std::filesystem::remove(paths_.allUsersScript);
        std::filesystem::remove(paths_.userScript);
        if (c.allUsers) WriteWholeFile(paths_.allUsersScript, c.allUsers);
        if (c.user) WriteWholeFile(paths_.userScript, c.user);
        store_.stored.clear();
        if (c.stored) store_.Set("HolidaySet", c.stored);
        platform_.country = c.country;
        platform_.boxes.clear();
        CalendarDocument document;
        Load(document);
        EXPECT_EQ(document.Settings().holidaySet, c.set) << row;
        const std::string first = Boxes().empty() ? "" : Boxes()[0];
        EXPECT_NE(first.find(c.told), std::string::npos) << row << ": " << first;
        if (!*c.told) {
            EXPECT_EQ(first, "") << row;
        }
        std::string days;
        for (const CalDate day : {CalDate(2024, 10, 3), CalDate(2024, 8, 15)}) {
            days += (day.Parts().month == 10 ? "" : ",") + document.KindOf(day);
            for (const NameEntry& name : document.NamesOf(day)) days += "|" + name.name;
        }
        EXPECT_EQ(days, c.days) << row;
        // Stored at the hide: the next start neither chooses nor tells again.
        bool memoDirty = false;
        Save(document, memoDirty);
        EXPECT_EQ(store_.Get("HolidaySet"), c.set) << row;
        platform_.boxes.clear();
        CalendarDocument again;
        Load(again);
        EXPECT_EQ(again.Settings().holidaySet, c.set) << row;
        if (std::string(c.told) == "Germany") {
            EXPECT_TRUE(Boxes().empty()) << row;
        }
    }
}

TEST_F(Settings, FormatFileReplacesTheFormatsItHas) {
    const CalendarDocument none;
    CalendarView defaults(none);
    WriteWholeFile(paths_.formatFile, "\xEF\xBB\xBFH1\r\n\r\nH3\nH4\rF1\r\n\r\nF3\r\nF4\r\nextra\r\nmore\r\n");
    CalendarDocument document;
    ShowReport(settings_.LoadFormats(document));
    CalendarView view(document);
    EXPECT_EQ(view.HeaderFormats(), (std::array<std::string, 4>{"H1", defaults.HeaderFormats()[1], "H3", "H4"}));
    EXPECT_EQ(view.FooterFormats(), (std::array<std::string, 4>{"F1", defaults.FooterFormats()[1], "F3", "F4"}));
    std::filesystem::remove(paths_.formatFile);
    ShowReport(settings_.LoadFormats(document));  // missing: silent, all defaults, which the view follows
    EXPECT_EQ(view.HeaderFormats(), defaults.HeaderFormats());
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Settings, HostileValuesGiveSoundOnes) {
    std::string random;
    uint32_t state = 7;
    for (int i = 0; i < 300; ++i) {
        state = state * 1103515245u + 12345u;
        random.push_back(static_cast<char>(state >> 16));
    }
    const std::string texts[] = {random,
                                 std::string(300, '9'),
                                 "-99999999999999999999",
                                 "\x81",
                                 "\x82\xa0\x81",
                                 std::string(255, 'T'),
                                 "(2147483648,-2147483649)",
                                 "#",
                                 "0x",
                                 "\x7f\x01"};
    const char* names[] = {"Position",       "Transparance", "FirstDayOfWeek", "BaseDayOfWeek",     "CellSize",
                           "Margin",         "FontSize",     "ColorHeader",    "Color05",           "Design",
                           "Flags",          "CountDown",    "FormatEra",      "FormatWeekdayName", "FontFace",
                           "BackgroundImage"};
    for (const std::string& text : texts) {
        store_.stored.clear();
        for (const char* name : names) store_.Set(name, text);
        ShowAndHide();
        // What is written reads back to itself.
        const SettingsValues first = store_.stored;
        ShowAndHide();
        EXPECT_EQ(store_.stored, first);
        const int transparency = std::stoi(store_.Get("Transparance"));
        EXPECT_TRUE(transparency >= 0 && transparency <= 240);
        const std::string cell = store_.Get("CellSize");
        int w = 0, h = 0;
        ASSERT_EQ(std::sscanf(cell.c_str(), "(%d,%d)", &w, &h), 2) << cell;
        EXPECT_TRUE(w >= 8 && w <= 256 && h >= 8 && h <= 256) << cell;
        EXPECT_EQ(store_.Get("Design").size(), 10u);
        EXPECT_EQ(store_.Get("Flags").size(), 3u);
    }
}

// A memo file that cannot be written keeps every memo: in memory across hides and in one
// side file, told once, written by the first save that succeeds.
TEST_F(Settings, MemosSurviveAnUnwritableMemoFile) {
    std::filesystem::create_directories(paths_.memoFile);  // a folder where memo.txt should be
    const std::string side = SideFileNameFor(paths_.memoFile);
    CalendarDocument document;  // lives from start to end
    bool dirty = false;
    Load(document, dirty);
    document.EditMemos().SetMemo(CalDate(2024, 5, 5), "first");
    dirty = true;
    Save(document, dirty);
    EXPECT_TRUE(dirty);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].find(side), std::string::npos);
    // The next show has them; another edit; the save fails again, silently.
    Load(document, dirty);
    EXPECT_EQ(document.Memos().MemoOf(CalDate(2024, 5, 5)), "first");
    document.EditMemos().SetMemo(CalDate(2024, 5, 6), "second");
    Save(document, dirty);
    EXPECT_TRUE(dirty);
    EXPECT_EQ(Boxes().size(), 1u);
    MemoStore kept;
    ASSERT_EQ(kept.LoadMemos(side), kSuccess);
    EXPECT_EQ(kept.Count(), 2u);
    std::filesystem::remove(paths_.memoFile);
    Load(document, dirty);  // the next show and hide write them
    Save(document, dirty);
    EXPECT_FALSE(dirty);
    MemoStore saved;
    ASSERT_EQ(saved.LoadMemos(paths_.memoFile), kSuccess);
    EXPECT_EQ(saved.Entries(),
              (std::vector<MemoStore::Entry>{{CalDate(2024, 5, 5), "first"}, {CalDate(2024, 5, 6), "second"}}));
}

// A store that refuses the values is said as a failed memo save is: once, until a write
// works again.
TEST_F(Settings, AFailedWriteOfTheValuesIsToldOnce) {
    const ErrorValue denied = ErrorFromSystem(5);
    const std::string told =
        ResolveText("Failed to save settings.\tja:設定をセーブできませんでした。") + "\n" + ReasonOf(denied);
    const struct {
        ErrorValue write;
        size_t boxes;
    } hides[] = {{denied, 1}, {denied, 1}, {kSuccess, 1}, {denied, 2}};
    for (const auto& hide : hides) {
        store_.writeError = hide.write;
        ShowAndHide();
        ASSERT_EQ(Boxes().size(), hide.boxes) << &hide - hides;
        EXPECT_EQ(Boxes().back(), told);
    }
}

TEST_F(Settings, MemosStillUnsavedAtTheEndAreRescued) {
    std::filesystem::create_directories(paths_.memoFile);
    CalendarDocument document;
    Load(document);
    document.EditMemos().SetMemo(CalDate(2024, 5, 5), "keep me");
    bool dirty = true;
    Save(document, dirty);
    ASSERT_TRUE(dirty);
    const std::string rescued = Rescue(document.EditMemos());
    ASSERT_FALSE(rescued.empty());
    MemoStore saved;
    EXPECT_EQ(saved.LoadMemos(rescued), kSuccess);
    EXPECT_EQ(saved.MemoOf(CalDate(2024, 5, 5)), "keep me");
    EXPECT_NE(Boxes().back().find(rescued), std::string::npos);  // the user is told where
    const size_t told = Boxes().size();
    EXPECT_EQ(Rescue(document.EditMemos()), rescued);  // held there already: not told again
    EXPECT_EQ(Boxes().size(), told);
    std::filesystem::remove(rescued);
}

}  // namespace
}  // namespace tavoli
