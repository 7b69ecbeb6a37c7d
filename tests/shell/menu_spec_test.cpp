#include "shell/menu_spec.h"

#include <gtest/gtest.h>

#include "framework/platform.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

// A menu written back as one line: items separated by blanks, "*" before the default
// item, "~" after a grayed one, "!" after a checked one, "|" for a separator and
// Caption<...> for a submenu.
std::string Outline(const MenuDescription& menu) {
    std::string text;
    for (size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItem& item = menu.items[i];
        if (i > 0) text += ' ';
        if (static_cast<int>(i) == menu.defaultPosition) text += '*';
        switch (item.kind) {
        case MenuItem::Kind::kSeparator: text += '|'; break;
        case MenuItem::Kind::kCommand:
            text += item.text;
            if (item.grayed) text += '~';
            if (item.checked) text += '!';
            break;
        case MenuItem::Kind::kPopup: text += item.text + "<" + Outline(item.submenu) + ">"; break;
        }
    }
    return text;
}

// The ids of the items in the same shape, 0 for a separator.
std::string Ids(const MenuDescription& menu) {
    std::string text;
    for (const MenuItem& item : menu.items) {
        if (!text.empty()) text += ' ';
        if (item.kind == MenuItem::Kind::kPopup) {
            text += "<" + Ids(item.submenu) + ">";
        } else {
            text += std::to_string(item.id);
        }
    }
    return text;
}

CommandTable TestCommands() {
    CommandTable table;
    auto add = [&table](int id, const char* name, const char* caption) -> CommandEntry& {
        CommandEntry entry;
        entry.id = id;
        entry.name = name;
        entry.caption = caption;
        return table.Add(entry);
    };
    add(1100, "a", "A");
    add(1101, "b", "B").enabled = false;
    add(1102, "c", "C").checked = true;
    add(1103, "alt", "Alt").alternativeCaption = "Other";
    add(1104, "bare", "");
    add(1023, "low", "Low");
    add(32767, "high", "High");
    add(1024, "first", "First");
    add(32766, "last", "Last");
    add(1105, "", "Nameless");
    add(1106, "sub", "Sub");
    add(1107, "x_y", "XY");
    add(1108, "a", "A2");  // a second "a": lookups find the first
    return table;
}

TEST(ParseMenuSpec, GrammarTable) {
    const CommandTable commands = TestCommands();
    struct Case {
        std::string_view spec;
        std::string_view outline;
    } cases[] = {
        {"", ""},
        {"   \t ", ""},
        {"a b c", "A B~ C!"},  // grayed and checked from the entries
        {"*a", "*A"},
        {"a *b c", "A *B~ C!"},
        {"a *b *c", "A B~ *C!"},  // the last mark wins
        {"**a", "*A"},
        {"* a", "A"},      // the mark must stand right before the name
        {"*nope a", "A"},  // a mark on a word that builds nothing marks nothing
        {"a|b", "A | B~"},
        {"|||", "| | |"},
        {"a a", "A A"},
        {"alt bare", "Other bare"},             // alternative caption, else caption, else name
        {"low high first last", "First Last"},  // ids outside 1024..32766 add nothing
        {"nope a Nope A", "A"},                 // unknown words, and names are case-sensitive
        {"nameless", ""},
        {"a2b", "A B~"},  // digits are no part of a word
        {"x_y", "XY"},
        {"a # b $ c . ( ) =", "A B~ C!"},  // other characters are skipped
        {"sub<a b> c", "Sub<A B~> C!"},
        {"sub <a>", "Sub<A>"},  // blanks and tabs before "<"
        {"sub\t<a>", "Sub<A>"},
        {"sub\t< a >", "Sub<A>"},
        {"a<b>", "A<B~>"},         // the word before "<" is not an item itself
        {"<a>", "<A>"},            // no command named before: an empty caption
        {"b<c>", "B<C!>"},         // a popup takes the caption only, not the gray state
        {"alt<a>", "Alt<A>"},      // the caption, not the alternative
        {"a nope<b>", "A A<B~>"},  // an unknown word does not replace the last command
        {"sub<a nope<b>>", "Sub<A A<B~>>"},
        {"sub<a> <b>", "Sub<A> Sub<B~>"},
        {"sub<*a b> c", "Sub<*A B~> C!"},  // the default of a submenu
        {"*sub<a>", "Sub<A>"},
        {"sub<|>", "Sub<|>"},
        {"sub<>", "Sub<>"},
        {"a>b", "A B~"},  // ">" at the outermost level is ignored
        {">>a>", "A"},
        {"sub<a", ""},  // a submenu never closed is dropped with its items
        {"a sub<b", "A"},
        {"a sub<b<c>", "A"},
        {"a\tb", "A B~"},  // a tab is a blank
        {"a\nb", "A"},     // reading ends at the first other control character
        {"a\x01 b", "A"},
        {"a\x1f b", "A"},
        {"a\x7f b", "A"},  // and above 0x7E
        {"a\x80 b", "A"},
        {"a \xe3\x81\x82 b", "A"},
        {std::string_view("a\0b", 3), "A"},
        {"sub<a\n>", ""},  // the end of reading leaves the submenu open
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Outline(ParseMenuSpec(c.spec, commands)), c.outline) << "spec: " << c.spec;
    }
    // The first entry of a name gives the id and text.
    const MenuDescription duplicate = ParseMenuSpec("a", commands);
    EXPECT_EQ(Ids(duplicate), "1100");
}

