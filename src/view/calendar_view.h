// The calendar view: the grid of cells of the chosen design, the region and date of
// every cell, the cursor, the shown month, and the texts of header, footer and title.
// Painting reads all of this; nothing here draws.
#pragma once

#include <array>
#include <cstdint>
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
#include "view/grid_layout.h"
#include "view/image.h"
#include "view/month_views.h"

namespace tavoli {

constexpr PackedTag kRegionHead = PackTag("head");
constexpr PackedTag kRegionDate = PackTag("date");
constexpr PackedTag kRegionBlank = PackTag("blnc");
constexpr PackedTag kRegionFoot = PackTag("foot");

// The cell under the pointer or the keys: column, row (−1 for none) and the half of a
// split cell (0 upper, 1 lower).
struct Cursor {
    int column = -1, row = -1, half = 0;
    bool operator==(const Cursor& o) const = default;
};

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

// The templates of header and footer: format.txt's non-empty lines over the program's own.
struct Templates {
    std::array<std::string, 4> header, footer;
};
Templates TemplatesOf(const std::vector<std::string>& formatLines);

class CalendarView {
public:
    // Today's month, laid out from the document's settings. The view renders the document,
    // which must outlive it, and follows its changes by itself: its layout, templates and
    // footer are made again at the first question after the document changed.
    explicit CalendarView(const CalendarDocument& document);

    const CalendarDocument& Document() const { return document_; }
    const SettingsRecord& Settings() const { return document_.Settings(); }
    const ViewStyle& Style() const { return document_.Settings().style; }

    // What the system says about colours; painting takes its palette from this and the
    // settings.
    void SetAppearance(const SystemAppearance& appearance) { appearance_ = appearance; }
    const SystemAppearance& Appearance() const { return appearance_; }

    // The grid of the settings at the view's DPI.
    const GridLayout& Layout() const;
    // The room the window's client area may take on its monitor; a view of several months
    // shrinks to fit it (empty: no limit).
    void SetWorkArea(Size room);

    // The display's pixels per inch (clamped to 48 … 960). Cell size, margins, font
    // sizes and the background picture stay in 96-DPI units; what the view lays out and
    // paints is scaled by DPI / 96.
    void SetDpi(int dpi);
    int Dpi() const { return dpi_; }

    const std::array<std::string, 4>& HeaderFormats() const { return Texts().header; }
    const std::array<std::string, 4>& FooterFormats() const { return Texts().footer; }

    // The shown month: years stay in 1 … 3999.
    void StepMonth(int delta);
    void SetMonth(int year, int month);
    int ShownYear() const { return shownYear_; }
    int ShownMonth() const { return shownMonth_; }
    CalDate FirstOfShownMonth() const { return CalDate(shownYear_, shownMonth_, 1); }
    // A view of several months keeps the shown month at its place among them (the middle
    // of three, the first of six, in its year of twelve): the first month it shows, and
    // its blocks from there. One or two months start with the shown month.
    std::pair<int, int> FirstMonth() const;
    MonthBlocks Blocks() const;
    // The months the wheel and the header buttons step: the view's own size from three
    // months on (a year view steps a year), one otherwise.
    int ViewStep() const;
    // In a view of several months, the first of the month whose title is under the
    // cursor; null elsewhere.
    CalDate MonthTitleAtCursor() const;
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
    const Cursor& GetCursor() const { return cursor_; }
    int CursorColumn() const { return cursor_.column; }
    int CursorRow() const { return cursor_.row; }
    int CursorHalf() const { return cursor_.half; }

    CellClass ClassifyCell(int column, int row, int half) const;
    CellClass HitTest() const { return ClassifyCell(cursor_.column, cursor_.row, cursor_.half); }
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

    const std::vector<std::string>& FooterLines() const;
    // A day's appointments, those of every shown day expanded at once.
    const std::vector<DayAppointment>& AppointmentsOn(CalDate date, bool texts = true) const;
    // The tip over the day under the cursor: its memos whole, then its appointments, a line
    // each (empty: none).
    std::string DayTipText() const;
    // The texts of header and footer for the current state.
    std::vector<TextBox> TextBoxes() const;
    // A template applied to a date with the era list of the settings.
    std::string Format(const std::string& templ, CalDate date) const;

private:
    // The layout, templates and footer made again when the document changed.
    void Sync() const;
    const Templates& Texts() const;
    void UpdateFooterLines() const;
    void ScaleBackground();
    // Puts the cursor on the date's cell (or half) of the grid as it is; false, and no
    // cursor, when the grid shows no date cell for it.
    bool PlaceCursorOn(CalDate date);
    // A view of several months brought to start at this month.
    void ShowFirst(std::pair<int, int> first);
    CellClass ClassifyBlockCell(int column, int row) const;

    const CalendarDocument& document_;
    int shownYear_ = 2000, shownMonth_ = 1;
    CalDate today_;
    Cursor cursor_;
    bool pressed_ = false;
    int dpi_ = kBaseDpi;
    Size workArea_;
    SystemAppearance appearance_;
    BackgroundImage background_;
    Image scaledPicture_;  // the background at the DPI; empty at 96
    int backgroundWidth_ = 0, backgroundHeight_ = 0;
    std::string hoverFormat_;

    // Made from the document, and again when it changed (its generation) or the DPI did.
    mutable uint64_t syncedGeneration_ = ~uint64_t{0};
    mutable Size syncedWorkArea_;
    mutable GridLayout layout_;
    mutable Templates templates_;
    mutable std::vector<std::string> footerLines_;
};

// The word of a blank-separated list, counted from 0; empty when there is none.
std::string WordOf(const std::string& list, int index);

}  // namespace tavoli
