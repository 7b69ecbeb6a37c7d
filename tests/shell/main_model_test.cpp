// The main window's behaviour without a window: what each event asks of the window.
#include "shell/main_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>

#include "framework/delegating_platform.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "holidays/day_trace.h"
#include "settings/settings_text.h"
#include "shell/startup.h"
#include "shell/window_placement.h"
#include "support/file_contents.h"
#include "support/map_settings_store.h"
#include "support/temp_folder.h"
#include "support/test_platform.h"
#include "view/accessible_tree.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

// Records what the model asks; dialogs answer from the fields.
class RecordingHost : public WindowPort, public TimerPort, public SystemPort, public ReaderPort, public DialogPort {
public:
    void SetTitle(const std::string& title) override { Log("title " + title); }
    void ResizeClient(Size size) override {
        Log("resize " + std::to_string(size.width) + "x" + std::to_string(size.height));
        windowRect.right = windowRect.left + size.width;  // no frame
        windowRect.bottom = windowRect.top + size.height;
    }
    void RepaintAll() override { Log("paint all"); }
    void RepaintCell(int column, int row) override {
        Log("paint " + std::to_string(column) + "," + std::to_string(row));
    }
    void RepaintFooter() override { Log("paint footer"); }
    void DropPaintCaches() override { Log("drop caches"); }
    void StartTimer() override { Log("timer on"); }
    void StopTimer() override { Log("timer off"); }
    // Kept apart from the log: every show and hide watches anew.
    void WatchFolders(const std::vector<std::string>& folders) override { watched = folders; }
    void StartReloadTimer(int milliseconds) override { reloadTimer = milliseconds; }
    void StopReloadTimer() override { reloadTimer = 0; }
    uint32_t Milliseconds() override { return ticks; }
    bool IsVisible() override { return visible; }
    void Hide() override {
        visible = false;
        Log("hide");
    }
    void ShowAndActivate() override {
        visible = true;
        Log("show");
    }
    void Destroy() override { Log("destroy"); }
    void SendClose() override { Log("send close"); }
    void PostCommand(CommandId id) override { Log("post " + std::to_string(IdNumber(id))); }
    Point WindowPosition() override { return {11, 22}; }
    Rect WindowRect() override { return windowRect; }
    Size FrameExtra() override { return {}; }
    std::vector<Rect> MonitorWorkAreas() override { return monitors; }
    Point PointerPosition() override { return pointer; }
    void MoveWindow(Point p) override { Log("move " + std::to_string(p.x) + "," + std::to_string(p.y)); }
    void SetTranslucency(int t) override { Log("translucency " + std::to_string(t)); }
    PixelColor SystemWindowColor() override { return PixelColor::Rgb(255, 255, 255); }
    SystemAppearance Appearance() override { return appearance; }
    void SetDarkTitleBar(bool dark) override {  // logged as the window acts: on a change
        if (dark != darkTitleBar) Log(dark ? "title bar dark" : "title bar light");
        darkTitleBar = dark;
    }
    int Dpi() override { return dpi; }
    void AccessibleFocus(int child) override { told.push_back("focus " + std::to_string(child)); }
    void AccessibleNameChanged(int child) override { told.push_back("name " + std::to_string(child)); }
    void ShowContextMenu(Point p, const CommandState& s) override {
        state = s;
        Log("menu " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    void PutOnClipboard(const std::string& text) override { clipboard = text; }
    void OpenHelp() override { Log("help"); }
    SettingsStore& Store() override { return store; }
    bool RunJumpDialog(int& year, int& month) override {
        Log("jump " + std::to_string(year) + "/" + std::to_string(month));
        year = jumpTo[0];
        month = jumpTo[1];
        return answer;
    }
    bool RunSearchDialog(const MemoStore& memos, CalDate& chosen) override {
        Log("search " + std::to_string(memos.Count()));
        chosen = searchChoice;
        return answer;
    }
    bool RunMemoDialog(const std::string& prompt, MemoEdit& memo) override {
        Log("memo " + prompt + " [" + memo.text + "]");
        memo.text = memoText;
        return answer;
    }
    bool RunCountDownDialog(CountDown& countDown) override {
        Log(std::string("counter ") + (countDown.shown ? "ticked" : "clear"));
        countDown.range = -7;
        return answer;
    }
    void RunAboutDialog() override { Log("about"); }
    void RunDayTraceDialog(const std::vector<std::string>& lines) override { trace = lines; }
    void ShowScriptError(const std::string& text) override { Log("error " + text); }
    void CloseScriptError() override { Log("close error"); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool RunOptionsDialog(SettingsRecord& settings, const MemoStore&) override {
        if (editOptions) editOptions(settings);
        return optionsOk;
    }

    void Log(const std::string& line) { log.push_back(line); }
    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(log);
        return taken;
    }

    std::vector<std::string> log;
    std::vector<std::string> told;      // what screen readers were told, apart from the log
    std::vector<std::string> messages;  // the messages shown, apart from the log too
    bool visible = true;
    CommandState state;
    std::string clipboard;
    MapStore store;
    bool answer = true;
    int dpi = 96;
    Rect windowRect{11, 22, 361, 372};
    std::vector<Rect> monitors;
    Point pointer{500, 400};
    int jumpTo[2] = {2030, 7};
    std::string memoText = "typed";
    CalDate searchChoice;
    SystemAppearance appearance;
    bool darkTitleBar = false;
    std::vector<std::string> watched, trace;
    int reloadTimer = 0;  // the reload timer's delay while it is set
    uint32_t ticks = 0;
    bool optionsOk = false;
    std::function<void(SettingsRecord&)> editOptions;
};

class Model : public testing::Test {
protected:
    Model() : scope_(clock_), settings_(Paths()), model_(MainPorts{host_, host_, host_, host_, host_}, settings_) {
        WriteWholeFile(folder_.Join("holidays.txt"), "#weekday 0 (3)\r\n");
        model_.OnShow();
        host_.Take();
    }
    SettingsPaths Paths() {
        SettingsPaths paths;
        paths.userScript = folder_.Join("holidays.txt");
        paths.allUsersScript = folder_.Join("none.txt");
        paths.formatFile = folder_.Join("format.txt");
        paths.memoFile = folder_.Join("memo.txt");
        paths.setsFolder = folder_.Join("sets");
        paths.calendarsFolder = folder_.Join("calendars");  // missing but in one test
        return paths;
    }
    CalendarView& View() { return *model_.View(); }
    // The middle of a cell.
    Point CellMiddle(int column, int row) {
        const auto margins = View().Layout().margins;
        return {margins[0] + column * 48 + 24, margins[1] + row * 36 + 18};
    }
    void PointAt(int column, int row) {
        model_.OnMouseMove(CellMiddle(column, row).x, CellMiddle(column, row).y);
        host_.Take();
    }
    void PointAtDate(CalDate date) {
        View().SelectDate(date);
        PointAt(View().CursorColumn(), View().CursorRow());
    }
    std::string ShownMonth() { return std::to_string(View().ShownYear()) + "/" + std::to_string(View().ShownMonth()); }

    SettableClock clock_;
    ScopedPlatform scope_;
    TempFolder folder_;
    RecordingHost host_;
    CalendarSettings settings_;
    MainModel model_;
};

TEST_F(Model, ShowLoadsAndHideSavesAndDropsTheView) {
    model_.OnHide();
    EXPECT_EQ(model_.View(), nullptr);
    EXPECT_EQ(host_.Take(), (std::vector<std::string>{"timer off", "drop caches"}));
    EXPECT_EQ(host_.store.Get("Design"), "T1W1N0D5B2");
    EXPECT_EQ(host_.store.Get("Position"), "11,22");
    host_.store.Set("Position", "5,6");
    host_.store.Set("Transparance", "30");
    host_.windowRect = {3000, 40, 3350, 390};  // off the one monitor: brought wholly onto it
    host_.monitors = {{0, 0, 1024, 738}};
    model_.OnShow();
    EXPECT_EQ(host_.Take(),
              (std::vector<std::string>{"move 5,6", "translucency 30", "timer on", "title " + ApplicationTitle(),
                                        "title " + ApplicationTitle(), "resize 344x332", "move 680,40", "paint all"}));
    EXPECT_EQ(ShownMonth(), "2024/5");
    model_.OnCommand(IdNumber(CommandId::kNextMonth));
    model_.OnHide();
    host_.Take();
    model_.OnCommand(IdNumber(CommandId::kNextMonth));  // needs the view: nothing
    model_.OnWheel(-120);
    EXPECT_TRUE(host_.Take().empty());
    model_.OnShow();  // each show starts on today's month
    EXPECT_EQ(ShownMonth(), "2024/5");
}

// Whatever first day of week and design the settings bring, the cursor is on today after
// a show, and a pointer resting where the window appears does not take it away.
TEST_F(Model, TheCursorIsOnTodayAfterEveryShow) {
    // Today in the middle of a month, and in the sixth week that five lines fold into a
    // cell's lower half.
    for (const CalDate today : {CalDate(2024, 3, 31), CalDate(2024, 6, 30), CalDate(2024, 5, 15)}) {
        clock_.now = CalDateTime(today, TimeOfDay::FromParts(10, 0, 0, 0));
        for (int first = 0; first < 7; ++first) {
            // Every design: 3 headers × 4 weekday rows × 3 row styles × 6 footers.
            for (int d = 0; d < 3 * 4 * 3 * 6; ++d) {
                model_.OnHide();
                host_.store.Set("FirstDayOfWeek", std::to_string(first));
                host_.store.Set("Design", DesignText(Design::FromValues(d / 72, d / 18 % 4, d / 6 % 3, d % 6)));
                model_.OnShow();
                const CellClass hit = View().HitTest();
                EXPECT_TRUE(hit.region == kRegionDate && hit.date == today)
                    << first << " " << host_.store.Get("Design") << " " << hit.date.Text();
            }
        }
    }
    const CellClass today = View().HitTest();
    model_.OnMouseMove(0, 0, host_.pointer);  // the window appeared under the pointer
    EXPECT_EQ(View().HitTest().date, today.date);
    // A double-click where the pointer rests still acts on the day under it.
    host_.Take();
    model_.OnLeftButtonDoubleClick(CellMiddle(View().Layout().leftColumns + 1, View().Layout().topRows + 1));
    EXPECT_EQ(View().HitTest().date, View().DateAt(1, 1));
    EXPECT_EQ(host_.Take().back(), "post 1032");                            // memo
    model_.OnMouseMove(0, 0, Point{host_.pointer.x + 1, host_.pointer.y});  // the user moved it
    EXPECT_NE(View().HitTest().date, View().DateAt(1, 1));
}

// Where the window comes up: wholly on the work area of the monitor it overlaps most, or
// of the nearest.
TEST(WindowPlacement, WhollyOnAMonitor) {
    const Rect primary{0, 0, 1920, 1040}, left{-1280, 0, 0, 984};
    const struct {
        Rect window;
        std::vector<Rect> monitors;
        Point placed;
    } cases[] = {
        {{100, 100, 450, 450}, {primary}, {100, 100}},                     // inside: stays
        {{99999, -99999, 100349, -99649}, {primary}, {1570, 0}},           // far away: the nearest corner
        {{1800, 900, 2150, 1250}, {primary}, {1570, 690}},                 // partly off: moved in
        {{-300, 100, 50, 450}, {primary, left}, {-350, 100}},              // mostly on the left monitor
        {{-3000, 100, -2650, 450}, {primary, left}, {-1280, 100}},         // a monitor since removed
        {{-100, -100, 2000, 1200}, {primary}, {0, 0}},                     // larger than the screen
        {{5000, 5000, 5350, 5350}, {}, {5000, 5000}},                      // no monitors known: stays
        {{2000, 0, 2350, 350}, {primary, {2000, 0, 2000, 0}}, {1570, 0}},  // an empty area counts not
    };
    for (const auto& c : cases) {
        const Point placed = PlaceOnScreen(c.window, c.monitors);
        EXPECT_EQ(placed, c.placed) << c.window.left << "," << c.window.top << " → " << placed.x << "," << placed.y;
    }
}

// Whenever the window's size changes it stays wholly on its monitor's work area, as at a
// show: a design of more columns near the screen's right edge moves it left.
TEST_F(Model, AGrownWindowStaysOnTheScreen) {
    host_.monitors = {{0, 0, 1024, 738}};
    host_.windowRect = {600, 300, 944, 632};
    host_.optionsOk = true;
    host_.editOptions = [](SettingsRecord& settings) {
        settings.design.header = kLeftTwoLines;
        settings.design.footer = kRightThreeLines;
    };
    model_.OnCommand(IdNumber(CommandId::kOption));
    std::vector<std::string> log = host_.Take();
    const auto resized = std::find(log.begin(), log.end(), "resize 584x224");
    ASSERT_NE(resized, log.end());
    EXPECT_EQ(*(resized + 1), "move 440,300");
    model_.OnDpiChanged(144);  // larger again at another scale: moved again
    EXPECT_EQ(host_.Take(), (std::vector<std::string>{"resize 876x336", "move 148,300", "paint all"}));
}

TEST_F(Model, TheWindowFollowsTheDpiAndTheSettingsStayIn96DpiUnits) {
    model_.OnHide();
    host_.store.Set("Margin", "4,4,4,10");
    host_.store.Set("Position", "100,-7");
    host_.Take();
    host_.dpi = 144;  // shown on a 150 % monitor
    model_.OnShow();
    const std::vector<std::string> shown = host_.Take();
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown[0], "move 150,-11");                   // the stored position in pixels at 144 DPI
    EXPECT_EQ(shown[shown.size() - 2], "resize 516x507");  // (344 × 338) × 1.5
    EXPECT_EQ(View().Layout().cellSize, (Size{48, 36}));
    EXPECT_EQ(model_.ViewSizeAt(192), (Size{688, 676}));  // asked before a move; nothing changes
    EXPECT_EQ(View().Dpi(), 144);
    // Moved to a 200 % monitor, and back to 100 %.
    const struct {
        int dpi;
        const char* resize;
    } moves[] = {{192, "resize 688x676"}, {96, "resize 344x338"}, {120, "resize 430x423"}};
    for (const auto& move : moves) {
        model_.OnDpiChanged(move.dpi);
        EXPECT_EQ(host_.Take(), (std::vector<std::string>{move.resize, "paint all"})) << move.dpi;
    }
    host_.dpi = 120;
    model_.OnHide();
    EXPECT_EQ(host_.store.Get("Position"), "9,18");  // the window at (11, 22) on a 120-DPI monitor
    EXPECT_EQ(host_.store.Get("CellSize"), "(48,36)");
    EXPECT_EQ(host_.store.Get("Margin"), "4,4,4,10");
    EXPECT_EQ(host_.store.Get("FontSize"), "40,24,16,8");
    host_.Take();
    model_.OnDpiChanged(144);  // hidden: nothing to lay out
    EXPECT_TRUE(host_.Take().empty());
    EXPECT_EQ(model_.ViewSizeAt(144), std::nullopt);
}

// The system's colours followed at once (the palette, the title bar, a repaint) when
// they changed; hidden, at the next show.
TEST_F(Model, TheCalendarFollowsTheSystemsColoursAtOnce) {
    using Log = std::vector<std::string>;
    host_.appearance.darkApps = true;
    model_.OnAppearanceChanged();
    model_.OnAppearanceChanged();          // nothing new
    host_.appearance.highContrast = true;  // the system draws the title bar
    model_.OnAppearanceChanged();
    EXPECT_EQ(host_.Take(), (Log{"title bar dark", "paint all", "title bar light", "paint all"}));
    model_.OnHide();
    host_.Take();
    host_.appearance.highContrast = false;
    model_.OnAppearanceChanged();
    EXPECT_TRUE(host_.Take().empty());
    model_.OnShow();
    EXPECT_TRUE(host_.darkTitleBar);
}

TEST_F(Model, FontsInstalledOrRemovedDropWhatWasMadeWithTheOldOnes) {
    model_.OnFontsChanged();
    EXPECT_EQ(host_.Take(), (std::vector<std::string>{"drop caches", "paint all"}));
}

TEST_F(Model, WheelStepsByWholeNotches) {
    const struct {
        int delta;
        const char* month;
    } cases[] = {{-240, "2024/7"}, {60, "2024/7"},   {-60, "2024/7"},
                 {120, "2024/6"},  {-119, "2024/6"}, {-1200, "2025/4"}};
    for (const auto& c : cases) {
        model_.OnWheel(c.delta);
        EXPECT_EQ(ShownMonth(), c.month) << c.delta;
        EXPECT_EQ(host_.Take().back(), "paint all") << c.delta;  // refreshed even when nothing moved
    }
}

TEST_F(Model, Keys) {
    const struct {
        int key;
        bool ctrl;
        std::vector<std::string> log;
    } cases[] = {
        {0x0D, false, {"post 1032"}},  // Enter: memo
        {0x20, false, {"post 1033"}},  // Space: today
        {0x1B, false, {"post 1025"}},  // Escape: close
        {0x5D, false, {"menu 0,0"}},   // the application key
        {0x24, false, {"post 1033"}},  // Home: today
        {0x25, true, {}},              // Ctrl+Left works through the accelerator only
        {0x41, false, {}},
        // Right: from 15 May to the 16th, the old cell, the new one and the footer repainted.
        {0x27, false, {"paint 3,4", "paint 4,4", "paint footer"}},
        // Page Down: June, on the 16th; the window refreshed for the new month.
        {0x22, false, {"title " + ApplicationTitle(), "paint all"}},
    };
    for (const auto& c : cases) {
        model_.OnKeyDown(c.key, c.ctrl);
        EXPECT_EQ(host_.Take(), c.log) << c.key;
    }
    EXPECT_EQ(View().HitTest().date, CalDate(2024, 6, 16));
}

// The menus' gray and check marks: each command's rule applied to the state the model
// reports when a menu opens. Enabled: previous, next, memo, calculate, today; checked: shownext.
TEST_F(Model, ContextMenuStates) {
    struct Case {
        const char* what;
        std::function<void()> prepare;
        std::array<bool, 6> states;
    };
    const Case cases[] = {
        {"today's month, no date under the cursor", [&] { PointAt(0, 0); }, {true, true, false, false, false, false}},
        {"a date, nothing remembered",
         [&] { PointAtDate(CalDate(2024, 5, 20)); },
         {true, true, true, false, false, false}},
        {"a date and a remembered one",
         [&] {
             PointAtDate(CalDate(2024, 5, 20));
             model_.OnCommand(IdNumber(CommandId::kMemorize));
         },
         {true, true, true, true, false, false}},
        {"January of year 1", [&] { View().SetMonth(1, 1); }, {false, true, true, true, true, false}},
        {"December 3999 with neighbour days",
         [&] {
             View().SetMonth(3999, 12);
             model_.OnCommand(IdNumber(CommandId::kShowNext));
         },
         {true, false, true, true, true, true}},
    };
    CommandState shown;
    auto entry = [&shown](CommandId id) { return StatesOf(id, shown); };
    for (const Case& c : cases) {
        c.prepare();
        model_.OnMenuKey();  // at the cursor
        EXPECT_EQ(host_.Take().back(), "menu 0,0") << c.what;
        shown = host_.state;
        using C = CommandId;
        const std::array<bool, 6> states = {entry(C::kPrevMonth).enabled, entry(C::kNextYear).enabled,
                                            entry(C::kMemo).enabled,      entry(C::kCalculate).enabled,
                                            entry(C::kToday).enabled,     entry(C::kShowNext).checked};
        EXPECT_EQ(states, c.states) << c.what;
        EXPECT_EQ(entry(C::kPrevYear).enabled, states[0]) << c.what;
        EXPECT_EQ(entry(C::kNextMonth).enabled, states[1]) << c.what;
        EXPECT_EQ(entry(C::kMemorize).enabled, states[2]) << c.what;
        EXPECT_EQ(entry(C::kExplain).enabled, states[2]) << c.what;  // on every date cell
        EXPECT_TRUE(entry(C::kDisplay).checked) << c.what;           // the tray menu: the window is shown
    }
    model_.OnHide();
    shown = model_.CommandStateNow();
    EXPECT_FALSE(entry(CommandId::kDisplay).checked);
}

TEST_F(Model, StepsTodayAndNeighbourDays) {
    const struct {
        CommandId command;
        const char* month;
    } cases[] = {{CommandId::kPrevMonth, "2024/4"}, {CommandId::kNextYear, "2025/4"}, {CommandId::kNextMonth, "2025/5"},
                 {CommandId::kPrevYear, "2024/5"},  {CommandId::kPrevYear, "2023/5"}, {CommandId::kToday, "2024/5"}};
    for (const auto& c : cases) {
        model_.OnCommand(IdNumber(c.command));
        EXPECT_EQ(ShownMonth(), c.month) << IdNumber(c.command);
    }
    EXPECT_EQ(View().HitTest().date, CalDate(2024, 5, 15));  // today puts the cursor on today
    View().SetMonth(1, 1);
    model_.OnCommand(IdNumber(CommandId::kPrevYear));
    EXPECT_EQ(ShownMonth(), "1/1");
    host_.Take();
    model_.OnCommand(IdNumber(CommandId::kShowNext));
    EXPECT_TRUE(View().Settings().neighbourDays);
    EXPECT_TRUE(model_.CommandStateNow().neighbourDays);  // the menu shows the check mark
    EXPECT_EQ(host_.Take().back(), "paint all");
}

TEST_F(Model, CopyPutsEightLinesWithCrLf) {
    model_.OnCommand(IdNumber(CommandId::kCopy));
    const std::string& text = host_.clipboard;
    size_t lines = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 8u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.substr(0, text.find("\r\n")), CodePageHoldsJapanese() ? AnsiFromUtf8("2024年 5月") : "May 2024");
}

