// Dialogs laid out as tables: each control's kind, id, page, pixel rectangle and text,
// and the checks every table must pass (all inside the dialog, no two controls of a page
// overlapping, ids unique).
#pragma once

#include <string>
#include <vector>

#include "framework/geometry.h"
#include "settings/settings_record.h"

namespace tavoli {

// kTextBox: a read-only text of several lines that the user can select and copy.
enum class ControlKind { kLabel, kButton, kCheckBox, kEdit, kCombo, kTab, kSpinEdit, kSwatch, kTextBox };

// The page of a control shown whatever tab is chosen (and of every control of a dialog
// without a tab strip).
constexpr int kEveryPage = -1;

// One control of a layout table. The rectangle is in pixels of the dialog's client area;
// a combo box's rectangle includes its dropped-down list.
struct ControlSpec {
    ControlKind kind = ControlKind::kLabel;
    int id = 0;
    Rect rect;
    const char* text = "";    // a bilingual literal (UTF-8), resolved when the control is made
    const char* suffix = "";  // appended after resolution: a mnemonic, "..."
    int lower = 0;            // a spin edit's bounds
    int upper = 1000;
    int page = kEveryPage;
    // The setting the control shows and edits (kCount: none); its bounds are the field's.
    SettingField field = SettingField::kCount;
    // What a screen reader calls the control (a bilingual literal), where no label before
    // it says it; nullptr: its own text or its label's.
    const char* accessibleName = nullptr;

    // The text the control shows: the literal resolved for the user's language, then the
    // suffix.
    std::string Text() const;
};

struct DialogLayout {
    const char* caption = "";  // a bilingual literal
    int widthUnits = 0;        // dialog units
    int heightUnits = 0;
    std::vector<ControlSpec> controls;

    // The entry of an id; nullptr when there is none.
    const ControlSpec* Find(int id) const;
};

// The system font's average character width and height: one horizontal dialog unit is a
// quarter of the width, one vertical unit an eighth of the height.
struct DialogBaseUnits {
    int x = 8;
    int y = 16;
};
// The classic system font, two pixels per unit each way: the smallest units the dialogs
// meet (Wine's English system font gives 9 × 16, its Japanese one 8 × 18).
constexpr DialogBaseUnits kSmallestBaseUnits{8, 16};

// The client area of a dialog of the size, in pixels, as the system maps dialog units.
Size DialogClientSize(int widthUnits, int heightUnits, DialogBaseUnits units);

// What a closed combo box takes of its rectangle (its list drops over the controls below
// it), and the height of a tab strip's row of tabs, above its pages.
constexpr int kClosedComboHeight = 24;
constexpr int kTabRowHeight = 24;

// The part of the dialog a control covers.
Rect Footprint(const ControlSpec& control);

// The controls in the order the keyboard visits them, which is the order they are made
// in: top to bottom, and left to right along a row (a control that starts lower than
// another's top but beside it counts as lower); with pages, the controls above them, each
// page's in turn, then the rest.
std::vector<const ControlSpec*> TabOrder(const DialogLayout& layout);

// The control the focus starts on when the dialog opens: the first the keyboard visits on
// the first page that takes what the user types or chooses (an edit, a spin edit, a combo
// box, a check box), so that typing goes there at once; OK (id 1) in a dialog with nothing
// to type.
int InitialFocusId(const DialogLayout& layout);

// Every fault of the layout under the base units, one sentence each; empty when it has
// none. A spin edit's spinner takes an id of its own (SpinnerIdOf).
std::vector<std::string> CheckDialogLayout(const DialogLayout& layout, DialogBaseUnits units = kSmallestBaseUnits);

}  // namespace tavoli
