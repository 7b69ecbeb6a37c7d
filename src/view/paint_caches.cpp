#include "view/paint_caches.h"

namespace tavoli {

void PaintCaches::Release() {
    cellSurface.Free();
    glyphs.Release();
    glyphCache.Clear();
    dayKinds.Clear();
}

void PaintCaches::SetCaching(bool on) {
    caching = on;
    glyphCache.Clear();
    dayKinds.Clear();
}

}  // namespace tavoli
