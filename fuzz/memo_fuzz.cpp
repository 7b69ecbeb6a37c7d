// Memo files: any bytes read without harm, and what was read is written and read back
// to the same entries and the same kept lines — no memo is lost or moved by a save.
#include <cstdlib>

#include "framework/platform_host.h"
#include "framework/text_lines.h"
#include "memo/memo_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavoli;
    MemoStore store;
    const ErrorValue first = store.ReadContents(std::string(reinterpret_cast<const char*>(data), size));
    if (first != kSuccess && first != 1) std::abort();

    const std::vector<std::string> written = store.FileLines(CalDateTime(CalDate(2024, 3, 7), TimeOfDay(0)));
    std::string file;
    for (const std::string& line : written) file += line + "\r\n";
    MemoStore reread;
    const ErrorValue second = reread.ReadContents(file);
    if (second != first) std::abort();
    // Every date read is one the file can hold: it comes back as the same day.
    if (reread.Entries() != store.Entries()) std::abort();
    if (reread.UnreadLines() != store.UnreadLines()) std::abort();
    return 0;
}