// Switch View goes round the views and back to the month's own rows; several months are
// copied side by side, the wheel and a reader's button step the view, a month's title opens
// that month alone.
TEST_F(Model, SwitchViewAndSeveralMonths) {
    const auto rows = [&] { return View().Settings().design.rows; };
    const auto step = [&](CommandId command) { model_.OnCommand(IdNumber(command)); };
    step(CommandId::kSwitchView);
    EXPECT_EQ(rows(), kTwoMonths);
    step(CommandId::kSwitchView);
    EXPECT_EQ(rows(), kThreeMonths);
    EXPECT_EQ(View().FirstMonth(), (std::pair{2024, 4}));
    step(CommandId::kCopy);
    const std::string line = host_.clipboard.substr(0, host_.clipboard.find("\r\n"));
    EXPECT_NE(line.find(CodePageHoldsJapanese() ? AnsiFromUtf8("2024年 6月") : "June 2024"), std::string::npos) << line;
    model_.OnWheel(-120);
    EXPECT_EQ(View().FirstMonth(), (std::pair{2024, 7}));
    host_.Take();
    EXPECT_TRUE(model_.OnAccessibleAction(2));  // the forward button
    EXPECT_EQ(host_.Take().back(), "post 1047");
    step(CommandId::kNextView);
    EXPECT_EQ(View().FirstMonth(), (std::pair{2024, 10}));
    const Rect title = View().Layout().CellRect(View().Blocks().BlockColumns() + 3, 0);  // November's
    model_.OnLeftButtonDown({title.left + 2, title.top + 2});
    EXPECT_EQ(rows(), kFiveLines);
    EXPECT_EQ(ShownMonth(), "2024/11");
    for (const RowsStyle next : {kTwoMonths, kThreeMonths, kSixMonths, kTwelveMonths, kFiveLines}) {
        step(CommandId::kSwitchView);
        EXPECT_EQ(rows(), next);
    }
}

