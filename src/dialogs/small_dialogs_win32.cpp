#include "dialogs/small_dialogs_win32.h"

#include <utility>
#include <vector>

#include "dialogs/controls_win32.h"
#include "dialogs/modal_dialog_win32.h"
#include "dialogs/small_dialogs_layout.h"
#include "framework/lang_text.h"

namespace tavoli {

namespace {

// A dialog whose controls are the entries of a layout table, one wrapper bound to each.
// The focus starts on OK; OK ends it with 1, Cancel or Escape with 2. (The About box has
// no Cancel button, and its label with id 2 sends no commands: there id 2 is Escape,
// which closes it as it closes every other dialog.)
class LaidOutDialog : public ModalDialog {
public:
    explicit LaidOutDialog(const DialogLayout& layout, HWND owner) : layout_(layout) {
        SetCaption(ResolveText(layout.caption));
        SetOwner(owner);
    }

    int Run() { return RunModal(*this, layout_.widthUnits, layout_.heightUnits); }

protected:
    void Bind(DialogControl& control, int id) { bound_.emplace_back(&control, id); }
    void Bind(SpinEditControl& control, int id) {
        if (const ControlSpec* spec = layout_.Find(id)) control.SetBounds(spec->lower, spec->upper);
        bound_.emplace_back(&control, id);
    }

    void OnInit() override {
        for (const auto& [control, id] : bound_) {
            if (const ControlSpec* spec = layout_.Find(id)) PlaceControl(*control, *spec, Window());
        }
        if (HWND ok = GetDlgItem(Window(), kOkId)) SetFocus(ok);
    }
    void OnDestroy() override {
        for (const auto& bound : bound_) bound.first->Destroy();
    }
    void OnCommand(int id) override {
        if (id == kOkId) EndModal(*this, 1);
        if (id == kCancelId) EndModal(*this, 2);
    }

private:
    const DialogLayout& layout_;
    std::vector<std::pair<DialogControl*, int>> bound_;
};

class JumpDialog : public LaidOutDialog {
public:
    explicit JumpDialog(HWND owner) : LaidOutDialog(JumpDialogLayout(), owner) {
        using namespace jump_dialog;
        Bind(year, kYear);
        Bind(yearUnit, kYearLabel);
        Bind(month, kMonth);
        Bind(monthUnit, kMonthLabel);
        Bind(ok, kOkId);
        Bind(cancel, kCancelId);
    }

    SpinEditControl year, month;
    LabelControl yearUnit, monthUnit;
    ButtonControl ok, cancel;
};

class CountDownDialog : public LaidOutDialog {
public:
    explicit CountDownDialog(HWND owner) : LaidOutDialog(CountDownDialogLayout(), owner) {
        using namespace count_down_dialog;
        Bind(ok, kOkId);
        Bind(cancel, kCancelId);
        Bind(year, kYear);
        Bind(yearUnit, kYearLabel);
        Bind(month, kMonth);
        Bind(monthUnit, kMonthLabel);
        Bind(day, kDay);
        Bind(dayUnit, kDayLabel);
        Bind(daysBefore, kDaysBefore);
        Bind(daysBeforeLabel, kDaysBeforeLabel);
        Bind(interval, kInterval);
        Bind(intervalLabel, kIntervalLabel);
        Bind(shown, kShown);
    }

    ButtonControl ok, cancel;
    SpinEditControl year, month, day, daysBefore, interval;
    LabelControl yearUnit, monthUnit, dayUnit, daysBeforeLabel, intervalLabel;
    CheckBoxControl shown;
};

class AboutDialog : public LaidOutDialog {
public:
    explicit AboutDialog(HWND owner) : LaidOutDialog(AboutDialogLayout(), owner) {
        Bind(ok, kOkId);
        Bind(text, about_dialog::kText);
    }

protected:
    void OnInit() override {
        LaidOutDialog::OnInit();
        text.SetText(AboutText());
    }

public:
    ButtonControl ok;
    LabelControl text;
};

}  // namespace

bool RunJumpDialog(int& year, int& month, HWND owner) {
    JumpDialog dialog(owner);
    dialog.year.SetValue(year);
    dialog.month.SetValue(month);
    if (dialog.Run() != 1) return false;
    year = dialog.year.Value();
    month = dialog.month.Value();
    return true;
}

bool RunCountDownDialog(CountDown& countDown, HWND owner) {
    CountDownDialog dialog(owner);
    const CountDownFields fields = FieldsOfCountDown(countDown);
    dialog.year.SetValue(fields.year);
    dialog.month.SetValue(fields.month);
    dialog.day.SetValue(fields.day);
    dialog.daysBefore.SetValue(fields.daysBefore);
    dialog.interval.SetValue(fields.interval);
    dialog.shown.SetChecked(true);
    if (dialog.Run() != 1) return false;
    CountDownFields chosen;
    chosen.year = dialog.year.Value();
    chosen.month = dialog.month.Value();
    chosen.day = dialog.day.Value();
    chosen.daysBefore = dialog.daysBefore.Value();
    chosen.interval = dialog.interval.Value();
    chosen.shown = dialog.shown.IsChecked();
    countDown = CountDownOfFields(chosen);
    return true;
}

void RunAboutDialog(HWND owner) {
    AboutDialog dialog(owner);
    dialog.Run();
}

}  // namespace tavoli
