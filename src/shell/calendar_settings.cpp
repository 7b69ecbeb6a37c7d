#include "shell/calendar_settings.h"

#include <algorithm>

#include "calendar/era.h"
#include "framework/app_info.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/paths.h"
#include "framework/platform.h"
#include "framework/whole_file.h"
#include "settings/settings_text.h"

namespace tavoli {

namespace {

const char* const kScriptFailed =
    "Failed to load holiday script.\tja:休日設定スクリプトを正常にロードできませんでした。";
const char* const kMemosRescued =
    "Failed to save memo. The memos were written to this file instead:\tja:メモをセーブできませんでした。"
    "メモは代わりに次のファイルに書き出しました:";

}  // namespace

SettingsPaths ProgramSettingsPaths() {
    SettingsPaths paths;
    paths.userScript = PerUserFilePath(AppInfo::kPerUserFolder, AppInfo::kScriptFile);
    paths.allUsersScript = ProgramFilePath(AppInfo::kScriptFile);
    paths.formatFile = ProgramFilePath(AppInfo::kFormatFile);
    paths.memoFile = PerUserFilePath(AppInfo::kPerUserFolder, AppInfo::kMemoFile);
    return paths;
}

void CalendarSettings::LoadHolidayScript(CalendarDocument& document) const {
    std::vector<std::string> report;
    ErrorValue error = ErrorFromKey("file_not_found");
    HolidayScript script;
    if (FileExists(paths_.userScript)) {
        error = script.CompileFile(paths_.userScript, report);
    } else if (FileExists(paths_.allUsersScript)) {
        error = script.CompileFile(paths_.allUsersScript, report);
    }
    document.SetScript(std::move(script));
    if (error == kSuccess) return;
    std::vector<std::string> lines{ResolveText(kScriptFailed)};
    lines.insert(lines.end(), report.begin(), report.end());
    ShowMessageLines(lines);
}

void CalendarSettings::LoadFormats(CalendarDocument& document) const {
    document.formatLines.clear();
    std::string contents;
    if (paths_.formatFile.empty() || ReadFileContents(paths_.formatFile, contents) != kSuccess) return;
    document.formatLines = FormatFileLines(contents);
}

void CalendarSettings::Load(CalendarDocument& document, SettingsStore& store, PixelColor systemWindowColor,
                            bool memosUnsaved) {
    LoadHolidayScript(document);
    LoadFormats(document);
    if (!memosUnsaved) LoadMemoFile(document.memos, paths_.memoFile);
    SettingsValues values;
    if (store.Read(values) != kSuccess) values.clear();
    document.settings = SettingsRecord::Defaults(Today(kLocalZone), systemWindowColor);
    ReadSettings(values, document.settings);
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
    // A failed save keeps memoDirty: the memos stay in the document until one succeeds.
    if (memoDirty && SaveMemoFile(document.memos, paths_.memoFile) == kSuccess) memoDirty = false;
    store.Write(ValuesOf(document.settings));
}

std::string CalendarSettings::RescueUnsavedMemos(const MemoStore& memos) {
    const std::string folder = TemporaryFolderPath();
    if (folder.empty()) return {};
    const std::string base = folder + "tavoli-memo-rescue.txt";
    std::string path = base;
    for (int n = 2; n < 102 && (FileExists(path) || FolderExists(path)); ++n) path = NumberedVariant(base, n);
    if (memos.SaveMemos(path) != kSuccess) return {};
    ShowMessage(ResolveText(kMemosRescued) + "\n" + path);
    return path;
}

}  // namespace tavoli