// The search box's day is shown with the cursor on it; closed without one, nothing moves.
TEST_F(Model, SearchShowsTheDayChosen) {
    host_.searchChoice = CalDate(2023, 7, 4);
    model_.OnCommand(IdNumber(CommandId::kSearch));
    EXPECT_EQ(ShownMonth(), "2023/7");
    EXPECT_EQ(View().HitTest().date, CalDate(2023, 7, 4));
    host_.answer = false;
    host_.searchChoice = CalDate(2020, 1, 1);
    model_.OnCommand(IdNumber(CommandId::kSearch));
    EXPECT_EQ(ShownMonth(), "2023/7");
}

TEST_F(Model, SpanMessages) {
    PointAtDate(CalDate(2024, 1, 5));
    model_.OnCommand(IdNumber(CommandId::kCalculate));  // nothing remembered: nothing
    EXPECT_TRUE(host_.messages.empty());
    model_.OnCommand(IdNumber(CommandId::kMemorize));
    EXPECT_EQ(model_.MemorizedDate(), CalDate(2024, 1, 5));
    for (const CalDate day : {CalDate(2024, 1, 5), CalDate(2023, 12, 25), CalDate(2024, 2, 5)}) {
        PointAtDate(day);
        model_.OnCommand(IdNumber(CommandId::kCalculate));
    }
    ASSERT_EQ(host_.messages.size(), 3u);
    const bool japanese = CurrentLanguage() == PackTag("ja");
    const std::string expected[] = {
        japanese ? "開始日：2024年1月5日(金)\n終了日：2024年1月5日(金)\n\n期間：0日"
                 : "begins:2024/1/5\nends:2024/1/5\n\nSpan:0days",
        japanese ? "開始日：2024年1月5日(金)\n終了日：2023年12月25日(月)\n\n期間：-11日"
                 : "begins:2024/1/5\nends:2023/12/25\n\nSpan:-11days",
        japanese ? "開始日：2024年1月5日(金)\n終了日：2024年2月5日(月)\n\n期間：31日"
                 : "begins:2024/1/5\nends:2024/2/5\n\nSpan:31days",
    };
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(host_.messages[i], AnsiFromUtf8(expected[i]));
    PointAt(0, 0);  // off the dates: nothing
    model_.OnCommand(IdNumber(CommandId::kCalculate));
    model_.OnCommand(IdNumber(CommandId::kMemorize));
    EXPECT_EQ(host_.messages.size(), 3u);
    EXPECT_EQ(model_.MemorizedDate(), CalDate(2024, 1, 5));
}

