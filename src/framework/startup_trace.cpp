#include "framework/startup_trace.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tavoli {

namespace {

struct Mark {
    const char* phase;
    int64_t nanoseconds;
};

// Few phases, in a fixed array: marking allocates nothing.
constexpr int kMaxMarks = 32;
Mark g_marks[kMaxMarks];
int g_markCount = 0;

const char* TraceFile() {
    static const char* const file = std::getenv("TAVOLI_STARTUP_TRACE");
    return file && *file ? file : nullptr;
}

}  // namespace

void MarkStartup(const char* phase) {
    if (!TraceFile() || g_markCount == kMaxMarks) return;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    for (int i = 0; i < g_markCount; ++i) {
        if (std::strcmp(g_marks[i].phase, phase) == 0) return;
    }
    g_marks[g_markCount++] = {phase, std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()};
}

void WriteStartupTrace() {
    if (!TraceFile() || g_markCount == 0) return;
    if (FILE* file = std::fopen(TraceFile(), "a")) {
        for (int i = 0; i < g_markCount; ++i) {
            std::fprintf(file, "%s\t%lld\n", g_marks[i].phase, static_cast<long long>(g_marks[i].nanoseconds));
        }
        std::fclose(file);
    }
    g_markCount = 0;
}

}  // namespace tavoli
