// TavoliCalendar.exe: one instance per executable path, the main window, the message loop.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/app_info.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/platform.h"
#include "framework/startup_trace.h"
#include "shell/calendar_settings.h"
#include "shell/command_table.h"
#include "shell/main_window_win32.h"
#include "shell/menu_win32.h"
#include "shell/settings_store_win32.h"
#include "shell/startup.h"

namespace tavoli {
namespace {

// Held for the life of the process; released by the system when it ends.
HANDLE g_instanceMutex = nullptr;

// True unless another copy of this executable holds the mutex.
bool TakeInstanceMutex() {
    const std::string name = InstanceName(SystemPlatform().ExecutablePath());
    g_instanceMutex = CreateMutexA(nullptr, TRUE, name.c_str());
    return !(g_instanceMutex && GetLastError() == ERROR_ALREADY_EXISTS);
}

// Shows and brings forward every window of the calendar's class.
void ActivateRunningCopies() {
    EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
            char className[64] = {};
            GetClassNameA(window, className, sizeof className);
            if (std::string(className) == kMainWindowClass) {
                if (!IsWindowVisible(window)) ShowWindow(window, SW_SHOWNA);
                SetForegroundWindow(window);
            }
            return TRUE;
        },
        0);
}

// Waits for the thread's messages and for the watched folders' notifications together:
// nothing runs while neither comes. Every message is offered to the accelerators first.
int RunMessageLoop(MainWindow& main, HACCEL accelerators) {
    MSG message;
    for (;;) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
            // Enter, Escape and Tab in the script's error box, which has no loop of its own.
            if (HWND box = main.ScriptErrorBoxHandle(); box && IsDialogMessageA(box, &message)) continue;
            if (accelerators && main.Handle()) TranslateAcceleratorA(main.Handle(), accelerators, &message);
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        // A copy: handling a message may start or stop the watching.
        const std::vector<HANDLE> handles = main.WatchHandles();
        const DWORD count = static_cast<DWORD>(std::min<size_t>(handles.size(), MAXIMUM_WAIT_OBJECTS - 1));
        const DWORD woke = MsgWaitForMultipleObjects(count, handles.data(), FALSE, INFINITE, QS_ALLINPUT);
        if (woke >= WAIT_OBJECT_0 && woke < WAIT_OBJECT_0 + count) {
            main.OnWatchSignalled(handles[woke - WAIT_OBJECT_0]);
        } else if (woke == WAIT_FAILED) {
            WaitMessage();  // the handles are no good: wait for messages alone
        }
    }
}

int Run(HINSTANCE instance, const char* commandLine, int showCommand) {
    MarkStartup("main");
    if (!TakeInstanceMutex()) {
        ActivateRunningCopies();
        return 0;
    }
    MarkStartup("single instance");
    SetApplicationName(ResolveText(AppInfo::kProductTitle));
    const bool trayResident = HasTrayArgument(SplitCommandLine(commandLine ? commandLine : ""));
    if (trayResident) showCommand = SW_HIDE;

    MainWindow::RegisterWindowClass(instance);
    MarkStartup("window class");

    CommandTable commands = BuildCommandTable();
    CalendarSettings settings(ProgramSettingsPaths());
    MarkStartup("commands and paths");
    MainWindow main(instance, commands, settings, std::make_unique<RegistrySettingsStore>(AppInfo::kRegistryKey),
                    trayResident);
    HWND window = main.Create();
    MarkStartup("window");
    if (window) {
        ShowWindow(window, showCommand);
        MarkStartup("shown");
        UpdateWindow(window);
    }
    AssignAcceleratorKeys(commands);
    HACCEL accelerators = BuildAccelerators(commands);
    MarkStartup("accelerators");

    const int exitCode = RunMessageLoop(main, accelerators);
    if (accelerators) DestroyAcceleratorTable(accelerators);
    WriteStartupTrace();
    return exitCode;
}

}  // namespace
}  // namespace tavoli

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    return tavoli::Run(instance, commandLine, showCommand);
}
