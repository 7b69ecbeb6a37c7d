// The calendar painted for real: the system's glyphs (the IPA Gothic of the test machines,
// pinned), PaintAll into a DIB section through the device target, compared pixel for
// pixel with committed reference pictures (tests/data/golden/<locale>/<case>.png, turned
// into .bmp by the build). Each case is painted without any cache, then with every cache
// twice (as they fill and once they are full): all three must be the reference. The
// picture painted without caches is written to the build tree; scripts/update-golden
// makes the references anew from those.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "calendar/lunisolar_memo.h"
#include "framework/delegating_platform.h"
#include "framework/lang_text.h"
#include "support/bitmap_writer.h"
#include "support/temp_folder.h"
#include "support/test_view.h"
#include "view/bitmap_file.h"
#include "view/glyph_source_win32.h"
#include "view/image_drawing.h"
#include "view/paint_target_win32.h"
#include "view/painter.h"

namespace tavoli {
namespace {

// Today is pinned (and the zone, for the lunisolar footer).
class PinnedClock : public PinnedZonePlatform {
public:
    explicit PinnedClock(CalDate today) : PinnedZonePlatform(-540), today_(today) {}
    SystemTimeParts LocalTime() const override {
        const CalDateTime moment(today_, TimeOfDay::FromParts(10, 0, 0, 0));
        return moment.ToSystemTime();
    }

private:
    CalDate today_;
};

std::string Locale() { return SystemPlatform().AnsiCodePage() == kCodePageJapanese ? "ja" : "en"; }

// Sundays are holidays, Saturdays semi-holidays; a few named days in the user's language.
std::string GoldenScript() {
    std::string script = "#weekday 0 (3)\n#weekday 6 (2)\n";
    const struct {
        const char* rule;
        const char* name;
    } rules[] = {
        {"m5 d3 (4)", "Constitution Day\tja:憲法記念日"}, {"m5 d5 (4)", "Children's Day\tja:こどもの日"},
        {"m5 d6 (4)", "Substitute holiday\tja:振替休日"}, {"m3 d20 (4)", "Vernal Equinox\tja:春分の日"},
        {"m5 d10 (5)", "Our anniversary\tja:記念日"},     {"m2 d11 (4)", "Foundation Day\tja:建国記念の日"},
    };
    for (const auto& r : rules) script += std::string(r.rule) + " \"" + ResolveText(r.name) + "\"\n";
    return script;
}

// The view as the main window makes it, with the pinned face and the case's changes.
struct GoldenCase {
    const char* name;
    CalDate today;
    std::function<void(TestView&)> prepare;
};

Image Paint(const CalendarView& view, Win32GlyphSource& glyphs, PaintCaches& caches) {
    CalendarPainter painter(view, glyphs, caches);
    const Rect area = painter.PaintedArea();
    Image window;
    window.Create(area.right, area.bottom, false, 24);
    // A DIB section of the same layout as the image, painted through a device context.
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP section =
        CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(window.Info()), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !section || !bits) {
        ADD_FAILURE() << "no DIB section";
        return window;
    }
    HGDIOBJ previous = SelectObject(dc, section);
    DeviceTarget target(dc);
    painter.PaintAll(target);
    GdiFlush();
    std::memcpy(window.Bits(), bits, window.Stride() * static_cast<size_t>(window.Height()));
    SelectObject(dc, previous);
    DeleteObject(section);
    DeleteDC(dc);
    return window;
}

// The first differing pixel and the count, or an empty text when equal.
std::string Difference(const Image& actual, const Image& expected) {
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height()) {
        return "size " + std::to_string(actual.Width()) + "x" + std::to_string(actual.Height()) + " instead of " +
               std::to_string(expected.Width()) + "x" + std::to_string(expected.Height());
    }
    int count = 0;
    std::string first;
    for (int y = 0; y < actual.Height(); ++y) {
        for (int x = 0; x < actual.Width(); ++x) {
            const PixelColor a = actual.ReadPixel(x, y), e = expected.ReadPixel(x, y);
            if (a == e) continue;
            if (count++ == 0) {
                first = "first at (" + std::to_string(x) + ", " + std::to_string(y) +
                        "): " + std::to_string(a.Word() & 0xFFFFFF) + " instead of " +
                        std::to_string(e.Word() & 0xFFFFFF);
            }
        }
    }
    return count == 0 ? std::string() : std::to_string(count) + " pixels differ, " + first;
}