#ifndef _WIN32
TEST(SpanMessage, EnglishAndJapaneseByLanguage) {
    HostPlatform english;
    english.SetCodePage(kCodePageWestern);
    english.SetAbbreviatedLanguageName("ENU");
    ScopedPlatform scope(english);
    EXPECT_EQ(SpanMessage(CalDate(2024, 1, 5), CalDate(2024, 2, 5)), "begins:2024/1/5\nends:2024/2/5\n\nSpan:31days");
}
#endif

TEST_F(Model, CloseDisplayAndTheTray) {
    const struct {
        bool tray, visible;
        int command;  // 0: the close box
        std::vector<std::string> log;
    } cases[] = {
        {false, true, 0, {"hide", "destroy"}},
        {true, true, 0, {"hide"}},  // a tray-resident window only hides
        {true, true, IdNumber(CommandId::kClose), {"send close"}},
        {true, false, IdNumber(CommandId::kClose), {"destroy", "send close"}},  // hidden: the program ends
        {true, true, IdNumber(CommandId::kDisplay), {"hide"}},
        {true, false, IdNumber(CommandId::kDisplay), {"show"}},
        {false, false, IdNumber(CommandId::kHelp), {"help"}},
        {false, false, IdNumber(CommandId::kAbout), {"about"}},
    };
    for (const auto& c : cases) {
        model_.SetTrayResident(c.tray);
        host_.visible = c.visible;
        if (c.command == 0) model_.OnClose();
        else model_.OnCommand(c.command);
        EXPECT_EQ(host_.Take(), c.log) << c.tray << c.visible << c.command;
    }
}

