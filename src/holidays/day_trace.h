// Why a day has its kind and its names, as a person editing holidays.txt reads it: the
// scripts involved, the line that set the kind (or the weekday's kind when none did),
// each name with its line, and for rules that looked at other days (substitute and
// citizens' holidays) the days and the block lines they matched. One text for the
// command-line tool and for the calendar's window, in the user's language.
#pragma once

#include <string>
#include <vector>

#include "calendar/cal_date.h"
#include "holidays/holiday_script.h"

namespace tavoli {

// A script file the trace names, and what the calendar makes of it.
struct TracedScriptFile {
    enum class Role { kGiven, kPerUser, kAllUsers, kCountry, kRegion };
    enum class State {
        kShown,    // said without a state (the one script the tool was given)
        kInForce,  // its rules are the ones traced
        kFailing,  // saved in a form that does not compile: the rules that compiled last stay
        kFailed,   // it does not compile: no rules are in force
        kUnused,   // the per-user script stands in its place
        kMissing,
    };
    Role role = Role::kGiven;
    std::string path;  // ANSI code page
    State state = State::kShown;
};

// The trace, one line per item (ANSI code page). `texts` are the scripts the rules were
// compiled from, indexed by each entry's source (a holiday set has several; each rule
// line then names its file); names are resolved for the user's language, rules shown as
// written.
std::vector<std::string> DayTrace(CalDate date, const HolidayScript& script, const std::vector<ScriptText>& texts,
                                  const std::vector<TracedScriptFile>& files);
// One script's trace.
std::vector<std::string> DayTrace(CalDate date, const HolidayScript& script, const std::vector<std::string>& lines,
                                  const std::vector<TracedScriptFile>& files);

}  // namespace tavoli
