// The files that go with the settings: the two holiday scripts, the holiday sets'
// folder, format.txt and the memo file.
#pragma once

#include <string>

namespace tavoli {

struct SettingsPaths {
    std::string userScript;      // per-user holidays.txt
    std::string allUsersScript;  // holidays.txt beside the executable
    std::string formatFile;      // format.txt beside the executable
    std::string memoFile;        // per-user memo.txt
    std::string setsFolder;      // the shipped holiday sets, "holidays" beside the executable
};

}  // namespace tavoli