TEST_F(Model, DialogsAndWhatTheirOkDoes) {
    model_.OnCommand(IdNumber(CommandId::kJump));
    EXPECT_EQ(ShownMonth(), "2030/7");
    EXPECT_EQ(host_.Take().front(), "jump 2024/5");
    host_.answer = false;
    model_.OnCommand(IdNumber(CommandId::kJump));
    EXPECT_EQ(ShownMonth(), "2030/7");  // Cancel changes nothing

    host_.answer = true;
    model_.OnCommand(IdNumber(CommandId::kToday));
    PointAt(0, 0);
    model_.OnCommand(IdNumber(CommandId::kMemo));  // not on a date: no dialog
    EXPECT_TRUE(host_.Take().empty());
    PointAtDate(CalDate(2024, 5, 21));
    model_.OnCommand(IdNumber(CommandId::kMemo));
    EXPECT_EQ(model_.Document().Memos().MemoOf(CalDate(2024, 5, 21)), "typed");
    EXPECT_FALSE(model_.MemoDirty());  // saved at once
    const std::vector<std::string> log = host_.Take();
    EXPECT_EQ(log.front().substr(0, 5), "memo ");
    EXPECT_EQ(log.back(), "paint footer");

    model_.Document().EditSettings([](SettingsRecord& s) { s.style.countDown.shown = false; });
    model_.OnCommand(IdNumber(CommandId::kCounter));
    EXPECT_EQ(host_.Take().front(), "counter ticked");  // ticked at every open
    EXPECT_TRUE(View().Style().countDown.shown);
    EXPECT_EQ(View().Style().countDown.range, -7);
}

