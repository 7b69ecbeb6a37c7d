#include "shell/main_model.h"

#include <algorithm>

#include "format/date_format.h"
#include "format/default_formats.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/paths.h"
#include "framework/startup_trace.h"
#include "holidays/day_trace.h"
#include "holidays/holiday_set.h"
#include "shell/window_placement.h"
#include "view/accessible_tree.h"
#include "view/view_texts.h"

namespace tavoli {

namespace {

// Virtual keys the window handles itself.
const char* const kAppointmentTrace = "Appointment \"%1\" from %2 (%3)\tja:予定「%1」: %2 (%3)";

// Time for the first paint to reach the screen.
constexpr int kSourcesAfterShowMilliseconds = 50;

constexpr int kKeyReturn = 0x0D, kKeyEscape = 0x1B, kKeySpace = 0x20, kKeyPageUp = 0x21, kKeyPageDown = 0x22,
              kKeyHome = 0x24, kKeyApps = 0x5D;

}  // namespace

std::string SpanMessage(CalDate from, CalDate to) {
    const std::string weekday = CurrentLanguage() == PackTag("ja") ? kSpanJapaneseWeekday : "";
    std::string text = DateFormat(ResolveText(std::string(kSpanBeginsFormat) + weekday + ")"), from) + "\n";
    text += DateFormat(ResolveText(std::string(kSpanEndsFormat) + weekday + ")"), to) + "\n\n";
    text += ResolveText(kSpanLabel) + std::to_string(to - from) + ResolveText(kSpanDaysUnit);
    return text;
}

std::string ClipboardMonthText(const CalendarView& view) {
    std::string text;
    // Several months side by side as they are shown.
    const MonthBlocks blocks = view.Blocks();
    const std::vector<std::string> lines =
        view.Layout().SeveralMonths()
            ? MonthsAsText(blocks.firstYear, blocks.firstMonth, blocks.count, blocks.arrangement.columns)
            : MonthAsText(view.ShownYear(), view.ShownMonth());
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

RowsStyle NextView(RowsStyle rows) {
    switch (rows) {
    case kTwoMonths: return kThreeMonths;
    case kThreeMonths: return kSixMonths;
    case kSixMonths: return kTwelveMonths;
    case kTwelveMonths: return kFiveLines;  // the caller keeps the one month's own rows
    default: return kTwoMonths;
    }
}

void MainModel::OnShow() {
    // Read before loading: a file saved meanwhile differs from this and is taken.
    WatchedFiles before = ReadWatchedFiles(settings_.Paths());
    CalendarSettings::Loaded loaded =
        settings_.Load(document_, ports_.system.Store(), ports_.system.SystemWindowColor(), memoDirty_);
    failingScript_ = std::move(loaded.failingScript);
    Tell(std::move(loaded.report));
    liveReload_.Loaded(std::move(before));
    shown_ = true;
    view_->SetAppearance(ports_.system.Appearance());
    ApplyTitleBar();
    MarkStartup("view");
    // After the settings, which may move the grid (first day of week, design).
    view_->SelectDate(Today(kLocalZone));
    announcedMonth_ = ShownMonthNumber();  // the window itself appears with it
    const SettingsRecord& settings = document_.Settings();
    // The position is kept in 96-DPI units, as the settings are; the view takes the scale
    // of the monitor the window is on once it is there.
    if (settings.position) {
        const int dpi = ports_.window.Dpi();
        ports_.window.MoveWindow({ScaleToDpi(settings.position->x, dpi), ScaleToDpi(settings.position->y, dpi)});
    }
    view_->SetDpi(ports_.window.Dpi());
    if (settings.transparency != 0) ports_.window.SetTranslucency(settings.transparency);
    ports_.timers.StartTimer();
    ports_.window.SetTitle(ApplicationTitle());
    MarkStartup("position and title");
    // Sized and brought wholly onto a monitor, whatever was saved; the next hide saves
    // where it came up.
    RefreshWindow(true);
    MarkStartup("refresh");
    restingPointer_ = ports_.system.PointerPosition();
    WatchFolders();
    // The calendar sources after the first paint: a large calendar takes longer to read
    // than the rest of the show.
    ports_.timers.StartReloadTimer(kSourcesAfterShowMilliseconds);
}

void MainModel::OnHide() {
    if (!shown_) return;
    const Point at = ports_.window.WindowPosition();
    const int dpi = ports_.window.Dpi();
    document_.EditSettings([&](SettingsRecord& settings) {
        settings.position = Point{ScaleFromDpi(at.x, dpi), ScaleFromDpi(at.y, dpi)};
    });
    // Hidden, the files are read at the next show: nothing is watched meanwhile.
    ports_.timers.WatchFolders({});
    StopReload();
    Tell(settings_.Save(document_, ports_.system.Store(), memoDirty_));
    ports_.timers.StopTimer();
    // A new view for the next show: it starts on today's month, and the picture is let go.
    view_ = std::make_unique<CalendarView>(document_);
    shown_ = false;
    ports_.window.DropPaintCaches();  // hidden, the program keeps nothing for painting
    lastBackgroundName_.clear();
}

void MainModel::OnDestroy() {
    OnHide();
    if (!memoDirty_) return;
    Report report;
    if (!settings_.RescueUnsavedMemos(document_.EditMemos(), report).empty()) memoDirty_ = false;
    Tell(std::move(report));
}

void MainModel::Tell(Report report) {
    for (const std::string& message : report.messages) ports_.dialogs.ShowMessage(message);
}

void MainModel::OnClose() {
    ports_.window.Hide();
    if (!trayResident_) ports_.window.Destroy();
}

void MainModel::OnTimer() {
    const CalDate today = Today(kLocalZone);
    if (view_ && today != view_->TodayDate()) {
        view_->GoToday();
        RefreshWindow(false);
    }
    if (view_ && view_->Settings().clock) ports_.window.SetTitle(TitleNow());
}

void MainModel::OnDpiChanged(int dpi) {
    if (!shown_) return;
    view_->SetDpi(dpi);
    ResizeOnScreen();
    ports_.window.RepaintAll();
}

void MainModel::ResizeOnScreen() {
    ports_.window.ResizeClient(view_->ViewSize());
    Rect frame = ports_.window.WindowRect();
    const std::vector<Rect> areas = ports_.system.MonitorWorkAreas();
    // Several months shrink where their monitor's work area, less the window's frame,
    // needs it.
    if (const Rect* area = WorkAreaOf(frame, areas); area && view_->Layout().SeveralMonths()) {
        const Size client = view_->ViewSize(), extra = ports_.window.FrameExtra();
        view_->SetWorkArea({area->Width() - extra.width, area->Height() - extra.height});
        if (view_->ViewSize() != client) {
            ports_.window.ResizeClient(view_->ViewSize());
            frame = ports_.window.WindowRect();
        }
    }
    // A larger window (another design, a larger scale) stays wholly on its monitor.
    const Point placed = PlaceOnScreen(frame, areas);
    if (placed.x != frame.left || placed.y != frame.top) ports_.window.MoveWindow(placed);
}

std::string MainModel::TitleNow() const {
    const auto [year, month] = view_->FirstMonth();
    return WindowTitle(document_.Settings(), year, month, view_->Layout().months, Now(kLocalZone));
}

std::optional<Size> MainModel::ViewSizeAt(int dpi) const {
    if (!shown_) return std::nullopt;
    return view_->ViewSizeAt(dpi);
}

void MainModel::OnFontsChanged() {
    if (!shown_) return;
    ports_.window.DropPaintCaches();  // the next paint makes fonts and glyphs anew, the painter's source too
    ports_.window.RepaintAll();
}

void MainModel::OnAppearanceChanged() {
    if (!shown_) return;  // the next show reads it
    const SystemAppearance appearance = ports_.system.Appearance();
    if (appearance == view_->Appearance()) return;
    view_->SetAppearance(appearance);
    ApplyTitleBar();
    ports_.window.RepaintAll();
}

void MainModel::ApplyTitleBar() {
    // Dark where the dark palette is painted on a dark background: not over a light
    // background of the user's own, nor in high contrast, where the system draws it.
    const Palette palette = ResolvePalette(document_.Settings().style, view_->Appearance());
    const PixelColor background = palette.Color(PaintColor::kBackground);
    ports_.window.SetDarkTitleBar(palette.scheme == Scheme::kDark &&
                                  ContrastRatio(background, PixelColor::Rgb(0, 0, 0)) <
                                      ContrastRatio(background, PixelColor::Rgb(255, 255, 255)));
}

void MainModel::WatchFolders() {
    std::vector<std::string> sources;
    for (const LoadedSource& loaded : document_.Sources()) {
        if (loaded.source.shown) sources.push_back(loaded.source.path);
    }
    ports_.timers.WatchFolders(FoldersToWatch(
        settings_.Paths(), [](const std::string& path) { return FolderExists(path); }, sources));
}

void MainModel::OnFolderChanged() {
    if (!shown_) return;
    if (const std::optional<int> delay = reloadDebounce_.Notified(ports_.timers.Milliseconds())) {
        ports_.timers.StartReloadTimer(*delay);
    }
}

void MainModel::StopReload() {
    ports_.timers.StopReloadTimer();
    reloadDebounce_.Reset();
}

void MainModel::OnReloadDue() {
    StopReload();
    if (!shown_) return;
    WatchFolders();  // a folder that was missing may exist now
    const LiveReload::Changes changes = liveReload_.Check(ReadWatchedFiles(settings_.Paths()));
    if (changes.again) OnFolderChanged();
    // A calendar that cannot be read now is told last: a message runs a loop of its own.
    Report calendars;
    const bool sources = settings_.ReloadSources(document_, calendars);
    if (sources) WatchFolders();  // a source may have come or gone with the calendars folder
    if (changes.formats) {
        Tell(settings_.LoadFormats(document_));
        if (!shown_) return;  // its note on a file in UTF-8 runs a loop, in which the window may hide
    }
    if (changes.script) ReloadScript();
    else if (changes.formats || sources) RefreshWindow(false);
    Tell(std::move(calendars));
}

void MainModel::ReloadScript() {
    CalendarSettings::CompiledScript compiled = settings_.CompileHolidayScript(document_.Settings().holidaySet);
    const LiveReload::Tell tell = liveReload_.Compiled(compiled.compiled);
    // The last rules that compiled stay until the file compiles again.
    CalendarSettings::TakenScript taken = settings_.TakeScript(document_, std::move(compiled));
    failingScript_ = std::move(taken.failingPath);
    RefreshWindow(false);
    // Last: a message runs a loop of its own, in which another change may come.
    if (tell == LiveReload::Tell::kCloseError) ports_.dialogs.CloseScriptError();
    if (!taken.messageLines.empty()) ports_.dialogs.ShowScriptError(JoinMessageLines(taken.messageLines));
}

std::vector<std::string> MainModel::DayTraceOf(CalDate date) const {
    using File = TracedScriptFile;
    const SettingsPaths& paths = settings_.Paths();
    const ScriptSource& source = document_.Source();
    auto inForce = [&source](const std::string& path) {
        return std::any_of(source.texts.begin(), source.texts.end(),
                           [&path](const ScriptText& text) { return text.path == path; });
    };
    // A set's files are named in the order they win: the user's, the region's, the
    // country's; without a set, both holidays.txt, the one in force said.
    std::vector<std::pair<File::Role, std::string>> named = {{File::Role::kPerUser, paths.userScript}};
    if (source.set.empty()) {
        named.emplace_back(File::Role::kAllUsers, paths.allUsersScript);
    } else {
        for (const std::string& path : HolidaySetFiles(paths.setsFolder, source.set)) {
            named.emplace_back(named.size() == 1 && source.set.size() > 2 ? File::Role::kRegion : File::Role::kCountry,
                               path);
        }
    }
    // A failing file of another set than the one in force (just chosen) is named too.
    if (!failingScript_.empty() &&
        std::none_of(named.begin(), named.end(), [this](const auto& n) { return n.second == failingScript_; }))
        named.emplace_back(File::Role::kGiven, failingScript_);
    std::vector<File> files;
    for (const auto& [role, path] : named) {
        // A path too long for the system names no file. A set that does not compile has
        // no rules in force, whichever of its files was not read after the failing one.
        File::State state = File::State::kMissing;
        if (!path.empty() && path == failingScript_) state = File::State::kFailing;
        else if (!FileExists(path)) state = File::State::kMissing;
        else if (!source.compiled && (inForce(path) || !source.set.empty())) state = File::State::kFailed;
        else if (inForce(path)) state = File::State::kInForce;
        else state = File::State::kUnused;
        files.push_back({role, path, state});
    }
    std::vector<std::string> lines = DayTrace(date, document_.Script(), source.texts, files);
    for (const DayAppointment& appointment : document_.AppointmentsOn(date)) {
        const LoadedSource& from = document_.Sources()[appointment.source];
        lines.push_back(FillText(kAppointmentTrace, {appointment.text, from.shownName, from.source.path}));
    }
    return lines;
}

void MainModel::OnWheel(int delta) {
    if (!shown_) return;
    const int before = ShownMonthNumber();
    view_->StepMonth(-delta / 120 * view_->ViewStep());  // truncating toward zero: ±60 moves nothing
    RefreshWindow(false);
    if (ShownMonthNumber() != before) AnnounceCursor();
}

void MainModel::AnnounceCursor() { ports_.readers.AccessibleFocus(AccessibleTree(*view_).CursorChild()); }

bool MainModel::OnAccessibleSelect(int child) {
    if (!shown_) return false;
    const AccessibleTree tree(*view_);
    const AccessibleItem* item = tree.Child(child);
    if (!item || item->role != AccessibleRole::kCell) return false;
    // Where the pointer would put the cursor on the day.
    const int oldColumn = view_->CursorColumn(), oldRow = view_->CursorRow();
    view_->PointerMoved((item->rect.left + item->rect.right) / 2, (item->rect.top + item->rect.bottom) / 2);
    RepaintCursorMove(oldColumn, oldRow);
    AnnounceCursor();
    return true;
}

bool MainModel::OnAccessibleAction(int child) {
    if (!shown_) return false;
    const AccessibleTree tree(*view_);
    const AccessibleItem* item = tree.Child(child);
    if (!item) return false;
    // Posted: a dialog opened inside the reader's call would keep the reader waiting.
    switch (item->role) {
    case AccessibleRole::kPushButton:
        ports_.window.PostCommand(item->monthStep == -12  ? CommandId::kPrevYear
                                  : item->monthStep == -1 ? CommandId::kPrevMonth
                                  : item->monthStep == 1  ? CommandId::kNextMonth
                                  : item->monthStep == 12 ? CommandId::kNextYear
                                  : item->monthStep < 0   ? CommandId::kPrevView
                                                          : CommandId::kNextView);
        return true;
    case AccessibleRole::kCell:
        OnAccessibleSelect(child);
        ports_.window.PostCommand(CommandId::kMemo);
        return true;
    default: return false;
    }
}

void MainModel::RepaintCursorMove(int oldColumn, int oldRow) {
    ports_.window.RepaintCell(oldColumn, oldRow);
    ports_.window.RepaintCell(view_->CursorColumn(), view_->CursorRow());
    ports_.window.RepaintFooter();
}

void MainModel::OnKeyDown(int virtualKey, bool ctrlDown) {
    if (!shown_) return;
    switch (virtualKey) {
    case kKeyApps: OnMenuKey(); return;
    case kKeyReturn: ports_.window.PostCommand(CommandId::kMemo); return;
    case kKeySpace:
    case kKeyHome: ports_.window.PostCommand(CommandId::kToday); return;
    case kKeyEscape: ports_.window.PostCommand(CommandId::kClose); return;
    case kKeyPageUp:
    case kKeyPageDown:
        view_->StepMonthWithCursor(virtualKey == kKeyPageUp ? -1 : 1);
        RefreshWindow(false);
        AnnounceCursor();
        return;
    default: break;
    }
    // With Ctrl the arrows step months and years through their accelerators.
    if (ctrlDown) return;
    int dx = 0, dy = 0;
    switch (virtualKey) {
    case vk::kLeft: dx = -1; break;
    case vk::kUp: dy = -1; break;
    case vk::kRight: dx = 1; break;
    case vk::kDown: dy = 1; break;
    default: return;
    }
    const int oldColumn = view_->CursorColumn(), oldRow = view_->CursorRow();
    if (view_->MoveCursor(dx, dy)) RefreshWindow(false);
    else RepaintCursorMove(oldColumn, oldRow);
    AnnounceCursor();
}

void MainModel::PointAt(Point clientPoint) {
    const int oldColumn = view_->CursorColumn(), oldRow = view_->CursorRow();
    if (view_->PointerMoved(clientPoint.x, clientPoint.y)) RepaintCursorMove(oldColumn, oldRow);
}

void MainModel::OnLeftButtonDown(Point clientPoint) {
    if (!shown_) return;
    PointAt(clientPoint);
    view_->SetPressed(true);
    // A month's title among several opens that month alone.
    if (const CalDate title = view_->MonthTitleAtCursor(); !title.IsNull()) {
        view_->SetPressed(false);
        const YearMonthDay ymd = title.Parts();
        view_->SetMonth(ymd.year, ymd.month);
        ShowView(oneMonthRows_);
        return;
    }
    if (view_->ClickNavigation()) RefreshWindow(false);
}

void MainModel::OnLeftButtonUp() {
    if (!shown_) return;
    view_->SetPressed(false);
    if (view_->HitTest().region == kRegionHead) ports_.window.RepaintCell(view_->CursorColumn(), view_->CursorRow());
}

void MainModel::OnMouseMove(int x, int y, std::optional<Point> screen) {
    if (!shown_) return;
    if (screen) {
        if (restingPointer_ == screen) return;
        restingPointer_ = screen;
    }
    PointAt({x, y});
}

void MainModel::OnLeftButtonDoubleClick(Point clientPoint) {
    if (!shown_) return;
    PointAt(clientPoint);
    ports_.window.PostCommand(CommandId::kMemo);
}

void MainModel::OnRightButtonUp(Point clientPoint) {
    if (shown_) PointAt(clientPoint);
    ShowContextMenu(clientPoint);
}

void MainModel::OnMenuKey() { ShowContextMenu({0, 0}); }

CommandState MainModel::CommandStateNow() const {
    CommandState state;
    if (!shown_) return state;
    const auto [year, month] = view_->FirstMonth();
    const CellClass hit = view_->HitTest();
    const YearMonthDay today = view_->TodayDate().Parts();
    // The months shown: a view of several shows them all, the two-month view its first.
    const int first = year * 12 + month - 1, last = first + view_->ViewStep() - 1;
    const int todayMonth = today.year * 12 + today.month - 1;
    state.viewShown = true;
    state.atFirstMonth = first <= kMinYear * 12;
    state.atLastMonth = last >= kMaxYear * 12 + 11;
    state.onDate = hit.region == kRegionDate;
    state.spanStarted = !memorizedDate_.IsNull();
    state.showingToday = todayMonth >= first && todayMonth <= last;
    state.neighbourDays = view_->Settings().neighbourDays;
    return state;
}

void MainModel::ShowContextMenu(Point clientPoint) { ports_.window.ShowContextMenu(clientPoint, CommandStateNow()); }

void MainModel::RefreshWindow(bool forced) {
    if (!shown_) {
        ports_.window.SetTitle(ApplicationTitle());
        ports_.window.RepaintAll();
        return;
    }
    // New settings may bring another picture, size or theme: the window follows them.
    if (refreshedSettings_ != document_.SettingsGeneration()) {
        refreshedSettings_ = document_.SettingsGeneration();
        forced = true;
        ApplyTitleBar();
    }
    ports_.window.SetTitle(TitleNow());
    if (ShownMonthNumber() != announcedMonth_) {
        announcedMonth_ = ShownMonthNumber();
        ports_.readers.AccessibleNameChanged(0);  // the calendar's name is its month
    }
    const std::string& pattern = document_.Settings().backgroundImagePath;
    const std::string name = ResolveBackgroundPath(pattern, view_->ShownMonth());
    if (forced || name != lastBackgroundName_) {
        lastBackgroundName_ = name;
        view_->UpdateBackground(pattern, forced);  // a picture that fails to load is none
        ResizeOnScreen();
    }
    ports_.window.RepaintAll();
}

void MainModel::ShowView(RowsStyle rows) {
    const RowsStyle before = document_.Settings().design.rows;
    if (MonthsOf(before) == 1) oneMonthRows_ = before;  // the one month's own rows come back
    document_.EditSettings([&](SettingsRecord& settings) { settings.design.rows = rows; });
    RefreshWindow(false);
    AnnounceCursor();
}

void MainModel::RunMemo() {
    const CellClass hit = view_->HitTest();
    if (hit.region != kRegionDate) return;
    MemoEdit memo;
    if (const MemoStore::Entry* own = document_.Memos().OwnEntry(hit.date)) memo = {own->text, own->repeat, own->until};
    if (!ports_.dialogs.RunMemoDialog(DateFormat(ResolveText(kMemoPromptFormat), hit.date), memo)) return;
    const bool changed = document_.EditMemos().SetMemo(hit.date, memo.text, memo.repeat, memo.until);
    // Written at once: a program ended without hiding (a crash, a log-off that kills it)
    // keeps what was typed. Hidden meanwhile (from the tray), the window is no matter.
    if (changed) {
        memoDirty_ = true;
        Tell(settings_.SaveMemos(document_, memoDirty_));
    }
    if (!shown_) return;
    // The footer shows the memo of the cursor's day as well (the view follows the
    // document), and its name reads it.
    ports_.window.RepaintCell(view_->CursorColumn(), view_->CursorRow());
    ports_.window.RepaintFooter();
    if (!changed) return;
    // The day the memo is for: the cursor may have moved meanwhile (midnight, a reader).
    const AccessibleTree tree(*view_);
    for (size_t i = 0; i < tree.Items().size(); ++i) {
        const AccessibleItem& item = tree.Items()[i];
        if (item.role == AccessibleRole::kCell && item.date == hit.date) {
            ports_.readers.AccessibleNameChanged(static_cast<int>(i) + 1);
        }
    }
}

void MainModel::RunOptions() {
    SettingsRecord edited = document_.Settings();
    if (!ports_.dialogs.RunOptionsDialog(edited, document_.Memos())) return;
    const bool otherSet = edited.holidaySet != document_.Settings().holidaySet;
    document_.SetSettings(std::move(edited));
    if (otherSet) {
        // Another set's rules, or what holidays.txt alone gives, taken as a saved script is
        // (a failure told once, the rules in force kept); the files as they are now are the
        // ones read, so that a save pending meanwhile is not taken twice.
        StopReload();
        liveReload_.Check(ReadWatchedFiles(settings_.Paths()));
        ReloadScript();
        if (!shown_) return;
    }
    // The dialog's buttons open the scripts in an editor: what was saved meanwhile is taken
    // as any save is (a broken one told once, the rules in force kept).
    OnReloadDue();
    if (!shown_) return;  // hidden from the loop of a message
    RefreshWindow();
}

void MainModel::OnCommand(int id) {
    const auto command = static_cast<CommandId>(id);
    // The commands that act without the view.
    switch (command) {
    case CommandId::kClose:
        if (!ports_.window.IsVisible()) ports_.window.Destroy();
        ports_.window.SendClose();
        return;
    case CommandId::kDisplay:
        if (ports_.window.IsVisible()) ports_.window.Hide();
        else ports_.window.ShowAndActivate();
        return;
    case CommandId::kAbout: ports_.dialogs.RunAboutDialog(); return;
    case CommandId::kHelp: ports_.system.OpenHelp(); return;
    default: break;
    }
    if (!shown_) return;
    switch (command) {
    case CommandId::kPrevMonth: view_->StepMonth(-1); break;
    case CommandId::kNextMonth: view_->StepMonth(1); break;
    case CommandId::kPrevYear: view_->StepMonth(-12); break;
    case CommandId::kNextYear: view_->StepMonth(12); break;
    case CommandId::kPrevView: view_->StepMonth(-view_->ViewStep()); break;
    case CommandId::kNextView: view_->StepMonth(view_->ViewStep()); break;
    case CommandId::kToday: view_->SelectDate(view_->TodayDate()); break;
    case CommandId::kShowNext:
        document_.EditSettings([](SettingsRecord& settings) { settings.neighbourDays = !settings.neighbourDays; });
        break;
    case CommandId::kJump: {
        int year = view_->ShownYear(), month = view_->ShownMonth();
        if (!ports_.dialogs.RunJumpDialog(year, month)) return;
        view_->SetMonth(year, month);
        break;
    }
    case CommandId::kCopy: ports_.system.PutOnClipboard(ClipboardMonthText(*view_)); return;
    case CommandId::kSwitchView: {
        const RowsStyle rows = document_.Settings().design.rows;
        ShowView(rows == kTwelveMonths ? oneMonthRows_ : NextView(rows));
        return;
    }
    case CommandId::kMemo: RunMemo(); return;
    case CommandId::kSearch: {
        CalDate chosen;
        if (!ports_.dialogs.RunSearchDialog(document_.Memos(), chosen) || !shown_) return;
        view_->SelectDate(chosen);
        break;
    }
    case CommandId::kExplain: {
        const CellClass hit = view_->HitTest();
        if (hit.region == kRegionDate) ports_.dialogs.RunDayTraceDialog(DayTraceOf(hit.date));
        return;
    }
    case CommandId::kOption: RunOptions(); return;
    case CommandId::kCounter: {
        CountDown countDown = document_.Settings().style.countDown;
        countDown.shown = true;  // opening the dialog offers to show it
        if (!ports_.dialogs.RunCountDownDialog(countDown)) return;
        document_.EditSettings([&](SettingsRecord& settings) { settings.style.countDown = countDown; });
        ports_.window.RepaintAll();
        return;
    }
    case CommandId::kMemorize: {
        const CellClass hit = view_->HitTest();
        if (hit.region == kRegionDate) memorizedDate_ = hit.date;
        return;
    }
    case CommandId::kCalculate: {
        const CellClass hit = view_->HitTest();
        if (hit.region == kRegionDate && !memorizedDate_.IsNull())
            ports_.dialogs.ShowMessage(SpanMessage(memorizedDate_, hit.date));
        return;
    }
    default: return;
    }
    RefreshWindow(false);
    AnnounceCursor();
}

}  // namespace tavoli
