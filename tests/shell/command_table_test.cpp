#include "shell/command_table.h"

#include <gtest/gtest.h>

#include <iterator>

#include "framework/platform.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

struct ExpectedCommand {
    CommandId id;
    int number;
    const char* name;
    const char* english;
    const char* japanese;  // UTF-8
};

const ExpectedCommand kExpected[] = {
    {CommandId::kClose, 1025, "close", "Exit(&X)\tAlt+F4", "終了(&X)\tAlt+F4"},
    {CommandId::kPrevMonth, 1026, "prevmonth", "Previous Month(&P)\tCtrl+Left", "前の月(&P)\tCtrl+←"},
    {CommandId::kNextMonth, 1027, "nextmonth", "Next Month(&Q)\tCtrl+Right", "次の月(&Q)\tCtrl+→"},
    {CommandId::kPrevYear, 1028, "prevyear", "Previous Year(&Y)\tCtrl+Up", "前の年(&Y)\tCtrl+↑"},
    {CommandId::kNextYear, 1029, "nextyear", "Next Year(&Z)\tCtrl+Down", "次の年(&Z)\tCtrl+↓"},
    {CommandId::kJump, 1030, "jump", "Jump(&J)...\tCtrl+J", "ジャンプ(&J)...\tCtrl+J"},
    {CommandId::kCopy, 1031, "copy", "Copy(&C)\tCtrl+C", "コピー(&C)\tCtrl+C"},
    {CommandId::kMemo, 1032, "memo", "Memo(&M)...\tCtrl+M", "メモ(&M)...\tCtrl+M"},
    {CommandId::kToday, 1033, "today", "Show Today(&T)\tSpace", "今月(&T)\tSpace"},
    {CommandId::kShowNext, 1034, "shownext", "Show Neighbor Month(&N)\tCtrl+K", "前後月の表示(&N)\tCtrl+K"},
    {CommandId::kOption, 1035, "option", "Options(&O)...", "設定(&O)..."},
    {CommandId::kDisplay, 1036, "display", "Display Tavoli Calendar(&D)", "たぼりカレンダーの表示(&D)"},
    {CommandId::kAbout, 1037, "about", "About(&A)...", "バージョン情報(&A)..."},
    {CommandId::kHelp, 1038, "help", "Help(&H)\tF1", "ヘルプ(&H)\tF1"},
    {CommandId::kCounter, 1040, "counter", "Count Down(&N)...", "カウントダウン(&N)..."},
    {CommandId::kSpanCalc, 1041, "spancalc", "Span Calculation(&K)", "期間計算(&K)"},
    {CommandId::kMemorize, 1042, "memorize", "Memorize(&M)", "期間の初日を記憶(&M)"},
    {CommandId::kCalculate, 1043, "calculate", "Calculate(&C)...", "期間計算(&C)..."},
    {CommandId::kExplain, 1044, "explain", "Why this day?(&W)...\tCtrl+E", "この日の理由(&W)...\tCtrl+E"},
    {CommandId::kSwitchView, 1045, "switchview", "Switch View(&V)\tCtrl+L", "表示月数の切り替え(&V)\tCtrl+L"},
    {CommandId::kSearch, 1048, "search", "Search Memos(&S)...\tCtrl+F", "メモの検索(&S)...\tCtrl+F"},
};

// The table as built under the current platform, against the captions of one language.
void ExpectStandardTable(bool japanese) {
    const CommandTable table = BuildCommandTable();
    ASSERT_EQ(table.Count(), std::size(kExpected));
    for (size_t i = 0; i < std::size(kExpected); ++i) {
        const ExpectedCommand& expected = kExpected[i];
        const CommandEntry& entry = table.Entries()[i];
        EXPECT_EQ(IdNumber(expected.id), expected.number) << expected.name;
        EXPECT_EQ(entry.id, expected.number) << expected.name;
        EXPECT_EQ(entry.name, expected.name);
        EXPECT_EQ(entry.caption, japanese ? AnsiFromUtf8(expected.japanese) : std::string(expected.english))
            << expected.name;
        EXPECT_TRUE(entry.alternativeCaption.empty()) << expected.name;
        EXPECT_TRUE(entry.enabled) << expected.name;
        EXPECT_FALSE(entry.checked) << expected.name;
        EXPECT_EQ(entry.key, 0) << expected.name;  // keys come later, from start-up
        EXPECT_EQ(entry.modifier, 0u) << expected.name;
        EXPECT_EQ(&table.Find(expected.name), &entry);
        EXPECT_EQ(&table.FindId(expected.number), &entry);
    }
}

