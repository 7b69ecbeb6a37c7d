// Painting with glyphs of known shape: what each region of a cell shows, which cells a
// pass paints, and what fills the rest.
#include "view/painter.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "calendar/lunisolar_memo.h"
#include "framework/delegating_platform.h"
#include "support/bitmap_writer.h"
#include "support/fake_glyph_source.h"
#include "support/temp_folder.h"
#include "support/test_platform.h"
#include "support/test_view.h"
#include "view/image_drawing.h"

namespace tavoli {
namespace {

constexpr PixelColor kMagenta = PixelColor::Rgb(255, 0, 255);

class FixedToday : public PinnedZonePlatform {
public:
    explicit FixedToday(CalDate today) : PinnedZonePlatform(-540), today_(today) {}
    SystemTimeParts LocalTime() const override { return CalDateTime(today_, TimeOfDay(36000000)).ToSystemTime(); }

private:
    CalDate today_;
};

// A view on a pinned today with small fonts and a script: Sundays holidays, 3 May a
// national holiday.
class Painting : public testing::Test {
protected:
    explicit Painting(CalDate today = CalDate(2024, 5, 15)) : clock_(today), scope_(clock_) {
        view_ = std::make_unique<TestView>();
        view_->CompileScript("#weekday 0 (3)\nm5 d3 (4)\n");
        view_->SelectDate(today);
    }
    TestView& View() { return *view_; }
    const ViewStyle& Style() { return view_->Style(); }
    PixelColor Colour(ViewColor which) { return view_->Style().Color(which); }
    Image Cell(int column, int row) {
        CalendarPainter painter(*view_, glyphs_, caches_);
        const Image& surface = painter.ComposeCell(column, row);
        Image copy;
        copy.Create(surface.Width(), surface.Height(), false, 24);
        CopyImage(copy, surface, {0, 0});
        return copy;
    }
    // The grid cell of a date in the shown month.
    std::pair<int, int> CellOf(CalDate date) {
        const int32_t d = date - view_->DateAt(0, 0);
        return {view_->Layout().leftColumns + d % 7, view_->Layout().topRows + d / 7};
    }
    Image Window(const Rect* update, bool footerOnly = false) {
        CalendarPainter painter(*view_, glyphs_, caches_);
        const Rect area = painter.PaintedArea();
        Image window;
        window.Create(area.right + 10, area.bottom + 10, false, 24);
        StoreRect(window, {0, 0, window.Width(), window.Height()}, kMagenta);
        ImageTarget target(window);
        if (footerOnly) painter.PaintFooter(target);
        else painter.PaintAll(target, update);
        return window;
    }

