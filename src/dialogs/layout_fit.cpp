#include "dialogs/layout_fit.h"

#include <algorithm>

#include "dialogs/control_rules.h"

namespace tavoli {

namespace {

using K = ControlKind;

// The lines of a text separated by line feeds.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (true) {
        const size_t feed = text.find('\n', from);
        lines.push_back(text.substr(from, feed == std::string::npos ? feed : feed - from));
        if (feed == std::string::npos) return lines;
        from = feed + 1;
    }
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string text;
    for (const std::string& t : texts) text += (text.empty() ? "" : "\n") + t;
    return text;
}

int WidestOf(const std::vector<std::string>& texts, const TextMeasure& measure) {
    int widest = 0;
    for (const std::string& text : texts) widest = std::max(widest, measure.Width(text));
    return widest;
}

// How far each box moves along one axis so that every box that grows (by grow[i] at its
// far edge) keeps clear of the boxes after it that share its row (or column), with the
// gaps of the table kept, and boxes that started at the same edge still share it.
std::vector<int> Shifts(const std::vector<Rect>& boxes, const std::vector<int>& grow, bool horizontal) {
    const size_t n = boxes.size();
    std::vector<int> shift(n, 0);
    const auto start = [horizontal](const Rect& r) { return horizontal ? r.left : r.top; };
    const auto end = [horizontal](const Rect& r) { return horizontal ? r.right : r.bottom; };
    const auto across = [horizontal](const Rect& a, const Rect& b) {
        return horizontal ? a.top < b.bottom && b.top < a.bottom : a.left < b.right && b.left < a.right;
    };
    // Shifts only grow and never pass the sum of all growth, so this ends.
    for (bool changed = true; changed;) {
        changed = false;
        for (size_t i = 0; i < n; ++i) {
            for (size_t j = 0; j < n; ++j) {
                if (j == i) continue;
                int wanted = shift[i];
                if (end(boxes[j]) <= start(boxes[i]) && across(boxes[i], boxes[j])) wanted = shift[j] + grow[j];
                if (start(boxes[j]) == start(boxes[i])) wanted = std::max(wanted, shift[j]);
                if (wanted > shift[i]) {
                    shift[i] = wanted;
                    changed = true;
                }
            }
        }
    }
    return shift;
}

// Moves and grows the controls of one group (the indices) to meet their growth. Controls
// of one column (the same left and right edges) grow alike and stay one column.
void FitGroup(std::vector<ControlSpec>& controls, const std::vector<size_t>& group, const std::vector<int>& growX,
              const std::vector<int>& growY) {
    std::vector<Rect> boxes;
    std::vector<int> gx, gy;
    for (size_t i : group) {
        boxes.push_back(Footprint(controls[i]));
        int column = growX[i];
        for (size_t j : group) {
            if (controls[j].rect.left == controls[i].rect.left && controls[j].rect.right == controls[i].rect.right) {
                column = std::max(column, growX[j]);
            }
        }
        gx.push_back(column);
        gy.push_back(growY[i]);
    }
    const std::vector<int> dx = Shifts(boxes, gx, true);
    const std::vector<int> dy = Shifts(boxes, gy, false);
    for (size_t k = 0; k < group.size(); ++k) {
        Rect& r = controls[group[k]].rect;
        r = r.Offset(dx[k], dy[k]);
        r.right += gx[k];
        r.bottom += gy[k];
    }
}

// The far edges of the footprints of the controls of the indices.
Point FarCorner(const std::vector<ControlSpec>& controls, const std::vector<size_t>& indices) {
    Point corner;
    for (size_t i : indices) {
        const Rect r = Footprint(controls[i]);
        corner.x = std::max(corner.x, r.right);
        corner.y = std::max(corner.y, r.bottom);
    }
    return corner;
}

int CeilDiv(int a, int b) { return b > 0 ? (a + b - 1) / b : a; }

}  // namespace

ControlContents ContentsOf(const DialogLayout& layout) {
    ControlContents contents;
    for (const ControlSpec& control : layout.controls) {
        switch (control.kind) {
        case K::kLabel:
        case K::kCheckBox:
        case K::kButton: contents[control.id].texts = {control.Text()}; break;
        case K::kCombo: contents[control.id].texts = SplitItems(control.Text()); break;
        default: break;
        }
    }
    return contents;
}

