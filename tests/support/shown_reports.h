// The memo file's calls as the shell makes them: each message a call reports shown in a
// box, as the program shows it (the test platform records the boxes).
#pragma once

#include <string>

#include "framework/messages.h"
#include "framework/report.h"
#include "memo/memo_file.h"

namespace tavoli {

inline void ShowReport(const Report& report) {
    for (const std::string& message : report.messages) ShowMessage(message);
}

inline ErrorValue LoadMemoFileShown(MemoStore& store, const std::string& path) {
    Report report;
    const ErrorValue error = LoadMemoFile(store, path, report);
    ShowReport(report);
    return error;
}

inline ErrorValue SaveMemoFileShown(MemoStore& store, const std::string& path, bool backUp = true) {
    Report report;
    const ErrorValue error = SaveMemoFile(store, path, report, backUp);
    ShowReport(report);
    return error;
}

inline std::string RescueMemosShown(MemoStore& store, const std::string& path) {
    Report report;
    std::string file = RescueMemos(store, path, report);
    ShowReport(report);
    return file;
}

}  // namespace tavoli
