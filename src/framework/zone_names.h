// The Windows name of a zone known by its IANA name ("Europe/Berlin": "W. Europe
// Standard Time"), from CLDR's mapping, for the zones calendar files name.
#pragma once

#include <cstddef>
#include <string_view>

namespace tavoli {

struct ZoneName {
    const char* iana;
    const char* windows;
};
// Sorted by IANA name (generated from CLDR at build time).
extern const ZoneName kZoneNames[];
extern const size_t kZoneNameCount;

// Empty for a name CLDR does not map.
std::string_view WindowsZoneName(std::string_view iana);

}  // namespace tavoli