TEST(ParseMenuSpec, SubmenusNestFifteenDeep) {
    const CommandTable commands = TestCommands();
    auto nested = [](int depth, std::string_view inner) {
        std::string spec;
        for (int i = 0; i < depth; ++i) spec += "sub<";
        spec += inner;
        for (int i = 0; i < depth; ++i) spec += ">";
        return spec;
    };
    std::string fifteen;
    for (int i = 0; i < 15; ++i) fifteen += "Sub<";
    fifteen += "A";
    for (int i = 0; i < 15; ++i) fifteen += ">";

    EXPECT_EQ(Outline(ParseMenuSpec(nested(15, "a"), commands)), fifteen);
    // The sixteenth "<" is ignored, so its ">" closes the fifteenth level and the last
    // ">" meets the outermost level: c lands in the menu itself.
    EXPECT_EQ(Outline(ParseMenuSpec(nested(16, "a") + " c", commands)), fifteen + " C!");
    EXPECT_EQ(Outline(ParseMenuSpec(nested(20, "a"), commands)), fifteen);
    // Under the limit everything nests.
    EXPECT_EQ(Outline(ParseMenuSpec(nested(2, "a") + " c", commands)), "Sub<Sub<A>> C!");
}

// The two menus of the program in English.
void ExpectRealMenusInEnglish(const CommandTable& commands) {
    const MenuDescription context = ParseMenuSpec(kContextMenuSpec, commands);
    EXPECT_EQ(Outline(context),
              "*Memo(&M)...\tCtrl+M Search Memos(&S)...\tCtrl+F Why this day?(&W)...\tCtrl+E Copy(&C)\tCtrl+C "
              "Span Calculation(&K)<Memorize(&M) Calculate(&C)... | Count Down(&N)...> | "
              "Show Today(&T)\tSpace Previous Month(&P)\tCtrl+Left Next Month(&Q)\tCtrl+Right "
              "Previous Year(&Y)\tCtrl+Up Next Year(&Z)\tCtrl+Down Jump(&J)...\tCtrl+J | "
              "Show Neighbor Month(&N)\tCtrl+K Switch View(&V)\tCtrl+L | Options(&O)... | Help(&H)\tF1 About(&A)... | "
              "Exit(&X)\tAlt+F4");
    EXPECT_EQ(
        Ids(context),
        "1032 1048 1044 1031 <1042 1043 0 1040> 0 1033 1026 1027 1028 1029 1030 0 1034 1045 0 1035 0 1038 1037 0 1025");
    const MenuDescription tray = ParseMenuSpec(kTrayMenuSpec, commands);
    EXPECT_EQ(Outline(tray), "*Display Tavoli Calendar(&D) | Help(&H)\tF1 About(&A)... | Exit(&X)\tAlt+F4");
    EXPECT_EQ(Ids(tray), "1036 0 1038 1037 0 1025");
    EXPECT_EQ(Outline(ParseMenuSpec("*memo|copy", commands)), "*Memo(&M)...\tCtrl+M | Copy(&C)\tCtrl+C");
}

