// Finds the next message box this process shows, reads it and presses a button, from a
// second thread while the test's thread waits in MessageBoxA.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

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
    explicit MessageBoxAnswerer(int button) : button_(button), thread_([this] { Run(); }) {}
    ~MessageBoxAnswerer() {
        if (thread_.joinable()) thread_.join();
    }

    SeenMessageBox Wait() {
        if (thread_.joinable()) thread_.join();
        return seen_;
    }

private:
    struct Search {
        DWORD process;
        HWND box;
    };

    static BOOL CALLBACK FindBox(HWND window, LPARAM parameter) {
        auto* search = reinterpret_cast<Search*>(parameter);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char className[32] = {};
        GetClassNameA(window, className, sizeof className);
        if (process == search->process && std::string(className) == "#32770" && IsWindowVisible(window)) {
            search->box = window;
            return FALSE;
        }
        return TRUE;
    }

    void Run() {
        Search search{GetCurrentProcessId(), nullptr};
        for (int attempt = 0; attempt < 200 && !search.box; ++attempt) {
            Sleep(25);
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        }
        if (!search.box) return;
        HWND box = search.box;
        seen_.found = true;
        char buffer[1024] = {};
        GetWindowTextA(box, buffer, sizeof buffer);
        seen_.caption = buffer;
        GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
        seen_.text = buffer;
        for (int id = IDOK; id <= IDNO; ++id) {
            HWND button = GetDlgItem(box, id);
            if (button && IsWindowVisible(button)) seen_.buttons.push_back(id);
        }
        seen_.topmost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        HWND icon = GetDlgItem(box, 0x0440);
        seen_.icon = icon && IsWindowVisible(icon) && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
        seen_.owner = GetWindow(box, GW_OWNER);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button_)));
    }

    int button_;
    SeenMessageBox seen_;
    std::thread thread_;
};

}  // namespace tavoli
