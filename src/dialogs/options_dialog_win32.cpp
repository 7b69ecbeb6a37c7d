#include "dialogs/options_dialog_win32.h"

#include <shlobj.h>

#include <map>
#include <memory>

#include "dialogs/color_chooser_win32.h"
#include "dialogs/controls_win32.h"
#include "dialogs/layout_measure_win32.h"
#include "dialogs/modal_dialog_win32.h"
#include "framework/font_win32.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/paths.h"
#include "framework/shell_win32.h"
#include "framework/system_library_win32.h"

namespace tavoli {

namespace {

using namespace options_dialog;

constexpr int kHelpContext = 1001;

std::unique_ptr<DialogControl> MakeControl(ControlKind kind) {
    switch (kind) {
    case ControlKind::kLabel: return std::make_unique<LabelControl>();
    case ControlKind::kButton: return std::make_unique<ButtonControl>();
    case ControlKind::kCheckBox: return std::make_unique<CheckBoxControl>();
    case ControlKind::kEdit: return std::make_unique<EditControl>();
    case ControlKind::kCombo: return std::make_unique<ComboControl>();
    case ControlKind::kTab: return std::make_unique<TabControl>();
    case ControlKind::kSpinEdit: return std::make_unique<SpinEditControl>();
    case ControlKind::kSwatch: return std::make_unique<ColorSwatch>();
    }
    return std::make_unique<LabelControl>();
}

class OptionsDialog : public ModalDialog {
public:
    OptionsDialog(const SettingsRecord& settings, const OptionsDialogContext& context)
        : settings_(settings),
          paths_(context.paths),
          memos_(context.memos),
          openHelp_(context.openHelp),
          appearance_(context.appearance) {
        SetCaption(ResolveText(OptionsDialogLayout().caption));
        for (const ControlSpec& spec : OptionsDialogLayout().controls) {
            if (spec.page == kEveryPage) continue;
            pages_[spec.id] = {MakeControl(spec.kind), &spec};
            // A list's items come first: a selection is taken modulo their number.
            if (spec.kind == ControlKind::kCombo && spec.id != IdOf(kFontFace) && spec.id != IdOf(kHolidaySet) &&
                spec.id != IdOf(kCalendarList)) {
                static_cast<ComboControl&>(*pages_[spec.id].control).SetItemsFromText(spec.Text());
            }
        }
        Fill();
    }
    ~OptionsDialog() override { ReleasePageBrush(); }

    // What OK gives: the settings as the user left the controls (after the dialog closed),
    // those of controls left as they were shown kept as they came.
    SettingsRecord Settings() const { return EditedSettings(settings_, shown_, BoundValues()); }

protected:
    void OnInit() override;
    void OnDestroy() override;
    void OnCommandFrom(int id, HWND control) override;
    void OnNotify(int id, int code) override;
    HBRUSH OnControlColor(HDC device, HWND control) override;

private:
    struct PageControl {
        std::unique_ptr<DialogControl> control;
        const ControlSpec* spec = nullptr;
    };
    template <class Kind>
    Kind& At(int number) const {
        return static_cast<Kind&>(*pages_.at(IdOf(number)).control);
    }
    // Puts the settings into the wrappers of the bound controls; the windows are made
    // from them.
    void Fill();
    void ShowValue(const PageControl& page, const FieldValue& value);
    // What the bound controls hold, by field.
    FieldValues BoundValues() const;
    void CreateControl(const ControlSpec& spec);
    void ShowPage(int page);
    void ChooseBackground();
    void ChooseColor(int row);
    void BackupMemo();
    // The calendars page: the list's items made again with one chosen, the chosen one's
    // fields shown, and what the fields hold taken into the list.
    void ListCalendars(int chosen);
    void ShowCalendarFields();
    void TakeCalendarFields();
    std::vector<CalendarSource> CalendarsAsLeft() const;
    void AddCalendar(const std::string& path);
    std::string ChooseCalendarFolder();
    void MakePageBrush();
    void ReleasePageBrush();

