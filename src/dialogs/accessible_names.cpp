#include "dialogs/accessible_names.h"

#include <algorithm>

#include "framework/lang_text.h"

namespace tavoli {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool NamedByOwnText(ControlKind kind) { return kind == ControlKind::kButton || kind == ControlKind::kCheckBox; }
bool NamedByLabel(ControlKind kind) {
    return kind == ControlKind::kEdit || kind == ControlKind::kCombo || kind == ControlKind::kSpinEdit ||
           kind == ControlKind::kSwatch;
}

}  // namespace

std::string SpokenControlText(std::string_view text) {
    std::string spoken;
    for (size_t i = 0; i < text.size(); ++i) {
        // "(&X)": the Japanese way of showing a mnemonic, which is read as nothing.
        if (text[i] == '(' && i + 3 < text.size() && text[i + 1] == '&' && text[i + 2] != '&' && text[i + 3] == ')') {
            i += 3;
            continue;
        }
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') spoken += '&';
            ++i;
            if (i < text.size() && text[i] != '&') spoken += text[i];
            continue;
        }
        spoken += text[i];
    }
    auto trim = [](std::string& text) {
        text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), IsBlank));
        text.erase(std::find_if_not(text.rbegin(), text.rend(), IsBlank).base(), text.end());
    };
    trim(spoken);
    for (const std::string_view tail : {"...", ":"}) {
        while (spoken.size() >= tail.size() && spoken.compare(spoken.size() - tail.size(), tail.size(), tail) == 0) {
            spoken.erase(spoken.size() - tail.size());
        }
    }
    trim(spoken);
    return spoken;
}

std::string MnemonicShortcut(std::string_view text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;  // an ampersand, not a mark
            continue;
        }
        const auto c = static_cast<unsigned char>(text[i + 1]);
        if (c <= ' ' || c >= 0x80) return {};
        return std::string("Alt+") + static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    return {};
}

std::map<int, AccessibleControlName> AccessibleControlNames(const DialogLayout& layout) {
    const std::vector<const ControlSpec*> order = TabOrder(layout);
    // The nearest label before a control on its page, when nothing a user reaches lies
    // between them.
    auto labelBefore = [&order](size_t at) -> const ControlSpec* {
        for (size_t i = at; i-- > 0;) {
            if (order[i]->page != order[at]->page) continue;
            if (order[i]->kind == ControlKind::kLabel) return order[i];
            if (NamedByOwnText(order[i]->kind) || NamedByLabel(order[i]->kind)) return nullptr;
        }
        return nullptr;
    };
    std::map<int, AccessibleControlName> names;
    for (size_t i = 0; i < order.size(); ++i) {
        const ControlSpec& control = *order[i];
        AccessibleControlName name;
        if (control.accessibleName) {
            name.name = ResolveText(control.accessibleName);
        } else if (NamedByOwnText(control.kind)) {
            name = {SpokenControlText(control.Text()), MnemonicShortcut(control.Text())};
        } else if (NamedByLabel(control.kind)) {
            if (const ControlSpec* label = labelBefore(i)) {
                name = {SpokenControlText(label->Text()), MnemonicShortcut(label->Text())};
            }
        } else {
            continue;
        }
        names[control.id] = name;
    }
    // Buttons of the same name on one page, told apart by what they are beside.
    for (size_t i = 0; i < order.size(); ++i) {
        const ControlSpec& control = *order[i];
        if (control.kind != ControlKind::kButton) continue;
        const std::string own = names[control.id].name;
        const bool repeated = std::any_of(order.begin(), order.end(), [&](const ControlSpec* other) {
            return other != &control && other->kind == ControlKind::kButton && other->page == control.page &&
                   SpokenControlText(other->Text()) == own;
        });
        if (!repeated) continue;
        for (size_t j = i; j-- > 0;) {
            if (order[j]->page != control.page || order[j]->kind != ControlKind::kLabel) continue;
            names[control.id].name = SpokenControlText(order[j]->Text()) + ResolveText(": \tja:：") + own;
            break;
        }
    }
    return names;
}

std::string ColorWords(PixelColor color) {
    return ResolveText("red \tja:赤 ") + std::to_string(color.red) + ResolveText(", green \tja:、緑 ") +
           std::to_string(color.green) + ResolveText(", blue \tja:、青 ") + std::to_string(color.blue);
}

}  // namespace tavoli
