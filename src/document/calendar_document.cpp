#include "document/calendar_document.h"

#include <utility>

namespace tavoli {

void CalendarDocument::SetSettings(SettingsRecord settings) {
    settings_ = Normalized(std::move(settings));
    ++generation_;
    ++settingsGeneration_;
}

MemoStore& CalendarDocument::EditMemos() {
    ++generation_;
    return memos_;
}

void CalendarDocument::SetFormatLines(std::vector<std::string> lines) {
    formatLines_ = std::move(lines);
    ++generation_;
}

void CalendarDocument::SetScript(HolidayScript script, ScriptSource source) {
    script_ = std::move(script);
    source_ = std::move(source);
    ++scriptGeneration_;
    ++generation_;
}

}  // namespace tavoli