void PrintTo(const GoldenCase& c, std::ostream* out) { *out << c.name; }

class Golden : public testing::TestWithParam<GoldenCase> {};

// Every cache of painting on or off for a scope: the painter's glyph cache and day-kind
// memo, the fonts the glyph source keeps, and this thread's lunisolar memo (emptied).
class Caches {
public:
    explicit Caches(bool on) : wasOn_(LunisolarMemoOn()) {
        SetLunisolarMemo(on);
        ThisThreadsLunarQuarterMemo().Clear();
        glyphs_.SetKeepFonts(on);
        paint_.SetCaching(on);
    }
    ~Caches() { SetLunisolarMemo(wasOn_); }
    Win32GlyphSource& Glyphs() { return glyphs_; }
    PaintCaches& Paint() { return paint_; }

private:
    bool wasOn_;
    Win32GlyphSource glyphs_;
    PaintCaches paint_;
};

TEST_P(Golden, PaintAllMatchesTheReference) {
    const GoldenCase& c = GetParam();
    PinnedClock clock(c.today);
    ScopedPlatform scope(clock);
    Image expected;
    const std::string reference = std::string(TAVOLI_GOLDEN_REFERENCE) + "\\" + Locale() + "\\" + c.name + ".bmp";
    for (const bool cached : {false, true}) {
        Caches caches(cached);
        // The view is made under the caches' state: its footer lines convert dates as it is made.
        TestView view;
        view.ChangeStyle([](ViewStyle& s) { s.fontFace = "IPAGothic"; });
        ASSERT_EQ(view.CompileScript(GoldenScript()), kSuccess);
        view.SelectDate(c.today);
        c.prepare(view);
        for (int pass = 0; pass < (cached ? 2 : 1); ++pass) {
            const Image actual = Paint(view, caches.Glyphs(), caches.Paint());
            // The pictures painted with caches go beside the others, and only when they differ.
            const std::string folder = std::string(TAVOLI_GOLDEN_OUT) + (cached ? "-cached" : "");
            const std::string out = folder + "\\" + Locale();
            const std::string written =
                out + "\\" + c.name + (cached ? "-pass" + std::to_string(pass + 1) : "") + ".bmp";
            auto write = [&] {
                CreateDirectoryA(folder.c_str(), nullptr);
                CreateDirectoryA(out.c_str(), nullptr);
                return WriteBitmapFile(actual, written);
            };
            if (!cached) {
                ASSERT_TRUE(write());
            }
            if (expected.IsEmpty()) {
                ASSERT_EQ(LoadBitmapFile(expected, reference), kSuccess)
                    << "no reference " << reference << "; painted " << written << " (scripts/update-golden)";
            }
            const std::string difference = Difference(actual, expected);
            if (!difference.empty() && cached) write();
            EXPECT_EQ(difference, "") << c.name << (cached ? " with caches, pass " + std::to_string(pass + 1) : "")
                                      << ": painted " << written;
        }
    }
}

// A 200 × 150 picture of colour bands behind the view: smaller than the grid.
void BandsBehind(TestView& view) {
    Image picture;
    picture.Create(200, 150, false, 24);
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
            picture.WritePixel(
                x, y, PixelColor::Rgb(static_cast<uint8_t>(200 + x / 8), static_cast<uint8_t>(220 - y / 3), 240));
        }
    }
    static TempFolder folder;
    const std::string path = folder.Join("bands.bmp");
    ASSERT_TRUE(WriteBitmapFile(picture, path));
    ASSERT_EQ(view.UpdateBackground(path), kSuccess);
}

// May 2024: Constitution and Children's Day, today the 15th, the cursor on the 3rd,
// two memos on the 21st.
void DefaultCase(TestView& view) {
    view.Memos().ReadContents("2024/05/21=dentist\r\n2024/05/21=haircut\r\n2024/05/08=x\r\n");
    view.SelectDate(CalDate(2024, 5, 3));
}

