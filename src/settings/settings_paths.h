// The files that go with the settings: the two holiday scripts, the holiday sets'
// folder, format.txt, the memo file and the calendars folder.
#pragma once

#include <string>

namespace tavoli {

struct SettingsPaths {
    std::string userScript;       // per-user holidays.txt
    std::string allUsersScript;   // holidays.txt beside the executable
    std::string formatFile;       // format.txt beside the executable
    std::string memoFile;         // per-user memo.txt
    std::string setsFolder;       // the shipped holiday sets, "holidays" beside the executable
    std::string calendarsFolder;  // per-user "calendars": each .ics file in it a calendar source
};

}  // namespace tavoli
