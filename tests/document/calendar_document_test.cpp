// The document's own rules: nothing out of its bounds is stored, whoever sets it, and every
// change is counted, so that what is made from it follows without being told.
#include "document/calendar_document.h"

#include <gtest/gtest.h>

#include "view/calendar_view.h"

namespace tavoli {
namespace {

TEST(CalendarDocument, KeepsItsSettingsInBoundsAndCountsEachChange) {
    CalendarDocument document;
    CalendarView view(document);  // made once, before the changes
    const struct {
        const char* change;
        void (*edit)(SettingsRecord&);
        bool (*holds)(const SettingsRecord&);
    } edits[] = {
        {"design", [](SettingsRecord& s) { s.design.rows = static_cast<RowsStyle>(kRowsStyleCount); },
         [](const SettingsRecord& s) { return static_cast<int>(s.design.rows) == 0; }},
        {"margins",
         [](SettingsRecord& s) {
             s.margins = {-5, 2000, 3, 4};
         },
         [](const SettingsRecord& s) {
             return s.margins == std::array<int, 4>{0, 1000, 3, 4};
         }},
        {"first weekday", [](SettingsRecord& s) { s.firstDayOfWeek = 9; },
         [](const SettingsRecord& s) { return s.firstDayOfWeek == 2; }},
        {"cell size",
         [](SettingsRecord& s) {
             s.cellSize = {60, 2};
         },
         [](const SettingsRecord& s) {
             return s.cellSize == Size{60, 8};
         }},
    };
    for (const auto& e : edits) {
        const uint64_t all = document.Generation(), settings = document.SettingsGeneration();
        document.EditSettings(e.edit);
        EXPECT_TRUE(e.holds(document.Settings())) << e.change;
        EXPECT_GT(document.Generation(), all) << e.change;
        EXPECT_GT(document.SettingsGeneration(), settings) << e.change;
    }
    // The view made before them follows by itself.
    EXPECT_EQ(view.Layout().firstDayOfWeek, 2);
    EXPECT_EQ(view.Layout().cellSize, (Size{60, 8}));
    // Memos and format lines are changes of the document, not of its settings.
    const uint64_t settings = document.SettingsGeneration();
    for (auto change : {+[](CalendarDocument& d) { d.EditMemos().SetMemo(CalDate(2024, 5, 5), "m"); },
                        +[](CalendarDocument& d) { d.SetFormatLines({"H1"}); }}) {
        const uint64_t all = document.Generation();
        change(document);
        EXPECT_GT(document.Generation(), all);
    }
    EXPECT_EQ(document.SettingsGeneration(), settings);
}

}  // namespace
}  // namespace tavoli
