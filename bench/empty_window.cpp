// The yardstick of the start-up benchmark: the least a Windows program with a window does,
// one window that paints one rectangle. It keeps the benchmark's marks the way the calendar
// does ("main" at entry, "first paint" after it painted), written to TAVOLI_STARTUP_TRACE
// at its end.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

long long g_main = 0, g_painted = 0;

long long Now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        EndPaint(window, &paint);
        if (!g_painted) g_painted = Now();
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    g_main = Now();
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "tavoliemptywindow";
    RegisterClassExA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_CLIENTEDGE, windowClass.lpszClassName, "empty",
                                  WS_POPUPWINDOW | WS_DLGFRAME | WS_MINIMIZEBOX, 420, 300, 344, 332, nullptr, nullptr,
                                  instance, nullptr);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    const char* trace = std::getenv("TAVOLI_STARTUP_TRACE");
    if (trace && *trace) {
        if (FILE* file = std::fopen(trace, "a")) {
            std::fprintf(file, "main\t%lld\nfirst paint\t%lld\n", g_main, g_painted);
            std::fclose(file);
        }
    }
    return static_cast<int>(message.wParam);
}