#ifdef _WIN32

TEST(CommandTable, CaptionsInTheLanguageOfTheSystem) {
    const bool japanese = SystemPlatform().AnsiCodePage() == kCodePageJapanese;
    ExpectStandardTable(japanese);
    if (japanese) {
        EXPECT_EQ(BuildCommandTable().Find("prevmonth").caption, "\x91\x4f\x82\xcc\x8c\x8e(&P)\tCtrl+\x81\xa9");
    }
}

#else

TEST(CommandTable, CaptionsInEnglishAndJapanese) {
    struct Case {
        int codePage;
        const char* language;
        bool japanese;
    } cases[] = {{kCodePageWestern, "ENU", false}, {kCodePageJapanese, "JPN", true}, {kCodePageWestern, "DEU", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        HostPlatform platform;
        platform.SetCodePage(c.codePage);
        platform.SetAbbreviatedLanguageName(std::string(c.language));
        ScopedPlatform scope(platform);
        ExpectStandardTable(c.japanese);
    }
    // The bytes of Shift_JIS themselves, with the key name resolved after the suffix.
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    ScopedPlatform scope(japanese);
    const CommandTable table = BuildCommandTable();
    EXPECT_EQ(table.Find("prevmonth").caption, "\x91\x4f\x82\xcc\x8c\x8e(&P)\tCtrl+\x81\xa9");
    // Captions are resolved once: a later change of language leaves them as they are.
    japanese.SetCodePage(kCodePageWestern);
    EXPECT_EQ(table.Find("close").caption, "\x8f\x49\x97\xb9(&X)\tAlt+F4");
    EXPECT_EQ(BuildCommandTable().Find("close").caption, "Exit(&X)\tAlt+F4");
}

#endif

TEST(CommandTable, LookupTakesTheFirstExactNameElseThePermanentEmptyEntry) {
    const CommandEntry* empty = nullptr;
    {
        CommandTable table = BuildCommandTable();
        CommandEntry second;
        second.id = 2000;
        second.name = "memo";
        table.Add(second);
        CommandEntry nameless;
        nameless.id = 2001;
        nameless.caption = "Nameless";
        table.Add(nameless);
        ASSERT_EQ(table.Count(), 23u);
        EXPECT_EQ(table.Entries().back().id, 2001);  // appended at the tail

        struct Case {
            const char* word;
            int id;  // 0: the empty entry
        } cases[] = {
            {"memo", 1032},                    // the first of two entries named memo
            {"calculate", 1043}, {"Memo", 0},  // names are compared exactly
            {"mem", 0},                        // no prefix match
            {"memos", 0},        {"", 0},      // an empty word never finds a nameless entry
            {"spancalc ", 0},                  // nor a word with a blank
        };
        for (const Case& c : cases) {
            const CommandEntry& found = table.Find(c.word);
            EXPECT_EQ(found.id, c.id) << c.word;
            if (c.id == 0) {
                EXPECT_TRUE(found.name.empty()) << c.word;
                EXPECT_TRUE(found.caption.empty()) << c.word;
                if (!empty) empty = &found;
                EXPECT_EQ(&found, empty) << "one empty entry for every failed lookup";
            }
        }
        EXPECT_EQ(table.FindId(2000).name, "memo");
        EXPECT_EQ(table.FindId(2001).id, 0);  // a nameless entry is no command
        EXPECT_EQ(table.FindId(1039).id, 0);  // the gap in the ids
        EXPECT_EQ(&table.FindId(0), empty);

        EXPECT_EQ(table.Edit("nothing"), nullptr);
        EXPECT_EQ(table.Edit(""), nullptr);
        CommandEntry* copy = table.Edit("copy");
        ASSERT_NE(copy, nullptr);
        copy->enabled = false;
        EXPECT_FALSE(table.Find("copy").enabled);
    }
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->id, 0);  // it outlives every table
    EXPECT_FALSE(empty->Usable());
}

