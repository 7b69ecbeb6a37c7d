// Registry paths such as "HKCU\Software\Brenholt\TavoliCalendar" or "#80000001\Software".
#pragma once

#include <cstdint>
#include <string_view>

#include "framework/error.h"

namespace tavoli {

struct RegistryPath {
    uint32_t root = 0;        // the root key's handle value (HKEY_CURRENT_USER = 0x80000001)
    std::string_view subkey;  // after the first backslash
};

// Root names are compared from the start of the path without regard to case, in the
// table's order, and need only be a prefix; "#" and hexadecimal digits give a handle
// value. "registry" when neither works.
ErrorValue ParseRegistryPath(std::string_view path, RegistryPath& result);

}  // namespace tavoli
