// Marks along the program's start-up, read by the start-up benchmark. When the variable
// TAVOLI_STARTUP_TRACE of the environment names a file, each phase's first mark keeps the
// time of the monotonic clock (the one the benchmark reads as well) and WriteStartupTrace
// appends them to that file; without it a mark costs the test of one flag.
#pragma once

namespace tavoli {

// The end of a phase of the start-up; `phase` is a literal, kept by its address. Only
// its first mark counts, so a phase that runs again at every show is timed at the first.
void MarkStartup(const char* phase);

// Appends "phase<TAB>nanoseconds" lines to the file, and forgets them.
void WriteStartupTrace();

}  // namespace tavoli
