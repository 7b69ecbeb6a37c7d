// Popup menus and the accelerator table made from the command table.
#pragma once

#include <windows.h>

#include <string_view>

#include "shell/command_table.h"
#include "shell/menu_spec.h"

namespace tavoli {

// A new popup menu holding the description (nullptr when the system has no menu to
// give). The caller owns it: DestroyMenu destroys its submenus with it.
HMENU BuildMenu(const MenuDescription& description);
// The same for a one-line description read against the commands.
HMENU BuildMenu(std::string_view spec, const CommandTable& commands);

// The accelerator table of the commands' keys; nullptr when no entry has one (or the
// system refuses). The caller destroys it with DestroyAcceleratorTable.
HACCEL BuildAccelerators(const CommandTable& commands);

// Menus are built once; the window sets gray and check states on the built menu before
// showing it. The item is found by id in the menu and its submenus; false when there
// is none.
bool SetCommandEnabled(HMENU menu, CommandId id, bool enabled);
bool SetCommandChecked(HMENU menu, CommandId id, bool checked);
// Every command's enabled and checked flags onto the items of a built menu that carry it.
void ApplyMenuStates(HMENU menu, const std::vector<CommandStates>& states);

}  // namespace tavoli