    FixedToday clock_;
    ScopedPlatform scope_;
    std::unique_ptr<TestView> view_;
    FakeGlyphSource glyphs_;
    PaintCaches caches_;
};

TEST(PaintingRules, CountDownValues) {
    struct Case {
        int range, interval, offset;  // offset: the date minus the target
        int value;
    } cases[] = {
        {-10, 5, -10, 10}, {-10, 5, -5, 5}, {-10, 5, 0, 0}, {-10, 5, -7, -1}, {-10, 5, -11, -1},
        {-10, 5, 1, -1},   {10, 5, 0, 0},   {10, 5, 5, 5},  {10, 5, 10, 10},  {10, 5, 3, -1},
        {10, 5, -1, -1},   {10, 5, 11, -1}, {7, 5, 7, 7},  // the range's end always shows
        {-7, 5, -7, 7},    {0, 1, 0, -1},                  // range 0 shows nothing, not even the target
        {3, 0, 2, 2},                                      // an interval below 1 counts as 1
    };
    for (const Case& c : cases) {
        const CountDown countDown{true, CalDate(2024, 5, 20), c.range, c.interval};
        EXPECT_EQ(CountDownValue(countDown, CalDate(2024, 5, 20) + c.offset), c.value)
            << c.range << " " << c.interval << " " << c.offset;
    }
}

TEST(PaintingRules, DayKindLooks) {
    const struct {
        std::string kind;
        ViewColor color;
        std::string emphasis;
    } cases[] = {
        {"1", ViewColor::kNormalDay, ""},
        {"2", ViewColor::kSemiHoliday, ""},
        {"3", ViewColor::kHoliday, "B"},
        {"4", ViewColor::kNationalHoliday, "BI"},
        {"5", ViewColor::kAnniversary, "I"},
        {"", ViewColor::kNormalDay, ""},
        {"6", ViewColor::kNormalDay, ""},
        // The word, where the code page holds it.
        {AnsiFromUtf8("祝日"), CodePageHoldsJapanese() ? ViewColor::kNationalHoliday : ViewColor::kNormalDay,
         CodePageHoldsJapanese() ? "BI" : ""},
    };
    for (const auto& c : cases) {
        const DayKindLook look = LookOfDayKind(c.kind);
        EXPECT_EQ(look.color, c.color) << c.kind;
        EXPECT_EQ(look.emphasis, c.emphasis) << c.kind;
    }
}

// Today as a ring of the today colour (moved until it is seen) around its fill, the
// cursor's frame inside the ring, the memo's line under the number and the count-down's
// badge below it: on the target day a flag, elsewhere its number in the footer's font,
// with no box of its own.
TEST_F(Painting, DateCellMarksAtEveryScale) {
    View().Memos().SetMemo(CalDate(2024, 5, 15), "one");
    View().ChangeStyle([](ViewStyle& s) { s.countDown = {true, CalDate(2024, 5, 15), 10, 5}; });
    const Palette palette = ResolvePalette(Style(), View().Appearance());
    const TodayMark mark = palette.TodayMarkUnder(Colour(ViewColor::kNormalDay));
    ASSERT_TRUE(mark.ring.has_value());
    const PixelColor ink = palette.MarkOn(palette.Color(PaintColor::kBadgeText), mark.fill);
    const struct {
        int dpi;
        Size cell;
        int ring, frame;      // insets: the ring's outer pixel, the frame's
        int lineLeft, lineY;  // the memo line under the number, moved left of the badge
        Point pole, pennant;  // pixels of the target day's flag, at the bottom right
        int medium;           // the number's font
    } cases[] = {
        {96, {48, 36}, 1, 3, 4, 30, {33, 28}, {40, 21}, 24},
        {144, {72, 54}, 2, 5, 6, 45, {49, 40}, {56, 30}, 36},
        {192, {96, 72}, 2, 6, 9, 60, {66, 55}, {75, 42}, 48},
    };
    const auto [column, row] = CellOf(CalDate(2024, 5, 15));
    for (const auto& c : cases) {
        View().SetDpi(c.dpi);
        glyphs_.fonts.clear();
        const Image cell = Cell(column, row);
        ASSERT_EQ((Size{cell.Width(), cell.Height()}), c.cell) << c.dpi;
        const int y = c.cell.height * 7 / 8;  // below the number
        EXPECT_EQ(cell.ReadPixel(c.ring - 1, y), Colour(ViewColor::kBackground)) << c.dpi;
        EXPECT_EQ(cell.ReadPixel(c.ring, y), *mark.ring) << c.dpi;
        EXPECT_EQ(cell.ReadPixel(c.frame - 1, y), *mark.ring) << c.dpi;
        EXPECT_EQ(cell.ReadPixel(c.frame, y), palette.MarkOn(palette.Color(PaintColor::kSelection), mark.fill))
            << c.dpi;
        EXPECT_EQ(cell.ReadPixel(c.frame + 1, y), mark.fill) << c.dpi;
        EXPECT_EQ(cell.ReadPixel(c.lineLeft, c.lineY), Colour(ViewColor::kNormalDay)) << c.dpi;
        EXPECT_EQ(cell.ReadPixel(c.lineLeft, c.lineY - 1), mark.fill) << c.dpi;
        EXPECT_EQ(cell.ReadPixel(c.pole.x, c.pole.y), ink) << c.dpi;
        EXPECT_EQ(cell.ReadPixel(c.pole.x - 1, c.pole.y), mark.fill) << c.dpi;
        EXPECT_EQ(cell.ReadPixel(c.pennant.x, c.pennant.y), ink) << c.dpi;
        EXPECT_EQ(cell.ReadPixel(c.pennant.x, c.pole.y), mark.fill) << c.dpi;  // below the pennant
        ASSERT_FALSE(glyphs_.fonts.empty());
        EXPECT_EQ(glyphs_.fonts.front().size, c.medium) << c.dpi;  // the number keeps its size
    }
    // Five days on, the badge's number in the footer's font, nothing behind it but the day's.
    View().SetDpi(96);
    const auto [later, laterRow] = CellOf(CalDate(2024, 5, 20));
    const Image cell = Cell(later, laterRow);
    const Rect badge{35, 17, 45, 33};  // a digit's advance wide, inside the frame's place
    int inked = 0, other = 0;
    for (int py = badge.top; py < badge.bottom; ++py) {
        for (int px = badge.left; px < badge.right; ++px) {
            const PixelColor at = cell.ReadPixel(px, py);
            if (at == palette.Color(PaintColor::kBadgeText)) ++inked;
            else if (at != Colour(ViewColor::kBackground)) ++other;
        }
    }
    EXPECT_GT(inked, 40);
    EXPECT_LT(other, 20);  // the glyph's half-covered edge only
}

TEST_F(Painting, KindsColourTheNumbersAndEmphasisStylesThem) {
    View().ChangeStyle([](ViewStyle& s) { s.emphasis = true; });
    const auto [sundayColumn, sundayRow] = CellOf(CalDate(2024, 5, 5));
    Cell(sundayColumn, sundayRow);  // a Sunday by its weekday's kind: bold
    const auto [column, row] = CellOf(CalDate(2024, 5, 3));
    const Image cell = Cell(column, row);  // a national holiday: bold italic
    ASSERT_EQ(glyphs_.fonts.size(), 2u);
    EXPECT_EQ(glyphs_.fonts[0].style, "B");
    EXPECT_EQ(glyphs_.fonts[1].style, "BI");
    // A fully covered glyph pixel is the kind's colour, stored exactly.
    bool found = false;
    for (int y = 0; y < cell.Height() && !found; ++y) {
        for (int x = 0; x < cell.Width(); ++x)
            found = found || cell.ReadPixel(x, y) == Colour(ViewColor::kNationalHoliday);
    }
    EXPECT_TRUE(found);
}

TEST_F(Painting, WeekdayNamesTakeTheirWeekdaysKind) {
    const Image sunday = Cell(View().Layout().leftColumns, View().Layout().topRows - 1);
    const Image monday = Cell(View().Layout().leftColumns + 1, View().Layout().topRows - 1);
    const int y = sunday.Height() / 2;
    bool holiday = false, normal = false;
    for (int x = 0; x < sunday.Width(); ++x) {
        holiday = holiday || sunday.ReadPixel(x, y) == Colour(ViewColor::kHoliday);
        normal = normal || monday.ReadPixel(x, y) == Colour(ViewColor::kNormalDay);
    }
    EXPECT_TRUE(holiday);
    EXPECT_TRUE(normal);
    EXPECT_EQ(glyphs_.fonts.back(), Style().Font(FontRole::kSmall));  // never a style
}

TEST_F(Painting, PressedButtonSinksByOnePixel) {
    const int column = View().Layout().leftColumns + 6, row = 0;  // ">>"
    const auto margins = View().Layout().margins;
    View().PointerMoved(margins[0] + column * 48 + 5, margins[1] + 5);
    const Image up = Cell(column, row);
    View().SetPressed(true);
    const Image down = Cell(column, row);
    const PixelColor dark = PixelColor::Rgb(64, 64, 64);
    EXPECT_EQ(down.ReadPixel(2, 20), dark);
    EXPECT_EQ(down.ReadPixel(30, 2), dark);
    EXPECT_NE(up.ReadPixel(2, 20), dark);
    // The text moved one pixel right and down.
    for (int y = 3; y < 35; ++y) {
        for (int x = 4; x < 47; ++x) {
            ASSERT_EQ(down.ReadPixel(x, y), up.ReadPixel(x - 1, y - 1)) << x << "," << y;
        }
    }
}

TEST_F(Painting, PressedButtonAndPictureScaleWithTheDpi) {
    View().SetDpi(192);
    const int column = View().Layout().leftColumns + 6, row = 0;  // ">>"
    View().PointerMoved(8 + column * 96 + 10, 8 + 10);
    auto pressed = [&](bool on) {
        View().SetPressed(on);
        return Cell(column, row);
    };
    Image up = pressed(false), down = pressed(true);
    const PixelColor dark = PixelColor::Rgb(64, 64, 64);
    EXPECT_EQ(down.ReadPixel(4, 40), dark);  // the lines at twice the inset
    EXPECT_EQ(down.ReadPixel(60, 4), dark);
    EXPECT_NE(down.ReadPixel(3, 40), dark);
    // The text moved two pixels right and down.
    for (int y = 5; y < 70; ++y) {
        for (int x = 5; x < 95; ++x) ASSERT_EQ(down.ReadPixel(x, y), up.ReadPixel(x - 2, y - 2)) << x << "," << y;
    }

    // A picture of stripes, two 96-DPI pixels wide, is shown at twice its size and moves
    // two pixels with the pressed button.
    Image picture;
    ASSERT_TRUE(picture.Create(344, 40, false, 24));
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 344; ++x) {
            picture.WritePixel(x, y, PixelColor::Rgb(static_cast<uint8_t>(x / 2 % 2 ? 200 : 100), 150, 150));
        }
    }
    TempFolder folder;
    ASSERT_TRUE(WriteBitmapFile(picture, folder.Join("stripes.bmp")));
    ASSERT_EQ(View().UpdateBackground(folder.Join("stripes.bmp")), kSuccess);
    const Image& shown = View().ShownPicture();
    ASSERT_EQ((Size{shown.Width(), shown.Height()}), (Size{688, 80}));
    const int left = 8 + column * 96, top = 8;
    for (int x = 0; x < 12; ++x) EXPECT_EQ(shown.ReadPixel(left + x, 20).red, (left + x) / 4 % 2 ? 200 : 100) << x;
    up = pressed(false);
    down = pressed(true);
    for (int x = 6; x < 20; ++x) {
        EXPECT_EQ(up.ReadPixel(x, 10), shown.ReadPixel(left + x, top + 10)) << x;
        EXPECT_EQ(down.ReadPixel(x, 10), shown.ReadPixel(left + x + 2, top + 10 + 2)) << x;
    }
    // A picture wider than the grid sizes the window; the painted picture fills it exactly,
    // at whole and broken scales alike.
    Image wide;
    ASSERT_TRUE(wide.Create(401, 41, false, 24));
    ASSERT_TRUE(WriteBitmapFile(wide, folder.Join("wide.bmp")));
    ASSERT_EQ(View().UpdateBackground(folder.Join("wide.bmp")), kSuccess);
    for (int dpi : {96, 120, 144, 192}) {
        View().SetDpi(dpi);
        EXPECT_EQ(View().ShownPicture().Width(), View().ViewSize().width) << dpi;
    }
}

