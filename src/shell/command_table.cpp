#include "shell/command_table.h"

namespace tavoli {

namespace {

// A key a caption shows; only some of them are accelerators, the others are handled by
// the window (Space, Enter for the memo, F1) or by the system (Alt+F4).
struct Shortcut {
    PackedTag modifier = 0;
    int key = 0;
    bool accelerator = false;
};

using StateRule = bool (*)(const CommandState&);

struct CommandDefinition {
    CommandId id;
    const char* name;
    const char* title;     // bilingual literal
    const char* mnemonic;  // appended after resolution, the same in every language
    Shortcut shortcut;
    StateRule enabledWhen;  // nullptr: always enabled
    StateRule checkedWhen;  // nullptr: never checked
};

constexpr PackedTag kCtrl = kModifierCtrl, kAlt = kModifierAlt;

bool HasEarlierMonth(const CommandState& s) { return !s.atFirstMonth; }
bool HasLaterMonth(const CommandState& s) { return !s.atLastMonth; }
bool OnDate(const CommandState& s) { return s.onDate; }
bool CanCalculate(const CommandState& s) { return s.onDate && s.spanStarted; }
bool AwayFromToday(const CommandState& s) { return !s.showingToday; }
bool NeighbourDays(const CommandState& s) { return s.neighbourDays; }
bool ViewShown(const CommandState& s) { return s.viewShown; }

constexpr CommandDefinition kCommands[] = {
    {CommandId::kClose, "close", "Exit\tja:終了", "(&X)", {kAlt, vk::kF4}, nullptr, nullptr},
    {CommandId::kPrevMonth,
     "prevmonth",
     "Previous Month\tja:前の月",
     "(&P)",
     {kCtrl, vk::kLeft, true},
     HasEarlierMonth,
     nullptr},
    {CommandId::kNextMonth,
     "nextmonth",
     "Next Month\tja:次の月",
     "(&Q)",
     {kCtrl, vk::kRight, true},
     HasLaterMonth,
     nullptr},
    {CommandId::kPrevYear,
     "prevyear",
     "Previous Year\tja:前の年",
     "(&Y)",
     {kCtrl, vk::kUp, true},
     HasEarlierMonth,
     nullptr},
    {CommandId::kNextYear,
     "nextyear",
     "Next Year\tja:次の年",
     "(&Z)",
     {kCtrl, vk::kDown, true},
     HasLaterMonth,
     nullptr},
    {CommandId::kJump, "jump", "Jump\tja:ジャンプ", "(&J)...", {kCtrl, 'J', true}, nullptr, nullptr},
    {CommandId::kCopy, "copy", "Copy\tja:コピー", "(&C)", {kCtrl, 'C', true}, nullptr, nullptr},
    {CommandId::kMemo, "memo", "Memo\tja:メモ", "(&M)...", {kCtrl, 'M', true}, OnDate, nullptr},
    {CommandId::kToday, "today", "Show Today\tja:今月", "(&T)", {0, vk::kSpace}, AwayFromToday, nullptr},
    {CommandId::kShowNext,
     "shownext",
     "Show Neighbor Month\tja:前後月の表示",
     "(&N)",
     {kCtrl, 'K', true},
     nullptr,
     NeighbourDays},
    {CommandId::kOption, "option", "Options\tja:設定", "(&O)...", {}, nullptr, nullptr},
    {CommandId::kDisplay,
     "display",
     "Display Tavoli Calendar\tja:たぼりカレンダーの表示",
     "(&D)",
     {},
     nullptr,
     ViewShown},
    {CommandId::kAbout, "about", "About\tja:バージョン情報", "(&A)...", {}, nullptr, nullptr},
    {CommandId::kHelp, "help", "Help\tja:ヘルプ", "(&H)", {0, vk::kF1}, nullptr, nullptr},
    {CommandId::kCounter, "counter", "Count Down\tja:カウントダウン", "(&N)...", {}, nullptr, nullptr},
    {CommandId::kSpanCalc, "spancalc", "Span Calculation\tja:期間計算", "(&K)", {}, nullptr, nullptr},
    {CommandId::kMemorize, "memorize", "Memorize\tja:期間の初日を記憶", "(&M)", {}, OnDate, nullptr},
    {CommandId::kCalculate, "calculate", "Calculate\tja:期間計算", "(&C)...", {}, CanCalculate, nullptr},
    {CommandId::kExplain, "explain", "Why this day?\tja:この日の理由", "(&W)...", {kCtrl, 'E', true}, OnDate, nullptr},
    // 1, 2, 3, 6, 12 months and round again.
    {CommandId::kSwitchView,
     "switchview",
     "Switch View\tja:表示月数の切り替え",
     "(&V)",
     {kCtrl, 'L', true},
     nullptr,
     nullptr},
    {CommandId::kSearch, "search", "Search Memos\tja:メモの検索", "(&S)...", {kCtrl, 'F', true}, nullptr, nullptr},
};

const CommandEntry& EmptyEntry() {
    static const CommandEntry empty;
    return empty;
}

}  // namespace

const std::string& CommandEntry::MenuText() const {
    if (!alternativeCaption.empty()) return alternativeCaption;
    if (!caption.empty()) return caption;
    return name;
}

CommandEntry& CommandTable::Add(CommandEntry entry) {
    entries_.push_back(std::move(entry));
    return entries_.back();
}

const CommandEntry& CommandTable::Find(std::string_view name) const {
    if (name.empty()) return EmptyEntry();
    for (const CommandEntry& entry : entries_) {
        if (entry.name == name) return entry;
    }
    return EmptyEntry();
}

const CommandEntry& CommandTable::FindId(int id) const {
    for (const CommandEntry& entry : entries_) {
        if (entry.id == id && !entry.name.empty()) return entry;
    }
    return EmptyEntry();
}

CommandEntry* CommandTable::Edit(std::string_view name) {
    if (name.empty()) return nullptr;
    for (CommandEntry& entry : entries_) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

std::string ShortcutText(PackedTag modifier, int key) {
    std::string text = modifier == kModifierCtrl    ? "Ctrl+"
                       : modifier == kModifierAlt   ? "Alt+"
                       : modifier == kModifierShift ? "Shift+"
                                                    : "";
    switch (key) {
    case vk::kSpace: return text + "Space";
    case vk::kLeft: return text + ResolveText("Left\tja:←");
    case vk::kRight: return text + ResolveText("Right\tja:→");
    case vk::kUp: return text + ResolveText("Up\tja:↑");
    case vk::kDown: return text + ResolveText("Down\tja:↓");
    default: break;
    }
    if (key >= vk::kF1 && key < vk::kF1 + 24) return text + "F" + std::to_string(key - vk::kF1 + 1);
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return text + static_cast<char>(key);
    return {};
}

CommandTable BuildCommandTable() {
    CommandTable table;
    for (const CommandDefinition& definition : kCommands) {
        CommandEntry entry;
        entry.id = IdNumber(definition.id);
        entry.name = definition.name;
        entry.caption = ResolveText(definition.title) + definition.mnemonic;
        if (definition.shortcut.key != 0) {
            entry.caption += "\t" + ShortcutText(definition.shortcut.modifier, definition.shortcut.key);
        }
        table.Add(std::move(entry));
    }
    return table;
}

void AssignAcceleratorKeys(CommandTable& commands) {
    for (const CommandDefinition& definition : kCommands) {
        if (!definition.shortcut.accelerator) continue;
        if (CommandEntry* entry = commands.Edit(definition.name)) {
            entry->modifier = definition.shortcut.modifier;
            entry->key = definition.shortcut.key;
        }
    }
}

std::vector<CommandStates> CommandStatesFor(const CommandState& state) {
    std::vector<CommandStates> states;
    for (const CommandDefinition& definition : kCommands) {
        states.push_back({definition.id, !definition.enabledWhen || definition.enabledWhen(state),
                          definition.checkedWhen && definition.checkedWhen(state)});
    }
    return states;
}

CommandStates StatesOf(CommandId id, const CommandState& state) {
    for (const CommandStates& states : CommandStatesFor(state)) {
        if (states.id == id) return states;
    }
    return {id};
}

std::vector<AcceleratorRecord> AcceleratorRecords(const CommandTable& commands) {
    std::vector<AcceleratorRecord> records;
    for (const CommandEntry& entry : commands.Entries()) {
        if (entry.key == 0 || !entry.Usable()) continue;
        if (entry.key < 0 || entry.key > 0xFFFF) continue;
        AcceleratorRecord record;
        record.flags = accel::kVirtualKey;
        if (entry.modifier == kModifierAlt) {
            record.flags |= accel::kAlt;
        } else if (entry.modifier == kModifierCtrl) {
            record.flags |= accel::kControl;
        } else if (entry.modifier == kModifierShift) {
            record.flags |= accel::kShift;
        }
        record.key = static_cast<uint16_t>(entry.key);
        record.command = static_cast<uint16_t>(entry.id);
        records.push_back(record);
    }
    return records;
}

}  // namespace tavoli
