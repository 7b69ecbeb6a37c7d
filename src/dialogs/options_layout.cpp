#include "dialogs/options_layout.h"

#include <algorithm>

#include "dialogs/control_rules.h"
#include "framework/lang_text.h"
#include "framework/paths.h"
#include "framework/platform.h"
#include "settings/settings_text.h"

namespace tavoli {

namespace {

using K = ControlKind;
using namespace options_dialog;

const char* const kPageLabels[kPageCount] = {
    "Settings\tja:基本設定", "Design\tja:デザイン",           "Format\tja:書式",       "Color\tja:色",
    "Font\tja:フォント",     "Background Image\tja:背景画像", "Script\tja:スクリプト", "Calendars\tja:カレンダー"};

DialogLayout MakeLayout() {
    // The buttons stand 226 … 250 pixels down, below the theme under the colour rows: 131
    // units keep them inside the dialog at two pixels a unit, the smallest the system
    // font gives.
    DialogLayout layout{"Options\tja:オプション", 192, 131, {}};
    auto& c = layout.controls;
    c.push_back({K::kTab, kTab, {2, 2, 380, 220}});
    c.push_back({K::kButton, kOk, {20, 226, 92, 250}, "OK"});
    c.push_back({K::kButton, kCancel, {108, 226, 190, 250}, "Cancel\tja:キャンセル"});
    c.push_back({K::kButton, kHelp, {206, 226, 288, 250}, "Help\tja:ヘルプ", "(&H)"});
    // A bound control takes the bounds of its field.
    auto add = [&c](int number, K kind, Rect rect, const char* text, const char* suffix, int page,
                    SettingField field = SettingField::kCount) {
        ControlSpec spec{kind, IdOf(number), rect, text, suffix, 0, 1000, page, field};
        if (field != SettingField::kCount && kind == K::kSpinEdit) {
            spec.lower = BoundsOf(field).lower;
            spec.upper = BoundsOf(field).upper;
        }
        c.push_back(spec);
    };
    using F = SettingField;

    add(4, K::kLabel, {20, 100, 158, 120}, "First day of week\tja:週の最初の曜日", "(&W)", 0);
    add(5, K::kCombo, {160, 100, 300, 180},
        "sunday(*) monday tuesday wednesday thursday friday saturday\tja:日曜日(推奨) 月曜日 火曜日 水曜日 木曜日 "
        "金曜日 土曜日",
        "", 0, F::kFirstDayOfWeek);
    add(6, K::kLabel, {20, 130, 158, 150}, "Base day of week number\tja:週番号計算の基準曜日", "(&N)", 0);
    add(7, K::kCombo, {160, 130, 300, 210},
        "sunday monday tuesday wednesday thursday(*) friday saturday\tja:日曜日 月曜日 火曜日 水曜日 木曜日(推奨) "
        "金曜日 土曜日",
        "", 0, F::kBaseDayOfWeek);
    add(8, K::kCheckBox, {20, 60, 240, 80}, "For monochrome environments\tja:祝日を強調表示する", "(&P)", 0,
        F::kEmphasis);
    add(9, K::kCheckBox, {20, 35, 240, 55}, "Show clock in titlebar\tja:タイトルバーに時計を表示する", "(&C)", 0,
        F::kClock);

    add(10, K::kLabel, {20, 40, 100, 60}, "Width of cell\tja:格子の幅", "(&X)", 1);
    add(11, K::kSpinEdit, {110, 40, 160, 60}, "", "", 1, F::kCellWidth);
    add(12, K::kLabel, {180, 40, 260, 60}, "Height of cell\tja:格子の高さ", "(&Y)", 1);
    add(13, K::kSpinEdit, {270, 40, 320, 60}, "", "", 1, F::kCellHeight);
    add(14, K::kLabel, {20, 70, 148, 90}, "Header design\tja:ヘッダのデザイン", "(&H)", 1);
    add(15, K::kCombo, {150, 70, 300, 150}, "Top-1-line Left-2-lines Title-bar\tja:上1行 左2桁 タイトルバー", "", 1,
        F::kHeaderStyle);
    add(16, K::kLabel, {20, 95, 148, 115}, "Weekday index design\tja:曜日見出しのデザイン", "(&W)", 1);
    add(17, K::kCombo, {150, 95, 300, 175},
        "Show-weekday-index Hide-weekday-index Show-weekday-index(With-week-number) "
        "Hide-weekday-index(With-week-number)\tja:曜日あり 曜日なし 曜日あり(週番号あり) 曜日なし(週番号あり)",
        "", 1, F::kWeekdayStyle);
    add(18, K::kLabel, {20, 120, 148, 140}, "Date design\tja:日付のデザイン", "(&D)", 1);
    add(19, K::kCombo, {150, 120, 300, 220},
        "6-lines 5-lines 2-months 3-months 6-months 12-months\tja:6行フル表示 5行圧縮表示 2か月表示 3か月表示 "
        "6か月表示 12か月表示",
        "", 1, F::kRowsStyle);
    add(20, K::kLabel, {20, 145, 148, 165}, "Footer design\tja:フッタのデザイン", "(&F)", 1);
    add(21, K::kCombo, {150, 145, 300, 225},
        "Bottom-1-line Bottom-2-lines Bottom-3lines Right-3lines Right-4lines None\tja:下1行 下2桁 下3桁 右3桁 右4桁 "
        "なし",
        "", 1, F::kFooterStyle);

    add(22, K::kLabel, {20, 40, 110, 60}, "Weekday name format\tja:曜日の書式", "(&W)", 2);
    add(23, K::kEdit, {120, 40, 360, 60}, "", "", 2, F::kWeekdayNames);
    add(24, K::kLabel, {20, 70, 110, 90}, "Month name format\tja:月の書式", "(&M)", 2);
    add(25, K::kEdit, {120, 70, 360, 90}, "", "", 2, F::kMonthNames);
    add(26, K::kLabel, {20, 100, 110, 120}, "Era format\tja:元号の書式", "(&G)", 2);
    add(27, K::kEdit, {120, 100, 360, 120}, "", "", 2, F::kEraList);

    for (int row = 0; row < kOptionsColorRowCount; ++row) {
        const int top = 36 + 30 * (row % 5);
        const int x = row < 5 ? 0 : 180;  // the right column starts 180 pixels further
        const ColorDescription& color = DescriptionOf(OptionsColorRow(row));
        add(ColorLabel(row), K::kLabel, {20 + x, top, 70 + x, top + 24}, color.label, "", 3);
        add(ColorSwatchOf(row), K::kSwatch, {75 + x, top, 99 + x, top + 24}, "", "", 3, ColorField(color.color));
        add(ColorButton(row), K::kButton, {105 + x, top, 180 + x, top + 24}, "Change\tja:色の変更", color.mnemonic, 3);
    }

    add(58, K::kLabel, {20, 40, 140, 60}, "Font face\tja:フォントのフェース", "(&F)", 4);
    add(59, K::kCombo, {150, 40, 300, 180}, "", "", 4, F::kFontFace);
    add(60, K::kLabel, {20, 70, 160, 90}, "Size of large font\tja:大きいフォントのサイズ", "(&L)", 4);
    add(61, K::kSpinEdit, {170, 70, 300, 90}, "", "", 4, F::kLargeFontSize);
    add(62, K::kLabel, {20, 96, 160, 116}, "Size of medium font\tja:標準のフォントのサイズ", "(&M)", 4);
    add(63, K::kSpinEdit, {170, 96, 300, 116}, "", "", 4, F::kMediumFontSize);
    add(64, K::kLabel, {20, 122, 160, 142}, "Size of small font\tja:小さいフォントのサイズ", "(&S)", 4);
    add(65, K::kSpinEdit, {170, 122, 300, 142}, "", "", 4, F::kSmallFontSize);
    add(66, K::kLabel, {20, 148, 160, 168}, "Size of micro font\tja:極小のフォントのサイズ", "(&Z)", 4);
    add(67, K::kSpinEdit, {170, 148, 300, 168}, "", "", 4, F::kMicroFontSize);

    add(68, K::kLabel, {20, 40, 300, 60}, "Background Image\tja:背景画像", "", 5);
    add(69, K::kEdit, {20, 60, 300, 80}, "", "", 5, F::kBackgroundImage);
    add(70, K::kButton, {90, 86, 190, 110}, "Clear\tja:クリア", "(&C)", 5);
    add(71, K::kButton, {200, 86, 300, 110}, "Change\tja:変更", "(&W)...", 5);
    add(72, K::kLabel, {20, 150, 100, 170}, "Margin-X\tja:横方向余白", "(&X)", 5);
    add(73, K::kSpinEdit, {110, 150, 150, 170}, "", "", 5, F::kMarginX);
    add(74, K::kLabel, {170, 150, 250, 170}, "Margin-Y\tja:縦方向余白", "(&Y)", 5);
    add(75, K::kSpinEdit, {260, 150, 300, 170}, "", "", 5, F::kMarginY);

    add(76, K::kButton, {20, 40, 240, 66}, "Edit holiday-script for all users\tja:休日設定スクリプト(全体用)の編集",
        "(&E)...", 6);
    add(77, K::kButton, {20, 70, 240, 96}, "Edit holiday-script for user\tja:休日設定スクリプト(個人用)の編集",
        "(&F)...", 6);
    add(78, K::kButton, {20, 100, 240, 126}, "Backup memo\tja:メモのバックアップ", "(&M)...", 6);

    add(79, K::kLabel, {20, 186, 70, 210}, "Theme\tja:テーマ", "(&E)", 3);
    add(kTheme, K::kCombo, {75, 186, 180, 266}, "Automatic Light Dark\tja:自動 ライト ダーク", "", 3, F::kTheme);

    // The sets shipped beside the program, listed when the dialog opens.
    add(81, K::kLabel, {20, 140, 120, 160}, "Holidays\tja:休日", "(&D)", 6);
    add(kHolidaySet, K::kCombo, {20, 160, 360, 300}, "", "", 6, F::kHolidaySet);

    // The list holds the stored text; the fields below edit its chosen item.
    add(83, K::kLabel, {20, 40, 110, 60}, "Calendar\tja:カレンダー", "(&L)", 7);
    add(kCalendarList, K::kCombo, {120, 40, 360, 200}, "", "", 7, F::kCalendarSources);
    add(kAddCalendarFile, K::kButton, {20, 68, 130, 92}, "Add file\tja:ファイルを追加", "(&A)...", 7);
    add(kAddCalendarFolder, K::kButton, {136, 68, 246, 92}, "Add folder\tja:フォルダを追加", "(&O)...", 7);
    add(kRemoveCalendar, K::kButton, {252, 68, 360, 92}, "Remove\tja:削除", "(&R)", 7);
    add(88, K::kLabel, {20, 104, 110, 124}, "Name\tja:名前", "(&N)", 7);
    add(kCalendarName, K::kEdit, {120, 104, 360, 124}, "", "", 7);
    add(90, K::kLabel, {20, 132, 110, 152}, "File or folder\tja:ファイルかフォルダ", "(&P)", 7);
    add(kCalendarPath, K::kEdit, {120, 132, 360, 152}, "", "", 7);
    add(kCalendarShown, K::kCheckBox, {20, 160, 300, 180}, "Show its appointments\tja:予定を表示する", "(&S)", 7);
    add(kCalendarColorLabel, K::kLabel, {20, 188, 110, 212}, "Color\tja:色", "", 7);
    add(kCalendarColor, K::kSwatch, {120, 188, 144, 212}, "", "", 7);
    add(kChangeCalendarColor, K::kButton, {150, 188, 250, 212}, "Change\tja:色の変更", "(&C)...", 7);
    return layout;
}

}  // namespace

const DialogLayout& OptionsDialogLayout() {
    static const DialogLayout layout = MakeLayout();
    return layout;
}

std::vector<std::string> OptionsPageLabels() {
    std::vector<std::string> labels;
    for (const char* label : kPageLabels) labels.push_back(ResolveText(label));
    return labels;
}

FieldValue ShownValue(const SettingsRecord& settings, SettingField field, SystemAppearance system) {
    if (!IsColorField(field)) return GetField(settings, field);
    system.highContrast = false;
    return ResolvePalette(settings.style, system).Color(ColorOfField(field));
}

SettingsRecord EditedSettings(SettingsRecord opened, const FieldValues& shown, const FieldValues& left) {
    for (const auto& [field, value] : left) {
        const auto before = shown.find(field);
        if (before == shown.end() || before->second != value) SetField(opened, field, value);
    }
    return opened;
}

std::vector<HolidaySetChoice> HolidaySetChoices(const std::vector<HolidaySetEntry>& sets, const std::string& chosen) {
    std::vector<HolidaySetChoice> choices = {
        {kNoHolidaySet, ResolveText("None: holidays.txt alone\tja:なし: holidays.txt のみ")}};
    for (const HolidaySetEntry& entry : sets)
        choices.push_back({entry.code, CurrentPlatform().FromUtf8(HolidaySetLabel(entry, sets))});
    const bool listed = std::any_of(choices.begin(), choices.end(), [&chosen](auto& c) { return c.code == chosen; });
    if (!listed && !chosen.empty()) choices.push_back({chosen, chosen});
    return choices;
}

std::string CalendarSourceLabel(const CalendarSource& source) {
    std::string label = source.name.empty() ? PathPart(source.path, "f") : source.name;
    if (!source.shown) label += ResolveText(" (hidden)\tja: (非表示)");
    return label;
}

CalendarSource AddedCalendarSource(const std::string& path, const std::vector<CalendarSource>& sources) {
    CalendarSource added;
    added.path = path;
    // The first of the set no source has; all taken, the next in turn.
    for (size_t i = 0; i <= sources.size(); ++i) {
        added.color = SourceColor(i);
        if (std::none_of(sources.begin(), sources.end(), [&](const auto& s) { return s.color == added.color; })) break;
    }
    return added;
}

}  // namespace tavoli
