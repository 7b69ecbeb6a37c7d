// The calendar view: the grid of cells of the chosen design, the region and date of
// every cell, the cursor, the shown month, and the texts of header, footer and title.
// Painting reads all of this; nothing here draws.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "calendar/cal_date.h"
#include "framework/geometry.h"
#include "framework/lang_text.h"
#include "framework/pixel_color.h"
#include "holidays/holiday_script.h"
#include "memo/memo_store.h"
#include "settings/design.h"
#include "settings/view_style.h"
#include "view/background_image.h"
#include "view/day_kind_memo.h"
#include "view/glyph_cache.h"
#include "view/text_render.h"

namespace tavoli {

constexpr PackedTag kRegionHead = PackTag("head");
constexpr PackedTag kRegionDate = PackTag("date");
constexpr PackedTag kRegionBlank = PackTag("blnc");
constexpr PackedTag kRegionFoot = PackTag("foot");

struct CellClass {
    PackedTag region = 0;  // 0: outside every region
    CalDate date;          // null: no date
};

// A text of the header or footer: the cells it spans and the cells that paint their
// slice of it, its font and where its colour comes from.
struct TextBox {
    enum class Color { kHeader, kFooter, kWeekdayKind };
    int firstColumn = 0, firstRow = 0, lastColumn = 0, lastRow = 0;  // the box, inclusive
    int paintFirstColumn = 0, paintLastColumn = 0;                   // the columns that draw it
    std::string text;
    FontRole font = FontRole::kSmall;
    Color color = Color::kHeader;
    int weekday = -1;     // kWeekdayKind: the weekday whose kind gives the colour
    bool button = false;  // a navigation button: selection colour and pressed look on the cursor
};

class CalendarView {
public:
    // Today's month, the default design and the defaults of the user's language.
    CalendarView();

    // Design: each setter recomputes the grid and the footer lines.
    void SetDesign(const Design& design);
    void SetHeaderStyle(HeaderStyle style);
    void SetWeekdayStyle(WeekdayStyle style);
    void SetRowsStyle(RowsStyle style);
    void SetFooterStyle(FooterStyle style);
    const Design& GetDesign() const { return design_; }

    // Grid metrics.
    int DateRows() const { return dateRows_; }
    int LeftColumns() const { return leftColumns_; }
    int TopRows() const { return topRows_; }
    int RightColumns() const { return rightColumns_; }
    int BottomRows() const { return bottomRows_; }
    int TotalColumns() const { return leftColumns_ + 7 + rightColumns_; }
    int TotalRows() const { return topRows_ + dateRows_ + bottomRows_; }
    bool WeekNumbersShown() const {
        return design_.weekday == kShowWeekdayIndexWithWeekNumber || design_.weekday == kHideWeekdayIndexWithWeekNumber;
    }
    bool WeekdayIndexShown() const {
        return design_.weekday == kShowWeekdayIndex || design_.weekday == kShowWeekdayIndexWithWeekNumber;
    }

    // Cell size and margins in pixels of a 100 % display, as stored and edited.
    void SetCellSize(int width, int height);  // each clamped to 8 … 256
    Size CellSize() const { return {cellWidth_, cellHeight_}; }
    void SetMargins(int left, int top, int right, int bottom);
    std::array<int, 4> Margins() const { return {marginLeft_, marginTop_, marginRight_, marginBottom_}; }

    // The display's pixels per inch (clamped to 48 … 960). Cell size, margins, font
    // sizes and the background picture stay in 96-DPI units; what the view lays out and
    // paints is scaled by DPI / 96. A change drops the paint buffers.
    void SetDpi(int dpi);
    int Dpi() const { return dpi_; }
    // A 96-DPI length in pixels at the view's DPI.
    int Scaled(int length) const { return ScaleToDpi(length, dpi_); }
    Size CellPixels() const { return {Scaled(cellWidth_), Scaled(cellHeight_)}; }
    // Each within ±2^24 pixels, so that sums of margins and cells stay within an int.
    std::array<int, 4> MarginPixels() const { return MarginsAt(dpi_); }
    void SetFirstDayOfWeek(int weekday);  // taken modulo 7
    int FirstDayOfWeek() const { return firstDayOfWeek_; }
    void SetBaseDayOfWeek(int weekday);
    int BaseDayOfWeek() const { return baseDayOfWeek_; }
    void SetNeighbourDays(bool on);
    bool NeighbourDays() const { return neighbourDays_; }

    // Lines of format.txt: 1–4 replace the header formats, 5–8 the footer formats; an
    // empty line keeps that format. Taken as they stand.
    void SetFormats(const std::vector<std::string>& lines);
    const std::array<std::string, 4>& HeaderFormats() const { return headerFormats_; }
    const std::array<std::string, 4>& FooterFormats() const { return footerFormats_; }
    // Weekday names, month names and era list in the code page; empty keeps the current.
    void SetNames(const std::string& weekdayNames, const std::string& monthNames, const std::string& eraList);
    const std::string& WeekdayNames() const { return weekdayNames_; }
    const std::string& MonthNames() const { return monthNames_; }
    const std::string& EraList() const { return eraList_; }

    // The shown month: years stay in 1 … 3999.
    void StepMonth(int delta);
    void SetMonth(int year, int month);
    int ShownYear() const { return shownYear_; }
    int ShownMonth() const { return shownMonth_; }
    CalDate FirstOfShownMonth() const { return CalDate(shownYear_, shownMonth_, 1); }
    void SelectDate(CalDate date);
    void GoToday();
    CalDate TodayDate() const { return today_; }

