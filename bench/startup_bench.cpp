// How fast the calendar starts, next to the least a Windows program with a window does, and
// what it costs once it runs. Run by hand in the Windows tree (under Wine:
// scripts/wine-run build/win64/bench/startup_bench.exe):
//   startup_bench.exe                  10 starts each, in turn, of the empty window, the
//                                      calendar and the calendar with "/j": their medians,
//                                      the calendar's ratio to the empty window and where each
//                                      start goes; then the calendar's private memory after
//                                      the start and after 100 month steps, and its processor
//                                      time and wake-ups while idle for 60 s shown, shown with
//                                      the title-bar clock, and hidden in the notification area
//   --runs N, --steps N, --idle S      other counts (--idle 0 leaves the idle time out)
//   --smoke                            one start of each, 3 steps, no idle time: the build's
//                                      check that the benchmark still runs
//   --calendar PATH, --empty PATH      other programs (a stripped copy, another build)
//   --events                           the calendar with a source of 10,000 events configured
//                                      (its CalendarSources value changed and put back)
//   --year                             the calendar showing the whole year (its Design value
//                                      changed and put back)
// The time of a start runs from just before the process is created to the moment its
// window is visible and the process waits for input. Under Wine each program is also a
// Linux process, and /proc (drive Z:) tells its processor time to the nanosecond and how
// often it went to sleep and woke again; elsewhere the system's coarser process times
// stand in and wake-ups are not counted. The calendar's settings key gets its `Flags`
// value changed for the clock case and put back afterwards.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include <vector>
#include "events/large_calendar.h"

