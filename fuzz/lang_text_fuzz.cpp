// Bilingual literals and the character reader under every code page and encoding tag:
// resolution stays inside the literal, and reading characters always advances to the end.
#include <cstdlib>

#include "framework/lang_text.h"
#include "framework/platform_host.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavoli;
    FuzzInput input(data, size);
    ScopedPlatform scope(PlatformForByte(input.Byte()));
    const PackedTag code = input.Word();
    const std::string_view literal = input.Rest();

    const std::string_view segment = SelectSegment(literal, code);
    if (!segment.empty() &&
        (segment.data() < literal.data() || segment.data() + segment.size() > literal.data() + literal.size()))
        std::abort();
    (void)ResolveText(literal, code);
    (void)ResolveAnsiText(literal);
    (void)PackTag(literal, code & 7);

    for (PackedTag tag : {PackedTag{0}, PackTag("euc"), PackTag("big5"), PackTag("x")}) {
        const char* cursor = literal.data();
        const char* const end = literal.data() + literal.size();
        while (cursor < end) {
            const char* before = cursor;
            const CharStep step = NextChar(cursor, end, tag);
            if (step.length == 0 || cursor != before + step.length || cursor > end) std::abort();
        }
        if (NextChar(cursor, end, tag).length != 0) std::abort();
    }
    return 0;
}
