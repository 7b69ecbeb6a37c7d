#include "shell/program_icon_win32.h"

#include <shellapi.h>

#include "framework/dpi_win32.h"
#include "framework/platform.h"

namespace tavoli {

HICON LoadProgramIcon(HINSTANCE instance, bool small, int dpi) {
    return LoadProgramIconOfSize(instance, small, SystemMetricForDpi(small ? SM_CXSMICON : SM_CXICON, dpi));
}

HICON LoadProgramIconOfSize(HINSTANCE instance, bool small, int size) {
    if (HANDLE icon = LoadImageA(instance, MAKEINTRESOURCEA(kProgramIconId), IMAGE_ICON, size, size, 0)) {
        return static_cast<HICON>(icon);
    }
    // A program built without its resource still shows what the shell knows of it.
    SHFILEINFOA info = {};
    const std::string executable = SystemPlatform().ExecutablePath();
    SHGetFileInfoA(executable.c_str(), 0, &info, sizeof info, SHGFI_ICON | (small ? SHGFI_SMALLICON : SHGFI_LARGEICON));
    return info.hIcon;
}

}  // namespace tavoli