TEST_F(Painting, EveryPixelOfTheAreaIsPaintedAndOnlyThere) {
    const Image all = Window(nullptr);
    CalendarPainter painter(View(), glyphs_, caches_);
    const Rect area = painter.PaintedArea();
    EXPECT_EQ(area, (Rect{0, 0, 344, 332}));
    for (int y = 0; y < all.Height(); ++y) {
        for (int x = 0; x < all.Width(); ++x) {
            const bool inside = x < area.right && y < area.bottom;
            ASSERT_EQ(all.ReadPixel(x, y) == kMagenta, !inside) << x << "," << y;
        }
    }
    // An update rectangle: only its pixels change, the same as in the whole paint.
    const Rect update{30, 20, 130, 90};
    const Image part = Window(&update);
    for (int y = 0; y < part.Height(); ++y) {
        for (int x = 0; x < part.Width(); ++x) {
            const bool inside = x >= update.left && x < update.right && y >= update.top && y < update.bottom;
            ASSERT_EQ(part.ReadPixel(x, y), inside ? all.ReadPixel(x, y) : kMagenta) << x << "," << y;
        }
    }
    // The footer alone: the rows below the dates.
    const Image footer = Window(nullptr, true);
    const int footerTop = 4 + (View().Layout().topRows + View().Layout().dateRows) * 36;
    EXPECT_EQ(footer.ReadPixel(100, footerTop - 1), kMagenta);
    EXPECT_EQ(footer.ReadPixel(100, footerTop), all.ReadPixel(100, footerTop));
}

