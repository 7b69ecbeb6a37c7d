// A layout table fitted to its texts as a font measures them: each label, check box,
// button, list and tab strip made at least as wide as what it shows, the controls beside
// and below pushed along so that nothing overlaps, and the dialog grown to hold them.
// The measuring is given (a TextMeasure and the controls' own margins), so that the same
// step runs on measurements from the system and on made-up ones in tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "dialogs/dialog_layout.h"
#include "dialogs/text_wrap.h"

namespace tavoli {

// What a kind of control takes beside its text, in layout pixels, as the system draws it.
struct ControlChrome {
    int checkBox = 0;      // the box and the gap before the text
    int button = 0;        // frame and focus margin, both sides together
    int combo = 0;         // frame, text margins and the drop-down arrow
    int comboClosed = 0;   // height of a closed combo box
    int comboItem = 0;     // height of one item of its list
    int spinEdit = 0;      // frame, text margins, the caret and the spinner
    int tabPadding = 0;    // a tab beside its label
    int tabMinimum = 0;    // the narrowest tab
    int tabEdges = 0;      // the strip beside its row of tabs (the chosen tab stands out)
    int textBox = 0;       // a text box beside its lines: frame, margins, scroll bar
    int textBoxFrame = 0;  // a text box above and below its lines
};

// A text box grows to its widest line up to this width, beyond which its lines wrap, and
// to its lines up to this many, beyond which it scrolls.
constexpr int kTextBoxMaxWidth = 600;
constexpr int kTextBoxMaxRows = 20;

// What a control shows: a label's, check box's or button's text (with its mnemonic
// marks; a label's lines separated by line feeds), a combo box's items, a tab strip's
// labels. A wrapping label keeps its width (unless a word is wider) and is broken into
// lines instead.
struct ControlContent {
    std::vector<std::string> texts;
    bool wraps = false;
};
using ControlContents = std::map<int, ControlContent>;  // by control id

// The contents as the layout table gives them: each entry's resolved text, a combo box's
// items split from it. Edits, spin edits and swatches show no text of their own.
ControlContents ContentsOf(const DialogLayout& layout);

// The least size a control needs for its content; 0 where the table's size is kept (a
// combo box's height is that of its dropped list, which does not push other controls).
struct ControlNeed {
    int width = 0;
    int height = 0;
};
using ControlNeeds = std::map<int, ControlNeed>;  // by control id

// Combo boxes drop down to show this many items at most (the font list can be long).
constexpr int kMaxDroppedItems = 16;

// The needs of every control with content; a spin edit needs the room for the wider of
// its bounds.
ControlNeeds MeasureNeeds(const DialogLayout& layout, const ControlContents& contents, const TextMeasure& measure,
                          const ControlChrome& chrome);

struct FittedLayout {
    DialogLayout layout;                 // the rectangles moved and grown, the size in units grown to match
    Size client;                         // the client area the controls need, in layout pixels
    std::map<int, std::string> wrapped;  // the text of each wrapping label, broken into lines
};

// The layout with every need met. On each page (and among the controls shown on every
// page) a control that grows pushes the controls after it in its row to the right, and
// the controls below it in its column down; controls that started at the same edge stay
// aligned, and controls of one column (the same left and right edges) grow alike. The tab strip grows to hold its pages
// and its row of tabs, and the dialog to hold everything with the margins it had; its size in dialog units is that
// client area at the smallest base units, never smaller than the table's.
FittedLayout FitLayout(const DialogLayout& layout, const ControlNeeds& needs);

// Both steps, and the wrapped texts of wrapping labels.
FittedLayout FitLayoutToTexts(const DialogLayout& layout, const ControlContents& contents, const TextMeasure& measure,
                              const ControlChrome& chrome);

}  // namespace tavoli
