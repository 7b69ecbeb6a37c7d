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

void CalendarDocument::SetSources(std::vector<LoadedSource> sources) {
    sources_ = std::move(sources);
    appointments_.clear();
    expandedFirst_ = expandedLast_ = CalDate();
    ++generation_;
}

const std::vector<DayAppointment>& CalendarDocument::AppointmentsOn(CalDate date) const {
    static const std::vector<DayAppointment> kNone;
    if (sources_.empty() || date.IsNull()) return kNone;
    if (expandedFirst_.IsNull() || date < expandedFirst_ || date > expandedLast_) {
        const YearMonthDay ymd = date.Parts();
        const int next = ymd.year * 12 + ymd.month;  // the month after, counted from 0
        expandedFirst_ = CalDate(ymd.year, ymd.month, 1) - 14;
        expandedLast_ = CalDate(next / 12, next % 12 + 1, 1) + MonthLength(next / 12, next % 12 + 1) + 13;
        if (!localZone_) localZone_.emplace();
        appointments_ = AppointmentsByDay(sources_, expandedFirst_, expandedLast_, *localZone_);
    }
    const auto found = appointments_.find(date);
    return found == appointments_.end() ? kNone : found->second;
}

}  // namespace tavoli