void ExpectRealMenusInJapanese(const CommandTable& commands) {
    EXPECT_EQ(
        Outline(ParseMenuSpec(kContextMenuSpec, commands)),
        AnsiFromUtf8("*メモ(&M)...\tCtrl+M メモの検索(&S)...\tCtrl+F この日の理由(&W)...\tCtrl+E コピー(&C)\tCtrl+C "
                     "期間計算(&K)<期間の初日を記憶(&M) 期間計算(&C)... | カウントダウン(&N)...> | "
                     "今月(&T)\tSpace 前の月(&P)\tCtrl+← 次の月(&Q)\tCtrl+→ "
                     "前の年(&Y)\tCtrl+↑ 次の年(&Z)\tCtrl+↓ ジャンプ(&J)...\tCtrl+J | "
                     "前後月の表示(&N)\tCtrl+K 表示月数の切り替え(&V)\tCtrl+L | 設定(&O)... | ヘルプ(&H)\tF1 "
                     "バージョン情報(&A)... | "
                     "終了(&X)\tAlt+F4"));
    EXPECT_EQ(Outline(ParseMenuSpec(kTrayMenuSpec, commands)),
              AnsiFromUtf8("*たぼりカレンダーの表示(&D) | ヘルプ(&H)\tF1 バージョン情報(&A)... | 終了(&X)\tAlt+F4"));
}

#ifdef _WIN32

TEST(ParseMenuSpec, TheProgramsMenus) {
    if (SystemPlatform().AnsiCodePage() == kCodePageJapanese) {
        ExpectRealMenusInJapanese(BuildCommandTable());
    } else {
        ExpectRealMenusInEnglish(BuildCommandTable());
    }
}

#else

TEST(ParseMenuSpec, TheProgramsMenus) {
    HostPlatform english;
    english.SetCodePage(kCodePageWestern);
    english.SetAbbreviatedLanguageName(std::string("ENU"));
    {
        ScopedPlatform scope(english);
        ExpectRealMenusInEnglish(BuildCommandTable());
    }
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    ScopedPlatform scope(japanese);
    ExpectRealMenusInJapanese(BuildCommandTable());
}

#endif

TEST(ParseMenuSpec, StatesComeFromTheEntriesWhenTheMenuIsRead) {
    CommandTable commands = BuildCommandTable();
    commands.Edit("today")->enabled = false;
    commands.Edit("shownext")->checked = true;
    commands.Edit("memorize")->enabled = false;
    const MenuDescription menu = ParseMenuSpec(kContextMenuSpec, commands);
    ASSERT_EQ(menu.items.size(), 22u);
    EXPECT_TRUE(menu.items[6].grayed);  // Show Today
    EXPECT_FALSE(menu.items[6].checked);
    EXPECT_TRUE(menu.items[13].checked);  // Show Neighbor Month
    EXPECT_FALSE(menu.items[13].grayed);
    ASSERT_EQ(menu.items[4].kind, MenuItem::Kind::kPopup);
    EXPECT_TRUE(menu.items[4].submenu.items[0].grayed);  // Memorize
    EXPECT_FALSE(menu.items[4].submenu.items[1].grayed);
    EXPECT_EQ(menu.defaultPosition, 0);
    EXPECT_EQ(menu.items[3].submenu.defaultPosition, -1);
}

// Keyboard-only use reaches every command: the context menu opens with the application
// key, F10 or Alt, the icon's menu from the notification area; a submenu names no command.
TEST(ParseMenuSpec, EveryCommandIsInAMenuTheKeyboardOpens) {
    const CommandTable commands = BuildCommandTable();
    const std::string menus =
        Ids(ParseMenuSpec(kContextMenuSpec, commands)) + " " + Ids(ParseMenuSpec(kTrayMenuSpec, commands));
    for (const CommandEntry& entry : commands.Entries()) {
        const bool inMenu = menus.find(std::to_string(entry.id)) != std::string::npos;  // ids of four digits
        EXPECT_TRUE(inMenu || !entry.Usable() || entry.id == IdNumber(CommandId::kSpanCalc)) << entry.name;
    }
}

}  // namespace
}  // namespace tavoli