    SettingsRecord settings_;
    FieldValues shown_;  // what the controls showed when the dialog opened
    const SettingsPaths& paths_;
    const MemoStore* memos_;
    HelpOpener openHelp_;
    SystemAppearance appearance_;
    TabControl tab_;
    ButtonControl ok_, cancel_, help_;
    std::map<int, PageControl> pages_;  // by id
    std::vector<std::string> faces_;
    std::vector<HolidaySetChoice> sets_;          // the holidays list's items
    std::vector<CalendarSource> calendars_;       // the calendars page's list
    int calendar_ = -1;                           // the one whose fields are shown; −1: none
    std::map<int, AccessibleControlName> names_;  // what screen readers call the controls
    HBITMAP pageBitmap_ = nullptr;
    HBRUSH pageBrush_ = nullptr;
};

void OptionsDialog::Fill() {
    for (auto& [id, page] : pages_) {
        if (page.spec->field != SettingField::kCount)
            ShowValue(page, ShownValue(settings_, page.spec->field, appearance_));
    }
}

void OptionsDialog::ShowValue(const PageControl& page, const FieldValue& value) {
    DialogControl& control = *page.control;
    const int* number = std::get_if<int>(&value);
    const std::string* text = std::get_if<std::string>(&value);
    switch (page.spec->kind) {
    case ControlKind::kCombo: {
        auto& combo = static_cast<ComboControl&>(control);
        if (number) return combo.Select(*number);
        if (!text) return;
        if (page.spec->field == SettingField::kCalendarSources) return;  // listed when the dialog opens
        if (page.spec->field == SettingField::kHolidaySet) {
            for (size_t i = 0; i < sets_.size(); ++i) {
                if (sets_[i].code == *text) return combo.Select(static_cast<int>(i));
            }
            return combo.Select(0);
        }
        // A text is chosen among the items: the same one, else the system's default face,
        // else the first.
        const std::vector<std::string> items = combo.Items();
        auto indexOf = [&items](const std::string& item) {
            for (size_t i = 0; i < items.size(); ++i) {
                if (items[i] == item) return static_cast<int>(i);
            }
            return -1;
        };
        int index = indexOf(*text);
        if (index < 0) index = indexOf(DefaultFontFace());
        return combo.Select(index < 0 ? 0 : index);
    }
    case ControlKind::kCheckBox:
        if (number) static_cast<CheckBoxControl&>(control).SetChecked(*number != 0);
        return;
    case ControlKind::kSpinEdit:
        if (number) static_cast<SpinEditControl&>(control).SetValue(*number);
        return;
    case ControlKind::kEdit:
        if (text) control.SetText(*text);
        return;
    case ControlKind::kSwatch:
        if (const PixelColor* color = std::get_if<PixelColor>(&value))
            static_cast<ColorSwatch&>(control).SetColor(*color);
        return;
    default: return;
    }
}

void OptionsDialog::OnInit() {
    const DialogLayout& layout = OptionsDialogLayout();
    // The installed faces; the current one, else the system's default, else the first.
    faces_ = ListFontFaces(true);
    At<ComboControl>(kFontFace).SetItems(faces_);
    ShowValue(pages_.at(IdOf(kFontFace)), GetField(settings_, SettingField::kFontFace));
    sets_ = HolidaySetChoices(ListHolidaySets(paths_.setsFolder), settings_.holidaySet);
    std::vector<std::string> setLabels;
    for (const HolidaySetChoice& choice : sets_) setLabels.push_back(choice.label);
    At<ComboControl>(kHolidaySet).SetItems(setLabels);
    ShowValue(pages_.at(IdOf(kHolidaySet)), GetField(settings_, SettingField::kHolidaySet));
    calendars_ = ParseSourcesText(settings_.calendarSources);
    ListCalendars(calendars_.empty() ? -1 : 0);
    At<ButtonControl>(kAllUsersScript).Enable(FileExists(paths_.allUsersScript));
    At<ButtonControl>(kUserScript).Enable(FileExists(paths_.userScript));
    tab_.SetItems(OptionsPageLabels());

    ControlContents contents = ContentsOf(layout);
    contents[kTab].texts = tab_.Items();
    contents[IdOf(kFontFace)].texts = faces_;
    contents[IdOf(kHolidaySet)].texts = setLabels;
    contents[IdOf(kCalendarList)].texts = At<ComboControl>(kCalendarList).Items();
    const FittedLayout fitted = FitDialog(Window(), layout, contents);
    // Made in the order the keyboard visits them: the tab strip, each page's controls top
    // to bottom and left to right, then OK, Cancel and Help.
    names_ = AccessibleControlNames(fitted.layout);
    for (const ControlSpec* spec : TabOrder(fitted.layout)) CreateControl(*spec);
    // Enter is OK from every field: the default command of a dialog is 1, here the tab
    // strip's id.
    SendMessageA(Window(), DM_SETDEFID, kOk, 0);
    MakePageBrush();
    FocusFirstField(GetDlgItem(Window(), InitialFocusId(fitted.layout)));
    shown_ = BoundValues();
}

void OptionsDialog::CreateControl(const ControlSpec& spec) {
    const auto name = names_.find(spec.id);
    const AccessibleControlName accessibleName = name != names_.end() ? name->second : AccessibleControlName{};
    switch (spec.id) {
    case kTab:
        tab_.SetRect(spec.rect);
        tab_.Create(Window(), kTab);
        return;
    case kOk: ok_.SetAccessibleName(accessibleName), PlaceControl(ok_, spec, Window()); return;
    case kCancel: cancel_.SetAccessibleName(accessibleName), PlaceControl(cancel_, spec, Window()); return;
    case kHelp: help_.SetAccessibleName(accessibleName), PlaceControl(help_, spec, Window()); return;
    default: break;
    }
    const auto found = pages_.find(spec.id);
    if (found == pages_.end()) return;
    DialogControl& control = *found->second.control;
    control.SetAccessibleName(accessibleName);
    control.Show(spec.page == 0);
    if (spec.kind == ControlKind::kCombo || spec.kind == ControlKind::kEdit) {
        control.SetRect(spec.rect);  // items and values were given before: no label text
        control.Create(Window(), spec.id);
    } else if (spec.kind == ControlKind::kSpinEdit) {
        PlaceControl(static_cast<SpinEditControl&>(control), spec, Window());
    } else {
        PlaceControl(control, spec, Window());
    }
}

// The pages lie on the tab strip, whose face may differ from the dialog's: their labels
// and boxes are painted with a brush of the strip's own picture, aligned to it.
void OptionsDialog::MakePageBrush() {
    HWND tab = tab_.Window();
    RECT client{};
    if (!tab || !GetClientRect(tab, &client) || client.right <= 0 || client.bottom <= 0) return;
    HDC screen = GetDC(tab);
    if (!screen) return;
    HDC memory = CreateCompatibleDC(screen);
    pageBitmap_ = CreateCompatibleBitmap(screen, client.right, client.bottom);
    if (memory && pageBitmap_) {
        HGDIOBJ previous = SelectObject(memory, pageBitmap_);
        FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
        SendMessageA(tab, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
        SelectObject(memory, previous);
        pageBrush_ = CreatePatternBrush(pageBitmap_);
    }
    if (memory) DeleteDC(memory);
    ReleaseDC(tab, screen);
}

void OptionsDialog::ReleasePageBrush() {
    if (pageBrush_) DeleteObject(pageBrush_);
    if (pageBitmap_) DeleteObject(pageBitmap_);
    pageBrush_ = nullptr;
    pageBitmap_ = nullptr;
}

HBRUSH OptionsDialog::OnControlColor(HDC device, HWND control) {
    if (!pageBrush_ || !tab_.Window() || pages_.count(GetDlgCtrlID(control)) == 0) return nullptr;
    POINT origin{0, 0};
    MapWindowPoints(control, tab_.Window(), &origin, 1);
    SetBrushOrgEx(device, -origin.x, -origin.y, nullptr);
    SetBkMode(device, TRANSPARENT);
    return pageBrush_;
}

void OptionsDialog::OnDestroy() {
    tab_.Destroy();
    ok_.Destroy();
    cancel_.Destroy();
    help_.Destroy();
    for (auto& [id, page] : pages_) page.control->Destroy();
    ReleasePageBrush();
}

void OptionsDialog::ShowPage(int page) {
    for (auto& [id, control] : pages_) control.control->Show(control.spec->page == page);
}

void OptionsDialog::OnNotify(int id, int code) {
    if (id == kTab) ShowPage(tab_.Selection());
}

void OptionsDialog::OnCommandFrom(int id, HWND control) {
    // Escape comes as IDCANCEL, which is OK's id here, and as if from OK.
    if (IsEscapeCommand(id, control)) return EndModal(*this, 2);
    if (!control && id == IDOK) return EndModal(*this, 1);
    if (id == kOk) return EndModal(*this, 1);
    if (id == kCancel) return EndModal(*this, 2);
    if (id == kHelp) {
        if (openHelp_) openHelp_(Window(), kHelpContext);
        return;
    }
    if (id == IdOf(kClearBackground)) return At<EditControl>(kBackgroundPath).SetText("");
    if (id == IdOf(kChangeBackground)) return ChooseBackground();
    if (id == IdOf(kAllUsersScript) || id == IdOf(kUserScript)) {
        const std::string& path = id == IdOf(kAllUsersScript) ? paths_.allUsersScript : paths_.userScript;
        if (FileExists(path)) ShellOpen(path, "Open");
        return;
    }
    if (id == IdOf(kBackupMemo)) return BackupMemo();
    if (id == IdOf(kCalendarList)) {
        const int chosen = calendars_.empty() ? -1 : At<ComboControl>(kCalendarList).Selection();
        if (chosen == calendar_) return;
        TakeCalendarFields();
        return ListCalendars(chosen);
    }
    if (id == IdOf(kAddCalendarFile)) {
        FileDialog dialog;
        dialog.title = ResolveText("Add Calendar\tja:カレンダーの追加");
        dialog.owner = Window();
        dialog.filters = {{ResolveText("iCalendar File\tja:iCalendar ファイル") + "(*.ics)", "*.ics"}};
        if (RunFileDialog(dialog, false) && !dialog.fileNames.empty()) AddCalendar(dialog.fileNames.front());
        return;
    }
    if (id == IdOf(kAddCalendarFolder)) {
        const std::string folder = ChooseCalendarFolder();
        if (!folder.empty()) AddCalendar(folder);
        return;
    }
    if (id == IdOf(kRemoveCalendar) && calendar_ >= 0) {
        const int removed = calendar_;
        calendars_.erase(calendars_.begin() + removed);
        calendar_ = -1;  // its fields are not taken back
        return ListCalendars(std::min(static_cast<int>(calendars_.size()) - 1, removed));
    }
    if (id == IdOf(kChangeCalendarColor)) {
        ColorChoice choice;
        choice.color = At<ColorSwatch>(kCalendarColor).Color();
        choice.title = At<LabelControl>(kCalendarColorLabel).GetText();
        choice.owner = Window();
        if (ColorChooser(choice)) At<ColorSwatch>(kCalendarColor).SetColor(choice.color);
        return;
    }
    for (int row = 0; row < kOptionsColorRowCount; ++row) {
        if (id == IdOf(ColorButton(row))) return ChooseColor(row);
    }
}

void OptionsDialog::ChooseBackground() {
    FileDialog dialog;
    // The title reads in the user's language (one Japanese title would not survive an
    // English code page).
    dialog.title = ResolveText("Change Background Image\tja:背景画像の変更");
    dialog.owner = Window();
    dialog.filters = {{ResolveText("Bitmap Image\tja:ビットマップ") + "(*.bmp)", "*.bmp"}};
    dialog.fileNames = {At<EditControl>(kBackgroundPath).GetText()};
    if (RunFileDialog(dialog, false) && !dialog.fileNames.empty()) {
        At<EditControl>(kBackgroundPath).SetText(dialog.fileNames.front());
    }
}

void OptionsDialog::ChooseColor(int row) {
    ColorChoice choice;
    choice.color = At<ColorSwatch>(ColorSwatchOf(row)).Color();
    choice.title = At<LabelControl>(ColorLabel(row)).GetText();
    choice.owner = Window();
    if (ColorChooser(choice)) At<ColorSwatch>(ColorSwatchOf(row)).SetColor(choice.color);
}

void OptionsDialog::BackupMemo() {
    if (!memos_) return;
    FileDialog dialog;
    dialog.title = ResolveText("Backup Memo\tja:メモのバックアップ");
    dialog.owner = Window();
    dialog.filters = {{ResolveText("Text File\tja:テキストファイル") + "(*.txt)", "*.txt"}};
    dialog.fileNames = {CurrentDirFilePath("memo.txt")};
    if (!RunFileDialog(dialog, true) || dialog.fileNames.empty()) return;
    const ErrorValue error = memos_->SaveMemos(dialog.fileNames.front());
    if (error != kSuccess) ShowError(error);
}

void OptionsDialog::ListCalendars(int chosen) {
    TakeCalendarFields();
    std::vector<std::string> labels;
    for (const CalendarSource& source : calendars_) labels.push_back(CalendarSourceLabel(source));
    auto& list = At<ComboControl>(kCalendarList);
    list.SetItems(labels);
    calendar_ = chosen >= 0 && static_cast<size_t>(chosen) < calendars_.size() ? chosen : -1;
    if (calendar_ >= 0) list.Select(calendar_);
    ShowCalendarFields();
}

void OptionsDialog::ShowCalendarFields() {
    const bool any = calendar_ >= 0;
    const CalendarSource shown = any ? calendars_[static_cast<size_t>(calendar_)] : CalendarSource{};
    At<EditControl>(kCalendarName).SetText(shown.name);
    At<EditControl>(kCalendarPath).SetText(shown.path);
    At<CheckBoxControl>(kCalendarShown).SetChecked(shown.shown);
    At<ColorSwatch>(kCalendarColor).SetColor(SourcePixelColor(shown.color));
    for (int number : {kCalendarList, kRemoveCalendar, kCalendarName, kCalendarPath, kCalendarShown, kCalendarColor,
                       kChangeCalendarColor})
        pages_.at(IdOf(number)).control->Enable(any);
}

std::vector<CalendarSource> OptionsDialog::CalendarsAsLeft() const {
    std::vector<CalendarSource> sources = calendars_;
    if (calendar_ < 0 || static_cast<size_t>(calendar_) >= sources.size()) return sources;
    CalendarSource& source = sources[static_cast<size_t>(calendar_)];
    source.name = At<EditControl>(kCalendarName).GetText();
    // A path emptied keeps the one it had: a source is a file or a folder.
    const std::string path = At<EditControl>(kCalendarPath).GetText();
    if (!path.empty()) source.path = path;
    source.shown = At<CheckBoxControl>(kCalendarShown).IsChecked();
    source.color = SourceColorOf(At<ColorSwatch>(kCalendarColor).Color());
    return sources;
}

void OptionsDialog::TakeCalendarFields() { calendars_ = CalendarsAsLeft(); }

void OptionsDialog::AddCalendar(const std::string& path) {
    TakeCalendarFields();
    calendars_.push_back(AddedCalendarSource(path, calendars_));
    calendar_ = -1;  // taken already
    ListCalendars(static_cast<int>(calendars_.size()) - 1);
}

std::string OptionsDialog::ChooseCalendarFolder() {
    const std::string title = ResolveText("Choose a folder of .ics files\tja:.ics ファイルのフォルダを選択");
    BROWSEINFOA browse = {};
    browse.hwndOwner = Window();
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse);
    if (!chosen) return {};
    char path[MAX_PATH] = {};
    const bool named = SHGetPathFromIDListA(chosen, path) != FALSE;
    if (const auto release = OptionalSystemFunction<decltype(&CoTaskMemFree)>("ole32.dll", "CoTaskMemFree"))
        release(chosen);
    return named ? path : std::string();
}

FieldValues OptionsDialog::BoundValues() const {
    FieldValues values;
    for (const auto& [id, page] : pages_) {
        const SettingField field = page.spec->field;
        if (field == SettingField::kCount) continue;
        const DialogControl& control = *page.control;
        switch (page.spec->kind) {
        case ControlKind::kCombo: {
            const auto& combo = static_cast<const ComboControl&>(control);
            const int selected = combo.Selection();
            if (std::holds_alternative<int>(GetField(settings_, field))) {
                values[field] = selected;
            } else if (field == SettingField::kCalendarSources) {
                values[field] = SourcesText(CalendarsAsLeft());
            } else if (field == SettingField::kHolidaySet) {
                values[field] = selected >= 0 && static_cast<size_t>(selected) < sets_.size()
                                    ? sets_[static_cast<size_t>(selected)].code
                                    : settings_.holidaySet;
            } else {
                // The chosen item's text; none when the list is empty.
                const std::vector<std::string> items = combo.Items();
                values[field] = selected >= 0 && static_cast<size_t>(selected) < items.size()
                                    ? items[static_cast<size_t>(selected)]
                                    : std::string();
            }
            break;
        }
        case ControlKind::kCheckBox:
            values[field] = static_cast<const CheckBoxControl&>(control).IsChecked() ? 1 : 0;
            break;
        case ControlKind::kSpinEdit: values[field] = static_cast<const SpinEditControl&>(control).Value(); break;
        case ControlKind::kEdit: values[field] = control.GetText(); break;
        case ControlKind::kSwatch: values[field] = static_cast<const ColorSwatch&>(control).Color(); break;
        default: break;
        }
    }
    return values;
}

}  // namespace

bool RunOptionsDialog(SettingsRecord& settings, const OptionsDialogContext& context, HWND owner) {
    OptionsDialog dialog(settings, context);
    dialog.SetOwner(owner);
    const DialogLayout& layout = OptionsDialogLayout();
    if (RunModal(dialog, layout.widthUnits, layout.heightUnits) != 1) return false;
    settings = dialog.Settings();
    return true;
}

}  // namespace tavoli
