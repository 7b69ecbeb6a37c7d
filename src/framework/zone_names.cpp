#include "framework/zone_names.h"

#include <algorithm>

namespace tavoli {

std::string_view WindowsZoneName(std::string_view iana) {
    const ZoneName* end = kZoneNames + kZoneNameCount;
    const ZoneName* found =
        std::lower_bound(kZoneNames, end, iana, [](const ZoneName& z, std::string_view name) { return z.iana < name; });
    return found != end && found->iana == iana ? found->windows : std::string_view();
}

}  // namespace tavoli
