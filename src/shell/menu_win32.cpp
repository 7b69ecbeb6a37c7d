#include "shell/menu_win32.h"

#include <vector>

namespace tavoli {

// The portable half speaks the system's numbers.
static_assert(accel::kVirtualKey == FVIRTKEY && accel::kShift == FSHIFT && accel::kControl == FCONTROL &&
              accel::kAlt == FALT);
static_assert(vk::kLeft == VK_LEFT && vk::kUp == VK_UP && vk::kRight == VK_RIGHT && vk::kDown == VK_DOWN);

namespace {

// Fills a menu with the items of a description; false when the system refused an item.
bool AppendItems(HMENU menu, const MenuDescription& description) {
    for (const MenuItem& item : description.items) {
        switch (item.kind) {
        case MenuItem::Kind::kSeparator:
            if (!AppendMenuA(menu, MF_SEPARATOR, 0, nullptr)) return false;
            break;
        case MenuItem::Kind::kCommand: {
            UINT flags = MF_STRING;
            if (item.grayed) flags |= MF_GRAYED | MF_DISABLED;
            if (item.checked) flags |= MF_CHECKED;
            if (!AppendMenuA(menu, flags, static_cast<UINT_PTR>(item.id), item.text.c_str())) return false;
            break;
        }
        case MenuItem::Kind::kPopup: {
            HMENU submenu = BuildMenu(item.submenu);
            if (!submenu) return false;
            if (!AppendMenuA(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), item.text.c_str())) {
                DestroyMenu(submenu);  // not attached: nobody else would destroy it
                return false;
            }
            break;
        }
        }
    }
    return true;
}

}  // namespace

HMENU BuildMenu(const MenuDescription& description) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    if (!AppendItems(menu, description)) {
        DestroyMenu(menu);
        return nullptr;
    }
    if (description.defaultPosition >= 0)
        SetMenuDefaultItem(menu, static_cast<UINT>(description.defaultPosition), TRUE);
    return menu;
}

HMENU BuildMenu(std::string_view spec, const CommandTable& commands) {
    return BuildMenu(ParseMenuSpec(spec, commands));
}

HACCEL BuildAccelerators(const CommandTable& commands) {
    const std::vector<AcceleratorRecord> records = AcceleratorRecords(commands);
    if (records.empty()) return nullptr;
    std::vector<ACCEL> table;
    table.reserve(records.size());
    for (const AcceleratorRecord& record : records) {
        ACCEL accelerator = {};
        accelerator.fVirt = record.flags;
        accelerator.key = record.key;
        accelerator.cmd = record.command;
        table.push_back(accelerator);
    }
    return CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}

bool SetCommandEnabled(HMENU menu, CommandId id, bool enabled) {
    const UINT state = enabled ? MF_ENABLED : MF_GRAYED | MF_DISABLED;
    return EnableMenuItem(menu, static_cast<UINT>(IdNumber(id)), MF_BYCOMMAND | state) != -1;
}

bool SetCommandChecked(HMENU menu, CommandId id, bool checked) {
    const UINT state = checked ? MF_CHECKED : MF_UNCHECKED;
    return CheckMenuItem(menu, static_cast<UINT>(IdNumber(id)), MF_BYCOMMAND | state) != static_cast<DWORD>(-1);
}

void ApplyMenuStates(HMENU menu, const std::vector<CommandStates>& states) {
    for (const CommandStates& command : states) {
        SetCommandEnabled(menu, command.id, command.enabled);
        SetCommandChecked(menu, command.id, command.checked);
    }
}

}  // namespace tavoli
