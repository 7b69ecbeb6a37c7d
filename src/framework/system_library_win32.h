// Functions of the system libraries that only a few commands need: the common dialogs,
// the dialogs' common controls, HTML Help and the version record. Imported, each library
// would be loaded at every start with everything it loads in turn; looked up here, it is
// loaded from the system folder when one of its functions is first wanted, and stays.
// What cannot be had is reported as clearly as the system reports a missing import at
// start-up, but to the command that wanted it only: a message names the library, the
// function and the system's reason, and the command goes on without it.
#pragma once

#include <windows.h>

#include <string>

namespace tavoli {

// The address of a function of a system library ("comdlg32.dll"), or nullptr once the
// user has been told why there is none.
FARPROC SystemFunctionAddress(const char* library, const char* name);

// The same with the function's type, as in
// SystemFunction<decltype(&ChooseColorA)>("comdlg32.dll", "ChooseColorA").
template <class Function>
Function SystemFunction(const char* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunctionAddress(library, name)));
}

// The same without a message, nullptr where it is missing: for a function of a later
// system that the program does without, and for what the system asks of the program on its
// own (a screen reader's question), where no user waits for a command that failed.
FARPROC OptionalSystemFunctionAddress(const char* library, const char* name);
template <class Function>
Function OptionalSystemFunction(const char* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(OptionalSystemFunctionAddress(library, name)));
}

// The message for a library that cannot be loaded (an empty function name) or a function
// it lacks, with the system's reason for it.
std::string MissingSystemFunctionText(const std::string& library, const std::string& name, DWORD reason);

}  // namespace tavoli