// A memo is in memo.txt as soon as the editor's OK takes it, so that a program ended
// without hiding keeps it; memo.bak keeps the file as it was before the first save of each
// show and of each day, so that a mistaken edit can still be undone from it.
TEST_F(Model, MemosAreSavedWhenWrittenAndBackedUpOncePerShowAndDay) {
    model_.OnHide();
    WriteWholeFile(folder_.Join("memo.txt"), "2024/05/01=kept\r\n");
    const struct {
        bool showAgain;
        int day;                       // of May 2024, today
        const char *typed, *backedUp;  // the memo of the 21st written, and memo.bak's ("": none)
    } steps[] = {
        {true, 15, "first", ""},  // memo.bak: the file before the show's first save
        {false, 15, "second", ""},       {false, 16, "third", "second"},  // a new day while shown
        {false, 16, "fourth", "second"}, {true, 16, "fifth", "fourth"},   // a new show the same day
    };
    for (const auto& step : steps) {
        clock_.now = CalDateTime(CalDate(2024, 5, step.day), TimeOfDay::FromParts(10, 0, 0, 0));
        if (step.showAgain) model_.OnHide(), model_.OnShow();
        host_.memoText = step.typed;
        PointAtDate(CalDate(2024, 5, 21));
        model_.OnCommand(IdNumber(CommandId::kMemo));
        EXPECT_FALSE(model_.MemoDirty()) << step.typed;
        const std::string saved = ReadWholeFile(folder_.Join("memo.txt")),
                          backup = ReadWholeFile(folder_.Join("memo.bak"));
        EXPECT_NE(saved.find(std::string("2024/05/21=") + step.typed + "\r\n"), std::string::npos) << saved;
        EXPECT_NE(backup.find("2024/05/01=kept\r\n"), std::string::npos) << step.typed;
        const std::string line = std::string("2024/05/21=") + step.backedUp + "\r\n";
        EXPECT_EQ(backup.find("2024/05/21=") != std::string::npos, *step.backedUp != 0) << step.typed;
        if (*step.backedUp) {
            EXPECT_NE(backup.find(line), std::string::npos) << step.typed;
        }
    }
    EXPECT_TRUE(host_.messages.empty());
}

// Screen readers hear the day the cursor comes to by keys, wheel, month steps, jump and
// today, and of every change of month; not of the pointer's wanderings. Their default
// actions are posted: a button's step, a day's memo after the cursor went there. In May
// 2024 the days are children 11 … 41 (after two buttons, the title and seven weekdays).
TEST_F(Model, ScreenReadersFollowTheCursorAndTheMonth) {
    const Point previousMonth{10, 10};  // on <<
    const struct {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> told;  // what readers were told, then the commands posted
    } steps[] = {
        {"Right: from today to the 16th", [&] { model_.OnKeyDown(0x27, false); }, {"focus 26"}},
        {"wheel: 13 June in the same cell", [&] { model_.OnWheel(-120); }, {"name 0", "focus 23"}},
        {"next month: 18 July", [&] { model_.OnCommand(IdNumber(CommandId::kNextMonth)); }, {"name 0", "focus 28"}},
        {"today", [&] { model_.OnCommand(IdNumber(CommandId::kToday)); }, {"name 0", "focus 25"}},
        {"the pointer moves", [&] { model_.OnMouseMove(previousMonth.x, previousMonth.y); }, {}},
        {"a click on <<", [&] { model_.OnLeftButtonDown(previousMonth); }, {"name 0"}},
        {"jump, the cursor on no day", [&] { model_.OnCommand(IdNumber(CommandId::kJump)); }, {"name 0", "focus 0"}},
        {"a reader takes 1 July", [&] { EXPECT_TRUE(model_.OnAccessibleSelect(10 + 1)); }, {"focus 11"}},
        {"a memo written", [&] { model_.OnCommand(IdNumber(CommandId::kMemo)); }, {"name 11"}},
        {"the day changes",
         [&] { clock_.now = CalDateTime(CalDate(2024, 5, 16), TimeOfDay(0)), model_.OnTimer(); },
         {"name 0"}},
        {"<<'s default action", [&] { EXPECT_TRUE(model_.OnAccessibleAction(1)); }, {"post 1026"}},
        {"the title has none", [&] { EXPECT_FALSE(model_.OnAccessibleAction(2)); }, {}},
        {"20 May's", [&] { EXPECT_TRUE(model_.OnAccessibleAction(10 + 20)); }, {"focus 30", "post 1032"}},
    };
    for (const auto& step : steps) {
        step.act();
        for (const std::string& line : host_.Take()) {
            if (line.rfind("post ", 0) == 0) host_.told.push_back(line);
        }
        EXPECT_EQ(host_.told, step.told) << step.what;
        host_.told.clear();
    }
}

TEST_F(Model, DayChangeAndClockOnTheTimer) {
    model_.OnCommand(IdNumber(CommandId::kNextMonth));
    host_.Take();
    model_.OnTimer();
    EXPECT_TRUE(host_.Take().empty());  // same day, no clock
    clock_.now = CalDateTime(CalDate(2024, 5, 16), TimeOfDay(1000));
    model_.OnTimer();
    EXPECT_EQ(ShownMonth(), "2024/5");  // brought back to the current month
    EXPECT_EQ(View().TodayDate(), CalDate(2024, 5, 16));
    EXPECT_EQ(host_.Take().back(), "paint all");
    model_.Document().EditSettings([](SettingsRecord& s) { s.clock = true; });
    model_.OnTimer();
    const std::vector<std::string> log = host_.Take();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("00:00:01]"), std::string::npos) << log[0];
}

