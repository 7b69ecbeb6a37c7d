// A view with a document of its own, for tests: its settings, script and memos are
// changed through the document and the view laid out again, as the program does.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "view/calendar_view.h"

namespace tavoli {

// The program's defaults, as at a first start (a white background).
struct TestDocument {
    TestDocument() {
        document.settings = SettingsRecord::Defaults(Today(kLocalZone), ViewStyle().Color(ViewColor::kBackground));
    }
    CalendarDocument document;
};

class TestView : private TestDocument, public CalendarView {
public:
    TestView() : CalendarView(document) {}

    SettingsRecord& Record() { return document.settings; }
    // The style is read at every paint: no layout follows a change of it.
    ViewStyle& MutableStyle() { return document.settings.style; }
    MemoStore& Memos() { return document.memos; }

    // Any other setting: changed in the record, the view laid out again.
    template <class Edit>
    void Change(Edit edit) {
        edit(document.settings);
        SettingsChanged();
    }
    void SetDesign(const Design& design) {
        Change([&](SettingsRecord& s) { s.design = design; });
    }
    void SetRowsStyle(RowsStyle style) {
        Change([&](SettingsRecord& s) { s.design.rows = style; });
    }
    void SetFooterStyle(FooterStyle style) {
        Change([&](SettingsRecord& s) { s.design.footer = style; });
    }
    void SetFirstDayOfWeek(int weekday) {
        Change([&](SettingsRecord& s) { s.firstDayOfWeek = weekday; });
    }
    void SetNeighbourDays(bool on) {
        Change([&](SettingsRecord& s) { s.neighbourDays = on; });
    }
    // Lines of format.txt: each non-empty one replaces its template.
    void SetFormats(const std::vector<std::string>& lines) {
        document.formatLines.resize(std::max<size_t>(document.formatLines.size(), std::min<size_t>(lines.size(), 8)));
        for (size_t i = 0; i < lines.size() && i < 8; ++i) {
            if (!lines[i].empty()) document.formatLines[i] = lines[i];
        }
        SettingsChanged();
    }
    // Compiles a script into the document; the footer follows it.
    ErrorValue CompileScript(const std::string& text) {
        HolidayScript script;
        std::vector<std::string> report;
        const ErrorValue error = script.Compile(text, report);
        document.SetScript(std::move(script));
        UpdateFooterLines();
        return error;
    }
};

}  // namespace tavoli
