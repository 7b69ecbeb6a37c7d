// Painting under the real font engine, into an off-screen DIB section. Run by hand in the
// Windows tree (under Wine: scripts/wine-run build/win64/bench/paint_bench.exe):
//   paint_bench.exe               one line per case: its name and the median ms with every
//                                 cache on, with every cache off, and their ratio
//   paint_bench.exe --breakdown   also where the time goes in each case and each way
//   paint_bench.exe --cached      only with the caches (--uncached: only without)
//   paint_bench.exe SCRIPT        another holidays.txt than Japan's
//   paint_bench.exe --set DE-BY   a shipped holiday set (the region's days on the country's)
// The cases named "_events" show a calendar source of 10,000 events (about 150 a day in
// the shown month), expanded once for the shown days as the window does.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "calendar/lunisolar_memo.h"
#include "events/large_calendar.h"
#include "framework/delegating_platform.h"
#include "holidays/day_kinds.h"
#include "holidays/holiday_set.h"
#include "view/glyph_source_win32.h"
#include "view/image_drawing.h"
#include "view/paint_target_win32.h"
#include "view/painter.h"

namespace tavoli {
namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Time spent inside the font engine, split by what was asked.
struct Spent {
    double open = 0, glyphs = 0, extent = 0, blit = 0;
    long opens = 0, glyphCalls = 0, extents = 0, blits = 0;
};

template <class F>
auto Timed(double& total, long& count, F f) {
    const double start = Now();
    auto result = f();
    total += Now() - start;
    ++count;
    return result;
}

class TimedGlyphs : public GlyphSource {
public:
    explicit TimedGlyphs(Spent& spent) : spent_(spent) {}
    bool Open(const FontSpec& font) override {
        return Timed(spent_.open, spent_.opens, [&] { return real_.Open(font); });
    }
    void Close() override {
        long ignored = 0;
        Timed(spent_.open, ignored, [&] {
            real_.Close();
            return true;
        });
    }
    int Descent() override { return real_.Descent(); }
    int64_t GlyphSize(uint32_t code, GlyphMetrics& metrics) override {
        return Timed(spent_.glyphs, spent_.glyphCalls, [&] { return real_.GlyphSize(code, metrics); });
    }
    bool GlyphBitmap(uint32_t code, uint8_t* buffer, size_t size) override {
        return Timed(spent_.glyphs, spent_.glyphCalls, [&] { return real_.GlyphBitmap(code, buffer, size); });
    }
    Size TextExtent(const FontSpec& font, std::string_view text) override {
        return Timed(spent_.extent, spent_.extents, [&] { return real_.TextExtent(font, text); });
    }
    void ReleaseFonts() override {
        long ignored = 0;
        Timed(spent_.open, ignored, [&] {
            real_.ReleaseFonts();
            return true;
        });
    }
    Win32GlyphSource& Real() { return real_; }

private:
    Win32GlyphSource real_;
    Spent& spent_;
};

// The device target, timed: what the blits cost.
class TimedTarget : public PaintTarget {
public:
    TimedTarget(HDC dc, Spent& spent) : real_(dc), spent_(spent) {}
    void PutImage(const Image& image, Point position, const Rect* clip) override {
        Timed(spent_.blit, spent_.blits, [&] {
            real_.PutImage(image, position, clip);
            return true;
        });
    }
    void Fill(const Rect& rect, PixelColor color) override {
        Timed(spent_.blit, spent_.blits, [&] {
            real_.Fill(rect, color);
            return true;
        });
    }

private:
    DeviceTarget real_;
    Spent& spent_;
};

// The language of the formats: English through code page 1252, Japanese through 932.
class LanguagePlatform : public PinnedZonePlatform {
public:
    explicit LanguagePlatform(int codePage) : PinnedZonePlatform(-540), codePage_(codePage) {}
    int AnsiCodePage() const override { return codePage_; }

private:
    int codePage_;
};

// An off-screen DIB section the size of the view.
class Surface {
public:
    explicit Surface(Size size) {
        Image layout;
        layout.Create(size.width, size.height, false, 24);
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        section_ = CreateDIBSection(dc_, reinterpret_cast<const BITMAPINFO*>(layout.Info()), DIB_RGB_COLORS, &bits,
                                    nullptr, 0);
        previous_ = SelectObject(dc_, section_);
    }
    ~Surface() {
        SelectObject(dc_, previous_);
        DeleteObject(section_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HBITMAP section_;
    HGDIOBJ previous_;
};

struct Case {
    std::string name;
    int codePage;
    bool lunisolar;
    bool events;
    // One measured step, given the view, the glyph source and the device.
    std::function<void(CalendarView&, GlyphSource&, PaintCaches&, PaintTarget&, int run)> step;
    RowsStyle rows = kFiveLines;  // a year: on the test display's 1024 × 768, shrunk to fit
};

std::string g_script;
std::string g_set;  // a shipped set instead of g_script

std::string ReadScript(const std::string& path) {
    std::string text;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    std::fclose(file);
    return text;
}

// Every cache on or off: the painter's glyph cache and day-kind memo, the fonts the glyph
// source keeps, and this thread's lunisolar memo (emptied, so each case starts cold).
void UseCaches(PaintCaches& caches, Win32GlyphSource& glyphs, bool on) {
    caches.SetCaching(on);
    glyphs.SetKeepFonts(on);
    SetLunisolarMemo(on);
    ThisThreadsLunarQuarterMemo().Clear();
}

// The median milliseconds of the case.
double Run(const Case& c, bool breakdown, bool cached) {
    LanguagePlatform platform(c.codePage);
    ScopedPlatform scope(platform);
    CalendarDocument document;
    std::vector<std::string> report;
    std::string script = g_script;
    if (c.lunisolar) {
        // Two kinds on lunisolar dates: every date painted then needs its lunisolar date.
        script +=
            "\r\nm?a1 :+0900 d?a1 :+0900 (5) \"\x8b\x8c\x90\xb3\x8c\x8e\"\r\n"
            "m?a8 :+0900 d?a15 :+0900 (5) \"\x92\x86\x8f\x48\"\r\n";
    }
    HolidayScript compiled;
    if (!g_set.empty()) {
        // The lunisolar rules, if any, lie on the set as the user's own script would.
        HolidayScript set, own;
        if (CompileHolidaySet(TAVOLI_SOURCE_DIR "/dist/holidays", g_set, set, report) != kSuccess ||
            own.Compile(script.substr(g_script.size()), report) != kSuccess) {
            std::fprintf(stderr, "%s: the set %s does not compile\n", c.name.c_str(), g_set.c_str());
        }
        compiled = HolidayScript::Composed({&own, &set});
    } else if (compiled.Compile(script, report) != kSuccess) {
        std::fprintf(stderr, "%s: the script does not compile: %s\n", c.name.c_str(),
                     report.empty() ? "" : report[0].c_str());
    }
    document.SetScript(std::move(compiled));
    if (c.events) {
        LoadedSource source;
        source.source.color = 0x00D47800;
        IcsProblem failure;
        ReadIcs(LargeCalendar(), source.calendar, failure);
        document.SetSources({std::move(source)});
    }
    document.EditSettings([&](SettingsRecord& settings) { settings.design.rows = c.rows; });
    CalendarView view(document);
    view.SetWorkArea({1016, 730});  // 1024 × 768 less a frame
    PaintCaches caches;
    view.SetMonth(2024, 5);
    view.SelectDate(CalDate(2024, 5, 15));
    Surface surface(view.ViewSize());
    Spent spent;
    TimedGlyphs glyphs(spent);
    TimedTarget target(surface.Dc(), spent);
    UseCaches(caches, glyphs.Real(), cached);
    for (int warm = 0; warm < 3; ++warm) c.step(view, glyphs, caches, target, warm);
    spent = Spent();
    std::vector<double> times;
    const double budget = Now() + 3000;
    for (int run = 0; run < 2000 && (run < 15 || Now() < budget); ++run) {
        const double start = Now();
        c.step(view, glyphs, caches, target, run);
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    if (breakdown) {
        std::printf("%s, caches %s: median %.3f ms over %zu runs\n", c.name.c_str(), cached ? "on" : "off", median,
                    times.size());
        double total = 0;
        for (double t : times) total += t;
        const double runs = static_cast<double>(times.size());
        std::printf(
            "  per run: %.3f ms; font engine: DC+font %.3f ms (%ld opens), glyphs %.3f ms (%ld calls), "
            "extents %.3f ms (%ld); blits %.3f ms (%ld); the rest (texts, day kinds, glyph lookups, blending) "
            "%.3f ms\n",
            total / runs, spent.open / runs, static_cast<long>(spent.opens / runs), spent.glyphs / runs,
            static_cast<long>(spent.glyphCalls / runs), spent.extent / runs, static_cast<long>(spent.extents / runs),
            spent.blit / runs, static_cast<long>(spent.blits / runs),
            (total - spent.open - spent.glyphs - spent.extent - spent.blit) / runs);
        // The view's own work without painting: the footer lines (formats, names, memo) of
        // one pointer move, and the day kinds of a month.
        const Rect first = view.Layout().CellRect(view.Layout().leftColumns + 1, view.Layout().topRows + 1);
        const Rect second = view.Layout().CellRect(view.Layout().leftColumns + 2, view.Layout().topRows + 1);
        const double textsStart = Now();
        for (int i = 0; i < 20; ++i) {
            const Rect& cell = i % 2 == 0 ? first : second;  // another day each time
            view.PointerMoved(cell.left + 1, cell.top + 1);
        }
        const double texts = (Now() - textsStart) / 20;
        const double kindsStart = Now();
        for (int i = 0; i < 20; ++i) {
            CalendarPainter painter(view, glyphs, caches);
            for (int d = 0; d < 35; ++d) {
                const CalDate date = view.DateAt(d % 7, d / 7);
                painter.KindOfDay(date);
            }
        }
        const double kinds = (Now() - kindsStart) / 20;
        const double boxesStart = Now();
        for (int i = 0; i < 20; ++i) view.TextBoxes();
        const double boxes = (Now() - boxesStart) / 20;
        std::printf(
            "  the view alone: footer lines %.3f ms, day kinds of 35 days %.3f ms, header and footer texts of a "
            "pass %.3f ms\n",
            texts, kinds, boxes);
        if (cached) {
            std::printf("  kept: %zu fonts with device contexts, %zu bytes of glyphs and extents\n",
                        glyphs.Real().KeptFonts(), caches.glyphCache.Bytes());
        }
    }
    return median;
}

}  // namespace
}  // namespace tavoli

int main(int argc, char** argv) {
    using namespace tavoli;
    bool breakdown = false, withCaches = true, withoutCaches = true;
    std::string scriptPath = std::string(TAVOLI_SOURCE_DIR) + "/dist/holidays/JP.txt";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--breakdown") breakdown = true;
        else if (arg == "--cached") withoutCaches = false;
        else if (arg == "--uncached") withCaches = false;
        else if (arg == "--set" && i + 1 < argc) g_set = argv[++i];
        else scriptPath = arg;
    }
    g_script = ReadScript(scriptPath);
    if (g_script.empty()) {
        std::fprintf(stderr, "paint_bench: cannot read %s\n", scriptPath.c_str());
        return 2;
    }
    auto paintAll = [](CalendarView& view, GlyphSource& glyphs, PaintCaches& caches, PaintTarget& target, int) {
        CalendarPainter painter(view, glyphs, caches);
        painter.PaintAll(target);
    };
    // What one pointer move repaints: the old cell, the new one and the footer.
    auto hover = [](CalendarView& view, GlyphSource& glyphs, PaintCaches& caches, PaintTarget& target, int run) {
        const int oldColumn = view.CursorColumn(), oldRow = view.CursorRow();
        const GridLayout& layout = view.Layout();
        const int top = layout.SeveralMonths() ? layout.blocks.headRows : layout.topRows;
        const int column = layout.leftColumns + layout.blocks.weekColumns + 1 + run % 5, row = top + 1 + run % 3;
        const Rect cell = layout.CellRect(column, row);
        view.PointerMoved(cell.left + 5, cell.top + 5);
        CalendarPainter painter(view, glyphs, caches);
        painter.PaintCell(target, oldColumn, oldRow);
        painter.PaintCell(target, column, row);
        painter.PaintFooter(target);
    };
    const Case cases[] = {
        {"paint_all_en", kCodePageWestern, false, false, paintAll},
        {"paint_all_ja", kCodePageJapanese, false, false, paintAll},
        {"paint_all_ja_lunisolar", kCodePageJapanese, true, false, paintAll},
        {"paint_all_ja_events", kCodePageJapanese, false, true, paintAll},
        {"hover_ja", kCodePageJapanese, true, false, hover},
        {"hover_ja_events", kCodePageJapanese, true, true, hover},
        {"paint_all_ja_year", kCodePageJapanese, false, false, paintAll, kTwelveMonths},
        {"hover_ja_year", kCodePageJapanese, true, false, hover, kTwelveMonths},
        {"paint_cell", kCodePageJapanese, false, false,
         [](CalendarView& view, GlyphSource& glyphs, PaintCaches& caches, PaintTarget& target, int) {
             CalendarPainter painter(view, glyphs, caches);
             painter.PaintCell(target, 3, view.Layout().topRows + 2);
         }},
        {"draw_text_ja10", kCodePageJapanese, false, false,
         [](CalendarView& view, GlyphSource& glyphs, PaintCaches& caches, PaintTarget&, int) {
             static Image image;
             if (image.IsEmpty()) image.Create(200, 40, false, 24);
             // 令和六年五月十五日水 in Shift_JIS.
             static const std::string text =
                 "\x97\xdf\x98\x61\x98\x5a\x94\x4e\x8c\xdc\x8c\x8e\x8f\x5c\x8c\xdc\x93\xfa\x90\x85";
             // Through the glyph cache when it caches, as the painter draws.
             CachedGlyphSource cached(caches.glyphCache, glyphs);
             DrawText(caches.caching ? static_cast<GlyphSource&>(cached) : glyphs, image, {0, 0}, text, caches.glyphs,
                      nullptr, PixelColor::Rgb(0, 0, 0), view.Style().Font(FontRole::kSmall));
         }},
    };
    // The table comes last with --breakdown, after the details of each run.
    std::vector<std::string> lines = {"case\tcached ms\tuncached ms\tuncached/cached"};
    if (!breakdown) std::printf("%s\n", lines[0].c_str());
    auto figure = [](bool measured, double ms) {
        char text[32] = "-";
        if (measured) std::snprintf(text, sizeof text, "%.3f", ms);
        return std::string(text);
    };
    for (const Case& c : cases) {
        const double cached = withCaches ? Run(c, breakdown, true) : 0;
        const double uncached = withoutCaches ? Run(c, breakdown, false) : 0;
        std::string line = c.name + "\t" + figure(withCaches, cached) + "\t" + figure(withoutCaches, uncached) + "\t";
        if (withCaches && withoutCaches && cached > 0) {
            char ratio[32];
            std::snprintf(ratio, sizeof ratio, "%.1f", uncached / cached);
            line += ratio;
        } else {
            line += "-";
        }
        if (!breakdown) std::printf("%s\n", line.c_str());
        lines.push_back(line);
    }
    if (breakdown) {
        for (const std::string& line : lines) std::printf("%s\n", line.c_str());
    }
    return 0;
}