// A set chosen in Options is taken at OK with the user's holidays.txt on top; one that
// cannot be read is told once, as a broken script is, and the rules in force stay.
TEST_F(Model, HolidaySetChosenInOptionsIsTakenAtOk) {
    const CalDate day(2024, 5, 20);
    std::filesystem::create_directories(folder_.Join("sets"));
    WriteWholeFile(folder_.Join("sets/DE.txt"), "m5 d20 (4) \"Whit Monday\"\r\n");
    PointAtDate(day);
    host_.optionsOk = true;
    const struct {
        const char* set;
        const char* kind;
        bool told;           // one message
        const char* traced;  // in "Why this day?"
    } steps[] = {
        {"DE", "4", false, "DE.txt"},
        {"FR", "4", true, "FR.txt"},  // not shipped
        {"none", "", false, "none.txt"},
    };
    for (const auto& step : steps) {
        host_.editOptions = [&step](SettingsRecord& settings) { settings.holidaySet = step.set; };
        model_.OnCommand(IdNumber(CommandId::kOption));
        std::vector<std::string> errors;
        for (const std::string& line : host_.Take())
            if (line.rfind("error ", 0) == 0) errors.push_back(line);
        EXPECT_EQ(errors.size(), step.told ? 1u : 0u) << step.set;
        EXPECT_EQ(model_.Document().KindOf(day), step.kind) << step.set;
        std::string trace;
        for (const std::string& line : model_.DayTraceOf(day)) trace += line + "\n";
        EXPECT_NE(trace.find(step.traced), std::string::npos) << trace;
    }
}

// Files saved while the window is shown: each change is taken once it settles; a script
// that does not compile is told once and its last rules kept until it is mended.
TEST_F(Model, ScriptsAndFormatsSavedWhileShownAreTaken) {
    const CalDate day(2024, 5, 20);
    EXPECT_EQ(host_.watched, std::vector<std::string>{folder_.Join("")});  // both scripts and format.txt live there
    const std::string failed =
        "error " + ResolveText("Failed to load holiday script.\tja:休日設定スクリプトを正常にロードできませんでした。");
    const std::string kept = "\n" + folder_.Join("holidays.txt") + "\n" +
                             ResolveText(
                                 "Until it loads, the rules it gave when it last loaded stay in force.\tja:"
                                 "読み込めるまでは、前回読み込んだときの規則を使います。");
    using State = TracedScriptFile::State;
    const struct {
        const char *file, *contents, *kind;  // the day's kind afterwards
        std::vector<std::string> log;        // without the titles
        State userScript;                    // as "Why this day?" names it
    } steps[] = {
        {"holidays.txt", "m5 d20 (4)\r\n", "4", {"paint all"}, State::kInForce},
        {"holidays.txt",
         "m5 d20 (5\r\n",
         "4",
         {"paint all", failed + kept + "\nLine 1:Parenthesis error."},
         State::kFailing},
        {"holidays.txt", "m5 d20 (5\r\n", "4", {}, State::kFailing},                // saved again as it was
        {nullptr, nullptr, "4", {"resize 344x332", "paint all"}, State::kFailing},  // Options, OK: the caches follow
        {"holidays.txt", "m5 d20 (5)\r\n", "5", {"paint all", "close error"}, State::kInForce},
        {"format.txt", "%Y!\r\n", "5", {"paint all"}, State::kInForce},
    };
    for (const auto& step : steps) {
        const int row = static_cast<int>(&step - steps);
        if (step.file) {
            WriteWholeFile(folder_.Join(step.file), step.contents);
            model_.OnFolderChanged();
            EXPECT_TRUE(host_.reloadTimer) << row;
            model_.OnReloadDue();
        } else {
            host_.optionsOk = true;
            model_.OnCommand(IdNumber(CommandId::kOption));
        }
        std::vector<std::string> log = host_.Take();
        log.erase(std::remove_if(log.begin(), log.end(), [](auto& line) { return line.rfind("title ", 0) == 0; }),
                  log.end());
        EXPECT_EQ(log, step.log) << row;
        EXPECT_EQ(model_.Document().KindOf(day), step.kind) << row;
        const std::vector<TracedScriptFile> files = {
            {TracedScriptFile::Role::kPerUser, folder_.Join("holidays.txt"), step.userScript},
            {TracedScriptFile::Role::kAllUsers, folder_.Join("none.txt"), State::kMissing}};
        const CalendarDocument& document = model_.Document();
        EXPECT_EQ(model_.DayTraceOf(day), DayTrace(day, document.Script(), document.Source().texts, files));
    }
    EXPECT_EQ(View().HeaderFormats()[0], "%Y!");
    PointAtDate(day);
    model_.OnCommand(IdNumber(CommandId::kExplain));
    EXPECT_EQ(host_.trace, model_.DayTraceOf(day));
    model_.OnHide();  // hidden: nothing watched, nothing read
    model_.OnFolderChanged();
    EXPECT_TRUE(host_.watched.empty() && !host_.reloadTimer);
}