TEST_F(Painting, ThePictureBehindCellsAndMargins) {
    Image picture;
    picture.Create(400, 100, false, 24);
    for (int x = 0; x < 400; ++x)
        StoreRect(picture, {x, 0, x + 1, 100}, PixelColor::Rgb(static_cast<uint8_t>(x / 2), 200, 100));
    TempFolder folder;
    ASSERT_TRUE(WriteBitmapFile(picture, folder.Join("p.bmp")));
    ASSERT_EQ(View().UpdateBackground(folder.Join("p.bmp")), kSuccess);
    const Image window = Window(nullptr);
    EXPECT_EQ(window.ReadPixel(370, 50), picture.ReadPixel(370, 50));       // beyond the grid, from the picture
    EXPECT_EQ(window.ReadPixel(1, 50), picture.ReadPixel(1, 50));           // a margin
    EXPECT_EQ(window.ReadPixel(6, 6), picture.ReadPixel(6, 6));             // behind a cell
    EXPECT_EQ(window.ReadPixel(370, 150), Colour(ViewColor::kBackground));  // the joined area's corner
    EXPECT_EQ(window.ReadPixel(405, 50), kMagenta);                         // beyond the picture
    EXPECT_EQ(window.ReadPixel(1, 150), Colour(ViewColor::kBackground));
}

