// Date templates (format.txt, settings): any template and date, in any code page,
// formats in bounded time without reading outside the template.
#include <cstdlib>

#include "calendar/era.h"
#include "format/date_format.h"
#include "framework/delegating_platform.h"
#include "framework/lang_text.h"
#include "framework/platform_host.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavoli;
    FuzzInput input(data, size);
    const HostPlatform& host = PlatformForByte(input.Byte());
    PinnedZonePlatform zone(-540, host);
    ScopedPlatform scope(zone);
    const uint32_t serial = input.Word();
    const int32_t time = static_cast<int32_t>(input.Word());
    const uint8_t encoding = input.Byte();
    const PackedTag tags[] = {0, PackTag("euc"), PackTag("big5"), PackTag("sjis")};
    const std::string_view templ = input.Rest();
    const std::string eras = ResolveText(kDefaultEraList, PackTag("ja"));
    // Years far away are allowed: the lunisolar calendar must still answer in bounded time.
    const CalDate date = CalDate::FromSerial(serial);
    const std::string a = DateFormat(templ, date, eras, tags[encoding % 4]);
    const std::string b = DateFormat(templ, CalDateTime(date, TimeOfDay(time)), eras, tags[encoding % 4]);
    (void)a;
    (void)b;
    return 0;
}