// A calendar dropped in the calendars folder shows on its days, follows its file, and is
// told once when it cannot be read while the window keeps what it can.
TEST_F(Model, CalendarsInTheFolderShowAndFollowTheirFiles) {
    const CalDate day(2024, 5, 20);
    std::filesystem::create_directory(folder_.Join("calendars"));
    const std::string file = folder_.Join("calendars/work.ics");
    const auto event = [](const char* start, const char* summary) {
        return std::string("BEGIN:VEVENT\r\nUID:") + summary + "\r\nDTSTART:" + start +
               "\r\nDURATION:PT1H\r\nSUMMARY:" + summary + "\r\nEND:VEVENT\r\n";
    };
    const auto calendar = [](const std::string& events) {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + events + "END:VCALENDAR\r\n";
    };
    const std::string broken = "BEGIN:VEVENT\r\nSUMMARY:Cut\r\n";
    const struct {
        std::string contents;
        const char* footer;  // what the day's second footer line holds
        bool told, painted;
    } steps[] = {
        {calendar(event("20240520T100000", "Dentist")), "10:00", false, true},
        {broken, "", true, true},
        {broken, "", false, false},  // saved again as it was: nothing read, nothing told
        {calendar(event("20240520T110000", "B") + event("20240520T090000", "A") + event("20240520T100000", "C")),
         "09:00", false, true},
    };
    for (const auto& step : steps) {
        const int row = static_cast<int>(&step - steps);
        WriteWholeFile(file, step.contents);
        model_.OnFolderChanged();
        model_.OnReloadDue();
        const std::vector<std::string> log = host_.Take();
        EXPECT_EQ(std::count(log.begin(), log.end(), "paint all"), step.painted ? 1 : 0) << row;
        EXPECT_EQ(host_.messages.size(), step.told ? 1u : 0u) << row;
        if (step.told) {
            EXPECT_NE(host_.messages[0].find(file), std::string::npos) << host_.messages[0];
        }
        host_.messages.clear();
        PointAtDate(day);
        ASSERT_EQ(View().FooterLines().size(), 2u) << row;
        EXPECT_EQ(View().FooterLines()[1].rfind(step.footer, 0), 0u) << row << ": " << View().FooterLines()[1];
    }
    EXPECT_NE(View().FooterLines()[1].find(FillText("+%1 more\tja:ほか %1 件", {"2"})), std::string::npos);
    EXPECT_NE(std::find(host_.watched.begin(), host_.watched.end(), folder_.Join("calendars/")), host_.watched.end());
    // Spoken, and named with its calendar in "Why this day?".
    const AccessibleTree tree(View());
    const std::string name = tree.NameOf(tree.CursorChild());
    EXPECT_LT(name.find("00 A"), name.find("00 C"));
    EXPECT_NE(name.find("00 C"), std::string::npos);
    EXPECT_NE(model_.DayTraceOf(day).back().find("work.ics"), std::string::npos);
}

TEST(Startup, CommandLinesInstanceNamesAndHelp) {
    const struct {
        const char* line;
        std::vector<std::string> arguments;
        bool tray;
    } cases[] = {
        {"/j", {"/j"}, true},
        {"  /J\t", {"/J"}, true},
        {"\"/j\"", {"/j"}, true},
        {"-j /jj j", {"-j", "/jj", "j"}, false},
        {"\"a b\" c", {"a b", "c"}, false},
        {"\"a\"b\" c", {"a\"b", "c"}, false},  // a quote inside runs on
        {"\"open", {"open"}, false},
        {"", {}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.line), c.arguments) << c.line;
        EXPECT_EQ(HasTrayArgument(SplitCommandLine(c.line)), c.tray) << c.line;
    }
    EXPECT_EQ(InstanceName("C:\\Program Files\\Tavoli\\TavoliCalendar.exe"),
              "C:/Program Files/Tavoli/TavoliCalendar.exe");
    EXPECT_EQ(InstanceName(""), "vorn-application");
#ifndef _WIN32
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    ScopedPlatform scope(japanese);
    // 表 is 0x95 0x5C: its trail byte is no separator.
    EXPECT_EQ(InstanceName("C:\\\x95\x5c\\x.exe"), "C:/\x95\x5c/x.exe");
#endif
    const std::vector<HelpCandidate> help = HelpCandidates("C:\\Apps\\TavoliCalendar.exe");
    std::vector<std::string> paths;
    for (const auto& candidate : help) paths.push_back(candidate.path);
    EXPECT_EQ(paths,
              (std::vector<std::string>{
                  "C:\\Apps\\TavoliCalendar.chm", "C:\\Apps\\TavoliCalendar.hlp", "C:\\Apps\\TavoliCalendar.pdf",
                  "C:\\Apps\\TavoliCalendar.htm", "C:\\Apps\\TavoliCalendar.html", "C:\\Apps\\TavoliCalendar.txt",
                  "C:\\Apps\\index.htm", "C:\\Apps\\index.html", "C:\\Apps\\readme.txt", "C:\\Apps\\readme.doc"}));
    EXPECT_EQ(help[0].kind, HelpCandidate::Kind::kHtmlHelp);
    EXPECT_EQ(help[1].kind, HelpCandidate::Kind::kWinHelp);
    EXPECT_EQ(help[2].kind, HelpCandidate::Kind::kShellOpen);
}

// Help opens the first document that exists and opens; when none does the user is told,
// the file named: the one the program ships when none exists, else the one that failed.
TEST(Startup, HelpThatCannotOpenSaysSo) {
    struct Shell : HelpShell {
        std::vector<std::string> existing, failing, opened;
        static bool In(const std::vector<std::string>& list, const std::string& path) {
            return std::find(list.begin(), list.end(), path) != list.end();
        }
        bool Exists(const std::string& path) override { return In(existing, path); }
        ErrorValue Open(const HelpCandidate& candidate, int) override {
            opened.push_back(candidate.path);
            return In(failing, candidate.path) ? ErrorFromSystem(1155) : kSuccess;
        }
    };
    const std::string exe = "C:\\Apps\\TavoliCalendar.exe", htm = "C:\\Apps\\TavoliCalendar.htm";
    const std::string chm = "C:\\Apps\\TavoliCalendar.chm", readme = "C:\\Apps\\readme.txt";
    const struct {
        std::vector<std::string> existing, failing;
        std::string message;
    } cases[] = {
        {{htm}, {}, ""},
        {{chm, htm}, {chm}, ""},  // the next that opens
        {{}, {}, ResolveText("The help document could not be found:\tja:ヘルプ文書が見つかりません:") + "\n" + htm},
        {{htm, readme},
         {htm, readme},
         ResolveText("The help document could not be opened:\tja:ヘルプ文書を開けませんでした:") + "\n" + htm + "\n" +
             ReasonOf(ErrorFromSystem(1155))},
    };
    for (const auto& c : cases) {
        Shell shell;
        shell.existing = c.existing, shell.failing = c.failing;
        EXPECT_EQ(OpenHelp(exe, shell, 0), c.message) << c.existing.size();
        EXPECT_EQ(shell.opened.size(), c.failing.size() + (c.message.empty() && !c.existing.empty() ? 1 : 0));
    }
}

}  // namespace
}  // namespace tavoli