    // The cursor: column, row (−1 for none) and half of a split cell.
    bool PointerMoved(int x, int y);
    void SetPressed(bool pressed) { pressed_ = pressed; }
    bool Pressed() const { return pressed_; }
    bool MoveCursor(int dx, int dy);
    bool ClickNavigation();
    int CursorColumn() const { return cursorColumn_; }
    int CursorRow() const { return cursorRow_; }
    int CursorHalf() const { return cursorHalf_; }

    CellClass ClassifyCell(int column, int row, int half) const;
    CellClass HitTest() const { return ClassifyCell(cursorColumn_, cursorRow_, cursorHalf_); }
    // The date of a date column (0 … 6) and date row of the grid.
    CalDate DateAt(int dateColumn, int dateRow) const;
    // Whether a cell of the last date row folds a sixth week into its lower half.
    bool IsSplitCell(int column, int row) const;

    void SetBackgroundImageSize(int width, int height);
    // Loads the background picture for the shown month ("?" in its name stand for the
    // month's digits) when its path changed or when forced, and takes its size.
    ErrorValue UpdateBackground(std::string_view pattern, bool force = false);
    // The background picture as painted: scaled to the DPI by whole source pixels.
    const Image& ShownPicture() const { return dpi_ == kBaseDpi ? background_.Picture() : scaledPicture_; }
    Size ViewSize() const { return ViewSizeAt(dpi_); }
    // The size the view would have at another DPI (a window about to move to another monitor).
    Size ViewSizeAt(int dpi) const;

    const std::vector<std::string>& FooterLines() const { return footerLines_; }
    // The title: the month in the "Title-bar" style, else the application's title; with
    // the clock, the time of `now` follows.
    std::string WindowTitle(const CalDateTime& now) const;
    void SetClock(bool on) { clock_ = on; }
    bool Clock() const { return clock_; }
    // The shown month as eight lines of text, the week starting on Sunday.
    std::vector<std::string> MonthAsText() const;
    // The texts of header and footer for the current state.
    std::vector<TextBox> TextBoxes() const;

    // Colours, fonts, emphasis and the count-down.
    const ViewStyle& Style() const { return style_; }
    ViewStyle& Style() { return style_; }

    // What painting works in: the cell-sized surface, the glyph buffer and what the font
    // engine said about the view's fonts. Painting changes nothing else of the view, so
    // they are reachable from a const view.
    struct PaintBuffers {
        Image cellSurface;
        GlyphBuffer glyphs;
        GlyphCache glyphCache;
    };
    PaintBuffers& Buffers() const { return buffers_; }
    // Frees them all, and the kinds and names kept; the next paint makes them again.
    void ReleaseBuffers() const;

    // The glyph cache and the memo of day kinds and names are on by default; off, every
    // paint asks the font engine and the script again (to compare both ways). Switching
    // empties both.
    void SetCaching(bool on);
    bool Caching() const { return caching_; }

    // Every change of the script goes through here, so reaching it for writing forgets
    // the kinds and names kept.
    HolidayScript& Script() {
        dayKinds_.Clear();
        return script_;
    }
    const HolidayScript& Script() const { return script_; }
    // KindOf and NamesOf of the script, kept for the days around the shown month.
    std::string KindOfDay(CalDate date) const;
    std::vector<NameEntry> NamesOfDay(CalDate date) const;
    MemoStore& Memos() { return memos_; }
    const MemoStore& Memos() const { return memos_; }

    // Recomputes the footer lines from the cursor (after the script or memos changed).
    void UpdateFooterLines();

private:
    void UpdateGrid();
    void ScaleBackground();
    std::array<int, 4> MarginsAt(int dpi) const;
    bool InDateArea(int column, int row) const;
    std::string Format(const std::string& templ, CalDate date) const;

    Design design_;
    int dateRows_ = 5, leftColumns_ = 0, topRows_ = 2, rightColumns_ = 0, bottomRows_ = 2;

    int cellWidth_ = 48, cellHeight_ = 36;
    int marginLeft_ = 4, marginTop_ = 4, marginRight_ = 4, marginBottom_ = 4;
    int shownYear_ = 2000, shownMonth_ = 1;
    CalDate today_;
    int cursorColumn_ = -1, cursorRow_ = -1, cursorHalf_ = 0;
    bool pressed_ = false;
    int firstDayOfWeek_ = 0;
    int baseDayOfWeek_ = 4;
    bool neighbourDays_ = false;
    bool clock_ = false;
    int backgroundWidth_ = 0, backgroundHeight_ = 0;
    int dpi_ = kBaseDpi;
    Image scaledPicture_;  // the background at the DPI; empty at 96

    std::array<std::string, 4> headerFormats_;
    std::array<std::string, 4> footerFormats_;
    std::string hoverFormat_;
    std::string titleBarFormat_;
    std::string weekdayNames_, monthNames_, eraList_;
    std::vector<std::string> footerLines_;

    ViewStyle style_;
    BackgroundImage background_;
    mutable PaintBuffers buffers_;
    bool caching_ = true;

    HolidayScript script_;
    mutable DayKindMemo dayKinds_;
    MemoStore memos_;
};

// The word of a blank-separated list, counted from 0; empty when there is none.
std::string WordOf(const std::string& list, int index);

}  // namespace tavoli
