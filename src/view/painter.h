// Painting the view cell by cell: each cell is composed in the cell-sized surface from
// the background colour, the picture behind it, the marks of its region and its text,
// and handed to the target in one piece; what no cell covers is filled from the picture
// and the background colour. Nothing here touches a device context: the window's target
// blits, a test's target keeps the pixels.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "view/calendar_view.h"
#include "view/glyph_cache.h"
#include "view/glyph_source.h"
#include "view/paint_caches.h"

namespace tavoli {

class PaintTarget {
public:
    virtual ~PaintTarget() = default;
    // Copies the image with its top-left corner at the position, cut to the clip.
    virtual void PutImage(const Image& image, Point position, const Rect* clip) = 0;
    virtual void Fill(const Rect& rect, PixelColor color) = 0;
};

// A target that keeps the window's pixels in an image (24 bits), for tests and tools.
class ImageTarget : public PaintTarget {
public:
    explicit ImageTarget(Image& window) : window_(window) {}
    void PutImage(const Image& image, Point position, const Rect* clip) override;
    void Fill(const Rect& rect, PixelColor color) override;

private:
    Image& window_;
};

// The colour and the emphasis style letters of a day kind's text.
struct DayKindLook {
    ViewColor color = ViewColor::kNormalDay;
    const char* emphasis = "";
};
DayKindLook LookOfDayKind(std::string_view kind);

// The count-down value drawn on a date, or −1 for none (the range and interval rules).
int CountDownValue(const CountDown& countDown, CalDate date);

// One painting pass over a view; the header and footer texts are composed once per pass.
// Glyphs and day kinds come through the caches when they cache.
class CalendarPainter {
public:
    CalendarPainter(const CalendarView& view, GlyphSource& glyphs, PaintCaches& caches);

    // Every cell meeting the update rectangle (all when there is none), then what no cell
    // covers.
    void PaintAll(PaintTarget& target, const Rect* update = nullptr);
    // The cells of the right footer columns and the bottom footer rows.
    void PaintFooter(PaintTarget& target);
    void PaintCell(PaintTarget& target, int column, int row, const Rect* update = nullptr);
    // Composes a cell in the caches' cell surface and returns it.
    const Image& ComposeCell(int column, int row);

    // The kind the day is coloured by: the script's, or its weekday's.
    std::string KindOfDay(CalDate date);

    // The cell's rectangle in the client area.
    Rect CellRect(int column, int row) const;
    // The client area the grid and the background picture take.
    Rect PaintedArea() const;

private:
    const std::vector<TextBox>& Boxes();
    void DrawBoxes(Image& surface, int column, int row);
    void DrawDateCell(Image& surface, int column, int row, CalDate date);
    void DrawPressedLook(Image& surface, int column, int row);
    // The count-down's value in the box, or the target day's flag for an empty text.
    void DrawBadge(Image& surface, const Rect& box, const std::string& text, PixelColor behind, const FontSpec& font);
    FontSpec Font(FontRole role, const char* styleLetters = "") const;

    const CalendarView& view_;
    const Palette palette_;  // the colours of this pass
    PaintCaches& caches_;
    CachedGlyphSource cached_;
    GlyphSource& glyphs_;
    std::vector<TextBox> boxes_;
    bool boxesMade_ = false;
};

}  // namespace tavoli
