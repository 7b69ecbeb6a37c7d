#include "framework/error.h"

#include "framework/platform.h"

namespace tavoli {

namespace {

struct Registry {
    ErrorTypeEntry* head = nullptr;
    ErrorTypeEntry* tail = nullptr;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

void RegisterProgramErrorTypes();  // error_tables.cpp

void RegisterErrorType(ErrorTypeEntry& entry, const char* key, const char* message) {
    if (entry.registered) return;
    Registry& r = TheRegistry();
    entry.key = key ? key : "";
    entry.message = message ? message : "";
    entry.number = r.tail ? r.tail->number + 1 : 2;
    entry.previous = r.tail;
    entry.next = nullptr;
    if (r.tail) r.tail->next = &entry;
    else r.head = &entry;
    r.tail = &entry;
    entry.registered = true;
}

void UnregisterErrorType(ErrorTypeEntry& entry) {
    if (!entry.registered) return;
    Registry& r = TheRegistry();
    if (entry.previous) entry.previous->next = entry.next;
    else r.head = entry.next;
    if (entry.next) entry.next->previous = entry.previous;
    else r.tail = entry.previous;
    entry.previous = entry.next = nullptr;
    entry.key.clear();
    entry.key.shrink_to_fit();
    entry.message.clear();
    entry.message.shrink_to_fit();
    entry.registered = false;
}

void EnsureErrorTypesRegistered() {
    static const bool registered = [] {
        RegisterProgramErrorTypes();
        return true;
    }();
    (void)registered;
}

ErrorValue ErrorFromKey(std::string_view key) {
    EnsureErrorTypesRegistered();
    for (const ErrorTypeEntry* e = TheRegistry().head; e; e = e->next) {
        if (!e->key.empty() && e->key == key) return static_cast<ErrorValue>(e->number);
    }
    return kUnregisteredKey;
}

const ErrorTypeEntry* ErrorTypeFromNumber(ErrorValue number) {
    EnsureErrorTypesRegistered();
    for (const ErrorTypeEntry* e = TheRegistry().head; e; e = e->next) {
        if (static_cast<ErrorValue>(e->number) == number) return e;
    }
    return nullptr;
}

ErrorValue ErrorFromSystem(int32_t code) {
    if (code == 0) return kSuccess;
    if (code < 0) {
        const auto value = static_cast<ErrorValue>(static_cast<uint32_t>(code) + kOtherFailureBase);
        return value != kSuccess ? value : kOtherFailureBase;  // −0x2000000 must not read as success
    }
    if (code <= 0xFFFFFF) return kSystemErrorBase + static_cast<ErrorValue>(code);
    return kUnregisteredKey;
}

int32_t SystemCodeOf(ErrorValue value) {
    int32_t low = static_cast<int32_t>(value & 0xFFFFFF);
    if (low >= 0x7FFFFF) low -= 0x1000000;
    return low;
}

std::string ErrorMessageOf(ErrorValue value) {
    const ErrorTypeEntry* entry = ErrorTypeFromNumber(value);
    if (!entry) return "Error";
    return AnsiFromUtf8(entry->message);
}

}  // namespace tavoli
