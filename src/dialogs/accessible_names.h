// What a screen reader reads of each control of a dialog: a button or a check box by its
// own text, any other control by the label just before it in the order the keyboard
// visits them (where the system itself looks for labels), unless the layout names it;
// every text without its mnemonic marks, the mnemonic given as the keyboard shortcut.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "dialogs/dialog_layout.h"
#include "framework/pixel_color.h"

namespace tavoli {

struct AccessibleControlName {
    std::string name;
    std::string shortcut;  // "Alt+W"; empty without a mnemonic
    bool operator==(const AccessibleControlName& o) const { return name == o.name && shortcut == o.shortcut; }
};

// A control's text as it is read: without "&" marks (a doubled one is an ampersand), a
// "(&X)" mnemonic, a closing "..." or colon, and blanks around it.
std::string SpokenControlText(std::string_view text);
// The keyboard shortcut of a text's mnemonic ("Alt+W"); empty when it has none.
std::string MnemonicShortcut(std::string_view text);

// The names of the controls a user can reach (buttons, check boxes, fields, lists and
// colour swatches), by id; resolved for the user's language. A control whose label is
// made at run time (the memo editor's prompt) is named there. A button whose name repeats
// on its page ("Change") is told apart by the label before it ("Holiday: Change").
std::map<int, AccessibleControlName> AccessibleControlNames(const DialogLayout& layout);

// A colour as a screen reader reads it: "red 64, green 64, blue 64".
std::string ColorWords(PixelColor color);

}  // namespace tavoli