TEST(AcceleratorRecords, TheKeysTheCaptionsShow) {
    CommandTable table = BuildCommandTable();
    EXPECT_TRUE(AcceleratorRecords(table).empty());  // before start-up assigns keys: no table
    AssignAcceleratorKeys(table);
    const uint8_t ctrl = accel::kVirtualKey | accel::kControl;
    const std::vector<AcceleratorRecord> expected = {
        {ctrl, vk::kLeft, 1026}, {ctrl, vk::kRight, 1027}, {ctrl, vk::kUp, 1028}, {ctrl, vk::kDown, 1029},
        {ctrl, 'J', 1030},       {ctrl, 'C', 1031},        {ctrl, 'M', 1032},     {ctrl, 'K', 1034},
        {ctrl, 'E', 1044},       {ctrl, 'L', 1045},        {ctrl, 'F', 1048},
    };
    EXPECT_EQ(AcceleratorRecords(table), expected);
    // Every Ctrl shortcut a caption shows is its command's accelerator.
    for (const CommandEntry& entry : table.Entries()) {
        const size_t tab = entry.caption.find("\tCtrl+");
        if (tab == std::string::npos) continue;
        EXPECT_EQ(ShortcutText(entry.modifier, entry.key), entry.caption.substr(tab + 1)) << entry.caption;
    }
}

TEST(AcceleratorRecords, OneModifierPerRecordAndOnlyUsableEntries) {
    struct Case {
        const char* name;
        int id;
        const char* modifier;
        int key;
        int flags;  // -1: no record
    } cases[] = {
        {"alt", 1100, "alt", 'A', accel::kVirtualKey | accel::kAlt},
        {"ctrl", 1101, "ctrl", 'B', accel::kVirtualKey | accel::kControl},
        {"shift", 1102, "shft", 'C', accel::kVirtualKey | accel::kShift},
        {"upper", 1103, "CTRL", 'D', accel::kVirtualKey | accel::kControl},  // packing folds case
        {"other", 1104, "win", 'E', accel::kVirtualKey},                     // unknown modifier: none
        {"plain", 1105, "", vk::kLeft, accel::kVirtualKey},
        {"", 1106, "ctrl", 'F', -1},     // without a name
        {"low", 1023, "ctrl", 'G', -1},  // ids outside 1024..32766
        {"high", 32767, "ctrl", 'H', -1},
        {"first", 1024, "ctrl", 'I', accel::kVirtualKey | accel::kControl},
        {"last", 32766, "ctrl", 'J', accel::kVirtualKey | accel::kControl},
        {"nokey", 1107, "ctrl", 0, -1},
        {"huge", 1108, "ctrl", 0x10000, -1},  // does not fit the record
        {"negative", 1109, "ctrl", -1, -1},
    };
    CommandTable table;
    std::vector<AcceleratorRecord> expected;
    for (const Case& c : cases) {
        CommandEntry entry;
        entry.id = c.id;
        entry.name = c.name;
        entry.modifier = PackTag(c.modifier);
        entry.key = c.key;
        table.Add(entry);
        if (c.flags >= 0) {
            expected.push_back(
                {static_cast<uint8_t>(c.flags), static_cast<uint16_t>(c.key), static_cast<uint16_t>(c.id)});
        }
    }
    EXPECT_EQ(AcceleratorRecords(table), expected);

    CommandTable skippedOnly;  // keys, but none of them usable: no table either
    CommandEntry nameless;
    nameless.id = 1100;
    nameless.key = 'A';
    skippedOnly.Add(nameless);
    EXPECT_TRUE(AcceleratorRecords(skippedOnly).empty());
}

}  // namespace
}  // namespace tavoli
