// The display scale the Windows run was started at: scripts/wine-run sets the prefix's
// DPI to TAVOLI_WINE_DPI for the run; 96 without it.
#pragma once

#include <cstdlib>

namespace tavoli {

inline int RunDpi() {
    const char* value = std::getenv("TAVOLI_WINE_DPI");
    return value && *value ? std::atoi(value) : 96;
}

}  // namespace tavoli
