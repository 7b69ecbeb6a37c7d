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

void CalendarDocument::ExpandAppointments(CalDate first, CalDate last) const {
    if (sources_.empty() || (!expandedFirst_.IsNull() && first >= expandedFirst_ && last <= expandedLast_)) return;
    expandedFirst_ = first;
    expandedLast_ = last;
    if (!localZone_) localZone_.emplace();
    appointments_ = AppointmentsByDay(sources_, first, last, *localZone_, false);
}

const std::vector<DayAppointment>& CalendarDocument::AppointmentsOn(CalDate date, bool texts) const {
    static const std::vector<DayAppointment> kNone;
    if (sources_.empty() || date.IsNull()) return kNone;
    if (expandedFirst_.IsNull() || date < expandedFirst_ || date > expandedLast_) {
        const YearMonthDay ymd = date.Parts();
        const CalDate first(ymd.year, ymd.month, 1);
        ExpandAppointments(first - 7, first + MonthLength(ymd.year, ymd.month) + 13);
    }
    const auto found = appointments_.find(date);
    if (found == appointments_.end()) return kNone;
    if (texts) AppointmentTexts(found->second);
    return found->second;
}

}  // namespace tavoli