void PressedButton(TestView& view) {
    const auto margins = view.Layout().MarginPixels();
    BandsBehind(view);
    view.PointerMoved(margins[0] + 10, margins[1] + 10);  // "<<", over the picture
    view.SetPressed(true);
}

const GoldenCase kCases[] = {
    {"default", CalDate(2024, 5, 15), DefaultCase},
    // March 2025 begins on a Saturday: the 23rd and 24th split with the 30th and 31st;
    // today is the 30th (a lower half), the cursor on the lower half of the 24th.
    {"five-lines-split", CalDate(2025, 3, 30), [](TestView& view) { view.SelectDate(CalDate(2025, 3, 31)); }},
    // The two-month view with neighbour days: February's and May's days half transparent,
    // their memo lines opaque.
    {"two-months", CalDate(2025, 3, 12),
     [](TestView& view) {
         view.SetRowsStyle(kTwoMonths);
         view.SetNeighbourDays(true);
         view.Memos().ReadContents("2025/02/26=before\r\n2025/04/10=next month\r\n2025/05/03=after\r\n");
         view.SelectDate(CalDate(2025, 3, 20));
     }},
    {"countdown-before", CalDate(2024, 5, 1),
     [](TestView& view) {
         view.ChangeStyle([](ViewStyle& s) { s.countDown = {true, CalDate(2024, 5, 20), -10, 5}; });
     }},
    {"countdown-after", CalDate(2024, 5, 1),
     [](TestView& view) { view.ChangeStyle([](ViewStyle& s) {
                              s.countDown = {true, CalDate(2024, 5, 10), 10, 5};
                          }); }},
    {"emphasis", CalDate(2024, 5, 15),
     [](TestView& view) { view.ChangeStyle([](ViewStyle& s) { s.emphasis = true; }); }},
    {"background-image", CalDate(2024, 5, 15), BandsBehind},
    {"pressed-button", CalDate(2024, 5, 15), PressedButton},
    {"left-two-lines-week-numbers", CalDate(2024, 5, 15),
     [](TestView& view) {
         view.SetDesign({kLeftTwoLines, kShowWeekdayIndexWithWeekNumber, kSixLines, kRightFourLines});
         view.SelectDate(CalDate(2024, 5, 5));
     }},
    // The dark palette and the system's high-contrast colours.
    {"dark", CalDate(2024, 5, 15),
     [](TestView& view) {
         view.ChangeStyle([](ViewStyle& s) { s.theme = Theme::kDark; });
         DefaultCase(view);
     }},
    {"high-contrast", CalDate(2024, 5, 15),
     [](TestView& view) {
         // Windows' "High Contrast Black"
         view.SetAppearance({false,
                             true,
                             {PixelColor::Rgb(0, 0, 0), PixelColor::Rgb(255, 255, 255), PixelColor::Rgb(26, 235, 255),
                              PixelColor::Rgb(0, 0, 0), PixelColor::Rgb(63, 242, 63), PixelColor::Rgb(255, 255, 0)}});
         DefaultCase(view);
     }},
    // At 150 % and 200 % display scaling: every length, font and the picture scaled.
    {"default-144", CalDate(2024, 5, 15),
     [](TestView& view) {
         view.SetDpi(144);
         DefaultCase(view);
     }},
    {"default-192", CalDate(2024, 5, 15),
     [](TestView& view) {
         view.SetDpi(192);
         DefaultCase(view);
     }},
    {"pressed-button-144", CalDate(2024, 5, 15),
     [](TestView& view) {
         view.SetDpi(144);
         PressedButton(view);
     }},
    {"countdown-before-192", CalDate(2024, 5, 1),
     [](TestView& view) {
         view.SetDpi(192);
         view.ChangeStyle([](ViewStyle& s) { s.countDown = {true, CalDate(2024, 5, 20), -10, 5}; });
     }},
};

INSTANTIATE_TEST_SUITE_P(Cases, Golden, testing::ValuesIn(kCases), [](const testing::TestParamInfo<GoldenCase>& info) {
    std::string name = info.param.name;
    for (char& c : name) {
        if (c == '-') c = '_';
    }
    return name;
});

}  // namespace
}  // namespace tavoli
