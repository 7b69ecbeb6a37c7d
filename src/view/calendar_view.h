// The calendar view: the grid of cells of the chosen design, the region and date of
// every cell, the cursor, the shown month, and the texts of header, footer and title.
// Painting reads all of this; nothing here draws.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "calendar/cal_date.h"
#include "document/calendar_document.h"
#include "framework/geometry.h"
#include "framework/lang_text.h"
#include "framework/pixel_color.h"
#include "settings/design.h"
#include "settings/palette.h"
#include "settings/view_style.h"
#include "view/background_image.h"
#include "view/image.h"

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
    // Today's month, laid out from the document's settings. The view renders the document,
    // which must outlive it.
    explicit CalendarView(const CalendarDocument& document);

    // The document's settings, script or templates changed: the grid is laid out again
    // (once) and the footer lines recomputed; the shown month and the cursor stay.
    void SettingsChanged();
    const CalendarDocument& Document() const { return document_; }
    const SettingsRecord& Settings() const { return document_.settings; }
    const ViewStyle& Style() const { return document_.settings.style; }

    // What the system says about colours; painting takes its palette from this and the
    // settings.
    void SetAppearance(const SystemAppearance& appearance) { appearance_ = appearance; }
    const SystemAppearance& Appearance() const { return appearance_; }

    // The design as laid out (styles out of range read as 0).
    const Design& GetDesign() const { return grid_.design; }

    // Grid metrics.
    int DateRows() const { return grid_.dateRows; }
    int LeftColumns() const { return grid_.leftColumns; }
    int TopRows() const { return grid_.topRows; }
    int RightColumns() const { return grid_.rightColumns; }
    int BottomRows() const { return grid_.bottomRows; }
    int TotalColumns() const { return grid_.leftColumns + 7 + grid_.rightColumns; }
    int TotalRows() const { return grid_.topRows + grid_.dateRows + grid_.bottomRows; }
    bool WeekNumbersShown() const {
        return grid_.design.weekday == kShowWeekdayIndexWithWeekNumber ||
               grid_.design.weekday == kHideWeekdayIndexWithWeekNumber;
    }
    bool WeekdayIndexShown() const {
        return grid_.design.weekday == kShowWeekdayIndex || grid_.design.weekday == kShowWeekdayIndexWithWeekNumber;
    }

    // Cell size (each 8 … 256) and margins in pixels of a 100 % display, as stored.
    Size CellSize() const { return grid_.cellSize; }
    std::array<int, 4> Margins() const { return Settings().margins; }

    // The display's pixels per inch (clamped to 48 … 960). Cell size, margins, font
    // sizes and the background picture stay in 96-DPI units; what the view lays out and
    // paints is scaled by DPI / 96.
    void SetDpi(int dpi);
    int Dpi() const { return dpi_; }
    // A 96-DPI length in pixels at the view's DPI.
    int Scaled(int length) const { return ScaleToDpi(length, dpi_); }
    Size CellPixels() const { return {Scaled(grid_.cellSize.width), Scaled(grid_.cellSize.height)}; }
    // Each within ±2^24 pixels, so that sums of margins and cells stay within an int.
    std::array<int, 4> MarginPixels() const { return MarginsAt(dpi_); }
    int FirstDayOfWeek() const { return grid_.firstDayOfWeek; }
    int BaseDayOfWeek() const { return Settings().baseDayOfWeek; }
    bool NeighbourDays() const { return Settings().neighbourDays; }
    bool Clock() const { return Settings().clock; }

    // The templates: the program's own, where format.txt has no line for them.
    const std::array<std::string, 4>& HeaderFormats() const { return headerFormats_; }
    const std::array<std::string, 4>& FooterFormats() const { return footerFormats_; }

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
    // The arrows: the cursor's day moves by dx days and dy weeks (from no day, the cursor
    // goes to the middle cell). A day the grid does not show as a date brings its month
    // into view; the two-month view steps by one month at its ends. True when the shown
    // month changed.
    bool MoveCursor(int dx, int dy);
    // PageUp and PageDown: the shown month steps by delta months and the cursor's day
    // with it, its day of the month kept (cut to the month's length).
    void StepMonthWithCursor(int delta);
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
    // The shown month as eight lines of text, the week starting on Sunday.
    std::vector<std::string> MonthAsText() const;
    // The texts of header and footer for the current state.
    std::vector<TextBox> TextBoxes() const;

    // Recomputes the footer lines from the cursor (after the script or memos changed).
    void UpdateFooterLines();
    // A template applied to a date with the era list of the settings.
    std::string Format(const std::string& templ, CalDate date) const;

private:
    // What the settings make of the grid: the design and its rows and columns.
    struct Grid {
        Design design;
        int dateRows = 5, leftColumns = 0, topRows = 2, rightColumns = 0, bottomRows = 2;
        Size cellSize{48, 36};
        int firstDayOfWeek = 0;
    };

    void ScaleBackground();
    std::array<int, 4> MarginsAt(int dpi) const;
    // Puts the cursor on the date's cell (or half) of the grid as it is; false, and no
    // cursor, when the grid shows no date cell for it.
    bool PlaceCursorOn(CalDate date);
    // A name list of the settings, or the program's own when it is empty.
    std::string NamesOr(const std::string& names, const char* defaults) const;

    const CalendarDocument& document_;
    Grid grid_;
    int shownYear_ = 2000, shownMonth_ = 1;
    CalDate today_;
    int cursorColumn_ = -1, cursorRow_ = -1, cursorHalf_ = 0;
    bool pressed_ = false;
    int dpi_ = kBaseDpi;
    SystemAppearance appearance_;
    BackgroundImage background_;
    Image scaledPicture_;  // the background at the DPI; empty at 96
    int backgroundWidth_ = 0, backgroundHeight_ = 0;

    std::array<std::string, 4> headerFormats_;
    std::array<std::string, 4> footerFormats_;
    std::string hoverFormat_;
    std::string titleBarFormat_;
    std::vector<std::string> footerLines_;
};

// The word of a blank-separated list, counted from 0; empty when there is none.
std::string WordOf(const std::string& list, int index);

}  // namespace tavoli
