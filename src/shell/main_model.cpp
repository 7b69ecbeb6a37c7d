#include "shell/main_model.h"

#include "format/date_format.h"
#include "format/default_formats.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/paths.h"
#include "framework/startup_trace.h"
#include "holidays/day_trace.h"
#include "shell/window_placement.h"
#include "view/accessible_tree.h"

namespace tavoli {

namespace {

// Virtual keys the window handles itself.
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
    for (const std::string& line : view.MonthAsText()) text += line + "\r\n";
    return text;
}

void MainModel::OnShow() {
    // Read before loading: a file saved meanwhile differs from this and is taken.
    WatchedFiles before = ReadWatchedFiles(settings_.Paths());
    failingScript_ = settings_.Load(document_, host_.Store(), host_.SystemWindowColor(), memoDirty_);
    liveReload_.Loaded(std::move(before));
    view_ = std::make_unique<CalendarView>(document_);
    view_->SetAppearance(host_.Appearance());
    ApplyTitleBar();
    MarkStartup("view");
    // After the settings, which may move the grid (first day of week, design).
    view_->SelectDate(Today(kLocalZone));
    announcedMonth_ = ShownMonthNumber();  // the window itself appears with it
    const SettingsRecord& settings = document_.settings;
    // The position is kept in 96-DPI units, as the settings are; the view takes the scale
    // of the monitor the window is on once it is there.
    if (settings.position) {
        const int dpi = host_.Dpi();
        host_.MoveWindow({ScaleToDpi(settings.position->x, dpi), ScaleToDpi(settings.position->y, dpi)});
    }
    view_->SetDpi(host_.Dpi());
    if (settings.transparency != 0) host_.SetTranslucency(settings.transparency);
    host_.StartTimer();
    host_.SetTitle(ApplicationTitle());
    MarkStartup("position and title");
    // Sized and brought wholly onto a monitor, whatever was saved; the next hide saves
    // where it came up.
    RefreshWindow(true);
    MarkStartup("refresh");
    restingPointer_ = host_.PointerPosition();
    WatchFolders();
}

void MainModel::OnHide() {
    if (!view_) return;
    const Point at = host_.WindowPosition();
    const int dpi = host_.Dpi();
    document_.settings.position = Point{ScaleFromDpi(at.x, dpi), ScaleFromDpi(at.y, dpi)};
    // Hidden, the files are read at the next show: nothing is watched meanwhile.
    host_.WatchFolders({});
    host_.StopReloadTimer();
    settings_.Save(document_, host_.Store(), memoDirty_);
    host_.StopTimer();
    view_.reset();
    host_.DropPaintCaches();  // hidden, the program keeps nothing for painting
    lastBackgroundName_.clear();
}

void MainModel::OnDestroy() {
    OnHide();
    if (memoDirty_ && !settings_.RescueUnsavedMemos(document_.memos).empty()) memoDirty_ = false;
}

void MainModel::OnClose() {
    host_.Hide();
    if (!trayResident_) host_.Destroy();
}

void MainModel::OnTimer() {
    const CalDate today = Today(kLocalZone);
    if (view_ && today != view_->TodayDate()) {
        view_->GoToday();
        RefreshWindow(false);
    }
    if (view_ && view_->Clock()) host_.SetTitle(view_->WindowTitle(Now(kLocalZone)));
}

void MainModel::OnDpiChanged(int dpi) {
    if (!view_) return;
    view_->SetDpi(dpi);
    ResizeOnScreen();
    host_.RepaintAll();
}

void MainModel::ResizeOnScreen() {
    host_.ResizeClient(view_->ViewSize());
    // A larger window (another design, a larger scale) stays wholly on its monitor.
    const Rect frame = host_.WindowRect();
    const Point placed = PlaceOnScreen(frame, host_.MonitorWorkAreas());
    if (placed.x != frame.left || placed.y != frame.top) host_.MoveWindow(placed);
}

std::optional<Size> MainModel::ViewSizeAt(int dpi) const {
    if (!view_) return std::nullopt;
    return view_->ViewSizeAt(dpi);
}

void MainModel::OnFontsChanged() {
    if (!view_) return;
    host_.DropPaintCaches();  // the next paint makes fonts and glyphs anew, the painter's source too
    host_.RepaintAll();
}

void MainModel::OnAppearanceChanged() {
    if (!view_) return;  // the next show reads it
    const SystemAppearance appearance = host_.Appearance();
    if (appearance == view_->Appearance()) return;
    view_->SetAppearance(appearance);
    ApplyTitleBar();
    host_.RepaintAll();
}

void MainModel::ApplyTitleBar() {
    // Dark where the dark palette is painted on a dark background: not over a light
    // background of the user's own, nor in high contrast, where the system draws it.
    const Palette palette = ResolvePalette(document_.settings.style, view_->Appearance());
    const PixelColor background = palette.Color(PaintColor::kBackground);
    host_.SetDarkTitleBar(palette.scheme == Scheme::kDark &&
                          ContrastRatio(background, PixelColor::Rgb(0, 0, 0)) <
                              ContrastRatio(background, PixelColor::Rgb(255, 255, 255)));
}

void MainModel::WatchFolders() {
    host_.WatchFolders(FoldersToWatch(settings_.Paths(), [](const std::string& path) { return FolderExists(path); }));
}

void MainModel::OnFolderChanged() {
    if (view_) host_.StartReloadTimer();
}

void MainModel::OnReloadDue() {
    host_.StopReloadTimer();
    if (!view_) return;
    WatchFolders();  // a folder that was missing may exist now
    const LiveReload::Changes changes = liveReload_.Check(ReadWatchedFiles(settings_.Paths()));
    if (changes.again) host_.StartReloadTimer();
    if (!changes.script && !changes.formats) return;
    if (changes.formats) {
        settings_.LoadFormats(document_);
        if (!view_) return;  // its note on a file in UTF-8 runs a loop, in which the window may hide
    }
    LiveReload::Tell tell = LiveReload::Tell::kNothing;
    std::vector<std::string> messageLines;
    if (changes.script) {
        CalendarSettings::CompiledScript compiled = settings_.CompileHolidayScript();
        tell = liveReload_.Compiled(compiled.compiled);
        // The last rules that compiled stay until the file compiles again.
        CalendarSettings::TakenScript taken = settings_.TakeScript(document_, std::move(compiled));
        failingScript_ = std::move(taken.failingPath);
        messageLines = std::move(taken.messageLines);
    }
    view_->SettingsChanged();
    RefreshWindow(false);
    // Last: a message runs a loop of its own, in which another change may come.
    if (tell == LiveReload::Tell::kCloseError) host_.CloseScriptError();
    if (!messageLines.empty()) host_.ShowScriptError(messageLines);
}

std::vector<std::string> MainModel::DayTraceOf(CalDate date) const {
    using File = TracedScriptFile;
    const SettingsPaths& paths = settings_.Paths();
    const ScriptSource& source = document_.Source();
    std::vector<File> files;
    for (const auto& [role, path] : {std::pair{File::Role::kPerUser, &paths.userScript},
                                     std::pair{File::Role::kAllUsers, &paths.allUsersScript}}) {
        // A path too long for the system names no file.
        File::State state = File::State::kMissing;
        if (!path->empty() && *path == failingScript_) state = File::State::kFailing;
        else if (!path->empty() && *path == source.path)
            state = source.compiled ? File::State::kInForce : File::State::kFailed;
        else if (FileExists(*path)) state = File::State::kUnused;
        files.push_back({role, *path, state});
    }
    return DayTrace(date, document_.Script(), source.lines, files);
}

void MainModel::OnWheel(int delta) {
    if (!view_) return;
    const int before = ShownMonthNumber();
    view_->StepMonth(-delta / 120);  // truncating toward zero: ±60 moves nothing
    RefreshWindow(false);
    if (ShownMonthNumber() != before) AnnounceCursor();
}

void MainModel::AnnounceCursor() { host_.AccessibleFocus(AccessibleTree(*view_).CursorChild()); }

bool MainModel::OnAccessibleSelect(int child) {
    if (!view_) return false;
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
    if (!view_) return false;
    const AccessibleTree tree(*view_);
    const AccessibleItem* item = tree.Child(child);
    if (!item) return false;
    // Posted: a dialog opened inside the reader's call would keep the reader waiting.
    switch (item->role) {
    case AccessibleRole::kPushButton:
        host_.PostCommand(item->monthStep == -12  ? CommandId::kPrevYear
                          : item->monthStep == -1 ? CommandId::kPrevMonth
                          : item->monthStep == 1  ? CommandId::kNextMonth
                                                  : CommandId::kNextYear);
        return true;
    case AccessibleRole::kCell:
        OnAccessibleSelect(child);
        host_.PostCommand(CommandId::kMemo);
        return true;
    default: return false;
    }
}

void MainModel::RepaintCursorMove(int oldColumn, int oldRow) {
    host_.RepaintCell(oldColumn, oldRow);
    host_.RepaintCell(view_->CursorColumn(), view_->CursorRow());
    host_.RepaintFooter();
}

void MainModel::OnKeyDown(int virtualKey, bool ctrlDown) {
    if (!view_) return;
    switch (virtualKey) {
    case kKeyApps: OnMenuKey(); return;
    case kKeyReturn: host_.PostCommand(CommandId::kMemo); return;
    case kKeySpace:
    case kKeyHome: host_.PostCommand(CommandId::kToday); return;
    case kKeyEscape: host_.PostCommand(CommandId::kClose); return;
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
    if (!view_) return;
    PointAt(clientPoint);
    view_->SetPressed(true);
    if (view_->ClickNavigation()) RefreshWindow(false);
}

void MainModel::OnLeftButtonUp() {
    if (!view_) return;
    view_->SetPressed(false);
    if (view_->HitTest().region == kRegionHead) host_.RepaintCell(view_->CursorColumn(), view_->CursorRow());
}

void MainModel::OnMouseMove(int x, int y, std::optional<Point> screen) {
    if (!view_) return;
    if (screen) {
        if (restingPointer_ == screen) return;
        restingPointer_ = screen;
    }
    PointAt({x, y});
}

void MainModel::OnLeftButtonDoubleClick(Point clientPoint) {
    if (!view_) return;
    PointAt(clientPoint);
    host_.PostCommand(CommandId::kMemo);
}

void MainModel::OnRightButtonUp(Point clientPoint) {
    if (view_) PointAt(clientPoint);
    ShowContextMenu(clientPoint);
}

void MainModel::OnMenuKey() { ShowContextMenu({0, 0}); }

CommandState MainModel::CommandStateNow() const {
    CommandState state;
    if (!view_) return state;
    const int year = view_->ShownYear(), month = view_->ShownMonth();
    const CellClass hit = view_->HitTest();
    const YearMonthDay today = view_->TodayDate().Parts();
    state.viewShown = true;
    state.atFirstMonth = year <= 1 && month == 1;
    state.atLastMonth = year >= 3999 && month == 12;
    state.onDate = hit.region == kRegionDate;
    state.spanStarted = !memorizedDate_.IsNull();
    state.showingToday = today.year == year && today.month == month;
    state.neighbourDays = view_->NeighbourDays();
    return state;
}

void MainModel::ShowContextMenu(Point clientPoint) { host_.ShowContextMenu(clientPoint, CommandStateNow()); }

void MainModel::RefreshWindow(bool forced) {
    if (!view_) {
        host_.SetTitle(ApplicationTitle());
        host_.RepaintAll();
        return;
    }
    host_.SetTitle(view_->WindowTitle(Now(kLocalZone)));
    if (ShownMonthNumber() != announcedMonth_) {
        announcedMonth_ = ShownMonthNumber();
        host_.AccessibleNameChanged(0);  // the calendar's name is its month
    }
    const std::string& pattern = document_.settings.backgroundImagePath;
    const std::string name = ResolveBackgroundPath(pattern, view_->ShownMonth());
    if (forced || name != lastBackgroundName_) {
        lastBackgroundName_ = name;
        view_->UpdateBackground(pattern, forced);  // a picture that fails to load is none
        ResizeOnScreen();
    }
    host_.RepaintAll();
}

void MainModel::RunMemo() {
    const CellClass hit = view_->HitTest();
    if (hit.region != kRegionDate) return;
    std::string text = document_.memos.MemoOf(hit.date);
    if (!host_.RunMemoDialog(DateFormat(ResolveText(kMemoPromptFormat), hit.date), text)) return;
    const bool changed = document_.memos.SetMemo(hit.date, text);
    // Written at once: a program ended without hiding (a crash, a log-off that kills it)
    // keeps what was typed. Hidden meanwhile (from the tray), the window is no matter.
    if (changed) {
        memoDirty_ = true;
        settings_.SaveMemos(document_, memoDirty_);
    }
    if (!view_) return;
    // The footer shows the memo of the cursor's day as well, and its name reads it.
    view_->UpdateFooterLines();
    host_.RepaintCell(view_->CursorColumn(), view_->CursorRow());
    host_.RepaintFooter();
    if (!changed) return;
    // The day the memo is for: the cursor may have moved meanwhile (midnight, a reader).
    const AccessibleTree tree(*view_);
    for (size_t i = 0; i < tree.Items().size(); ++i) {
        const AccessibleItem& item = tree.Items()[i];
        if (item.role == AccessibleRole::kCell && item.date == hit.date) {
            host_.AccessibleNameChanged(static_cast<int>(i) + 1);
        }
    }
}

void MainModel::RunOptions() {
    SettingsRecord edited = document_.settings;
    if (!host_.RunOptionsDialog(edited, document_.memos)) return;
    document_.settings = edited;
    // The dialog's buttons open the scripts in an editor: what was saved meanwhile is taken
    // as any save is (a broken one told once, the rules in force kept).
    OnReloadDue();
    if (!view_) return;  // hidden from the loop of a message
    view_->SettingsChanged();
    ApplyTitleBar();
    host_.DropPaintCaches();
    RefreshWindow(true);
}

void MainModel::OnCommand(int id) {
    const auto command = static_cast<CommandId>(id);
    // The commands that act without the view.
    switch (command) {
    case CommandId::kClose:
        if (!host_.IsVisible()) host_.Destroy();
        host_.SendClose();
        return;
    case CommandId::kDisplay:
        if (host_.IsVisible()) host_.Hide();
        else host_.ShowAndActivate();
        return;
    case CommandId::kAbout: host_.RunAboutDialog(); return;
    case CommandId::kHelp: host_.OpenHelp(); return;
    default: break;
    }
    if (!view_) return;
    switch (command) {
    case CommandId::kPrevMonth: view_->StepMonth(-1); break;
    case CommandId::kNextMonth: view_->StepMonth(1); break;
    case CommandId::kPrevYear: view_->StepMonth(-12); break;
    case CommandId::kNextYear: view_->StepMonth(12); break;
    case CommandId::kToday: view_->SelectDate(view_->TodayDate()); break;
    case CommandId::kShowNext:
        document_.settings.neighbourDays = !document_.settings.neighbourDays;
        view_->SettingsChanged();
        break;
    case CommandId::kJump: {
        int year = view_->ShownYear(), month = view_->ShownMonth();
        if (!host_.RunJumpDialog(year, month)) return;
        view_->SetMonth(year, month);
        break;
    }
    case CommandId::kCopy: host_.PutOnClipboard(ClipboardMonthText(*view_)); return;
    case CommandId::kMemo: RunMemo(); return;
    case CommandId::kExplain: {
        const CellClass hit = view_->HitTest();
        if (hit.region == kRegionDate) host_.RunDayTraceDialog(DayTraceOf(hit.date));
        return;
    }
    case CommandId::kOption: RunOptions(); return;
    case CommandId::kCounter: {
        CountDown countDown = document_.settings.style.countDown;
        countDown.shown = true;  // opening the dialog offers to show it
        if (!host_.RunCountDownDialog(countDown)) return;
        document_.settings.style.countDown = countDown;
        host_.RepaintAll();
        return;
    }
    case CommandId::kMemorize: {
        const CellClass hit = view_->HitTest();
        if (hit.region == kRegionDate) memorizedDate_ = hit.date;
        return;
    }
    case CommandId::kCalculate: {
        const CellClass hit = view_->HitTest();
        if (hit.region == kRegionDate && !memorizedDate_.IsNull()) ShowMessage(SpanMessage(memorizedDate_, hit.date));
        return;
    }
    default: return;
    }
    RefreshWindow(false);
    AnnounceCursor();
}

}  // namespace tavoli
