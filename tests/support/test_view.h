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
        document.SetSettings(SettingsRecord::Defaults(Today(kLocalZone), ViewStyle().Color(ViewColor::kBackground)));
    }
    CalendarDocument document;
};

class TestView : private TestDocument, public CalendarView {
public:
    TestView() : CalendarView(document) {}

    // The memos, changed through the document.
    MemoStore& Memos() { return document.EditMemos(); }

    // A setting changed in the document, which the view follows.
    template <class Edit>
    void Change(Edit edit) {
        document.EditSettings(edit);
    }
    template <class Edit>
    void ChangeStyle(Edit edit) {
        document.EditSettings([&](SettingsRecord& settings) { edit(settings.style); });
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
        std::vector<std::string> formats = document.FormatLines();
        formats.resize(std::max<size_t>(formats.size(), std::min<size_t>(lines.size(), 8)));
        for (size_t i = 0; i < lines.size() && i < 8; ++i) {
            if (!lines[i].empty()) formats[i] = lines[i];
        }
        document.SetFormatLines(std::move(formats));
    }
    // Compiles a script into the document; the footer follows it.
    ErrorValue CompileScript(const std::string& text) {
        HolidayScript script;
        std::vector<std::string> report;
        const ErrorValue error = script.Compile(text, report);
        document.SetScript(std::move(script));
        return error;
    }
};

}  // namespace tavoli
