// What painting keeps between paints: the cell-sized surface, the glyph buffer, the
// glyphs and extents of the view's fonts and the kinds of the days around the shown
// month. The window keeps them beside its glyph source; the view knows nothing of them.
#pragma once

#include <cstdint>

#include "view/day_kind_memo.h"
#include "view/glyph_cache.h"
#include "view/image.h"
#include "view/text_render.h"

namespace tavoli {

struct PaintCaches {
    Image cellSurface;
    GlyphBuffer glyphs;
    GlyphCache glyphCache;
    DayKindMemo dayKinds;
    uint64_t scriptGeneration = 0;  // the document's script the kinds came from
    // Off, every paint asks the font engine and the script again (to compare both ways).
    bool caching = true;

    // Frees them all; the next paint makes them again (fonts installed or removed).
    void Release();
    // Switching empties the glyphs and kinds kept.
    void SetCaching(bool on);
};

}  // namespace tavoli
