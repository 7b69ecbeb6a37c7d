// The program's commands as data: one entry per command (id, name, caption, states,
// shortcut), from which the menus and the accelerator table are both derived.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "framework/lang_text.h"

namespace tavoli {

// The ids sent in WM_COMMAND (the low word of wParam).
enum class CommandId : int {
    kClose = 1025,
    kPrevMonth = 1026,
    kNextMonth = 1027,
    kPrevYear = 1028,
    kNextYear = 1029,
    kJump = 1030,
    kCopy = 1031,
    kMemo = 1032,
    kToday = 1033,
    kShowNext = 1034,
    kOption = 1035,
    kDisplay = 1036,
    kAbout = 1037,
    kHelp = 1038,
    kCounter = 1040,
    kSpanCalc = 1041,
    kMemorize = 1042,
    kCalculate = 1043,
    kExplain = 1044,
    kSwitchView = 1045,
    // The header buttons of three or six months, for screen readers: no item, no key.
    kPrevView = 1046,
    kNextView = 1047,
    kSearch = 1048,
};

constexpr int IdNumber(CommandId id) { return static_cast<int>(id); }

// Ids a menu item or an accelerator may carry; anything else is left out of both.
constexpr int kFirstCommandId = 1024;
constexpr int kLastCommandId = 32766;
constexpr bool IsUsableCommandId(int id) { return id >= kFirstCommandId && id <= kLastCommandId; }

// The modifiers an accelerator may have.
constexpr PackedTag kModifierCtrl = PackTag("ctrl");
constexpr PackedTag kModifierAlt = PackTag("alt");
constexpr PackedTag kModifierShift = PackTag("shft");

// Virtual-key codes (the Win32 values) of the keys the commands use; letters are their
// upper-case ASCII codes.
namespace vk {
constexpr int kSpace = 0x20, kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kF1 = 0x70, kF4 = 0x73;
}  // namespace vk

// What decides which commands are grayed and checked: the window and the view as the
// user sees them when a menu opens.
struct CommandState {
    bool viewShown = false;      // the window is shown, with its view
    bool atFirstMonth = false;   // January of year 1: nothing before it
    bool atLastMonth = false;    // December 3999: nothing after it
    bool onDate = false;         // the cursor is on a date
    bool spanStarted = false;    // a first day of a span was remembered
    bool showingToday = false;   // today's month is shown
    bool neighbourDays = false;  // the days of the neighbour months are shown
};

struct CommandEntry {
    int id = 0;
    std::string name;                // the word in a menu description; empty: never in a menu or table
    std::string caption;             // resolved, with "&" mnemonic and optional tab plus shortcut text
    std::string alternativeCaption;  // when not empty, menus show it instead of the caption
    bool enabled = true;             // false: added grayed
    bool checked = false;
    PackedTag modifier = 0;  // kModifierCtrl, kModifierAlt or kModifierShift; anything else none
    int key = 0;             // virtual-key code; 0: no accelerator

    // What a menu item built from the entry shows: the alternative caption, else the
    // caption, else the name.
    const std::string& MenuText() const;
    // Whether menus and the accelerator table take the entry at all.
    bool Usable() const { return !name.empty() && IsUsableCommandId(id); }
};

// All commands in creation order.
class CommandTable {
public:
    // Appends the entry at the tail.
    CommandEntry& Add(CommandEntry entry);

    // The first entry whose name equals the word exactly, else an empty entry (no name,
    // id 0) that lives as long as the program and that every builder skips.
    const CommandEntry& Find(std::string_view name) const;
    // The same by id, for the window that receives WM_COMMAND.
    const CommandEntry& FindId(int id) const;
    // The first entry of that name for changing it; nullptr when there is none.
    CommandEntry* Edit(std::string_view name);

    const std::deque<CommandEntry>& Entries() const { return entries_; }
    size_t Count() const { return entries_.size(); }

private:
    // A deque keeps references to earlier entries valid while more are added.
    std::deque<CommandEntry> entries_;
};

// The twenty-one commands of the program in id order, their captions resolved now for
// the user's language: title, mnemonic and, after a tab, the text of the command's key.
CommandTable BuildCommandTable();

// Gives the eleven commands that have accelerators their keys, all with Ctrl: the arrows
// step months and years, C copies, J jumps, K shows the neighbour months, M opens the
// memo of the cursor's day (as Enter does), E tells why the cursor's day has its kind,
// L switches the months the view shows, F searches the memos.
// The other keys captions name are the window's (Space, F1 as the system's WM_HELP) or
// the system's (Alt+F4): the message loop dispatches every key after the accelerators,
// so an accelerator for those would run their command twice.
void AssignAcceleratorKeys(CommandTable& commands);

// Whether a menu item of a command is enabled and checked.
struct CommandStates {
    CommandId id;
    bool enabled = true;
    bool checked = false;
    bool operator==(const CommandStates& o) const = default;
};
// Every command's states by its rules for the state, in id order (commands without a rule
// are enabled and unchecked). The table itself is left as it was built.
std::vector<CommandStates> CommandStatesFor(const CommandState& state);
// The states of one command.
CommandStates StatesOf(CommandId id, const CommandState& state);

// The text a caption shows for a key: "Ctrl+Left", "Alt+F4", "Space"; the arrows in
// the user's language.
std::string ShortcutText(PackedTag modifier, int key);

// The ACCEL flag bits (the Win32 values).
namespace accel {
constexpr uint8_t kVirtualKey = 0x01, kShift = 0x04, kControl = 0x08, kAlt = 0x10;
}  // namespace accel

// One record of an accelerator table, as ACCEL holds it.
struct AcceleratorRecord {
    uint8_t flags = 0;
    uint16_t key = 0;
    uint16_t command = 0;
    bool operator==(const AcceleratorRecord& o) const {
        return flags == o.flags && key == o.key && command == o.command;
    }
};

// One record per usable entry with a key, in table order: a virtual key with exactly
// one modifier (alt before ctrl before shft) or none. Keys that do not fit the record's
// 16 bits are left out. Empty when no entry has a key: then there is no table at all.
std::vector<AcceleratorRecord> AcceleratorRecords(const CommandTable& commands);

}  // namespace tavoli
