#include "framework/platform.h"

namespace tavoli {

namespace {
const Platform* g_current = nullptr;
unsigned g_generation = 0;
}  // namespace

unsigned Platform::Generation() { return g_generation; }

void Platform::BumpGeneration() { ++g_generation; }

const Platform& CurrentPlatform() { return g_current ? *g_current : SystemPlatform(); }

ScopedPlatform::ScopedPlatform(const Platform& replacement) : previous_(g_current) {
    g_current = &replacement;
    ++g_generation;
}

ScopedPlatform::~ScopedPlatform() {
    g_current = previous_;
    ++g_generation;
}

}  // namespace tavoli