class SplitPainting : public Painting {
protected:
    SplitPainting() : Painting(CalDate(2025, 3, 30)) {}
};

TEST_F(SplitPainting, HalvesCarryTheirOwnMarks) {
    // March 2025 in five lines: the 23rd's cell holds the 30th (today, the cursor) below.
    const auto [column, row] = CellOf(CalDate(2025, 3, 23));
    ASSERT_TRUE(View().IsSplitCell(column, row));
    ASSERT_EQ(View().CursorHalf(), 1);
    const Image cell = Cell(column, row);
    const Palette palette = ResolvePalette(Style(), View().Appearance());
    const TodayMark mark = palette.TodayMarkUnder(Colour(ViewColor::kHoliday));  // the 30th is a Sunday
    ASSERT_TRUE(mark.ring.has_value());
    EXPECT_EQ(cell.ReadPixel(1, 1), Colour(ViewColor::kBackground));  // the upper half: neither
    EXPECT_EQ(cell.ReadPixel(1, 19), *mark.ring);                     // the lower half: today
    EXPECT_EQ(cell.ReadPixel(3, 25), palette.MarkOn(palette.Color(PaintColor::kSelection), mark.fill));  // the frame
    for (const FontSpec& font : glyphs_.fonts) EXPECT_EQ(font.size, Style().FontSize(FontRole::kSmall));
}

