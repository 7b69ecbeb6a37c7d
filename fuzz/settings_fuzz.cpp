// Settings texts and format.txt: any bytes are read without harm, and what is written
// from them reads back to the same values (the written form is canonical).
#include <cstdlib>

#include "fuzz/fuzz_input.h"
#include "settings/settings_table.h"
#include "settings/settings_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavoli;
    static const char* const kNames[] = {
        "Position",    "Transparance",      "FirstDayOfWeek",  "BaseDayOfWeek", "CellSize",
        "Margin",      "FormatWeekdayName", "FormatMonthName", "FormatEra",     "FontSize",
        "ColorHeader", "ColorBackground",   "Color01",         "Color05",       "Design",
        "Flags",       "BackgroundImage",   "FontFace",        "CountDown"};
    FuzzInput input(data, size);
    ScopedPlatform scope(PlatformForByte(input.Byte()));
    const std::string_view rest = input.Rest();

    // Line n of the input is the text of value n (round the names).
    SettingsValues values;
    size_t start = 0, index = 0;
    while (start <= rest.size()) {
        const size_t end = std::min(rest.find('\n', start), rest.size());
        values.emplace_back(kNames[index++ % std::size(kNames)], std::string(rest.substr(start, end - start)));
        start = end + 1;
    }
    SettingsRecord record;
    ReadSettings(values, record);
    record.position = Point{1, 2};
    const SettingsValues written = WriteSettings(record);
    FormatFileLines(rest);

    SettingsRecord again;
    ReadSettings(written, again);
    if (WriteSettings(again) != written) std::abort();
    return 0;
}
