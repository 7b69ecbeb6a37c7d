#include "framework/system_library_win32.h"

#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/platform.h"

namespace tavoli {

namespace {

const char* const kLibraryMissing =
    "The system library %1 could not be loaded.\tja:システムのライブラリ %1 を読み込めませんでした。";
const char* const kFunctionMissing =
    "The function %2 was not found in the system library %1.\tja:システムのライブラリ %1 に関数 %2 "
    "が見つかりませんでした。";

void ReplaceAll(std::string& text, const std::string& marker, const std::string& value) {
    for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + value.size())) {
        text.replace(at, marker.size(), value);
    }
}

// The library from the system folder only: a file of the same name beside the program,
// or in the current folder, is never taken for it.
HMODULE LoadSystemLibrary(const char* library) {
    if (HMODULE loaded = GetModuleHandleA(library)) return loaded;
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::string path = std::string(folder, length) + "\\" + library;
    return LoadLibraryA(path.c_str());
}

// Shows the message, unless showing it needs the very function that is missing (the
// message box's caption may come from the version record).
void Tell(const std::string& text) {
    static bool telling = false;
    if (telling) return;
    telling = true;
    ShowMessage(text);
    telling = false;
}

}  // namespace

std::string MissingSystemFunctionText(const std::string& library, const std::string& name, DWORD reason) {
    std::string text = ResolveText(name.empty() ? kLibraryMissing : kFunctionMissing);
    ReplaceAll(text, "%1", library);
    ReplaceAll(text, "%2", name);
    std::string why = CurrentPlatform().SystemErrorText(static_cast<int32_t>(reason));
    while (!why.empty() && (why.back() == '\n' || why.back() == '\r' || why.back() == ' ')) why.pop_back();
    return why.empty() ? text : text + "\n" + why;
}

FARPROC SystemFunctionAddress(const char* library, const char* name) {
    HMODULE module = LoadSystemLibrary(library);
    if (!module) {
        const DWORD reason = GetLastError();
        Tell(MissingSystemFunctionText(library, "", reason));
        return nullptr;
    }
    FARPROC function = GetProcAddress(module, name);
    if (!function) {
        const DWORD reason = GetLastError();
        Tell(MissingSystemFunctionText(library, name, reason));
    }
    return function;
}

FARPROC OptionalSystemFunctionAddress(const char* library, const char* name) {
    HMODULE module = LoadSystemLibrary(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace tavoli
