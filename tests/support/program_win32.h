// The program itself started from a test, in the run's private Wine prefix, keys typed
// into it as a user types them, and what it leaves in the registry.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <chrono>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "framework/registry_win32.h"

namespace tavoli {

constexpr const char* kSettingsSubkey = "Software\\Brenholt\\TavoliCalendar";

// A started copy of the program; ended (and waited for) when the test is done.
class Program {
public:
    // The program built by this tree, or a copy of it elsewhere.
    explicit Program(const std::string& arguments, const std::string& executable = TAVOLI_APP_PATH) {
        std::string line = "\"" + executable + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &process_) != FALSE;
    }
    ~Program() {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            if (HWND window = Window(0)) PostMessageA(window, WM_COMMAND, 1025, 0);  // close
            if (WaitForSingleObject(process_.hProcess, 5000) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 9);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    bool Started() const { return started_; }
    DWORD ProcessId() const { return process_.dwProcessId; }

    // The program's window, waited for up to the deadline.
    HWND Window(int milliseconds = 10000) const {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        do {
            HWND found = nullptr;
            while ((found = FindWindowExA(nullptr, found, "tavolicalendar", nullptr)) != nullptr) {
                DWORD owner = 0;
                GetWindowThreadProcessId(found, &owner);
                if (owner == process_.dwProcessId) return found;
            }
            Sleep(50);
        } while (std::chrono::steady_clock::now() < end);
        return nullptr;
    }
    // The exit code, or -1 when it does not end within the time.
    int WaitForExit(int milliseconds = 10000) const {
        if (WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<int>(code);
    }

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};

inline std::string Title(HWND window) {
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

// Waits until a condition holds (the program works in its own process).
template <class Condition>
bool Eventually(Condition condition, int milliseconds = 5000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        Sleep(50);
    }
    return true;
}

// Brings the window to the front, where typed keys go; false when it stays behind.
inline bool BringToFront(HWND window) {
    return Eventually([window] { return SetForegroundWindow(window) && GetForegroundWindow() == window; });
}

// Types the words of the keys through the system, as a user does (accelerators and
// mnemonics need the real keyboard state): "Tab", "Enter", "Esc", "Up", "Right", "F1",
// "Space", digits and letters, each maybe after "Ctrl+", "Shift+" or "Alt+" (a mnemonic).
inline void Type(const std::string& keys) {
    const std::map<std::string, char> named = {{"Tab", VK_TAB},    {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE},
                                               {"Up", VK_UP},      {"Right", VK_RIGHT},  {"F1", VK_F1},
                                               {"Space", VK_SPACE}};
    std::istringstream words(keys);
    for (std::string word; words >> word; Sleep(60)) {
        const size_t plus = word.find('+');
        const WORD modifier = plus == std::string::npos      ? 0
                              : word.rfind("Alt+", 0) == 0   ? VK_MENU
                              : word.rfind("Shift+", 0) == 0 ? VK_SHIFT
                                                             : VK_CONTROL;
        const std::string key = word.substr(plus == std::string::npos ? 0 : plus + 1);
        const std::string strokes = named.count(key) ? std::string(1, named.at(key)) : key;
        std::vector<INPUT> inputs;
        const auto add = [&inputs](WORD vk, bool up) {
            inputs.emplace_back();
            inputs.back().type = INPUT_KEYBOARD;
            inputs.back().ki.wVk = vk;
            inputs.back().ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        };
        if (modifier) add(modifier, false);
        for (char stroke : strokes) add(static_cast<WORD>(stroke), false), add(static_cast<WORD>(stroke), true);
        if (modifier) add(modifier, true);
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
}

// Every value stored in the program's key, by name.
inline std::map<std::string, std::string> StoredValues() {
    RegistryValues values;
    ReadRegistryValues(std::string("HKCU\\") + kSettingsSubkey, values);
    return {values.begin(), values.end()};
}

inline std::string StoredValue(const char* name) {
    const std::map<std::string, std::string> values = StoredValues();
    return values.count(name) ? values.at(name) : "(none)";
}

inline void StoreValue(const char* name, const std::string& text) {
    WriteRegistryValues(std::string("HKCU\\") + kSettingsSubkey, {{name, text}});
}

// The user's memo folder, with its trailing backslash.
inline std::string MemoFolder() {
    char appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData))) return {};
    return std::string(appData) + "\\Brenholt\\Tavoli\\";
}

// A first run: no settings, no memos.
inline void ForgetProgramState() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsSubkey);
    if (MemoFolder().empty()) return;
    DeleteFileA((MemoFolder() + "memo.txt").c_str());
    DeleteFileA((MemoFolder() + "memo.bak").c_str());
}

}  // namespace tavoli
