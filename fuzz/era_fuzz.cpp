// The era list (a setting the user edits): any text looks up without harm, and a
// failed lookup is empty.
#include <cstdlib>

#include "calendar/era.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavoli;
    FuzzInput input(data, size);
    const uint32_t serial = input.Word();
    const std::string_view list = input.Rest();
    for (CalDate date : {CalDate::FromSerial(serial), CalDate(2024, 5, 5), CalDate(1, 1, 1), CalDate()}) {
        const EraLookup era = LookUpEra(list, date);
        if (era.found != !era.name.empty()) std::abort();
        if (era.name.size() > list.size()) std::abort();
    }
    return 0;
}
