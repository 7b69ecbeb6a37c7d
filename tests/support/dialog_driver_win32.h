// Drives the next dialog this process shows (a message box, a file dialog, one of the
// program's own dialogs) from a second thread while the test's thread waits in the
// dialog's modal loop. At its deadline a driver that could not do its work closes every
// dialog of the process and reports the failure with the dialog's title, so that a broken
// dialog costs seconds instead of the test runner's time limit.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace tavoli {

struct DialogReport {
    bool driven = false;  // found, and the action did its work
    std::string title;    // of the dialog found, or of the first one closed at the deadline
    std::string failure;  // what went wrong; empty when driven
    std::chrono::milliseconds elapsed{0};
};

class DialogDriver {
public:
    // The action runs on the driver's thread with the dialog found; it returns an empty
    // text when its work is done, else what went wrong.
    using Action = std::function<std::string(HWND dialog)>;

    // title: the exact caption to wait for, or empty for any dialog of this process.
    DialogDriver(std::string title, Action action, std::chrono::milliseconds deadline = std::chrono::seconds(5))
        : title_(std::move(title)), action_(std::move(action)), deadline_(deadline), thread_([this] { Run(); }) {}

    ~DialogDriver() {
        if (!taken_) {
            const DialogReport report = Finish();
            if (!report.driven) ADD_FAILURE() << report.failure;
        }
    }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Waits for the driver and hands its report to the test, which then checks it.
    DialogReport Finish() {
        if (thread_.joinable()) thread_.join();
        taken_ = true;
        return report_;
    }

    // Every visible dialog window of this process, in z-order (with the hidden ones too:
    // a dialog that never showed still holds its caller in its loop).
    static std::vector<HWND> Dialogs(bool hiddenToo = false) {
        struct Search {
            bool hiddenToo;
            std::vector<HWND> found;
        } search{hiddenToo, {}};
        EnumWindows(
            [](HWND window, LPARAM parameter) -> BOOL {
                auto& search = *reinterpret_cast<Search*>(parameter);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                char className[32] = {};
                GetClassNameA(window, className, sizeof className);
                if (process == GetCurrentProcessId() && std::string(className) == "#32770" &&
                    (search.hiddenToo || IsWindowVisible(window))) {
                    search.found.push_back(window);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    static std::string TitleOf(HWND window) {
        char buffer[512] = {};
        GetWindowTextA(window, buffer, sizeof buffer);
        return buffer;
    }

    // Presses a button of a dialog as a click would.
    static void Press(HWND dialog, int id) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }

private:
    using Clock = std::chrono::steady_clock;

    void Run() {
        const Clock::time_point start = Clock::now();
        const Clock::time_point end = start + deadline_;
        HWND dialog = nullptr;
        while (!dialog && Clock::now() < end) {
            Sleep(20);
            for (HWND candidate : Dialogs()) {
                if (title_.empty() || TitleOf(candidate) == title_) {
                    dialog = candidate;
                    break;
                }
            }
        }
        const std::string wanted = title_.empty() ? std::string("a dialog") : "the dialog \"" + title_ + "\"";
        if (dialog) {
            report_.title = TitleOf(dialog);
            const std::string problem = action_(dialog);
            if (problem.empty()) {
                report_.driven = true;
            } else {
                report_.failure = "could not drive \"" + report_.title + "\": " + problem;
                CloseAll();
            }
        } else {
            const std::vector<std::string> closed = CloseAll();
            report_.failure = "no sign of " + wanted + " within " + std::to_string(deadline_.count()) + " ms";
            if (!closed.empty()) {
                report_.title = closed.front();
                report_.failure += "; closed \"" + closed.front() + "\" instead";
            }
        }
        report_.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    }

    // Closes every dialog of the process by whatever it answers to: Cancel, the close
    // box, then each standard button. Returns their titles.
    static std::vector<std::string> CloseAll() {
        std::vector<std::string> titles;
        for (int round = 0; round < 3; ++round) {
            const std::vector<HWND> open = Dialogs(true);
            if (open.empty()) break;
            for (HWND dialog : open) {
                if (round == 0) titles.push_back(TitleOf(dialog));
                if (round == 0) Press(dialog, IDCANCEL);
                if (round == 1) PostMessageA(dialog, WM_CLOSE, 0, 0);
                if (round == 2) {
                    for (int id = IDOK; id <= IDNO; ++id) {
                        if (GetDlgItem(dialog, id)) Press(dialog, id);
                    }
                }
            }
            Sleep(300);
        }
        return titles;
    }

    std::string title_;
    Action action_;
    std::chrono::milliseconds deadline_;
    DialogReport report_;
    bool taken_ = false;
    std::thread thread_;
};

}  // namespace tavoli
