#include "dialogs/dialog_layout.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "dialogs/control_rules.h"
#include "framework/lang_text.h"

namespace tavoli {

namespace {

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string RectText(const Rect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

std::string Name(const ControlSpec& control) { return "control " + std::to_string(control.id); }

}  // namespace

std::string ControlSpec::Text() const { return ResolveText(text) + suffix; }

const ControlSpec* DialogLayout::Find(int id) const {
    for (const ControlSpec& control : controls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

Size DialogClientSize(int widthUnits, int heightUnits, DialogBaseUnits units) {
    return {MulDivRounded(widthUnits, units.x, 4), MulDivRounded(heightUnits, units.y, 8)};
}

Rect Footprint(const ControlSpec& control) {
    Rect r = control.rect;
    if (control.kind == ControlKind::kCombo && r.Height() > kClosedComboHeight) r.bottom = r.top + kClosedComboHeight;
    return r;
}

std::vector<const ControlSpec*> TabOrder(const DialogLayout& layout) {
    std::vector<const ControlSpec*> sorted;
    for (const ControlSpec& control : layout.controls) sorted.push_back(&control);
    std::stable_sort(sorted.begin(), sorted.end(), [](const ControlSpec* a, const ControlSpec* b) {
        return a->rect.top != b->rect.top ? a->rect.top < b->rect.top : a->rect.left < b->rect.left;
    });
    // Page by page: each control right after the label before it on its own page, where
    // screen readers look for its name, not after one of another page at the same height.
    std::vector<const ControlSpec*> order;
    int lastPage = kEveryPage;
    for (const ControlSpec* control : sorted) lastPage = std::max(lastPage, control->page);
    auto firstPaged = std::find_if(sorted.begin(), sorted.end(), [](auto c) { return c->page != kEveryPage; });
    std::copy(sorted.begin(), firstPaged, std::back_inserter(order));  // above the pages: the tab strip
    for (int page = 0; page <= lastPage; ++page) {
        std::copy_if(firstPaged, sorted.end(), std::back_inserter(order), [page](auto c) { return c->page == page; });
    }
    std::copy_if(firstPaged, sorted.end(), std::back_inserter(order), [](auto c) { return c->page == kEveryPage; });
    return order;
}

int InitialFocusId(const DialogLayout& layout) {
    for (const ControlSpec* control : TabOrder(layout)) {
        if (control->page != kEveryPage && control->page != 0) continue;
        switch (control->kind) {
        case ControlKind::kEdit:
        case ControlKind::kSpinEdit:
        case ControlKind::kCombo:
        case ControlKind::kCheckBox: return control->id;
        default: break;
        }
    }
    return 1;
}

std::vector<std::string> CheckDialogLayout(const DialogLayout& layout, DialogBaseUnits units) {
    std::vector<std::string> faults;
    const Size client = DialogClientSize(layout.widthUnits, layout.heightUnits, units);
    const Rect dialog{0, 0, client.width, client.height};
    const std::string clientText = std::to_string(client.width) + " x " + std::to_string(client.height);

    // Ids as WM_COMMAND carries them: 1 … 65535, each window its own.
    std::map<int, int> uses;
    for (const ControlSpec& control : layout.controls) {
        ++uses[control.id];
        if (control.kind == ControlKind::kSpinEdit) ++uses[SpinnerIdOf(control.id)];
    }
    for (const auto& [id, count] : uses) {
        if (id < 1 || id > 0xFFFF) faults.push_back("id " + std::to_string(id) + " is outside 1 ... 65535");
        if (count > 1) faults.push_back("id " + std::to_string(id) + " is used " + std::to_string(count) + " times");
    }

    const ControlSpec* tab = nullptr;
    for (const ControlSpec& control : layout.controls) {
        if (control.kind == ControlKind::kTab && !tab) tab = &control;
    }
    for (const ControlSpec& control : layout.controls) {
        const Rect footprint = Footprint(control);
        if (footprint.Empty()) {
            faults.push_back(Name(control) + " has the empty rectangle " + RectText(control.rect));
            continue;
        }
        if (!Inside(footprint, dialog)) {
            faults.push_back(Name(control) + " at " + RectText(footprint) + " reaches outside the " + clientText +
                             " dialog");
        }
        if (control.page == kEveryPage) continue;
        if (control.page < 0 || !tab) {
            faults.push_back(Name(control) + " is on page " + std::to_string(control.page) +
                             ", which no tab strip shows");
        } else {
            const Rect pages{tab->rect.left, tab->rect.top + kTabRowHeight, tab->rect.right, tab->rect.bottom};
            if (!Inside(footprint, pages)) {
                faults.push_back(Name(control) + " at " + RectText(footprint) + " lies outside the tab strip's pages " +
                                 RectText(pages));
            }
        }
    }

    // Two controls meet when both can be shown at once: on the same page, or one of them
    // on every page. The tab strip holds the pages and is not counted against them.
    const std::vector<ControlSpec>& all = layout.controls;
    for (size_t i = 0; i < all.size(); ++i) {
        for (size_t j = i + 1; j < all.size(); ++j) {
            const ControlSpec& a = all[i];
            const ControlSpec& b = all[j];
            const bool together = a.page == b.page || a.page == kEveryPage || b.page == kEveryPage;
            const bool pageOnTab = (&a == tab && b.page != kEveryPage) || (&b == tab && a.page != kEveryPage);
            if (!together || pageOnTab) continue;
            if (!Intersect(Footprint(a), Footprint(b)).Empty()) {
                faults.push_back(Name(a) + " " + RectText(Footprint(a)) + " overlaps " + Name(b) + " " +
                                 RectText(Footprint(b)));
            }
        }
    }
    return faults;
}

}  // namespace tavoli
