// The constant description of the program.
#pragma once

namespace tavoli {

struct AppInfo {
    // The product title in every language the program speaks.
    static constexpr const char* kProductTitle = "Tavoli Calendar\tja:たぼりカレンダー\tkr:타볼리 달력";
    static constexpr const char* kWebSite = "https://brenholt.example/tavoli/";
    static constexpr const char* kNotice = "Free software. No warranty.\tja:フリーソフトウェアです。無保証です。";
    static constexpr const char* kRegistryKey = "HKCU\\Software\\Brenholt\\TavoliCalendar";
    static constexpr const char* kPerUserFolder = "Brenholt\\Tavoli\\";
    static constexpr const char* kScriptFile = "holidays.txt";
    static constexpr const char* kSetsFolder = "holidays";
    static constexpr const char* kFormatFile = "format.txt";
    static constexpr const char* kMemoFile = "memo.txt";
    static constexpr const char* kCalendarsFolder = "calendars";
};

}  // namespace tavoli