TEST_F(SplitPainting, TwoMonthsDimOtherMonthsButNotTheirMemoLines) {
    View().SetRowsStyle(kTwoMonths);
    View().SetNeighbourDays(true);
    View().Memos().SetMemo(CalDate(2025, 2, 26), "before");
    const auto [column, row] = CellOf(CalDate(2025, 2, 26));
    const Image cell = Cell(column, row);
    const PixelColor number = Colour(ViewColor::kNormalDay);
    // The small font's glyph: full coverage gives half the colour, not the colour.
    bool exact = false, dimmed = false;
    for (int y = 0; y < 28; ++y) {
        for (int x = 0; x < 48; ++x) {
            exact = exact || cell.ReadPixel(x, y) == number;
            dimmed = dimmed || (cell.ReadPixel(x, y).red > number.red && cell.ReadPixel(x, y).red < 200);
        }
    }
    EXPECT_FALSE(exact);
    EXPECT_TRUE(dimmed);
    EXPECT_EQ(cell.ReadPixel(24, 30), number);  // the memo line is opaque
}

// The whole window painted with the view's caches and without them, in views of every
// kind: the same pixels, cold and warm, while the glyph source is asked less.
TEST(PaintingWithCaches, PaintsWhatPaintingWithoutThemPaints) {
    struct Case {
        const char* name;
        CalDate today;
        std::function<void(TestView&)> prepare;
    } cases[] = {
        {"default", CalDate(2024, 5, 15), [](TestView& view) { view.Memos().SetMemo(CalDate(2024, 5, 21), "x"); }},
        {"emphasis", CalDate(2024, 5, 15),
         [](TestView& view) { view.ChangeStyle([](ViewStyle& s) { s.emphasis = true; }); }},
        {"split", CalDate(2025, 3, 30), [](TestView& view) { view.SelectDate(CalDate(2025, 3, 31)); }},
        {"two months", CalDate(2025, 3, 12),
         [](TestView& view) {
             view.SetRowsStyle(kTwoMonths);
             view.SetNeighbourDays(true);
         }},
        {"count-down", CalDate(2024, 5, 1),
         [](TestView& view) {
             view.ChangeStyle([](ViewStyle& s) { s.countDown = {true, CalDate(2024, 5, 20), -10, 5}; });
         }},
        {"pressed", CalDate(2024, 5, 15),
         [](TestView& view) {
             const auto margins = view.Layout().margins;
             view.PointerMoved(margins[0] + 10, margins[1] + 10);
             view.SetPressed(true);
         }},
        {"right footer", CalDate(2024, 5, 15),
         [](TestView& view) {
             view.SetDesign({kLeftTwoLines, kShowWeekdayIndexWithWeekNumber, kSixLines, kRightFourLines});
             view.SelectDate(CalDate(2024, 5, 5));
         }},
    };
    for (const Case& c : cases) {
        FixedToday clock(c.today);
        ScopedPlatform scope(clock);
        struct Prepared {
            std::unique_ptr<TestView> view = std::make_unique<TestView>();
            PaintCaches caches;
        };
        auto paint = [&](Prepared& prepared, FakeGlyphSource& glyphs) {
            CalendarPainter painter(*prepared.view, glyphs, prepared.caches);
            Image window;
            window.Create(painter.PaintedArea().right, painter.PaintedArea().bottom, false, 24);
            ImageTarget target(window);
            painter.PaintAll(target);
            return window;
        };
        auto prepared = [&](bool caching) {
            auto made = std::make_unique<Prepared>();
            made->caches.SetCaching(caching);
            made->view->CompileScript(
                "#weekday 0 (3)\n#weekday 6 (2)\nm5 d3 (4) \"Kenpo\"\nm5 d5 (5)\nm?a1 :+0900 d?a1 :+0900 (4)\n");
            made->view->SelectDate(c.today);
            c.prepare(*made->view);
            return made;
        };
        FakeGlyphSource plain, behind;
        plain.patterned = behind.patterned = true;
        // The reference is painted with every cache off, the lunisolar memo as well.
        const bool memoWasOn = LunisolarMemoOn();
        SetLunisolarMemo(false);
        auto direct = prepared(false);
        const Image expected = paint(*direct, plain);
        SetLunisolarMemo(memoWasOn);
        ThisThreadsLunarQuarterMemo().Clear();
        auto cached = prepared(true);
        const Image cold = paint(*cached, behind);
        const size_t coldCodes = behind.codes.size(), coldExtents = behind.measured.size();
        const Image warm = paint(*cached, behind);
        for (const Image* image : {&cold, &warm}) {
            ASSERT_EQ(image->Width(), expected.Width()) << c.name;
            ASSERT_EQ(image->Height(), expected.Height()) << c.name;
            for (int y = 0; y < expected.Height(); ++y) {
                for (int x = 0; x < expected.Width(); ++x) {
                    ASSERT_EQ(image->ReadPixel(x, y), expected.ReadPixel(x, y))
                        << c.name << (image == &cold ? " cold" : " warm") << " at " << x << "," << y;
                }
            }
        }
        EXPECT_LT(coldCodes, plain.codes.size()) << c.name;
        EXPECT_LT(coldExtents, plain.measured.size()) << c.name;
        EXPECT_EQ(behind.codes.size(), coldCodes) << c.name;  // warm: nothing asked again
        EXPECT_EQ(behind.measured.size(), coldExtents) << c.name;
        EXPECT_EQ(plain.released, 0) << c.name;
        EXPECT_EQ(behind.released, 1) << c.name;  // the first paint found the cache empty
    }
}

