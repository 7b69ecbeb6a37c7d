// Finds the next message box this process shows, reads it and presses a button, from a
// second thread while the test's thread waits in MessageBoxA (a dialog driver: a box
// that does not come, or cannot be answered, fails the test within seconds).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/dialog_driver_win32.h"

namespace tavoli {

struct SeenMessageBox {
    bool found = false;
    std::string caption;
    std::string text;
    std::vector<int> buttons;  // IDOK … IDNO, in identifier order
    bool topmost = false;      // system-modal boxes stay on top
    bool icon = false;
    HWND owner = nullptr;
};

class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(int button) : driver_("", [this, button](HWND box) { return Answer(box, button); }) {}

    SeenMessageBox Wait() {
        const DialogReport report = driver_.Finish();
        EXPECT_TRUE(report.driven) << report.failure;
        return seen_;
    }

private:
    std::string Answer(HWND box, int button) {
        seen_.found = true;
        char buffer[1024] = {};
        GetWindowTextA(box, buffer, sizeof buffer);
        seen_.caption = buffer;
        GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
        seen_.text = buffer;
        for (int id = IDOK; id <= IDNO; ++id) {
            HWND control = GetDlgItem(box, id);
            if (control && IsWindowVisible(control)) seen_.buttons.push_back(id);
        }
        seen_.topmost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        HWND icon = GetDlgItem(box, 0x0440);
        seen_.icon = icon && IsWindowVisible(icon) && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
        seen_.owner = GetWindow(box, GW_OWNER);
        if (!GetDlgItem(box, button)) return "the box has no button " + std::to_string(button);
        DialogDriver::Press(box, button);
        return {};
    }

    SeenMessageBox seen_;
    DialogDriver driver_;  // last: its thread starts once the rest is ready
};

}  // namespace tavoli
