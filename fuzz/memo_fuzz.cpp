// Memo files: any bytes read without harm, and what was read is written and read back
// to the same entries and the same kept lines — no memo is lost by a save.
#include <cstdlib>

#include "framework/platform_host.h"
#include "framework/text_lines.h"
#include "memo/memo_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavoli;
    std::vector<std::string> lines;
    SplitTextLines(std::string_view(reinterpret_cast<const char*>(data), size), lines);
    MemoStore store;
    const ErrorValue first = store.ReadLines(lines);
    if (first != kSuccess && first != 1) std::abort();

    const std::vector<std::string> written = store.FileLines(CalDateTime(CalDate(2024, 3, 7), TimeOfDay(0)));
    std::string file;
    for (const std::string& line : written) file += line + "\r\n";
    std::vector<std::string> again;
    SplitTextLines(file, again);
    MemoStore reread;
    const ErrorValue second = reread.ReadLines(again);
    if (second != first) std::abort();
    // Dates outside years 0 … 9999 cannot keep their year in four digits: compare
    // the rest for those.
    if (reread.Entries().size() != store.Entries().size()) std::abort();
    for (size_t i = 0; i < store.Entries().size(); ++i) {
        const auto& a = store.Entries()[i];
        const auto& b = reread.Entries()[i];
        if (a.text != b.text) std::abort();
        const int year = a.date.Year();
        if (year >= 0 && year <= 9999 && !a.date.IsNull() && a.date != b.date) std::abort();
    }
    if (reread.UnreadLines() != store.UnreadLines()) std::abort();
    return 0;
}
