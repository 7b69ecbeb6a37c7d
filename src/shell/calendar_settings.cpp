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
    std::vector<std::string> report;
    ErrorValue error = ErrorFromKey("file_not_found");
    bool utf8ReadAsAnsi = false;
    result.source.path = ScriptInForce();
    if (!result.source.path.empty()) {
        error = ReadTextLines(result.source.path, result.source.lines, &utf8ReadAsAnsi);
        if (error == kSuccess) error = result.script.CompileLines(result.source.lines, report);
    }
    result.compiled = error == kSuccess;
    result.source.compiled = result.compiled;
    std::vector<std::string>& lines = result.messageLines;
    if (!result.compiled) lines.push_back(ResolveText(kScriptFailed));
    // A script in UTF-8 read in another code page fails on its names, not on its syntax:
    // that is said first.
    if (utf8ReadAsAnsi) {
        SplitTextLines(Utf8ReadAsAnsiNote(result.source.path), lines);
        if (!result.compiled) lines.push_back(" ");
    }
    lines.insert(lines.end(), report.begin(), report.end());
    return result;
}

void CalendarSettings::LoadHolidayScript(CalendarDocument& document) const {
    CompiledScript compiled = CompileHolidayScript();
    document.SetScript(std::move(compiled.script), std::move(compiled.source));
    if (!compiled.messageLines.empty()) ShowMessageLines(compiled.messageLines);
}

void CalendarSettings::LoadFormats(CalendarDocument& document) const {
    document.formatLines.clear();
    std::string contents;
    if (paths_.formatFile.empty() || ReadFileContents(paths_.formatFile, contents) != kSuccess) return;
    std::string_view text(contents);
    if (SkipByteOrderMark(text) && Utf8ReadAsAnsi(text)) ShowMessage(Utf8ReadAsAnsiNote(paths_.formatFile));
    document.formatLines = FormatFileLines(text);
}

void CalendarSettings::Load(CalendarDocument& document, SettingsStore& store, PixelColor systemWindowColor,
                            bool memosUnsaved) {
    LoadHolidayScript(document);
    MarkStartup("holiday script");
    LoadFormats(document);
    MarkStartup("format.txt");
    if (!memosUnsaved) LoadMemoFile(document.memos, paths_.memoFile);
    MarkStartup("memos");
    SettingsValues values;
    if (store.Read(values) != kSuccess) values.clear();
    MarkStartup("registry");
    document.settings = SettingsRecord::Defaults(Today(kLocalZone), systemWindowColor);
    ReadSettings(values, document.settings);
    MarkStartup("settings applied");
}

SettingsValues CalendarSettings::ValuesOf(const SettingsRecord& record) {
    SettingsValues values;
    values.emplace_back("", ApplicationTitle());
    values.emplace_back("WebSite", AppInfo::kWebSite);
    values.emplace_back("InstallDirectory", PathPart(CurrentPlatform().ExecutablePath(), "dp"));
    for (auto& value : WriteSettings(record)) values.push_back(std::move(value));
    return values;
}

void CalendarSettings::Save(CalendarDocument& document, SettingsStore& store, bool& memoDirty) {
    // A save that does not reach memo.txt keeps memoDirty: the memos stay in the document
    // until one does (the user has been told where they are meanwhile).
    if (memoDirty && SaveMemoFile(document.memos, paths_.memoFile) == kSuccess) memoDirty = false;
    store.Write(ValuesOf(document.settings));
}

std::string CalendarSettings::RescueUnsavedMemos(MemoStore& memos) { return RescueMemos(memos, paths_.memoFile); }

}  // namespace tavoli