TEST_F(Painting, OtherFontSettingsAndReleasedBuffersStartAgain) {
    glyphs_.patterned = true;
    Window(nullptr);
    const size_t asked = glyphs_.codes.size();
    Window(nullptr);
    EXPECT_EQ(glyphs_.codes.size(), asked);
    EXPECT_EQ(glyphs_.released, 1);
    struct Change {
        const char* what;
        std::function<void(TestView&, PaintCaches&)> apply;
    } changes[] = {
        {"medium size",
         [](TestView& view, PaintCaches&) {
             view.ChangeStyle([](ViewStyle& s) { s.SetFontSize(FontRole::kMedium, 20); });
         }},
        {"face", [](TestView& view, PaintCaches&) { view.ChangeStyle([](ViewStyle& s) { s.fontFace = "Other"; }); }},
        {"released buffers", [](TestView&, PaintCaches& caches) { caches.Release(); }},
    };
    for (const Change& change : changes) {
        Window(nullptr);  // warm
        const size_t before = glyphs_.codes.size();
        const int released = glyphs_.released;
        Window(nullptr);
        EXPECT_EQ(glyphs_.codes.size(), before) << change.what;
        change.apply(View(), caches_);
        const Image window = Window(nullptr);
        EXPECT_GT(glyphs_.codes.size(), before) << change.what;  // asked again
        EXPECT_EQ(glyphs_.released, released + 1) << change.what;
        // And what it paints is what a view without caches paints.
        PaintCaches none;
        none.SetCaching(false);
        FakeGlyphSource plain;
        plain.patterned = true;
        CalendarPainter painter(View(), plain, none);
        Image expected;
        expected.Create(window.Width(), window.Height(), false, 24);
        StoreRect(expected, {0, 0, expected.Width(), expected.Height()}, kMagenta);
        ImageTarget target(expected);
        painter.PaintAll(target);
        for (int y = 0; y < window.Height(); ++y) {
            for (int x = 0; x < window.Width(); ++x) {
                ASSERT_EQ(window.ReadPixel(x, y), expected.ReadPixel(x, y)) << change.what << " " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace tavoli
