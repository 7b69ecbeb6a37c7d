#include "shell/calendar_settings.h"

#include <algorithm>

#include "calendar/era.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/paths.h"
#include "framework/platform.h"
#include "framework/startup_trace.h"
#include "framework/whole_file.h"
#include "shell/app_info.h"
#include "shell/settings_text.h"

namespace tavoli {

namespace {

const char* const kScriptFailed =
    "Failed to load holiday script.\tja:休日設定スクリプトを正常にロードできませんでした。";
const char* const kMemosRescued =
    "Failed to save memo. The memos were written to this file instead:\tja:メモをセーブできませんでした。"
    "メモは代わりに次のファイルに書き出しました:";

constexpr int kMaxTransparency = 240;
// Margins within what the options dialog offers: larger ones leave a blank window
// thousands of pixels wide, negative ones a sliver.
constexpr int kMaxMargin = 1000;

// The colour settings in the order they are written, with the view's colour each holds.
const std::pair<const char*, ViewColor> kColorValues[] = {
    {"ColorHeader", ViewColor::kHeader},         {"ColorFooter", ViewColor::kFooter},
    {"ColorSelection", ViewColor::kSelection},   {"ColorToday", ViewColor::kToday},
    {"ColorBackground", ViewColor::kBackground}, {"Color01", ViewColor::kNormalDay},
    {"Color02", ViewColor::kSemiHoliday},        {"Color03", ViewColor::kHoliday},
    {"Color04", ViewColor::kNationalHoliday},    {"Color05", ViewColor::kAnniversary},
};

const FontRole kFontRoles[] = {FontRole::kLarge, FontRole::kMedium, FontRole::kSmall, FontRole::kMicro};

// The first value of a name, or nothing.
const std::string* Find(const SettingsValues& values, std::string_view name) {
    for (const auto& [key, text] : values) {
        if (key == name) return &text;
    }
    return nullptr;
}

}  // namespace

SettingsPaths SettingsPaths::ForProgram() {
    SettingsPaths paths;
    paths.userScript = PerUserFilePath(AppInfo::kPerUserFolder, AppInfo::kScriptFile);
    paths.allUsersScript = ProgramFilePath(AppInfo::kScriptFile);
    paths.formatFile = ProgramFilePath(AppInfo::kFormatFile);
    paths.memoFile = PerUserFilePath(AppInfo::kPerUserFolder, AppInfo::kMemoFile);
    return paths;
}

void CalendarSettings::LoadHolidayScript(CalendarView& view) const {
    std::vector<std::string> report;
    ErrorValue error = ErrorFromKey("file_not_found");
    if (FileExists(paths_.userScript)) {
        error = view.Script().CompileFile(paths_.userScript, report);
    } else if (FileExists(paths_.allUsersScript)) {
        error = view.Script().CompileFile(paths_.allUsersScript, report);
    } else {
        view.Script().Clear();
    }
    view.UpdateFooterLines();
    if (error == kSuccess) return;
    std::vector<std::string> lines{ResolveText(kScriptFailed)};
    lines.insert(lines.end(), report.begin(), report.end());
    ShowMessageLines(lines);
}

void CalendarSettings::LoadFormats(CalendarView& view) const {
    std::string contents;
    if (paths_.formatFile.empty() || ReadFileContents(paths_.formatFile, contents) != kSuccess) return;
    view.SetFormats(FormatFileLines(contents));
}

void CalendarSettings::Load(CalendarView& view, SettingsStore& store, WindowSettings& window,
                            PixelColor systemWindowColor) {
    view.Style().SetColor(ViewColor::kBackground, systemWindowColor);
    LoadHolidayScript(view);
    MarkStartup("holiday script");
    LoadFormats(view);
    MarkStartup("format.txt");
    if (pendingMemos_) {
        // The memos a failed save kept: newer than memo.txt, and saved at the next hide.
        view.Memos() = std::move(*pendingMemos_);
        pendingMemos_.reset();
        view.UpdateFooterLines();
    } else {
        LoadMemoFile(view.Memos(), paths_.memoFile);
    }
    MarkStartup("memos");
    SettingsValues values;
    if (store.Read(values) != kSuccess) values.clear();
    MarkStartup("registry");
    ApplyValues(values, view, window);
    MarkStartup("settings applied");
}

void CalendarSettings::ApplyValues(const SettingsValues& values, CalendarView& view, WindowSettings& window) {
    auto present = [&values](const char* name) -> const std::string* {
        const std::string* text = Find(values, name);
        return text && !text->empty() ? text : nullptr;
    };
    auto always = [&values](const char* name) {
        const std::string* text = Find(values, name);
        return text ? *text : std::string();
    };
    ViewStyle& style = view.Style();

    window.backgroundImagePath = always("BackgroundImage");
    style.fontFace = always("FontFace");
    view.SetFirstDayOfWeek(SingleIntegerOf(always("FirstDayOfWeek")));
    if (const std::string* text = present("BaseDayOfWeek")) view.SetBaseDayOfWeek(SingleIntegerOf(*text));
    if (const std::string* text = present("Position")) {
        const std::vector<int64_t> n = NumbersOf(*text);
        window.position = Point{Int32At(n, 0), Int32At(n, 1)};
    }
    window.transparency = std::clamp(SingleIntegerOf(always("Transparance")), 0, kMaxTransparency);
    if (const std::string* text = present("CellSize")) {
        const std::vector<int64_t> n = NumbersOf(*text);
        view.SetCellSize(Int32At(n, 0), Int32At(n, 1));
    }
    if (const std::string* text = present("Margin")) {
        const std::vector<int64_t> n = NumbersOf(*text);
        auto margin = [&n](size_t i) { return std::clamp(Int32At(n, i), 0, kMaxMargin); };
        view.SetMargins(margin(0), margin(1), margin(2), margin(3));
    }
    view.SetNames(always("FormatWeekdayName"), always("FormatMonthName"), EraListFromStored(always("FormatEra")));
    if (const std::string* text = present("FontSize")) {
        const std::vector<int64_t> n = NumbersOf(*text);
        for (size_t i = 0; i < std::size(kFontRoles); ++i) {
            const int64_t size = NumberAt(n, i);
            if (size >= 8 && size <= 255) style.SetFontSize(kFontRoles[i], static_cast<int>(size));
        }
    }
    for (const auto& [name, which] : kColorValues) {
        if (const std::string* text = present(name)) style.SetColor(which, ColorOf(*text));
    }
    if (const std::string* text = present("CountDown")) style.countDown = CountDownOf(*text);
    if (const std::string* text = present("Design")) view.SetDesign(DesignOf(*text, view.GetDesign()));
    if (const std::string* text = present("Flags")) {
        const ViewFlags flags = FlagsOf(*text, {style.emphasis, view.Clock(), view.NeighbourDays()});
        style.emphasis = flags.emphasis;
        view.SetClock(flags.clock);
        view.SetNeighbourDays(flags.neighbourDays);
    }
}

SettingsValues CalendarSettings::ValuesOf(const CalendarView& view, const WindowSettings& window,
                                          Point windowPosition) {
    const ViewStyle& style = view.Style();
    const Size cell = view.CellSize();
    const auto margins = view.Margins();
    SettingsValues values;
    values.emplace_back("", ApplicationTitle());
    values.emplace_back("WebSite", AppInfo::kWebSite);
    values.emplace_back("InstallDirectory", PathPart(CurrentPlatform().ExecutablePath(), "dp"));
    values.emplace_back("Position", std::to_string(windowPosition.x) + "," + std::to_string(windowPosition.y));
    values.emplace_back("Transparance", std::to_string(window.transparency));
    values.emplace_back("FirstDayOfWeek", std::to_string(view.FirstDayOfWeek()));
    values.emplace_back("BaseDayOfWeek", std::to_string(view.BaseDayOfWeek()));
    values.emplace_back("CellSize", "(" + std::to_string(cell.width) + "," + std::to_string(cell.height) + ")");
    values.emplace_back("Margin", std::to_string(margins[0]) + "," + std::to_string(margins[1]) + "," +
                                      std::to_string(margins[2]) + "," + std::to_string(margins[3]));
    values.emplace_back("FormatWeekdayName", BlankIfEmpty(view.WeekdayNames()));
    values.emplace_back("FormatMonthName", BlankIfEmpty(view.MonthNames()));
    values.emplace_back("FormatEra", BlankIfEmpty(view.EraList()));
    std::string sizes;
    for (FontRole role : kFontRoles) sizes += (sizes.empty() ? "" : ",") + std::to_string(style.FontSize(role));
    values.emplace_back("FontSize", sizes);
    for (const auto& [name, which] : kColorValues) values.emplace_back(name, ColorText(style.Color(which)));
    values.emplace_back("Design", DesignText(view.GetDesign()));
    values.emplace_back("Flags", FlagsText({style.emphasis, view.Clock(), view.NeighbourDays()}));
    values.emplace_back("BackgroundImage", window.backgroundImagePath);
    values.emplace_back("FontFace", style.fontFace);
    values.emplace_back("CountDown", CountDownText(style.countDown));
    return values;
}

void CalendarSettings::Save(CalendarView& view, SettingsStore& store, const WindowSettings& window,
                            Point windowPosition, bool& memoDirty) {
    if (memoDirty) {
        if (SaveMemoFile(view.Memos(), paths_.memoFile) == kSuccess) {
            memoDirty = false;
        } else {
            // The view goes with the hide: the memos stay here until a save succeeds.
            pendingMemos_ = std::make_unique<MemoStore>(std::move(view.Memos()));
        }
    }
    store.Write(ValuesOf(view, window, windowPosition));
}

std::string CalendarSettings::RescuePendingMemos() {
    if (!pendingMemos_) return {};
    const std::string folder = TemporaryFolderPath();
    if (folder.empty()) return {};
    const std::string base = folder + "tavoli-memo-rescue.txt";
    std::string path = base;
    for (int n = 2; n < 102 && (FileExists(path) || FolderExists(path)); ++n) path = NumberedVariant(base, n);
    if (pendingMemos_->SaveMemos(path) != kSuccess) return {};
    ShowMessage(ResolveText(kMemosRescued) + "\n" + path);
    pendingMemos_.reset();
    return path;
}

}  // namespace tavoli
