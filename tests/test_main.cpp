#include <gtest/gtest.h>

#include <cstdio>

#include "framework/platform.h"

#ifdef _WIN32
#include <windows.h>

// The test programs are aware of each monitor's scale as the program is (its manifest
// says so), so that the windows they make are scaled as the program's are, not by the
// system.
static void BeAwareOfEachMonitorsScale() {
    using SetAwareness = BOOL(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    const auto set = user32 ? reinterpret_cast<SetAwareness>(
                                  reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")))
                            : nullptr;
    if (set) set(reinterpret_cast<HANDLE>(static_cast<intptr_t>(-4)));  // per monitor, version 2
}
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    BeAwareOfEachMonitorsScale();
#endif
    testing::InitGoogleTest(&argc, argv);
    std::printf("[ platform ] ANSI code page %d\n", tavoli::SystemPlatform().AnsiCodePage());
    return RUN_ALL_TESTS();
}
