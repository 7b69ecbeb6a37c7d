// Keyboard-only use reaches every command: the context menu opens from the keyboard (the
// application key, F10, Alt) and holds every command of the window; the notification
// icon's menu (Enter on the icon) holds the rest.
#include <gtest/gtest.h>

#include <set>

#include "shell/command_table.h"
#include "shell/menu_spec.h"

namespace tavoli {
namespace {

void CollectIds(const MenuDescription& menu, std::set<int>& ids) {
    for (const MenuItem& item : menu.items) {
        if (item.kind == MenuItem::Kind::kCommand) ids.insert(item.id);
        if (item.kind == MenuItem::Kind::kPopup) CollectIds(item.submenu, ids);
    }
}

TEST(KeyboardReach, EveryCommandIsInAMenuTheKeyboardOpens) {
    const CommandTable commands = BuildCommandTable();
    std::set<int> reached;
    CollectIds(ParseMenuSpec(kContextMenuSpec, commands), reached);
    CollectIds(ParseMenuSpec(kTrayMenuSpec, commands), reached);
    for (const CommandEntry& entry : commands.Entries()) {
        // A submenu's caption is no command of its own.
        if (!entry.Usable() || entry.id == IdNumber(CommandId::kSpanCalc)) continue;
        EXPECT_EQ(reached.count(entry.id), 1u) << entry.name << " is in no menu";
    }
}

}  // namespace
}  // namespace tavoli
