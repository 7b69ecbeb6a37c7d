// Popup menus written as one line of command names: "*memo copy spancalc<memorize
// calculate | counter> | close". The line is read into a menu description here; the
// Win32 half only turns that description into menu handles.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/command_table.h"

namespace tavoli {

struct MenuItem;

// One popup menu.
struct MenuDescription {
    std::vector<MenuItem> items;
    int defaultPosition = -1;  // the item shown bold; -1: none
};

struct MenuItem {
    enum class Kind { kCommand, kSeparator, kPopup };
    Kind kind = Kind::kCommand;
    int id = 0;        // kCommand: the id sent in WM_COMMAND
    std::string text;  // kCommand: the entry's menu text; kPopup: the caption of the command that names it
    bool grayed = false;
    bool checked = false;
    MenuDescription submenu;  // kPopup
};

// Submenus nest at most this deep; a deeper "<" is ignored.
constexpr int kMaxMenuDepth = 15;

// Reads a description up to its end or its first byte outside 0x20-0x7E other than a
// tab. Words (runs of A-Z, a-z, "_") are looked up in the commands; "*" right before a
// word makes its item the menu's default; "|" is a separator; "<" opens a submenu
// captioned by the command named just before it, ">" closes it. Anything that does not
// fit is skipped: unknown words, entries without a name or a usable id, a ">" with no
// open submenu, a "<" too deep. A submenu never closed is dropped with its items.
MenuDescription ParseMenuSpec(std::string_view spec, const CommandTable& commands);

// The two menus of the main window: the context menu of the calendar, and the menu of
// the notification-area icon.
constexpr std::string_view kContextMenuSpec =
    "*memo search explain copy spancalc<memorize calculate | counter> | today prevmonth nextmonth prevyear nextyear "
    "jump | "
    "shownext switchview | option | help about | close";
constexpr std::string_view kTrayMenuSpec = "*display | help about | close";

}  // namespace tavoli
