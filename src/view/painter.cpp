#include "view/painter.h"

#include <algorithm>

#include "framework/platform.h"
#include "holidays/day_kinds.h"
#include "view/image_drawing.h"

namespace tavoli {

namespace {

PixelColor Opaque(PixelColor color) {
    color.transparency = 0;
    return color;
}

// The width of the target day's flag drawn for a font of this size: its pole and pennant.
int FlagWidth(int fontSize) { return std::max(3, fontSize * 3 / 4); }

}  // namespace

void ImageTarget::PutImage(const Image& image, Point position, const Rect* clip) {
    CopyImage(window_, image, position, clip);
}

void ImageTarget::Fill(const Rect& rect, PixelColor color) { StoreRect(window_, rect, color); }

DayKindLook LookOfDayKind(std::string_view kind) {
    switch (DayKindFromText(kind)) {
    case DayKind::kSemiHoliday: return {ViewColor::kSemiHoliday, ""};
    case DayKind::kHoliday: return {ViewColor::kHoliday, "B"};
    case DayKind::kNationalHoliday: return {ViewColor::kNationalHoliday, "BI"};
    case DayKind::kAnniversary: return {ViewColor::kAnniversary, "I"};
    default: return {ViewColor::kNormalDay, ""};
    }
}

int CountDownValue(const CountDown& countDown, CalDate date) {
    const int64_t t = date - countDown.target;
    const int64_t range = countDown.range;
    const int64_t interval = std::max(1, countDown.interval);
    int64_t value;
    if (range < 0 && range <= t && t <= 0) value = -t;
    else if (range >= 1 && t >= 0 && t <= range) value = t;
    else return -1;
    if (value % interval == 0 || value == range || value == -range) return static_cast<int>(value);
    return -1;
}

CalendarPainter::CalendarPainter(const CalendarView& view, GlyphSource& glyphs, PaintCaches& caches)
    : view_(view),
      palette_(ResolvePalette(view.Style(), view.Appearance())),
      caches_(caches),
      cached_(caches.glyphCache, glyphs),
      glyphs_(caches.caching ? static_cast<GlyphSource&>(cached_) : glyphs) {
    if (!caches.caching) return;
    const ViewStyle& style = view.Style();
    // New font settings (or caches released) make the fonts the source keeps worthless
    // as well.
    if (caches.glyphCache.Use({style.fontFace, style.fontSizes, Platform::Generation()})) glyphs.ReleaseFonts();
    // Kinds kept from another script are no answer for this one.
    const uint64_t generation = view.Document().ScriptGeneration();
    if (caches.scriptGeneration != generation) {
        caches.dayKinds.Clear();
        caches.scriptGeneration = generation;
    }
    const auto [firstYear, firstMonth] = view.FirstMonth();
    caches.dayKinds.Cover(firstYear, firstMonth, view.Layout().months);
}

std::string CalendarPainter::KindOfDay(CalDate date) {
    const HolidayScript& script = view_.Document().Script();
    std::string kind = caches_.caching ? caches_.dayKinds.KindOf(script, date) : KindOf(script, date);
    return kind.empty() ? KindOfWeekday(script, date.Weekday()) : kind;
}

Rect CalendarPainter::CellRect(int column, int row) const {
    const auto margins = view_.Layout().MarginPixels();
    const Size cell = view_.Layout().CellPixels();
    const int x = margins[0] + column * cell.width, y = margins[1] + row * cell.height;
    return {x, y, x + cell.width, y + cell.height};
}

Rect CalendarPainter::PaintedArea() const {
    const auto margins = view_.Layout().MarginPixels();
    const Size cell = view_.Layout().CellPixels();
    const Rect grid{0, 0, margins[0] + margins[2] + view_.Layout().TotalColumns() * cell.width,
                    margins[1] + margins[3] + view_.Layout().TotalRows() * cell.height};
    const Image& picture = view_.ShownPicture();
    // The window's size as well: a picture that could not be scaled still sized it.
    const Size size = view_.ViewSize();
    return Union(Union(grid, {0, 0, picture.Width(), picture.Height()}), {0, 0, size.width, size.height});
}

FontSpec CalendarPainter::Font(FontRole role, const char* styleLetters) const {
    FontSpec font = view_.Style().Font(role, styleLetters);
    font.size = view_.Layout().Scaled(font.size);
    return font;
}

const std::vector<TextBox>& CalendarPainter::Boxes() {
    if (!boxesMade_) {
        boxes_ = view_.TextBoxes();
        boxesMade_ = true;
    }
    return boxes_;
}

void CalendarPainter::PaintAll(PaintTarget& target, const Rect* update) {
    Rect area = PaintedArea();
    if (update) area = Intersect(area, *update);
    if (area.Empty()) return;
    for (int column = 0; column < view_.Layout().TotalColumns(); ++column) {
        for (int row = 0; row < view_.Layout().TotalRows(); ++row) PaintCell(target, column, row, &area);
    }
    // What no cell covers: the picture where it lies, the background colour elsewhere.
    const Rect grid =
        Union(CellRect(0, 0), CellRect(view_.Layout().TotalColumns() - 1, view_.Layout().TotalRows() - 1));
    const Image& picture = view_.ShownPicture();
    const Rect pictureArea{0, 0, picture.Width(), picture.Height()};
    for (const Rect& part : Subtract(area, grid)) {
        const Rect fromPicture = Intersect(part, pictureArea);
        if (!fromPicture.Empty()) target.PutImage(picture, {0, 0}, &fromPicture);
        for (const Rect& rest : Subtract(part, fromPicture)) {
            target.Fill(rest, palette_.Color(PaintColor::kBackground));
        }
    }
}

void CalendarPainter::PaintFooter(PaintTarget& target) {
    const int firstRightColumn = view_.Layout().leftColumns + view_.Layout().dateColumns;
    const int firstBottomRow = view_.Layout().topRows + view_.Layout().dateRows;
    for (int column = 0; column < view_.Layout().TotalColumns(); ++column) {
        for (int row = 0; row < view_.Layout().TotalRows(); ++row) {
            if (column >= firstRightColumn || row >= firstBottomRow) PaintCell(target, column, row);
        }
    }
}

void CalendarPainter::PaintCell(PaintTarget& target, int column, int row, const Rect* update) {
    const Rect cell = CellRect(column, row);
    if (update && Intersect(cell, *update).Empty()) return;
    const Image& surface = ComposeCell(column, row);
    target.PutImage(surface, {cell.left, cell.top}, update);
}

const Image& CalendarPainter::ComposeCell(int column, int row) {
    Image& surface = caches_.cellSurface;
    const Size size = view_.Layout().CellPixels();
    if (surface.Width() != size.width || surface.Height() != size.height || surface.Depth() != 24) {
        surface.Create(size.width, size.height, false, 24);
    }
    StoreRect(surface, {0, 0, size.width, size.height}, palette_.Color(PaintColor::kBackground));
    const Image& picture = view_.ShownPicture();
    const Rect cell = CellRect(column, row);
    if (!picture.IsEmpty()) CopyImage(surface, picture, {-cell.left, -cell.top});

    const CellClass cellClass = view_.ClassifyCell(column, row, 0);
    const bool cursor = column == view_.CursorColumn() && row == view_.CursorRow();
    if (cellClass.region == kRegionHead || cellClass.region == kRegionFoot) {
        DrawBoxes(surface, column, row);
    } else if (cellClass.region == kRegionBlank) {
        if (cursor)
            FrameRect(surface, Rect{0, 0, size.width, size.height}.Inset(view_.Layout().Scaled(2)),
                      palette_.Color(PaintColor::kSelection));
    } else if (cellClass.region == kRegionDate) {
        DrawDateCell(surface, column, row, cellClass.date);
    }
    return surface;
}

void CalendarPainter::DrawBoxes(Image& surface, int column, int row) {
    const Size cell = view_.Layout().CellPixels();
    const bool cursor = column == view_.CursorColumn() && row == view_.CursorRow();
    for (const TextBox& box : Boxes()) {
        if (column < box.paintFirstColumn || column > box.paintLastColumn || row < box.firstRow || row > box.lastRow) {
            continue;
        }
        // The box placed relative to this cell: each cell draws its slice of it.
        Rect rect{(box.firstColumn - column) * cell.width, (box.firstRow - row) * cell.height,
                  (box.lastColumn + 1 - column) * cell.width, (box.lastRow + 1 - row) * cell.height};
        PixelColor color =
            palette_.Color(box.color == TextBox::Color::kFooter ? PaintColor::kFooter : PaintColor::kHeader);
        if (box.color == TextBox::Color::kWeekdayKind) {
            color = palette_.Color(LookOfDayKind(view_.Document().KindOfWeekday(box.weekday)).color);
        }
        if (box.button && cursor) {
            color = palette_.Color(PaintColor::kSelection);
            if (view_.Pressed()) {
                DrawPressedLook(surface, column, row);
                rect = rect.Offset(view_.Layout().Scaled(1), view_.Layout().Scaled(1));
            }
        }
        DrawTextBox(glyphs_, surface, rect, box.text, caches_.glyphs, nullptr, color, Font(box.font));
    }
}

void CalendarPainter::DrawPressedLook(Image& surface, int column, int row) {
    const Size cell = view_.Layout().CellPixels();
    const Image& picture = view_.ShownPicture();
    const int inset = view_.Layout().Scaled(2), shift = view_.Layout().Scaled(1);
    if (!picture.IsEmpty()) {
        // The picture moves with the button: each pixel takes the one right and below it.
        const Rect origin = CellRect(column, row);
        const Rect inside = Rect{0, 0, cell.width, cell.height}.Inset(inset);
        CopyImage(surface, picture, {-(origin.left + shift), -(origin.top + shift)}, &inside);
    }
    const PixelColor line = palette_.Color(PaintColor::kPressedLine);
    DrawLine(surface, {inset, inset}, {inset, cell.height - inset - 1}, nullptr, line);
    DrawLine(surface, {inset, inset}, {cell.width - inset - 1, inset}, nullptr, line);
}

void CalendarPainter::DrawDateCell(Image& surface, int column, int row, CalDate date) {
    const ViewStyle& style = view_.Style();
    const Size cell = view_.Layout().CellPixels();
    const bool split = view_.IsSplitCell(column, row);
    const bool cursor = column == view_.CursorColumn() && row == view_.CursorRow();
    const int half = cell.height / 2;
    const int medium = view_.Layout().Scaled(style.FontSize(FontRole::kMedium));
    const int shownYear = view_.ShownYear(), shownMonth = view_.ShownMonth();
    const int nextYear = shownMonth == 12 ? shownYear + 1 : shownYear, nextMonth = shownMonth % 12 + 1;

    struct Part {
        Rect rect;
        CalDate date;
        int half;
    };
    std::vector<Part> parts;
    if (split) {
        parts.push_back({{0, 0, cell.width, half}, date, 0});
        parts.push_back({{0, half, cell.width, 2 * half}, date + 7, 1});
    } else {
        parts.push_back({{0, 0, cell.width, cell.height}, date, -1});
    }
    for (const Part& part : parts) {
        const Rect& r = part.rect;
        const CalDate d = part.date;
        const bool today = d == view_.TodayDate();
        const YearMonthDay ymd = d.Parts();
        // Each day of several months is shown in its own.
        const bool inShown = view_.Layout().SeveralMonths() || (ymd.year == shownYear && ymd.month == shownMonth);
        const bool inNext = ymd.year == nextYear && ymd.month == nextMonth;
        // A day no rule gives a kind has its weekday's kind.
        const DayKindLook look = LookOfDayKind(KindOfDay(d));
        PixelColor color = palette_.Color(look.color);
        if (view_.Layout().TwoMonths() && !inShown && !inNext) {
            if (palette_.neighbourDay) color = *palette_.neighbourDay;
            else color.transparency = palette_.neighbourTransparency;
        }
        if (today && palette_.onToday) color = *palette_.onToday;

        // Today: a fill, and a ring where the fill alone is not seen. The marks after it are
        // seen on what lies behind them.
        PixelColor behind = palette_.Color(PaintColor::kBackground);
        int selectionInset = view_.Layout().Scaled(2);
        if (today) {
            const TodayMark mark = palette_.TodayMarkUnder(color);
            const Rect marked = r.Inset(view_.Layout().Scaled(1));
            FillRect(surface, marked, mark.fill);
            behind = mark.fill;
            if (mark.ring) {
                const int thickness = view_.Layout().Scaled(2);
                for (int k = 0; k < thickness; ++k) FrameRect(surface, marked.Inset(k), *mark.ring);
                selectionInset = view_.Layout().Scaled(1) + thickness;  // the frame inside the ring
            }
        }
        if (cursor && (part.half < 0 || part.half == view_.CursorHalf())) {
            const PixelColor frame = today && palette_.onToday
                                         ? *palette_.onToday
                                         : palette_.MarkOn(palette_.Color(PaintColor::kSelection), behind);
            FrameRect(surface, r.Inset(selectionInset), frame);
        }

        // The count-down's badge, its numbers as large as the footer's, sits at the bottom
        // right of the day beside the number, moved a little left; where the two do not fit
        // side by side, below a smaller number, or beside it in a low half.
        const int value = style.countDown.shown ? CountDownValue(style.countDown, d) : -1;
        const std::string dayText = std::to_string(ymd.day);
        const char* const styleLetters = palette_.emphasis ? look.emphasis : "";
        Rect numberBox = r;
        FontRole role = inShown && !split ? FontRole::kMedium : FontRole::kSmall;
        if (value >= 0) {
            const FontSpec badgeFont = Font(FontRole::kSmall);
            const int pad = view_.Layout().Scaled(3);  // inside the selection frame
            const std::string text = value == 0 ? std::string() : std::to_string(value);
            const int width = value == 0 ? FlagWidth(badgeFont.size) : MeasureText(glyphs_, badgeFont, text).width;
            const int numberWidth = MeasureText(glyphs_, Font(role, styleLetters), dayText).width;
            const bool stacked = numberWidth + width + 2 * pad > r.Width() && r.Height() >= 2 * badgeFont.size + pad;
            const Rect badge{r.right - pad - width, std::max(r.top, r.bottom - pad - badgeFont.size), r.right - pad,
                             r.bottom - pad};
            if (stacked) {
                numberBox.bottom = badge.top;
                if (numberBox.Height() < Font(FontRole::kMedium).size) role = FontRole::kSmall;
            } else {
                numberBox.right = badge.left;
                if (numberWidth > numberBox.Width()) role = FontRole::kSmall;
            }
            DrawBadge(surface, badge, text, behind, badgeFont);
        }
        DrawTextBox(glyphs_, surface, numberBox, dayText, caches_.glyphs, nullptr, color, Font(role, styleLetters));

        // An underline under a day with a memo, stored opaque (one per entry would draw the
        // same), in the number's box: above a badge that takes the bottom of the day.
        if (view_.Document().Memos().HasMemo(d)) {
            const Rect& n = numberBox;
            const int w = n.Width(), h = n.Height();
            const int k = std::max(0, (w - medium) / 2);
            const int y = n.top + h - std::max(view_.Layout().Scaled(2), (h - medium) / 2);
            DrawLine(surface, {n.left + k, y}, {n.left + w - k, y}, nullptr, palette_.MarkOn(Opaque(color), behind));
        }

        // A day with appointments: a dot at its top left for each of its calendars, up to
        // three, each in its calendar's colour as seen on what lies behind it; clear of the
        // number, the memo's underline and the badge, which keep to the middle and bottom.
        const std::vector<DayAppointment>& appointments = view_.AppointmentsOn(d, false);  // colours alone
        if (!appointments.empty()) {
            const int dot = std::max(3, view_.Layout().Scaled(4)), gap = std::max(1, view_.Layout().Scaled(2));
            const int left = r.left + selectionInset + gap, top = r.top + selectionInset + gap;
            std::vector<uint32_t> colors;
            for (const DayAppointment& a : appointments) {
                if (colors.size() < 3 && std::find(colors.begin(), colors.end(), a.color) == colors.end())
                    colors.push_back(a.color);
            }
            for (size_t i = 0; i < colors.size(); ++i) {
                const PixelColor ink = palette_.MarkOn(SourcePixelColor(colors[i]), behind);
                const int x = left + static_cast<int>(i) * (dot + gap);
                if (x + dot > r.right - selectionInset) break;
                FillRect(surface, {x, top, x + dot, top + dot}, ink);
            }
        }
    }
}

void CalendarPainter::DrawBadge(Image& surface, const Rect& box, const std::string& text, PixelColor behind,
                                const FontSpec& font) {
    const PixelColor ink = palette_.MarkOn(palette_.Color(PaintColor::kBadgeText), behind);
    // No box of its own: the picture and the frame stay seen around it. Over a picture an
    // outline in the background colour keeps it legible.
    const bool overPicture = !view_.ShownPicture().IsEmpty();
    if (text.empty()) {
        // The target day: a flag on its pole, its pennant pointing right from the pole's top.
        const int height = font.size * 7 / 8, pole = std::max(1, view_.Layout().Scaled(1));
        const int width = FlagWidth(font.size), length = width - pole, rows = std::max(1, height / 2);
        const int top = (box.top + box.bottom - height) / 2, left = box.left + (box.Width() - width) / 2;
        const auto draw = [&](PixelColor color, int grow) {
            FillRect(surface, {left - grow, top - grow, left + pole + grow, top + height + grow}, color);
            for (int i = 0; i < rows; ++i) {
                const int span = length * (rows - std::abs(2 * i + 1 - rows)) / rows;
                FillRect(surface, {left + pole, top + i - grow, left + pole + span + grow, top + i + 1 + grow}, color);
            }
        };
        if (overPicture) draw(behind, 1);
        draw(ink, 0);
        return;
    }
    if (overPicture) {
        for (const Point offset : {Point{-1, -1}, Point{0, -1}, Point{1, -1}, Point{-1, 0}, Point{1, 0}, Point{-1, 1},
                                   Point{0, 1}, Point{1, 1}}) {
            DrawTextBox(glyphs_, surface, box.Offset(offset.x, offset.y), text, caches_.glyphs, nullptr, behind, font);
        }
    }
    DrawTextBox(glyphs_, surface, box, text, caches_.glyphs, nullptr, ink, font);
}

}  // namespace tavoli
