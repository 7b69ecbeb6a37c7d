// The values of one registry key as an ordered name → text map.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/error.h"

namespace tavoli {

using RegistryValues = std::vector<std::pair<std::string, std::string>>;

// Opens (or with create, creates) the key of a registry path.
ErrorValue OpenRegistryKey(std::string_view path, REGSAM access, bool create, HKEY& key);

// Empties the map and reads every value: REG_SZ and REG_EXPAND_SZ as their text,
// REG_DWORD as decimal text, other types as empty text. On any error the map is
// emptied and the first error returned.
ErrorValue ReadRegistryValues(std::string_view path, RegistryValues& values);

// Writes each pair as REG_SZ, but only where the stored value differs (or is not a
// REG_SZ); an empty map writes nothing. The first error is returned.
ErrorValue WriteRegistryValues(std::string_view path, const RegistryValues& values);

}  // namespace tavoli
