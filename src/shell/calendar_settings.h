// Every value that survives a hide or a restart: read into the document at each show and
// written at each hide, with the text files that go with them (the holiday scripts,
// format.txt, memo.txt).
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "document/calendar_document.h"
#include "framework/error.h"
#include "framework/report.h"
#include "holidays/holiday_set.h"
#include "settings/settings_paths.h"
#include "settings/settings_table.h"

namespace tavoli {

// Where the values are kept (the registry key; a map in tests).
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Empties the values and reads them; a missing key reads as no values.
    virtual ErrorValue Read(SettingsValues& values) = 0;
    // Writes the values whose text differs from the stored one.
    virtual ErrorValue Write(const SettingsValues& values) = 0;
};

// The program's own places: the user's application-data folder + "Brenholt\Tavoli\" (the
// executable's folder when there is none), and the executable's folder.
SettingsPaths ProgramSettingsPaths();

class CalendarSettings {
public:
    explicit CalendarSettings(SettingsPaths paths) : paths_(std::move(paths)) {}

    const SettingsPaths& Paths() const { return paths_; }

    // Into the document: the holiday script (with the error list on failure), format.txt,
    // the memos (unless unsaved ones are kept: they are newer than memo.txt), then the
    // stored values over the program's defaults. systemWindowColor is the background
    // colour when none is stored. What the user is to be told, and the path of a script
    // that does not compile now while the rules that compiled last stay in force (else
    // empty).
    struct Loaded {
        Report report;
        std::string failingScript;
    };
    Loaded Load(CalendarDocument& document, SettingsStore& store, PixelColor systemWindowColor,
                bool memosUnsaved = false);

    // The memos (when memoDirty) and every value. A failed memo save leaves memoDirty set:
    // the memos stay in the document, the next Load keeps them and a later save writes
    // them, so nothing typed is lost while the program runs. A failed write of the values
    // is told as a failed memo save is: once, until a write works again.
    Report Save(CalendarDocument& document, SettingsStore& store, bool& memoDirty);
    // The memos alone, as soon as one is written. memo.bak keeps the file as it was before
    // the first save of each show and of each day, so that a mistaken edit can still be
    // undone from it after the saves that follow.
    Report SaveMemos(CalendarDocument& document, bool& memoDirty);

    // At the end of the program: memos that still could not be saved are written to a
    // side file (beside memo.txt, else in the temporary folder) unless one holds them
    // already, and the user is to be told where, once. That file's path (empty when it
    // could not be written).
    std::string RescueUnsavedMemos(MemoStore& memos, Report& report);

    // The holiday script in force: the per-user file when it exists, else the all-users
    // one (empty when neither does).
    std::string ScriptInForce() const;

    // The rules of a holiday set (a code; "none" for holidays.txt alone; empty, while no
    // set is chosen, for holidays.txt or else no rules) compiled: the set's scripts with the per-user holidays.txt on
    // top, else the script in force; and the compiler's report (a file that begins with a byte-order mark is in UTF-8).
    // `path` is the file a message names: the one that failed, else the first.
    struct CompiledScript {
        HolidayScript script;
        ScriptSource source;
        std::string path;
        bool compiled = false;
        std::vector<std::string> report;
    };
    CompiledScript CompileHolidayScript(const std::string& set) const;

    // The set a start with no stored choice takes, and what the user is told of it (that
    // none ships for the country: once a run).
    std::string FirstHolidaySet(Report& report);

    // A compiled script taken into the document: one that compiled replaces the rules; one
    // that does not leaves the rules that compiled last (none when none ever did). What the
    // user is told: the error list naming the file and what is in force now; and the
    // failing file whose older rules stay in force (else empty).
    struct TakenScript {
        std::vector<std::string> messageLines;
        std::string failingPath;
    };
    TakenScript TakeScript(CalendarDocument& document, CompiledScript compiled) const;

    // Steps of Load, for live reload and tests: the script taken (its message told; the
    // failing path returned, as TakeScript gives it) and format.txt.
    std::string LoadHolidayScript(CalendarDocument& document, const std::string& set, Report& report) const;
    Report LoadFormats(CalendarDocument& document) const;
    // The user's other calendars into the document, as far as they changed since they
    // were read (all of them the first time): the stored list (its hidden sources not
    // read) and the calendars folder's files, each read again when its files changed on
    // disk or the list did. True when any was. A source that cannot be read is told once
    // a run, naming its file, line and reason; the others still show.
    bool ReloadSources(CalendarDocument& document, Report& report);

    // The values in the order they are written: the program's own three, then the record's.
    static SettingsValues ValuesOf(const SettingsRecord& record);

private:
    SettingsPaths paths_;
    CalDate backedUpOn_;            // the day of this show's last memo backup; null: none yet
    bool toldStoreFailed_ = false;  // since the last write of the values that worked
    bool toldNoSet_ = false;
    std::set<std::string> toldSourceProblems_;

    // The stored sources, then the calendars folder's.
    std::vector<CalendarSource> SourcesNow(const std::string& stored) const;
    LoadedSource Read(const CalendarSource& source, Report& report);
};

}  // namespace tavoli
