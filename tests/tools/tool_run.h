// Runs the built companion tool as its users do and keeps what it said and how it ended.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/file_contents.h"
#include "support/temp_folder.h"

namespace tavoli {

struct ToolRun {
    int exit = -1;
    std::string out;
    std::string err;
};

inline std::string ShellQuote(const std::string& argument) {
    std::string quoted = "'";
    for (char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// stdoutTo, when given, receives the standard output instead of the run (appended to
// when it starts with ">").
inline ToolRun Tavoli(const std::vector<std::string>& arguments, const std::string& stdoutTo = "") {
    TempFolder folder;
    std::string command = ShellQuote(TAVOLI_TOOL_PATH);
    for (const std::string& a : arguments) command += " " + ShellQuote(a);
    command += " 2>" + ShellQuote(folder.Join("stderr"));
    if (!stdoutTo.empty()) {
        command += stdoutTo[0] == '>' ? " >>" + ShellQuote(stdoutTo.substr(1)) : " >" + ShellQuote(stdoutTo);
    }
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadWholeFile(folder.Join("stderr"));
    return run;
}

}  // namespace tavoli
