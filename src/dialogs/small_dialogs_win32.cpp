#include "dialogs/small_dialogs_win32.h"

#include <map>
#include <utility>

#include "dialogs/control_rules.h"
#include "dialogs/controls_win32.h"
#include "dialogs/layout_measure_win32.h"
#include "dialogs/modal_dialog_win32.h"
#include "dialogs/small_dialogs_layout.h"
#include "framework/lang_text.h"

namespace tavoli {

namespace {

// A dialog whose controls are the entries of a layout table, one wrapper bound to each,
// fitted to their texts as the dialog's font measures them and made in the order the
// keyboard visits them. The focus starts in the first field (on OK where there is none
// to type into); OK ends it with 1, Cancel or Escape with 2. (The About box has no Cancel button, and its label with id
// 2 sends no commands: there id 2 is Escape, which closes it as it closes every other dialog.)
class LaidOutDialog : public ModalDialog {
public:
    explicit LaidOutDialog(const DialogLayout& layout, HWND owner) : layout_(layout) {
        SetCaption(ResolveText(layout.caption));
        SetOwner(owner);
    }

    int Run() { return RunModal(*this, layout_.widthUnits, layout_.heightUnits); }

protected:
    void Bind(DialogControl& control, int id) { bound_[id] = &control; }
    void Bind(SpinEditControl& control, int id) {
        if (const ControlSpec* spec = layout_.Find(id)) control.SetBounds(spec->lower, spec->upper);
        bound_[id] = &control;
    }
    // A text the table does not hold, made when the dialog opens; a wrapping one is
    // broken into lines at its label's width.
    void SetContent(int id, std::string text, bool wraps) { contents_[id] = {{std::move(text)}, wraps}; }

    void OnInit() override {
        ControlContents contents = ContentsOf(layout_);
        for (const auto& [id, content] : contents_) contents[id] = content;
        const FittedLayout fitted = FitDialog(Window(), layout_, contents);
        const std::map<int, AccessibleControlName> names = AccessibleControlNames(fitted.layout);
        for (const ControlSpec* spec : TabOrder(fitted.layout)) {
            const auto bound = bound_.find(spec->id);
            if (bound == bound_.end()) continue;
            const auto name = names.find(spec->id);
            if (name != names.end()) bound->second->SetAccessibleName(name->second);
            PlaceControl(*bound->second, *spec, Window());
            const auto wrapped = fitted.wrapped.find(spec->id);
            const auto content = contents_.find(spec->id);
            if (wrapped != fitted.wrapped.end()) bound->second->SetText(wrapped->second);
            else if (content != contents_.end()) bound->second->SetText(content->second.texts.front());
        }
        FocusFirstField(GetDlgItem(Window(), InitialFocusId(layout_)));
        RememberShown();
    }
    // Notes what the controls show when the dialog opens, to tell what the user changed.
    virtual void RememberShown() {}
    void OnDestroy() override {
        for (const auto& bound : bound_) bound.second->Destroy();
    }
    void OnCommand(int id) override {
        if (id == kOkId) EndModal(*this, 1);
        if (id == kCancelId) EndModal(*this, 2);
    }

private:
    const DialogLayout& layout_;
    std::map<int, DialogControl*> bound_;  // by id
    std::map<int, ControlContent> contents_;
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
    int shownYear = 0, shownMonth = 0;

protected:
    void RememberShown() override {
        shownYear = year.Value();
        shownMonth = month.Value();
    }
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
    CountDownFields shownFields;

    CountDownFields Fields() const {
        return {year.Value(), month.Value(), day.Value(), daysBefore.Value(), interval.Value(), shown.IsChecked()};
    }

protected:
    void RememberShown() override { shownFields = Fields(); }
};

class AboutDialog : public LaidOutDialog {
public:
    explicit AboutDialog(HWND owner) : LaidOutDialog(AboutDialogLayout(), owner) {
        Bind(ok, kOkId);
        Bind(text, about_dialog::kText);
        SetContent(about_dialog::kText, AboutText(), true);
    }

    ButtonControl ok;
    LabelControl text;
};

class DayTraceDialog : public LaidOutDialog {
public:
    DayTraceDialog(const std::vector<std::string>& lines, HWND owner) : LaidOutDialog(DayTraceDialogLayout(), owner) {
        Bind(text, day_trace_dialog::kText);
        Bind(ok, kOkId);
        std::string measured;
        for (const std::string& line : lines) {
            measured += (measured.empty() ? "" : "\n") + line;
            shown_ += (shown_.empty() ? "" : "\r\n") + line;
        }
        SetContent(day_trace_dialog::kText, measured, false);
    }

    TextBoxControl text;
    ButtonControl ok;

protected:
    void OnInit() override {
        LaidOutDialog::OnInit();
        text.SetText(shown_);  // the box breaks lines at CR LF; they were measured apart
    }

private:
    std::string shown_;
};

}  // namespace

bool RunJumpDialog(int& year, int& month, HWND owner) {
    JumpDialog dialog(owner);
    dialog.year.SetValue(year);
    dialog.month.SetValue(month);
    if (dialog.Run() != 1) return false;
    year = KeptUnlessChanged(year, dialog.shownYear, dialog.year.Value());
    month = KeptUnlessChanged(month, dialog.shownMonth, dialog.month.Value());
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
    countDown = CountDownOfFields(KeptFields(fields, dialog.shownFields, dialog.Fields()));
    return true;
}

void RunAboutDialog(HWND owner) {
    AboutDialog dialog(owner);
    dialog.Run();
}

void RunDayTraceDialog(const std::vector<std::string>& lines, HWND owner) {
    DayTraceDialog dialog(lines, owner);
    dialog.Run();
}

}  // namespace tavoli
