// What the calendar shows, alive from the program's start to its end: the settings the
// user chose, the compiled holiday script, the templates of format.txt, the memos and the
// appointments of the user's other calendars.
// The view renders it and is made again at every show; the dialogs edit copies of its
// settings. It changes only through its operations, which keep it valid (every setting
// within its rules) and count each change, so that what is made from it (the view's
// layout and texts, the painter's kinds, the window's title) knows when to be made again.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "events/calendar_sources.h"
#include "events/zone.h"
#include "holidays/day_kinds.h"
#include "holidays/holiday_script.h"
#include "memo/memo_store.h"
#include "settings/settings_record.h"

namespace tavoli {

// Where the compiled script came from: its file and the lines it was compiled from, for
// telling which line gave a day its kind.
struct ScriptSource {
    // The scripts the rules were compiled from, in the order they win (an entry's source
    // indexes them): the one holidays.txt, or the user's, the region's and the country's
    // of a holiday set.
    std::vector<ScriptText> texts;
    std::string set;       // the holiday set's code; empty: holidays.txt alone
    bool compiled = true;  // false: the file did not compile, and no rules are in force
};

class CalendarDocument {
public:
    const SettingsRecord& Settings() const { return settings_; }
    // Replaces the settings, every value brought into its rules (Normalized).
    void SetSettings(SettingsRecord settings);
    // Changes the settings in place, then brings them into their rules.
    template <class Edit>
    void EditSettings(Edit edit) {
        SettingsRecord settings = settings_;
        edit(settings);
        SetSettings(std::move(settings));
    }

    const MemoStore& Memos() const { return memos_; }
    // The memos to change (the editor, loading and saving): counted as a change.
    MemoStore& EditMemos();

    // The lines of format.txt: 1–4 replace the header templates, 5–8 the footer ones; an
    // empty line keeps the program's own.
    const std::vector<std::string>& FormatLines() const { return formatLines_; }
    void SetFormatLines(std::vector<std::string> lines);

    const HolidayScript& Script() const { return script_; }
    const ScriptSource& Source() const { return source_; }
    // Replaces the script; the painter's kept kinds follow the generation.
    void SetScript(HolidayScript script, ScriptSource source = {});
    // Counts the scripts set so far, so that what was computed from one is known stale.
    uint64_t ScriptGeneration() const { return scriptGeneration_; }
    // Counts every change of the document, and of its settings alone.
    uint64_t Generation() const { return generation_; }
    uint64_t SettingsGeneration() const { return settingsGeneration_; }

    // The user's other calendars as read at the show: the stored ones, then the calendars
    // folder's files.
    const std::vector<LoadedSource>& Sources() const { return sources_; }
    void SetSources(std::vector<LoadedSource> sources);
    // The appointments of the shown sources on a day of the local zone (its daylight saving
    // included), all-day ones first, then by start, summary and location. They are expanded
    // for a range of days at a time: the range asked last (the days the view shows) or, for
    // a day outside it, the six weeks around the day's month.
    void ExpandAppointments(CalDate first, CalDate last) const;
    // Their texts are made for the days asked with them.
    const std::vector<DayAppointment>& AppointmentsOn(CalDate date, bool texts = true) const;

    // The script's answers for a day (no rule: an empty kind and no names).
    std::string KindOf(CalDate date) const { return tavoli::KindOf(script_, date); }
    std::vector<NameEntry> NamesOf(CalDate date) const { return tavoli::NamesOf(script_, date); }
    std::string KindOfWeekday(int weekday) const { return tavoli::KindOfWeekday(script_, weekday); }

private:
    SettingsRecord settings_;
    MemoStore memos_;
    std::vector<std::string> formatLines_;
    HolidayScript script_;
    ScriptSource source_;
    uint64_t scriptGeneration_ = 0;
    uint64_t generation_ = 0;
    uint64_t settingsGeneration_ = 0;
    std::vector<LoadedSource> sources_;
    mutable std::optional<SystemZone> localZone_;  // asked of the system at the first expansion
    mutable CalDate expandedFirst_, expandedLast_;
    mutable std::map<CalDate, std::vector<DayAppointment>> appointments_;
};

}  // namespace tavoli
