#include "shell/calendar_settings.h"

#include <algorithm>

#include "calendar/era.h"
#include "framework/app_info.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/paths.h"
#include "framework/platform.h"
#include "framework/startup_trace.h"
#include "framework/text_lines.h"
#include "framework/whole_file.h"
#include "holidays/holiday_set.h"
#include "memo/memo_file.h"
#include "settings/settings_text.h"

namespace tavoli {

namespace {

const char* const kScriptFailed =
    "Failed to load holiday script.\tja:休日設定スクリプトを正常にロードできませんでした。";
// What is in force while the file named above does not compile.
const char* const kItsRulesInForce =
    "Until it loads, the rules it gave when it last loaded stay in "
    "force.\tja:読み込めるまでは、前回読み込んだときの規則を使います。";
const char* const kOtherRulesInForce =
    "Until it loads, the rules last loaded from %1 stay in force.\tja:読み込めるまでは、前回 %1 "
    "から読み込んだ規則を使います。";
const char* const kNoRulesInForce =
    "Until it loads, no holiday rules are in force.\tja:読み込めるまでは、休日の規則はありません。";
const char* const kFirstSetChosen =
    "The calendar shows the holidays of %1, the country of your system's region. Where your region "
    "has days off of its own, choose it in Options, on the Script page.\tja:%1 (システムの地域の国) "
    "の休日を表示します。地域ごとの休日がある場合は、オプションの「スクリプト」ページで地域を選んでください。";
const char* const kNoSetForCountry =
    "No holiday set ships for the country of your system's region (%1), so no holidays are shown. "
    "Choose a set in Options, on the Script page, or write your own holidays.txt.\tja:システムの地域の国 (%1) "
    "の休日セットがないため、休日は表示されません。オプションの「スクリプト」ページでセットを選ぶか、"
    "holidays.txt を作成してください。";
const char* const kCalendarNotRead = "A calendar could not be read:\tja:カレンダーを読めませんでした。";
const char* const kSettingsNotSaved = "Failed to save settings.\tja:設定をセーブできませんでした。";

}  // namespace

SettingsPaths ProgramSettingsPaths() {
    SettingsPaths paths;
    paths.userScript = PerUserFilePath(AppInfo::kPerUserFolder, AppInfo::kScriptFile);
    paths.allUsersScript = ProgramFilePath(AppInfo::kScriptFile);
    paths.formatFile = ProgramFilePath(AppInfo::kFormatFile);
    paths.memoFile = PerUserFilePath(AppInfo::kPerUserFolder, AppInfo::kMemoFile);
    paths.setsFolder = ProgramFilePath(AppInfo::kSetsFolder);
    paths.calendarsFolder = PerUserFilePath(AppInfo::kPerUserFolder, AppInfo::kCalendarsFolder);
    return paths;
}

std::string CalendarSettings::ScriptInForce() const {
    if (FileExists(paths_.userScript)) return paths_.userScript;
    if (FileExists(paths_.allUsersScript)) return paths_.allUsersScript;
    return {};
}

CalendarSettings::CompiledScript CalendarSettings::CompileHolidayScript(const std::string& set) const {
    CompiledScript result;
    std::vector<std::string> files;
    const bool ofSet = !set.empty() && set != kNoHolidaySet;
    std::vector<std::string> setFiles = HolidaySetFiles(paths_.setsFolder, set);
    if (ofSet) {
        result.source.set = set;
        if (FileExists(paths_.userScript)) files.push_back(paths_.userScript);
        files.insert(files.end(), setFiles.begin(), setFiles.end());
    } else if (std::string inForce = ScriptInForce(); !inForce.empty()) {
        files.push_back(std::move(inForce));
    }
    ErrorValue error = kSuccess;
    // No set chosen yet (none ships for the system's country) and no holidays.txt: no rules,
    // and nothing wrong. A set whose folder the system could not name fails as a missing file.
    if (ofSet && setFiles.empty()) {
        error = ErrorFromKey("file_not_found");
        result.path = paths_.setsFolder;
    } else if (files.empty() && !set.empty()) {
        error = ErrorFromKey("file_not_found");
    }
    if (error == kSuccess && !files.empty()) {
        error = CompileScripts(files, result.script, result.report, result.source.texts);
        result.path = error == kSuccess ? files.front() : result.source.texts.back().path;
        // A set's file that cannot be read says why: its name alone would not.
        if (error != kSuccess && ofSet && result.report.empty()) result.report.push_back(ReasonOf(error));
    }
    result.compiled = error == kSuccess;
    result.source.compiled = result.compiled;
    return result;
}

std::string CalendarSettings::FirstHolidaySet(Report& report) {
    // The sets are listed only when they may be needed: a holidays.txt settles it.
    if (!ScriptInForce().empty()) return kNoHolidaySet;
    const std::vector<HolidaySetEntry> sets = ListHolidaySets(paths_.setsFolder);
    const std::string country = CurrentPlatform().UserCountry();
    std::string set = tavoli::FirstHolidaySet(false, country, sets);
    if (set.empty()) {
        // Still to be chosen: said once a run, for the user to choose in Options.
        if (!toldNoSet_) report.Tell(FillText(kNoSetForCountry, {country.empty() ? "?" : country}));
        toldNoSet_ = true;
    } else if (HasRegions(set, sets)) {
        const auto entry = std::find_if(sets.begin(), sets.end(), [&set](const auto& e) { return e.code == set; });
        report.Tell(FillText(kFirstSetChosen, {CurrentPlatform().FromUtf8(entry->name)}));
    }
    return set;
}

CalendarSettings::TakenScript CalendarSettings::TakeScript(CalendarDocument& document, CompiledScript compiled) const {
    TakenScript taken;
    std::vector<std::string>& lines = taken.messageLines;
    const std::string path = compiled.path;
    // Rules that compiled stay while their file is saved in a form that does not: the
    // window may have been hidden since, the document has not. A script that was removed
    // takes its rules with it.
    const ScriptSource& before = document.Source();
    const bool keepsEarlier = !compiled.compiled && !path.empty() && before.compiled && !before.texts.empty();
    if (!compiled.compiled) {
        lines.push_back(ResolveText(kScriptFailed));
        if (!path.empty()) {
            lines.push_back(path);
            const bool itsOwn = std::any_of(before.texts.begin(), before.texts.end(),
                                            [&path](const ScriptText& text) { return text.path == path; });
            std::string earlier;
            for (const ScriptText& text : before.texts) earlier += (earlier.empty() ? "" : ", ") + text.path;
            if (!keepsEarlier) lines.push_back(ResolveText(kNoRulesInForce));
            else if (itsOwn) lines.push_back(ResolveText(kItsRulesInForce));
            else lines.push_back(FillText(kOtherRulesInForce, {earlier}));
        }
    }
    if (keepsEarlier) taken.failingPath = path;
    else document.SetScript(std::move(compiled.script), std::move(compiled.source));
    lines.insert(lines.end(), compiled.report.begin(), compiled.report.end());
    return taken;
}

std::string CalendarSettings::LoadHolidayScript(CalendarDocument& document, const std::string& set,
                                                Report& report) const {
    TakenScript taken = TakeScript(document, CompileHolidayScript(set));
    report.Tell(JoinMessageLines(taken.messageLines));
    return taken.failingPath;
}

Report CalendarSettings::LoadFormats(CalendarDocument& document) const {
    Report report;
    std::string contents;
    if (paths_.formatFile.empty() || ReadFileContents(paths_.formatFile, contents) != kSuccess) {
        document.SetFormatLines({});
        return report;
    }
    std::string_view text(contents);
    if (SkipByteOrderMark(text) && Utf8ReadAsAnsi(text)) report.Tell(Utf8ReadAsAnsiNote(paths_.formatFile));
    document.SetFormatLines(FormatFileLines(text));
    return report;
}

CalendarSettings::Loaded CalendarSettings::Load(CalendarDocument& document, SettingsStore& store,
                                                PixelColor systemWindowColor, bool memosUnsaved) {
    backedUpOn_ = CalDate();
    Loaded loaded;
    // The values first: they say which holiday set is in force.
    SettingsValues values;
    if (store.Read(values) != kSuccess) values.clear();
    MarkStartup("registry");
    SettingsRecord settings = SettingsRecord::Defaults(Today(kLocalZone), systemWindowColor);
    ReadSettings(values, settings);
    // Chosen once and stored: a holidays.txt made later is added to the set, not put in
    // its place.
    if (settings.holidaySet.empty()) settings.holidaySet = FirstHolidaySet(loaded.report);
    loaded.failingScript = LoadHolidayScript(document, settings.holidaySet, loaded.report);
    MarkStartup("holiday script");
    loaded.report.Take(LoadFormats(document));
    MarkStartup("format.txt");
    if (!memosUnsaved) LoadMemoFile(document.EditMemos(), paths_.memoFile, loaded.report);
    MarkStartup("memos");
    document.SetSettings(std::move(settings));
    MarkStartup("settings applied");
    return loaded;
}

std::vector<CalendarSource> CalendarSettings::SourcesNow(const std::string& stored) const {
    std::vector<CalendarSource> sources = ParseSourcesText(stored);
    for (CalendarSource& source : FolderSources(paths_.calendarsFolder, sources.size()))
        sources.push_back(std::move(source));
    return sources;
}

LoadedSource CalendarSettings::Read(const CalendarSource& source, Report& report) {
    if (!source.shown) {
        LoadedSource hidden;
        hidden.source = source;
        hidden.shownName = source.name.empty() ? PathPart(source.path, "f") : source.name;
        return hidden;
    }
    LoadedSource loaded = ReadSource(source);
    if (!loaded.problem.empty() && toldSourceProblems_.insert(loaded.problem).second)
        report.Tell(ResolveText(kCalendarNotRead) + "\n" + loaded.problem);
    return loaded;
}

bool CalendarSettings::ReloadSources(CalendarDocument& document, Report& report) {
    const std::vector<CalendarSource> now = SourcesNow(document.Settings().calendarSources);
    const std::vector<LoadedSource>& before = document.Sources();
    // Which of them are as they were read: the same source, hidden or with the same bytes.
    std::vector<bool> same(now.size(), false);
    bool changed = now.size() != before.size();
    for (size_t i = 0; i < now.size(); ++i) {
        same[i] = i < before.size() && before[i].source == now[i] &&
                  (!now[i].shown || SourceDigest(now[i].path) == before[i].digest);
        changed = changed || !same[i];
    }
    if (!changed) return false;
    std::vector<LoadedSource> sources;
    for (size_t i = 0; i < now.size(); ++i) sources.push_back(same[i] ? before[i] : Read(now[i], report));
    document.SetSources(std::move(sources));
    return true;
}

SettingsValues CalendarSettings::ValuesOf(const SettingsRecord& record) {
    SettingsValues values;
    values.emplace_back("", ApplicationTitle());
    values.emplace_back("WebSite", AppInfo::kWebSite);
    values.emplace_back("InstallDirectory", PathPart(CurrentPlatform().ExecutablePath(), "dp"));
    for (auto& value : WriteSettings(record)) values.push_back(std::move(value));
    return values;
}

Report CalendarSettings::Save(CalendarDocument& document, SettingsStore& store, bool& memoDirty) {
    Report report = SaveMemos(document, memoDirty);
    const ErrorValue written = store.Write(ValuesOf(document.Settings()));
    if (written != kSuccess && !toldStoreFailed_)
        report.Tell(ResolveText(kSettingsNotSaved) + "\n" + ReasonOf(written));
    toldStoreFailed_ = written != kSuccess;
    return report;
}

Report CalendarSettings::SaveMemos(CalendarDocument& document, bool& memoDirty) {
    Report report;
    if (!memoDirty) return report;
    const CalDate today = Today(kLocalZone);
    const bool backUp = backedUpOn_ != today;
    // A save that does not reach memo.txt keeps memoDirty: the memos stay in the document
    // until one does (the user has been told where they are meanwhile).
    if (SaveMemoFile(document.EditMemos(), paths_.memoFile, report, backUp) != kSuccess) return report;
    memoDirty = false;
    if (backUp) backedUpOn_ = today;
    return report;
}

std::string CalendarSettings::RescueUnsavedMemos(MemoStore& memos, Report& report) {
    return RescueMemos(memos, paths_.memoFile, report);
}

}  // namespace tavoli
