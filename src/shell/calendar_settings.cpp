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
const char* const kSettingsNotSaved = "Failed to save settings.\tja:設定をセーブできませんでした。";

}  // namespace

SettingsPaths ProgramSettingsPaths() {
    SettingsPaths paths;
    paths.userScript = PerUserFilePath(AppInfo::kPerUserFolder, AppInfo::kScriptFile);
    paths.allUsersScript = ProgramFilePath(AppInfo::kScriptFile);
    paths.formatFile = ProgramFilePath(AppInfo::kFormatFile);
    paths.memoFile = PerUserFilePath(AppInfo::kPerUserFolder, AppInfo::kMemoFile);
    return paths;
}

std::string CalendarSettings::ScriptInForce() const {
    if (FileExists(paths_.userScript)) return paths_.userScript;
    if (FileExists(paths_.allUsersScript)) return paths_.allUsersScript;
    return {};
}

CalendarSettings::CompiledScript CalendarSettings::CompileHolidayScript() const {
    CompiledScript result;
    ErrorValue error = ErrorFromKey("file_not_found");
    result.source.path = ScriptInForce();
    if (!result.source.path.empty()) {
        bool utf8 = false;
        error = ReadTextLines(result.source.path, result.source.lines, &utf8);
        if (error == kSuccess) error = result.script.CompileLines(result.source.lines, result.report, utf8);
        // "Why this day?" shows the lines in the system's code page.
        if (utf8) {
            for (std::string& line : result.source.lines) line = CurrentPlatform().FromUtf8(line);
        }
    }
    result.compiled = error == kSuccess;
    result.source.compiled = result.compiled;
    return result;
}

CalendarSettings::TakenScript CalendarSettings::TakeScript(CalendarDocument& document, CompiledScript compiled) const {
    TakenScript taken;
    std::vector<std::string>& lines = taken.messageLines;
    const std::string path = compiled.source.path;
    // Rules that compiled stay while their file is saved in a form that does not: the
    // window may have been hidden since, the document has not. A script that was removed
    // takes its rules with it.
    const ScriptSource& before = document.Source();
    const bool keepsEarlier = !compiled.compiled && !path.empty() && before.compiled && !before.path.empty();
    if (!compiled.compiled) {
        lines.push_back(ResolveText(kScriptFailed));
        if (!path.empty()) {
            lines.push_back(path);
            if (!keepsEarlier) lines.push_back(ResolveText(kNoRulesInForce));
            else if (before.path == path) lines.push_back(ResolveText(kItsRulesInForce));
            else lines.push_back(FillText(kOtherRulesInForce, {before.path}));
        }
    }
    if (keepsEarlier) taken.failingPath = path;
    else document.SetScript(std::move(compiled.script), std::move(compiled.source));
    lines.insert(lines.end(), compiled.report.begin(), compiled.report.end());
    return taken;
}

std::string CalendarSettings::LoadHolidayScript(CalendarDocument& document, Report& report) const {
    TakenScript taken = TakeScript(document, CompileHolidayScript());
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
    loaded.failingScript = LoadHolidayScript(document, loaded.report);
    MarkStartup("holiday script");
    loaded.report.Take(LoadFormats(document));
    MarkStartup("format.txt");
    if (!memosUnsaved) LoadMemoFile(document.EditMemos(), paths_.memoFile, loaded.report);
    MarkStartup("memos");
    SettingsValues values;
    if (store.Read(values) != kSuccess) values.clear();
    MarkStartup("registry");
    SettingsRecord settings = SettingsRecord::Defaults(Today(kLocalZone), systemWindowColor);
    ReadSettings(values, settings);
    document.SetSettings(std::move(settings));
    MarkStartup("settings applied");
    return loaded;
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
