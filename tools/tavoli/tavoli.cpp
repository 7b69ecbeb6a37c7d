// tavoli: the calendar's arithmetic, templates, holiday scripts and memo files from the
// command line.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calendar/calendar_system.h"
#include "calendar/era.h"
#include "events/calendar_sources.h"
#include "events/event_text.h"
#include "events/occurrences.h"
#include "format/date_format.h"
#include "framework/delegating_platform.h"
#include "framework/file_system.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/paths.h"
#include "framework/platform.h"
#include "framework/text_lines.h"
#include "framework/whole_file.h"
#include "holidays/day_kinds.h"
#include "holidays/day_trace.h"
#include "holidays/holiday_set.h"
#include "memo/memo_file.h"
#include "memo/memo_store.h"
#include "tools/tavoli/arguments.h"
#include "tools/tavoli/ics.h"
#include "view/view_texts.h"
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include "framework/platform_host.h"
#endif

namespace tavoli::tool {

namespace {

constexpr int kOk = 0, kFailed = 1, kUsage = 2;

struct Command {
    const char* name;
    const char* usage;
    const char* help;
    int (*run)(const Arguments&);
    // The options with a value that only this command takes.
    std::vector<std::string_view> options = {};
};

int Usage(const Command& command);

// Texts cross the program's edge in UTF-8 on Linux and in the system code page on
// Windows; inside they are in the program's ANSI code page.
std::string In(const std::string& text) {
#ifdef _WIN32
    return text;
#else
    return CurrentPlatform().FromUtf8(text);
#endif
}

std::string Out(const std::string& text) {
#ifdef _WIN32
    return text;
#else
    return CurrentPlatform().ToUtf8(text);
#endif
}

void Print(const std::string& line) {
    const std::string text = Out(line) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// The message is in the output's encoding already: arguments are taken as given, and
// texts from files go through Out first.
int Fail(const std::string& message, int code) {
    std::fprintf(stderr, "tavoli: %s\n", message.c_str());
    return code;
}

// How much of an input file is read at most: far more than any script or memo file, and
// a bound for a device that never ends.
constexpr uint64_t kInputLimit = 64u << 20;

// A reason for an error value in words: the key's message, the system's text, or the number.
std::string Reason(ErrorValue error) {
    if (error >= kSystemErrorBase && error < kOtherFailureBase) {
        std::string text = CurrentPlatform().SystemErrorText(SystemCodeOf(error));
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        if (!text.empty()) return text;
    }
    const ErrorTypeEntry* entry = ErrorTypeFromNumber(error);
    if (entry && !entry->key.empty()) return entry->key;
    return "error " + std::to_string(error);
}

std::optional<CalDate> DateArgument(const std::string& text, const char* what) {
    const std::optional<CalDate> date = ParseDate(text);
    const std::string kind = *what ? std::string(what) + " " : std::string();
    if (!date) Fail("bad " + kind + "date \"" + text + "\" (YYYY-MM-DD or YYYY/MM/DD)", kUsage);
    return date;
}

// FROM and TO of a command, in order: kOk, or the usage code with the reason said.
int DateRange(const std::string& first, const std::string& last, CalDate& from, CalDate& to) {
    const auto a = DateArgument(first, "first");
    const auto b = a ? DateArgument(last, "last") : std::nullopt;
    if (!a || !b) return kUsage;
    if (*b < *a) return Fail("the last date lies before the first", kUsage);
    from = *a;
    to = *b;
    return kOk;
}

// The whole input file, or the usage code with the reason said.
int ReadInput(const std::string& path, std::string& contents) {
    switch (CurrentFileSystem().KindOf(path)) {
    case FileSystem::Kind::kMissing: return Fail("cannot read " + path + ": no such file", kUsage);
    case FileSystem::Kind::kFolder: return Fail("cannot read " + path + ": is a folder", kUsage);
    default: break;
    }
    const ErrorValue error = ReadFileContents(path, contents, kInputLimit);
    if (error == ErrorFromKey("too_large_data")) {
        return Fail("cannot read " + path + ": more than " + std::to_string(kInputLimit >> 20) + " MiB", kUsage);
    }
    if (error != kSuccess) return Fail("cannot read " + path + ": " + Reason(error), kUsage);
    return kOk;
}

// Says on standard error that a file in UTF-8 is read in another code page, where its
// texts come out wrong.
void NoteEncoding(const std::string& path, std::string_view contents) {
    if (SkipByteOrderMark(contents) && Utf8ReadAsAnsi(contents)) {
        Fail(path + ": the file is in UTF-8 (it begins with a byte-order mark) but is read in code page " +
                 std::to_string(CurrentPlatform().AnsiCodePage()) + ": texts beyond ASCII come out wrong",
             kOk);
    }
}

// ---- convert ----

int Convert(const Arguments& args) {
    if (args.positional.size() < 2 || args.positional.size() > 3) return -1;
    const std::string& calendar = args.positional[0];
    if (calendar.size() != 1 || std::string("GJAHgjah").find(calendar[0]) == std::string::npos) {
        return Fail("unknown calendar \"" + calendar + "\" (G, J, A or H)", kUsage);
    }
    const auto from = DateArgument(args.positional[1], "first");
    if (!from) return kUsage;
    CalDate to = *from;
    if (args.positional.size() == 3) {
        const auto last = DateArgument(args.positional[2], "last");
        if (!last) return kUsage;
        if (*last < *from) return Fail("the last date lies before the first", kUsage);
        to = *last;
    }
    const char letter = static_cast<char>(calendar[0] & ~0x20);
    const std::unique_ptr<CalendarSystem> system = MakeCalendarSystem(letter);
    std::string out;
    for (CalDate d = *from;; ++d) {
        const SplitDate s = system->split(d);
        out += d.Text() + "\t" + std::to_string(s.year) + "\t" + std::to_string(s.month) + "\t" +
               std::to_string(s.day) + "\t" + std::to_string(s.weekday) + "\n";
        if (out.size() > 65536) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
        if (d == to) break;
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kOk;
}

// ---- format ----

int Format(const Arguments& args) {
    if (args.positional.size() < 2 || args.positional.size() > 3) return -1;
    const auto date = DateArgument(args.positional[1], "");
    if (!date) return kUsage;
    const std::string eras = args.eraList ? In(*args.eraList) : ResolveText(kDefaultEraList);
    const std::string templ = In(args.positional[0]);
    if (args.positional.size() == 3) {
        const std::optional<TimeOfDay> time = ParseTime(args.positional[2]);
        if (!time) return Fail("bad time \"" + args.positional[2] + "\" (HH:MM:SS or HH:MM:SS.mmm)", kUsage);
        Print(DateFormat(templ, CalDateTime(*date, *time), eras));
    } else {
        Print(DateFormat(templ, *date, eras));
    }
    return kOk;
}

// ---- holiday scripts ----

// Reads and compiles a script: kOk, or the exit code after saying why. The report of a
// script that does not compile is the output, or an error for a command whose output is
// a file of its own.
int LoadScript(const std::string& path, HolidayScript& script, std::vector<std::string>& lines,
               bool reportAsError = false) {
    std::string contents;
    if (const int read = ReadInput(path, contents); read != kOk) return read;
    // A script that begins with a byte-order mark is in UTF-8, and read so.
    std::string_view text(contents);
    const bool utf8 = SkipByteOrderMark(text);
    SplitTextLines(text, lines);
    std::vector<std::string> report;
    const ErrorValue compiled = script.CompileLines(lines, report, utf8);
    if (utf8) {
        for (std::string& line : lines) line = CurrentPlatform().FromUtf8(line);  // shown as the names are
    }
    if (compiled != kSuccess) {
        for (const std::string& line : report) {
            if (reportAsError) Fail(path + ": " + Out(line), kFailed);
            else Print(line);
        }
        return kFailed;
    }
    return kOk;
}

int Check(const Arguments& args) {
    if (args.positional.size() != 1) return -1;
    HolidayScript script;
    std::vector<std::string> lines;
    const int result = LoadScript(args.positional[0], script, lines);
    if (result == kOk) Print("OK");
    return result;
}

// The folder of the shipped sets: --sets, else "holidays" beside the tool.
std::string SetsFolder(const Arguments& args) {
    const std::optional<std::string> given = args.Option("--sets");
    return given ? In(*given) : PathPart(CurrentPlatform().ExecutablePath(), "dp") + "holidays";
}

// A shipped set, from the folder "holidays" beside the tool unless --sets names another.
int LoadSet(const Arguments& args, const std::string& set, HolidayScript& script,
            std::vector<ScriptText>* texts = nullptr) {
    const std::string folder = SetsFolder(args);
    std::vector<std::string> report;
    const ErrorValue error = CompileHolidaySet(folder, set, script, report, texts);
    if (error == kSuccess) return kOk;
    if (HolidaySetFiles(folder, set).empty()) return Fail("no such holiday set: " + set + " (CC or CC-RR)", kUsage);
    if (report.empty()) return Fail("cannot read the set " + set + " in " + Out(folder) + ": " + Reason(error), kUsage);
    for (const std::string& line : report) Fail(Out(line), kFailed);
    return kFailed;
}

int Countries(const Arguments& args) {
    if (!args.positional.empty()) return -1;
    const std::string folder = SetsFolder(args);
    if (!FolderExists(folder)) return Fail("cannot read the sets in " + Out(folder) + ": no such folder", kUsage);
    for (const HolidaySetEntry& entry : ListHolidaySets(folder)) {
        const bool region = entry.code.size() > 2;
        Print((region ? "  " : "") + entry.code + "\t" + CurrentPlatform().FromUtf8(entry.name));  // the sets are UTF-8
    }
    return kOk;
}

int Holidays(const Arguments& args) {
    const std::optional<std::string> set = args.Option("--country");
    const size_t dates = set ? 0 : 1;
    if (args.positional.size() != dates + 2) return -1;
    CalDate from, to;
    if (const int range = DateRange(args.positional[dates], args.positional[dates + 1], from, to); range != kOk)
        return range;
    HolidayScript script;
    std::vector<std::string> lines;
    if (const int result = set ? LoadSet(args, *set, script) : LoadScript(args.positional[0], script, lines);
        result != kOk)
        return result;
    for (CalDate d = from;; ++d) {
        const std::string kind = KindOf(script, d);
        const std::vector<NameEntry> names = NamesOf(script, d);
        if (!kind.empty() || !names.empty()) {
            std::string line = d.Text() + "\t" + kind;
            for (const NameEntry& n : names) line += "\t" + n.name;
            Print(line);
        }
        if (d == to) break;
    }
    return kOk;
}

int Explain(const Arguments& args) {
    const std::optional<std::string> set = args.Option("--country");
    const size_t dates = set ? 0 : 1;
    if (args.positional.size() != dates + 1) return -1;
    const auto date = DateArgument(args.positional[dates], "");
    if (!date) return kUsage;
    HolidayScript script;
    // The same trace as the calendar's "Why this day?": for the one script given, or for a
    // set's scripts, each rule line naming its file.
    if (set) {
        std::vector<ScriptText> texts;
        if (const int result = LoadSet(args, *set, script, &texts); result != kOk) return result;
        std::vector<TracedScriptFile> files;
        for (const ScriptText& text : texts) {
            const bool region = files.empty() && texts.size() > 1;
            files.push_back({region ? TracedScriptFile::Role::kRegion : TracedScriptFile::Role::kCountry, text.path});
        }
        for (const std::string& line : DayTrace(*date, script, texts, files)) Print(line);
        return kOk;
    }
    std::vector<std::string> lines;
    if (const int result = LoadScript(args.positional[0], script, lines); result != kOk) return result;
    const TracedScriptFile file{TracedScriptFile::Role::kGiven, In(args.positional[0])};
    for (const std::string& line : DayTrace(*date, script, lines, {file})) Print(line);
    return kOk;
}

// ---- month ----

int Month(const Arguments& args) {
    if (args.positional.size() != 2) return -1;
    const auto number = [](const std::string& text, int low, int high) -> std::optional<int> {
        if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        const int value = std::stoi(text);
        if (value < low || value > high) return std::nullopt;
        return value;
    };
    const auto year = number(args.positional[0], 1, 3999);
    const auto month = number(args.positional[1], 1, 12);
    if (!year || !month) return Fail("bad year or month (1 … 3999, 1 … 12)", kUsage);
#ifndef _WIN32
    // The text's layout is defined in bytes of a double-byte code page: make it in 932.
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    ScopedPlatform scope(japanese);
#endif
    for (const std::string& line : MonthAsText(*year, *month)) Print(line);
    return kOk;
}

// ---- memos ----

// Loads a memo file for a command: kOk, or the usage code with the reason said. A file
// whose reading stopped early loads what came before (`stopped` is then set).
int LoadMemoFile(const std::string& path, MemoStore& store, bool& stopped) {
    std::string contents;
    if (const int read = ReadInput(path, contents); read != kOk) return read;
    NoteEncoding(path, contents);
    stopped = store.ReadContents(std::move(contents)) != kSuccess;
    return kOk;
}

// "reading stopped at line N: <the line>" and, on a line of its own, why, for a store
// whose reading stopped early.
std::string WhereReadingStopped(const MemoStore& store) {
    TextLineReader unread(store.UnreadText());
    std::string_view line;
    unread.Next(line);
    return "reading stopped at line " + std::to_string(store.FirstUnreadLine()) + ": " + Out(std::string(line)) +
           "\ntavoli: " + StopReasonText(store.GetStopReason(), PackTag("en"));
}

int Memos(const Arguments& args) {
    if (args.positional.size() != 1 && args.positional.size() != 3) return -1;
    CalDate from, to;
    const bool range = args.positional.size() == 3;
    if (range) {
        if (const int dates = DateRange(args.positional[1], args.positional[2], from, to); dates != kOk) return dates;
    }
    MemoStore store;
    bool stopped = false;
    if (const int loaded = LoadMemoFile(args.positional[0], store, stopped); loaded != kOk) return loaded;
    for (const MemoStore::Entry& entry : store.Entries()) {
        if (range && (entry.date < from || to < entry.date)) continue;
        Print(MemoDateText(entry.date) + "\t" + entry.text);
    }
    return stopped ? Fail(WhereReadingStopped(store), kFailed) : kOk;
}

// ---- ics ----

// Writes the whole text to the file, or to standard output. A regular file is replaced
// in one step; a device or a pipe is written to, never replaced.
int WriteOutput(const std::optional<std::string>& path, const std::string& text) {
    if (path) {
        if (CurrentFileSystem().KindOf(*path) == FileSystem::Kind::kFolder) {
            return Fail("cannot write " + *path + ": is a folder", kUsage);
        }
        const ErrorValue result = WriteOutputFile(*path, text);
        if (result != kSuccess) return Fail("cannot write " + *path + ": " + Reason(result), kUsage);
        return kOk;
    }
#ifdef _WIN32
    // The lines end in CR LF already: a text-mode stream would make them CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kOk;
}

int LoadCalendars(const std::vector<std::string>& paths, IcsCalendar& all);

int Ics(const Arguments& args) {
    if (args.positional.size() != 2) return -1;
    const std::optional<std::string> scriptPath = args.Option("--holidays"), memoPath = args.Option("--memos"),
                                     eventsPath = args.Option("--events");
    if (!scriptPath && !memoPath && !eventsPath)
        return Fail("nothing to export: give --holidays SCRIPT, --memos MEMOFILE, --events FILE-OR-FOLDER or more",
                    kUsage);
    CalDate from, to;
    if (const int range = DateRange(args.positional[0], args.positional[1], from, to); range != kOk) return range;
    // iCalendar's years run from 0001 to 9999, and each event ends on the next day.
    if (from < CalDate(1, 1, 1)) return Fail("the first date must lie in the year 1 or later", kUsage);
    if (to == CalDate(9999, 12, 31)) return Fail("the last date must lie before 9999/12/31", kUsage);
    ics::KindSet kinds = ics::kDefaultKinds;
    if (const std::optional<std::string> list = args.Option("--kinds")) {
        const std::optional<ics::KindSet> parsed = ics::ParseKindList(*list);
        if (!parsed) return Fail("bad kind list \"" + *list + "\" (kinds 1-5 separated by commas, as 3,4,5)", kUsage);
        kinds = *parsed;
    }
    std::string stamp;
    if (const std::optional<std::string> given = args.Option("--dtstamp")) {
        if (!ics::IsUtcStamp(*given)) return Fail("bad stamp \"" + *given + "\" (YYYYMMDDTHHMMSSZ, in UTC)", kUsage);
        stamp = *given;
    } else {
        stamp = ics::UtcStamp(CurrentPlatform().UniversalTime());
    }

    HolidayScript script;
    if (scriptPath) {
        std::vector<std::string> lines;
        if (const int result = LoadScript(*scriptPath, script, lines, true); result != kOk) return result;
    }
    MemoStore store;
    bool stopped = false;
    if (memoPath) {
        if (const int loaded = LoadMemoFile(*memoPath, store, stopped); loaded != kOk) return loaded;
    }
    std::vector<ics::Event> events =
        ics::CollectEvents(scriptPath ? &script : nullptr, memoPath ? &store : nullptr, from, to, kinds);
    int code = kOk;
    if (eventsPath) {
        IcsCalendar calendar;
        code = LoadCalendars({*eventsPath}, calendar);
        ics::AppendAppointments(calendar, from, to, SystemZone(), events);
    }
    if (const int written = WriteOutput(args.Option("-o"), ics::WriteCalendar(events, stamp)); written != kOk) {
        return written;
    }
    // What was read is out; say where reading stopped, as the memos command does.
    return stopped ? Fail(*memoPath + ": " + WhereReadingStopped(store), kFailed) : code;
}

// An iCalendar file, or every .ics file of a folder, into one calendar: an event's
// overridden instances may lie in other files of its folder. Files that cannot be read
// are said and left out (the code becomes kFailed); events left out are said too.
int LoadCalendars(const std::vector<std::string>& paths, IcsCalendar& all) {
    int code = kOk;
    for (const std::string& given : paths) {
        const std::string path = In(given);
        const std::vector<std::string> files = IcsFilesOf(path);
        for (const std::string& file : files) {
            std::string contents;
            if (const int read = ReadInput(Out(file), contents); read != kOk) {
                code = std::max(code, read);
                continue;
            }
            IcsCalendar calendar;
            IcsProblem failure;
            if (!ReadIcs(contents, calendar, failure)) {
                Fail(Out(file) + ":" + std::to_string(failure.line) + ": " + failure.reason, kFailed);
                code = std::max(code, kFailed);
                continue;
            }
            for (const IcsProblem& p : calendar.skipped)
                Fail(Out(file) + ":" + std::to_string(p.line) + ": left out: " + p.reason, kOk);
            for (IcsEvent& e : calendar.events) all.events.push_back(std::move(e));
            for (CalendarZone& z : calendar.zones) all.zones.push_back(std::move(z));
        }
    }
    return code;
}

int Events(const Arguments& args) {
    if (args.positional.size() < 3) return -1;
    CalDate from, to;
    if (const int range = DateRange(args.positional[0], args.positional[1], from, to); range != kOk) return range;
    std::unique_ptr<Zone> zone;
    if (const std::optional<std::string>& tz = args.zone) {
        int32_t offset;
        if (ParseOffsetText(*tz, offset)) {
            zone = std::make_unique<FixedZone>(offset);
        } else {
            auto named = std::make_unique<SystemZone>(*tz);
            if (!named->Known()) return Fail("unknown zone \"" + *tz + "\" (+HHMM, -HHMM or a zone name)", kUsage);
            zone = std::move(named);
        }
    } else {
        zone = std::make_unique<SystemZone>();
    }
    IcsCalendar calendar;
    const int code = LoadCalendars({args.positional.begin() + 2, args.positional.end()}, calendar);
    std::vector<EventOccurrence> occurrences;
    if (AppendOccurrences(calendar, from, to, *zone, occurrences))
        Fail("a rule gives more instances than are listed; the rest are left out", kOk);
    for (const std::string& line : OccurrenceLines(occurrences, *zone)) Print(EventTextInCodePage(line));
    return code;
}

// ---- the table ----

const Command kCommands[] = {
    {"convert", "tavoli convert CAL FROM [TO] [--tz ±HHMM]",
     "For every day FROM..TO: YYYY/MM/DD, year, month, day and weekday value of calendar CAL\n"
     "(G Gregorian, J Julian, A lunisolar: month code 1-24 and rokuyo 1-6, H Hijri).\n"
     "--tz sets the lunisolar zone offset (default: the machine's standard offset).",
     Convert},
    {"format", "tavoli format TEMPLATE DATE [HH:MM:SS[.mmm]] [--era LIST] [--tz ±HHMM]",
     "Prints the date template applied to the date (and time), with the era list given\n"
     "(default: the default era list of the current language).",
     Format},
    {"check", "tavoli check SCRIPT",
     "Compiles a holiday script: prints OK (exit 0) or the report line (exit 1);\n"
     "a file that cannot be read exits 2.",
     Check},
    {"holidays",
     "tavoli holidays SCRIPT FROM TO | --country CC[-RR] FROM TO [--sets DIR]",
     "For every day FROM..TO with a kind or a name: YYYY/MM/DD, kind, names (tab-separated).\n"
     "--country takes a shipped holiday set instead of a script: the country's, its region's\n"
     "days on top, from the folder \"holidays\" beside the tool (or --sets DIR).",
     Holidays,
     {"--country", "--sets"}},
    {"explain",
     "tavoli explain SCRIPT DATE | --country CC[-RR] DATE [--sets DIR]",
     "Why the day has its kind and names: the rule that set the kind (or the weekday's\n"
     "kind), each name's rule and, for their x descriptors, the block rule that matched\n"
     "the shifted day; in the language of the code page. With --country, a shipped set's\n"
     "scripts, each rule line naming its file.",
     Explain,
     {"--country", "--sets"}},
    {"countries",
     "tavoli countries [--sets DIR]",
     "The shipped holiday sets: each country's code and name, its regions below it.",
     Countries,
     {"--sets"}},
    {"events", "tavoli events [--tz ZONE] FROM TO FILE-OR-FOLDER...",
     "Each occurrence of the events of iCalendar files (or of every .ics file of a folder)\n"
     "that overlaps the days FROM..TO, one a line, sorted by start, then summary:\n"
     "START, END, SUMMARY (tab-separated). An all-day one gives its first and last day\n"
     "(YYYY/MM/DD), a timed one its start and end (YYYY/MM/DD HH:MM) in ZONE; floating\n"
     "times as written.\n"
     "  --tz ZONE  +HHMM or -HHMM, or a zone name of the system (Europe/Berlin); default:\n"
     "             the local zone\n"
     "Exit 1 when a file could not be read as a calendar (the others are listed); events\n"
     "left out are said on standard error.",
     Events},
    {"month", "tavoli month YEAR MONTH", "The month as plain text, as the calendar copies it.", Month},
    {"memos", "tavoli memos MEMOFILE [FROM TO]",
     "The memos of a memo file in file order (only FROM..TO when given); exit 1 when\n"
     "reading stopped at a malformed line, after the memos read before it.",
     Memos},
    {"ics",
     "tavoli ics [--holidays SCRIPT] [--memos MEMOFILE] [--events FILE-OR-FOLDER] FROM TO [--kinds LIST] "
     "[--dtstamp STAMP] [-o FILE]",
     "An iCalendar file (RFC 5545) for other calendars to import: an all-day event for every\n"
     "holiday name FROM..TO whose kind is in LIST and for every memo FROM..TO (give\n"
     "--holidays, --memos or both) and, with --events, every occurrence of the events of an\n"
     "iCalendar file or folder FROM..TO as an event of its own (category Appointment).\n"
     "Texts are written in UTF-8; an event's category is its\n"
     "kind (1 Normal day, 2 Semi-holiday, 3 Holiday, 4 National holiday, 5 Anniversary) or\n"
     "Memo, and its UID stays the same for the same day and text, so that importing the\n"
     "file again updates the events instead of doubling them.\n"
     "  --kinds LIST     kinds 1-5 separated by commas (default 3,4,5); a name whose rule\n"
     "                   gives no kind has the day's kind\n"
     "  --dtstamp STAMP  the DTSTAMP of every event, YYYYMMDDTHHMMSSZ in UTC (default: now);\n"
     "                   a fixed one gives the same file on every run\n"
     "  -o FILE          write FILE instead of the standard output: a regular file is\n"
     "                   replaced in one step, a device or a pipe is written to\n"
     "Exit 1 when the script does not compile, when reading the memo file stopped at a\n"
     "malformed line (the memos read before it are exported), or when a file of --events is\n"
     "no calendar (the others' events are exported).",
     Ics,
     {"--holidays", "--memos", "--events", "--kinds", "--dtstamp", "-o"}},
};

int Usage(const Command& command) {
    std::fprintf(stderr, "usage: %s\n", command.usage);
    return kUsage;
}

void PrintOverview(FILE* out) {
    std::fprintf(out, "tavoli: the Tavoli Calendar's dates, templates, holiday scripts and memo files\n\n");
    for (const Command& c : kCommands) std::fprintf(out, "  %s\n", c.usage);
    std::fprintf(out, "\nOptions for every command:\n  --help        the command's usage and what it does\n");
#ifndef _WIN32
    std::fprintf(out,
                 "  --codepage N  read files in code page N (932, 936, 949, 950, 1252); arguments and\n"
                 "                output stay UTF-8\n");
#endif
    std::fprintf(out,
                 "  --            ends the options: every argument after it is taken as it is, even one\n"
                 "                that begins with \"-\" (tavoli format -- '--%%Y' 2024-01-01)\n");
}

}  // namespace

// What went to the standard output must have arrived: a full disk or a closed pipe
// turns any result into the usage code.
int Finish(int code) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) return Fail("cannot write the standard output", kUsage);
    return code;
}

int Run(const std::vector<std::string>& argv) {
    if (argv.empty() || argv[0] == "--help" || argv[0] == "-h") {
        PrintOverview(argv.empty() ? stderr : stdout);
        return argv.empty() ? kUsage : kOk;
    }
    const Command* command = nullptr;
    for (const Command& c : kCommands) {
        if (argv[0] == c.name) command = &c;
    }
    if (!command) {
        std::fprintf(stderr, "tavoli: unknown command \"%s\"\n", argv[0].c_str());
        PrintOverview(stderr);
        return kUsage;
    }
    const Arguments args = SplitArguments(std::vector<std::string>(argv.begin() + 1, argv.end()), command->options);
    if (args.help) {
        std::printf("usage: %s\n\n%s\n", command->usage, command->help);
        return kOk;
    }
    if (!args.error.empty()) {
        std::fprintf(stderr, "tavoli: %s\n", args.error.c_str());
        return Usage(*command);
    }

    // The platform of the run: the code page of --codepage, the zone of --tz.
#ifdef _WIN32
    if (args.codePage) return Fail("--codepage is for Linux: Windows uses the system code page", kUsage);
    const Platform& base = SystemPlatform();
#else
    HostPlatform host;
    if (args.codePage) {
        const std::string& cp = *args.codePage;
        if (cp != "932" && cp != "936" && cp != "949" && cp != "950" && cp != "1252") {
            return Fail("unsupported code page " + cp + " (932, 936, 949, 950 or 1252)", kUsage);
        }
        host.SetCodePage(std::stoi(cp));
    }
    const Platform& base = host;
#endif
    // Appointments take the zone's daylight saving too: events reads --tz itself.
    if (std::string_view(command->name) == "events") {
        ScopedPlatform scope(base);
        const int result = command->run(args);
        return result < 0 ? Usage(*command) : result;
    }
    int32_t bias = 0;
    if (args.zone) {
        const std::optional<TimeOfDay> zone = ParseZone(*args.zone);
        if (!zone) return Fail("bad zone offset \"" + *args.zone + "\" (±HHMM)", kUsage);
        bias = -zone->Milliseconds() / 60000;
    } else if (!base.TimeZoneBias(bias)) {
        bias = 0;
    }
    PinnedZonePlatform platform(bias, base);
    ScopedPlatform scope(platform);

    const int result = command->run(args);
    return result < 0 ? Usage(*command) : result;
}

int Main(const std::vector<std::string>& argv) { return Finish(Run(argv)); }

}  // namespace tavoli::tool

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return tavoli::tool::Main(arguments);
}