namespace {

constexpr const char* kSettingsKey = "Software\\Brenholt\\TavoliCalendar";
constexpr WPARAM kCloseCommand = 1025, kNextMonthCommand = 1027, kDisplayCommand = 1036;

double Milliseconds(long long nanoseconds) { return static_cast<double>(nanoseconds) / 1e6; }

long long Now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The first visible top-level window of a process; with `anyWindow`, visible or not.
HWND WindowOf(DWORD processId, bool anyWindow = false) {
    struct Search {
        DWORD processId;
        bool anyWindow;
        HWND found;
    } search{processId, anyWindow, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s->processId || (!s->anyWindow && !IsWindowVisible(window))) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Processor time and wake-ups so far (−1: not known).
struct Usage {
    double cpuMilliseconds = -1;
    long wakes = -1;
};

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::string FileText(const std::string& path) {
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
        std::fclose(file);
    }
    return text;
}

// The Linux process whose command line holds the marker, as a /proc folder; empty when
// there is none.
std::string ProcFolderOf(const std::string& marker) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return {};
    std::string found;
    do {
        const std::string name = entry.cFileName;
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::string commandLine = FileText("Z:\\proc\\" + name + "\\cmdline");
        if (commandLine.find(marker) != std::string::npos) found = "Z:\\proc\\" + name;
    } while (found.empty() && FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

// The sums over the threads of a Linux process: nanoseconds on a processor (schedstat)
// and voluntary context switches, each one a sleep that ended in a wake-up.
Usage ProcUsage(const std::string& folder) {
    Usage usage;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\task\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return usage;
    double nanoseconds = 0;
    long switches = 0;
    do {
        const std::string name = entry.cFileName;
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string task = folder + "\\task\\" + name;
        nanoseconds += std::atof(FileText(task + "\\schedstat").c_str());
        const std::string status = FileText(task + "\\status");
        const size_t at = status.find("\nvoluntary_ctxt_switches:");
        if (at != std::string::npos) switches += std::atol(status.c_str() + at + 26);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    usage.cpuMilliseconds = nanoseconds / 1e6;
    usage.wakes = switches;
    return usage;
}

// One started program, ended when it goes.
class Started {
public:
    Started(const std::string& program, const std::string& arguments, const std::string& traceFile) {
        SetEnvironmentVariableA("TAVOLI_STARTUP_TRACE", traceFile.empty() ? nullptr : traceFile.c_str());
        // An argument the programs ignore, by which /proc shows which process is this one.
        static int started = 0;
        marker_ = "/bench-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++started);
        std::string line = "\"" + program + "\" " + (arguments.empty() ? "" : arguments + " ") + marker_;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        created_ = Now();
        ok_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_) !=
              FALSE;
        SetEnvironmentVariableA("TAVOLI_STARTUP_TRACE", nullptr);
    }
    ~Started() { End(); }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    bool Ok() const { return ok_; }
    long long Created() const { return created_; }
    HANDLE Process() const { return process_.hProcess; }

    // Nanoseconds from the creation until the process waits for input with a visible
    // window (without `visible`, only until it waits); −1 when that does not come.
    long long WaitUntilReady(bool visible) {
        if (!ok_) return -1;
        const DWORD waited = WaitForInputIdle(process_.hProcess, 20000);
        if (waited == WAIT_FAILED || waited == WAIT_TIMEOUT) return -1;
        const long long deadline = Now() + 20'000'000'000LL;
        while (visible && !WindowOf(process_.dwProcessId)) {
            if (Now() > deadline) return -1;
            Sleep(1);
        }
        return Now() - created_;
    }

    HWND Window() const { return ok_ ? WindowOf(process_.dwProcessId, true) : nullptr; }

    // Asks the program to close (the calendar through its close command, which also ends
    // it while it is hidden) and waits for it.
    void End() {
        if (!ok_) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            if (HWND window = Window()) {
                char className[64] = {};
                GetClassNameA(window, className, sizeof className);
                if (std::string(className) == "tavolicalendar") PostMessageA(window, WM_COMMAND, kCloseCommand, 0);
                else PostMessageA(window, WM_CLOSE, 0, 0);
            }
            if (WaitForSingleObject(process_.hProcess, 10000) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 9);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        ok_ = false;
    }

    // Processor time and wake-ups so far: from /proc under Wine, else the process times.
    Usage UsageNow() {
        if (!ok_) return {};
        if (UnderWine()) {
            if (procFolder_.empty()) procFolder_ = ProcFolderOf(marker_);
            if (!procFolder_.empty()) return ProcUsage(procFolder_);
        }
        Usage usage;
        FILETIME creation, exit, kernel, user;
        if (!GetProcessTimes(process_.hProcess, &creation, &exit, &kernel, &user)) return usage;
        auto value = [](const FILETIME& t) {
            return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
        };
        usage.cpuMilliseconds = (value(kernel) + value(user)) / 1e4;
        return usage;
    }

    // Private bytes in KiB; −1 when the system does not say.
    double PrivateKib() const {
        PROCESS_MEMORY_COUNTERS_EX counters = {};
        counters.cb = sizeof counters;
        if (!GetProcessMemoryInfo(process_.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                  sizeof counters)) {
            return -1;
        }
        // Wine leaves PrivateUsage 0 and keeps the private bytes in PagefileUsage, as older
        // versions of Windows did.
        const size_t bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
        return static_cast<double>(bytes) / 1024;
    }

private:
    PROCESS_INFORMATION process_ = {};
    long long created_ = 0;
    bool ok_ = false;
    std::string marker_, procFolder_;
};

// The marks a program wrote: phase → nanoseconds, in their order.
std::vector<std::pair<std::string, long long>> ReadTrace(const std::string& path) {
    std::vector<std::pair<std::string, long long>> marks;
    FILE* file = std::fopen(path.c_str(), "r");
    if (!file) return marks;
    char line[256];
    while (std::fgets(line, sizeof line, file)) {
        std::string text(line);
        const size_t tab = text.find('\t');
        if (tab == std::string::npos) continue;
        marks.emplace_back(text.substr(0, tab), std::atoll(text.c_str() + tab + 1));
    }
    std::fclose(file);
    std::sort(marks.begin(), marks.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    return marks;
}

// The phases of many starts: each phase's time since the mark before it.
class Phases {
public:
    void Add(long long created, long long ready, const std::vector<std::pair<std::string, long long>>& marks,
             const char* lastPhase) {
        long long previous = created;
        for (const auto& [phase, at] : marks) {
            if (at > ready) break;
            Note(phase, at - previous);
            previous = at;
        }
        Note(lastPhase, ready - previous);
    }
    void Print(const char* title) const {
        if (order_.empty()) return;
        std::printf(
            "%s (median ms of each phase since the mark before it, the first since the process was "
            "created):\n",
            title);
        for (const std::string& phase : order_) std::printf("  %-30s %8.1f\n", phase.c_str(), Median(times_.at(phase)));
    }

private:
    void Note(const std::string& phase, long long nanoseconds) {
        if (!times_.count(phase)) order_.push_back(phase);
        times_[phase].push_back(Milliseconds(nanoseconds));
    }
    std::vector<std::string> order_;
    std::map<std::string, std::vector<double>> times_;
};

// A value of the calendar's settings key changed for a while and put back at the end.
class SavedValue {
public:
    explicit SavedValue(const char* name) : name_(name) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
        std::string text(65536, '\0');
        DWORD size = static_cast<DWORD>(text.size() - 1), type = 0;
        if (RegQueryValueExA(key, name_, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ) {
            saved_ = text.c_str();
            had_ = true;
        }
        RegCloseKey(key);
    }
    ~SavedValue() {
        if (had_) Set(saved_);
        else if (HKEY key; RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, name_);
            RegCloseKey(key);
        }
    }
    void Set(const std::string& text) const {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS) {
            return;
        }
        RegSetValueExA(key, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                       static_cast<DWORD>(text.size()));
        RegCloseKey(key);
    }

private:
    const char* name_;
    std::string saved_;
    bool had_ = false;
};

std::string TraceFile() {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + "tavoli-startup-trace-" + std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(path.c_str());
    return path;
}

// What the calendar uses in `seconds` of rest: shown, or (with `hiddenAfterShow`) started
// into the notification area, shown once and hidden again, which is how it rests there.
Usage Idle(const std::string& calendar, bool hiddenAfterShow, int seconds) {
    Started program(calendar, hiddenAfterShow ? "/j" : "", "");
    if (program.WaitUntilReady(!hiddenAfterShow) < 0) return {};
    if (hiddenAfterShow) {
        HWND window = program.Window();
        SendMessageA(window, WM_COMMAND, kDisplayCommand, 0);  // shown: the view, the timer
        SendMessageA(window, WM_COMMAND, kDisplayCommand, 0);  // hidden again
    }
    Sleep(1000);  // what the start leaves to do (a first tick, the tray) is not resting
    const Usage before = program.UsageNow();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const Usage after = program.UsageNow();
    Usage used;
    if (before.cpuMilliseconds >= 0 && after.cpuMilliseconds >= 0) {
        used.cpuMilliseconds = after.cpuMilliseconds - before.cpuMilliseconds;
    }
    if (before.wakes >= 0 && after.wakes >= 0) used.wakes = after.wakes - before.wakes;
    return used;
}

std::string UsageText(const Usage& usage) {
    char text[96];
    if (usage.cpuMilliseconds < 0) return "not known";
    if (usage.wakes < 0) std::snprintf(text, sizeof text, "%.1f ms", usage.cpuMilliseconds);
    else std::snprintf(text, sizeof text, "%.1f ms, %ld wake-ups", usage.cpuMilliseconds, usage.wakes);
    return text;
}

std::string Beside(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + name;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 10, steps = 100, idleSeconds = 60;
    bool events = false, year = false;
    std::string calendar = TAVOLI_CALENDAR_PATH, empty = Beside("empty_window.exe");
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--runs" && hasValue) runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--steps" && hasValue) steps = std::max(0, std::atoi(argv[++i]));
        else if (arg == "--idle" && hasValue) idleSeconds = std::max(0, std::atoi(argv[++i]));
        else if (arg == "--calendar" && hasValue) calendar = argv[++i];
        else if (arg == "--empty" && hasValue) empty = argv[++i];
        else if (arg == "--smoke") runs = 1, steps = 3, idleSeconds = 0;
        else if (arg == "--events") events = true;
        else if (arg == "--year") year = true;
        else {
            std::fprintf(stderr, "startup_bench: unknown argument %s\n", arg.c_str());
            return 2;
        }
    }
    const std::string trace = TraceFile();
    // The calendar with a source of 10,000 events configured, for as long as this runs.
    const SavedValue sources("CalendarSources");
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    const std::string eventsFile = std::string(folder) + "tavoli-startup-events.ics";
    if (events) {
        FILE* file = std::fopen(eventsFile.c_str(), "wb");
        const std::string text = tavoli::LargeCalendar();
        if (!file || std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
            std::fprintf(stderr, "startup_bench: cannot write %s\n", eventsFile.c_str());
            return 2;
        }
        std::fclose(file);
        sources.Set("1\t#D47800\tBench\t" + eventsFile + "\r\n");
        std::printf("with a calendar source of 10,000 events (%zu bytes)\n", text.size());
    }

    const SavedValue design("Design");
    if (year) {
        design.Set("T1W1N0D5B2MY");
        std::printf("showing the whole year\n");
    }

    // Alternating, so that whatever the machine does meanwhile falls on all alike.
    struct Series {
        const char* name;
        std::string program, arguments;
        bool visible;
        std::vector<double> times, cpu;
        Phases phases;
    };
    Series series[] = {{"empty window", empty, "", true, {}, {}, {}},
                       {"calendar", calendar, "", true, {}, {}, {}},
                       {"calendar /j", calendar, "/j", false, {}, {}, {}}};
    for (int run = 0; run < runs; ++run) {
        for (Series& one : series) {
            long long created = 0, ready = 0;
            {
                Started program(one.program, one.arguments, trace);
                ready = program.WaitUntilReady(one.visible);
                created = program.Created();
                one.cpu.push_back(program.UsageNow().cpuMilliseconds);
            }  // ended here: the marks are written at the end
            if (ready < 0) {
                std::fprintf(stderr, "startup_bench: %s %s did not come up\n", one.program.c_str(),
                             one.arguments.c_str());
                return 1;
            }
            one.times.push_back(Milliseconds(ready));
            one.phases.Add(created, created + ready, ReadTrace(trace),
                           one.visible ? "waiting for input, visible" : "waiting for input");
            DeleteFileA(trace.c_str());
        }
    }
    std::printf(
        "start-up: %d alternating starts each, from the creation of the process until it waits for input "
        "with its window visible (/j: into the notification area, no window)\n",
        runs);
    std::printf("  %-14s %10s %10s %14s\n", "", "median ms", "fastest ms", "processor ms");
    for (const Series& one : series) {
        std::printf("  %-14s %10.1f %10.1f %14.1f\n", one.name, Median(one.times),
                    *std::min_element(one.times.begin(), one.times.end()), Median(one.cpu));
    }
    // The processor time is less swayed by what else the machine does (the Wine server's
    // share is not counted in it).
    const Series &emptyWindow = series[0], &shown = series[1];
    std::printf("  calendar / empty window: %.2f (fastest %.2f, processor time %.2f)\n",
                Median(shown.times) / Median(emptyWindow.times),
                *std::min_element(shown.times.begin(), shown.times.end()) /
                    *std::min_element(emptyWindow.times.begin(), emptyWindow.times.end()),
                Median(shown.cpu) / Median(emptyWindow.cpu));
    series[1].phases.Print("where the calendar's start-up goes");
    series[2].phases.Print("the same with /j");
    series[0].phases.Print("the empty window");

    {
        Started program(calendar, "", "");
        if (program.WaitUntilReady(true) < 0) return 1;
        const double atStart = program.PrivateKib();
        HWND window = program.Window();
        for (int i = 0; i < steps; ++i) SendMessageA(window, WM_COMMAND, kNextMonthCommand, 0);
        const double afterSteps = program.PrivateKib();
        std::printf("private bytes: %.0f KiB after the start, %.0f KiB after %d month steps\n", atStart, afterSteps,
                    steps);
    }

    if (idleSeconds > 0) {
        const SavedValue flags("Flags");
        flags.Set("pcn");
        const Usage shown = Idle(calendar, false, idleSeconds);
        flags.Set("pCn");
        const Usage clock = Idle(calendar, false, idleSeconds);
        flags.Set("pcn");
        const Usage hidden = Idle(calendar, true, idleSeconds);
        std::printf("processor time while idle for %d s:\n  shown                              %s\n", idleSeconds,
                    UsageText(shown).c_str());
        std::printf("  shown, with the title-bar clock    %s\n", UsageText(clock).c_str());
        std::printf("  hidden in the notification area    %s\n", UsageText(hidden).c_str());
    }
    return 0;
}