ControlNeeds MeasureNeeds(const DialogLayout& layout, const ControlContents& contents, const TextMeasure& measure,
                          const ControlChrome& chrome) {
    ControlNeeds needs;
    for (const ControlSpec& control : layout.controls) {
        const auto found = contents.find(control.id);
        const std::vector<std::string> none;
        const std::vector<std::string>& texts = found == contents.end() ? none : found->second.texts;
        const bool wraps = found != contents.end() && found->second.wraps;
        ControlNeed need;
        switch (control.kind) {
        case K::kLabel: {
            std::vector<std::string> lines;
            if (wraps) {
                // As wide as its widest word, so that no word is broken.
                need.width = WidestUnbreakable(Joined(texts), measure);
                lines = WrapText(Joined(texts), std::max(control.rect.Width(), need.width), measure);
            } else {
                for (const std::string& line : Lines(Joined(texts))) lines.push_back(DisplayedText(line));
                need.width = WidestOf(lines, measure);
            }
            need.height = static_cast<int>(lines.size()) * measure.LineHeight();
            break;
        }
        case K::kCheckBox:
        case K::kButton:
            need.width = measure.Width(DisplayedText(Joined(texts))) +
                         (control.kind == K::kCheckBox ? chrome.checkBox : chrome.button);
            need.height = measure.LineHeight();
            break;
        case K::kCombo: {
            need.width = WidestOf(texts, measure) + chrome.combo;
            const int shown = std::min(static_cast<int>(texts.size()), kMaxDroppedItems);
            // The list holds whole items only: room for all but a pixel of one more item
            // covers its frame however the system counts it, and drops no more items.
            need.height = chrome.comboClosed + (std::max(shown, 1) + 1) * chrome.comboItem - 1;
            break;
        }
        case K::kSpinEdit:
            need.width =
                std::max(measure.Width(std::to_string(control.lower)), measure.Width(std::to_string(control.upper))) +
                chrome.spinEdit;
            break;
        case K::kTextBox: {
            // The box shows a tab up to the next stop, eight characters on: eight digits
            // stand for it, the most it takes.
            std::vector<std::string> lines = Lines(Joined(texts));
            for (std::string& line : lines) {
                for (size_t tab; (tab = line.find('\t')) != std::string::npos;) line.replace(tab, 1, "00000000");
            }
            const int width = std::min(WidestOf(lines, measure), kTextBoxMaxWidth);
            int rows = 0;
            for (const std::string& line : lines) rows += std::max<int>(1, WrapText(line, width, measure).size());
            need.width = width + chrome.textBox;
            need.height = std::min(rows, kTextBoxMaxRows) * measure.LineHeight() + chrome.textBoxFrame;
            break;
        }
        case K::kTab:
            for (const std::string& label : texts) {
                need.width += std::max(measure.Width(label) + chrome.tabPadding, chrome.tabMinimum);
            }
            need.width += chrome.tabEdges;
            break;
        default: continue;
        }
        needs[control.id] = need;
    }
    return needs;
}

FittedLayout FitLayout(const DialogLayout& layout, const ControlNeeds& needs) {
    FittedLayout fitted{layout, {}, {}};
    std::vector<ControlSpec>& controls = fitted.layout.controls;
    const size_t n = controls.size();
    std::vector<int> growX(n, 0), growY(n, 0);
    std::map<int, std::vector<size_t>> groups;  // by page; kEveryPage: the controls of every page
    for (size_t i = 0; i < n; ++i) {
        const ControlSpec& c = controls[i];
        groups[c.page].push_back(i);
        const auto need = needs.find(c.id);
        if (need == needs.end()) continue;
        growX[i] = std::max(0, need->second.width - c.rect.Width());
        // A combo box's height is its dropped list's: it drops over what is below.
        if (c.kind != K::kCombo) growY[i] = std::max(0, need->second.height - c.rect.Height());
    }

    std::vector<size_t> all, pageControls, everyPage;
    size_t tab = n;
    for (size_t i = 0; i < n; ++i) {
        all.push_back(i);
        (controls[i].page == kEveryPage ? everyPage : pageControls).push_back(i);
        if (controls[i].kind == K::kTab && tab == n) tab = i;
    }
    const Point pagesBefore = FarCorner(controls, pageControls);
    const Point allBefore = FarCorner(controls, all);

    for (const auto& [page, group] : groups) {
        if (page != kEveryPage) FitGroup(controls, group, growX, growY);
    }
    // The tab strip holds its pages as it did, with the margins it had around them.
    if (tab < n && !pageControls.empty()) {
        const Point pagesAfter = FarCorner(controls, pageControls);
        growX[tab] = std::max(growX[tab], pagesAfter.x - pagesBefore.x);
        growY[tab] = std::max(growY[tab], pagesAfter.y - pagesBefore.y);
    }
    if (!everyPage.empty()) FitGroup(controls, everyPage, growX, growY);

    for (ControlSpec& c : controls) {
        const auto need = needs.find(c.id);
        if (c.kind == K::kCombo && need != needs.end() && need->second.height > 0) {
            c.rect.bottom = c.rect.top + need->second.height;
        }
    }

    // The dialog keeps the margins it had beyond its far controls.
    const Size before = DialogClientSize(layout.widthUnits, layout.heightUnits, kSmallestBaseUnits);
    const Point allAfter = FarCorner(controls, all);
    fitted.client = {std::max(before.width, allAfter.x + std::max(0, before.width - allBefore.x)),
                     std::max(before.height, allAfter.y + std::max(0, before.height - allBefore.y))};
    fitted.layout.widthUnits = std::max(layout.widthUnits, CeilDiv(fitted.client.width * 4, kSmallestBaseUnits.x));
    fitted.layout.heightUnits = std::max(layout.heightUnits, CeilDiv(fitted.client.height * 8, kSmallestBaseUnits.y));
    return fitted;
}

FittedLayout FitLayoutToTexts(const DialogLayout& layout, const ControlContents& contents, const TextMeasure& measure,
                              const ControlChrome& chrome) {
    FittedLayout fitted = FitLayout(layout, MeasureNeeds(layout, contents, measure, chrome));
    for (const ControlSpec& control : fitted.layout.controls) {
        const auto found = contents.find(control.id);
        if (control.kind != K::kLabel || found == contents.end() || !found->second.wraps) continue;
        fitted.wrapped[control.id] = Joined(WrapText(Joined(found->second.texts), control.rect.Width(), measure));
    }
    return fitted;
}

}  // namespace tavoli
