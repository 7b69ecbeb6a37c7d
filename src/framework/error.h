// Failures as values: 0 success, 1 an unregistered key, 2 … 0xFFFFFF a registered error
// type (an ASCII key with a Japanese message), 0x1000000 … 0x1FFFFFF an operating-system
// code, 0x2000000 and above any other failure.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavoli {

using ErrorValue = uint32_t;

constexpr ErrorValue kSuccess = 0;
constexpr ErrorValue kUnregisteredKey = 1;
constexpr ErrorValue kSystemErrorBase = 0x1000000;
constexpr ErrorValue kOtherFailureBase = 0x2000000;

// One registered error type. The records are static, owned by whoever registers them;
// the registry keeps its own copies of key and message.
struct ErrorTypeEntry {
    int32_t number = 0;
    std::string key;
    std::string message;  // UTF-8, converted to the code page when shown
    ErrorTypeEntry* previous = nullptr;
    ErrorTypeEntry* next = nullptr;
    bool registered = false;
};

// Appends at the tail with the tail's number plus one (the first entry gets 2). Null
// key and message register an entry that only takes up a number.
void RegisterErrorType(ErrorTypeEntry& entry, const char* key, const char* message);
void UnregisterErrorType(ErrorTypeEntry& entry);

// Fills the registry with the program's tables (the core table, then the further
// groups) once; every lookup below does this first.
void EnsureErrorTypesRegistered();

// The number of the first entry with exactly this key (case-sensitive); 1 if none.
ErrorValue ErrorFromKey(std::string_view key);
const ErrorTypeEntry* ErrorTypeFromNumber(ErrorValue number);
// A system status (GetLastError, a registry status): 0 → 0, negative → + 0x2000000,
// 1 … 0xFFFFFF → 0x1000000 + code, larger → 1. The status is read as a signed 32-bit
// value, so that a DWORD of 0x80000000 or more counts as the negative status it is.
ErrorValue ErrorFromSystem(int32_t code);
// The system code carried by a value in the system range (negative codes come back).
int32_t SystemCodeOf(ErrorValue value);

// A key's message in the ANSI code page, or "Error" for an unknown number.
std::string ErrorMessageOf(ErrorValue value);

}  // namespace tavoli
