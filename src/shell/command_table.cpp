#include "shell/command_table.h"

namespace tavoli {

namespace {

struct CommandDefinition {
    CommandId id;
    const char* name;
    const char* title;    // bilingual literal
    const char* suffix;   // mnemonic and shortcut column, the same in every language
    const char* keyName;  // bilingual literal after the suffix, or nullptr
};

// Suffixes are appended after resolution: the tab in them is the menu's shortcut column
// and would start a new segment inside a literal.
constexpr CommandDefinition kCommands[] = {
    {CommandId::kClose, "close", "Exit\tja:終了", "(&X)\tAlt+F4", nullptr},
    {CommandId::kPrevMonth, "prevmonth", "Previous Month\tja:前の月", "(&P)\tCtrl+", "Left\tja:←"},
    {CommandId::kNextMonth, "nextmonth", "Next Month\tja:次の月", "(&Q)\tCtrl+", "Right\tja:→"},
    {CommandId::kPrevYear, "prevyear", "Previous Year\tja:前の年", "(&Y)\tCtrl+", "Up\tja:↑"},
    {CommandId::kNextYear, "nextyear", "Next Year\tja:次の年", "(&Z)\tCtrl+", "Down\tja:↓"},
    {CommandId::kJump, "jump", "Jump\tja:ジャンプ", "(&J)...\tCtrl+J", nullptr},
    {CommandId::kCopy, "copy", "Copy\tja:コピー", "(&C)\tCtrl+C", nullptr},
    {CommandId::kMemo, "memo", "Memo\tja:メモ", "(&M)...\tCtrl+M", nullptr},
    {CommandId::kToday, "today", "Show Today\tja:今月", "(&T)\tSpace", nullptr},
    {CommandId::kShowNext, "shownext", "Show Neighbor Month\tja:前後月の表示", "(&N)\tCtrl+K", nullptr},
    {CommandId::kOption, "option", "Options\tja:設定", "(&O)...", nullptr},
    {CommandId::kDisplay, "display", "Display Tavoli Calendar\tja:たぼりカレンダーの表示", "(&D)", nullptr},
    {CommandId::kAbout, "about", "About\tja:バージョン情報", "(&A)...", nullptr},
    {CommandId::kHelp, "help", "Help\tja:ヘルプ", "(&H)\tF1", nullptr},
    {CommandId::kCounter, "counter", "Count Down\tja:カウントダウン", "(&N)...", nullptr},
    {CommandId::kSpanCalc, "spancalc", "Span Calculation\tja:期間計算", "(&K)", nullptr},
    {CommandId::kMemorize, "memorize", "Memorize\tja:期間の初日を記憶", "(&M)", nullptr},
    {CommandId::kCalculate, "calculate", "Calculate\tja:期間計算", "(&C)...", nullptr},
};

struct KeyAssignment {
    const char* name;
    int key;
};

constexpr KeyAssignment kAcceleratorKeys[] = {
    {"prevmonth", vk::kLeft},
    {"nextmonth", vk::kRight},
    {"prevyear", vk::kUp},
    {"nextyear", vk::kDown},
    {"copy", 'C'},
    {"jump", 'J'},
    {"shownext", 'K'},
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

CommandTable BuildCommandTable() {
    CommandTable table;
    for (const CommandDefinition& definition : kCommands) {
        CommandEntry entry;
        entry.id = IdNumber(definition.id);
        entry.name = definition.name;
        entry.caption = ResolveText(definition.title) + definition.suffix;
        if (definition.keyName) entry.caption += ResolveText(definition.keyName);
        table.Add(std::move(entry));
    }
    return table;
}

void AssignAcceleratorKeys(CommandTable& commands) {
    for (const KeyAssignment& assignment : kAcceleratorKeys) {
        if (CommandEntry* entry = commands.Edit(assignment.name)) {
            entry->modifier = kModifierCtrl;
            entry->key = assignment.key;
        }
    }
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
