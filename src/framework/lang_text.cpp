#include "framework/lang_text.h"

#include "framework/platform.h"

namespace tavoli {

namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

PackedTag LanguageOf(const Platform& platform) {
    switch (platform.AnsiCodePage()) {
    case kCodePageJapanese: return PackTag("ja");
    case kCodePageKorean: return PackTag("kr");
    case kCodePageSimplifiedChinese: return PackTag("ch");
    case kCodePageTraditionalChinese: return PackTag("tw");
    default: break;
    }
    std::string name;
    if (!platform.AbbreviatedLanguageName(name)) return 0;
    return PackTag(name, 2);
}

}  // namespace

std::string TagText(PackedTag tag) {
    std::string text;
    for (int i = 0; i < 4; ++i) {
        char c = static_cast<char>((tag >> (8 * i)) & 0xFF);
        if (c == 0) break;
        text.push_back(c);
    }
    return text;
}

PackedTag CurrentLanguage() {
    static unsigned computedFor = ~0u;
    static PackedTag language = 0;
    if (computedFor != Platform::Generation()) {
        language = LanguageOf(CurrentPlatform());
        computedFor = Platform::Generation();
    }
    return language;
}

std::string_view SelectSegment(std::string_view literal, PackedTag code) {
    const size_t size = literal.size();
    auto at = [&](size_t i) { return static_cast<unsigned char>(literal[i]); };

    size_t pos = 0;
    while (pos < size && !IsControl(at(pos))) ++pos;
    const std::string_view first = literal.substr(0, pos);
    if (pos < size) ++pos;  // exactly one separator after the default segment

    char codeChars[4];
    int codeLength = 0;
    for (; codeLength < 4; ++codeLength) {
        codeChars[codeLength] = static_cast<char>((code >> (8 * codeLength)) & 0xFF);
        if (codeChars[codeLength] == 0) break;
    }

    while (pos < size) {
        size_t i = 0;
        while (i < static_cast<size_t>(codeLength) && pos + i < size && literal[pos + i] == codeChars[i]) ++i;
        if (i == static_cast<size_t>(codeLength) && pos + i < size && literal[pos + i] == ':') {
            size_t start = pos + i + 1;
            size_t stop = start;
            while (stop < size && !IsControl(at(stop))) ++stop;
            return literal.substr(start, stop - start);
        }
        while (pos < size && !IsControl(at(pos))) ++pos;
        while (pos < size && IsControl(at(pos))) ++pos;
    }
    return first;
}

std::string ResolveText(std::string_view literal) { return ResolveText(literal, CurrentLanguage()); }

std::string ResolveText(std::string_view literal, PackedTag code) {
    return CurrentPlatform().FromUtf8(SelectSegment(literal, code));
}

std::string ResolveAnsiText(std::string_view literal) { return std::string(SelectSegment(literal, CurrentLanguage())); }

std::string FillText(std::string_view literal, std::initializer_list<std::string> values) {
    const std::string text = ResolveText(literal);
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t index = i + 1 < text.size() ? static_cast<size_t>(text[i + 1] - '1') : values.size();
        if (text[i] == '%' && index < values.size()) {
            out += values.begin()[index];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string_view CutAtCharacter(std::string_view text, size_t maxBytes) {
    const Platform& platform = CurrentPlatform();
    const char* const end = text.data() + text.size();
    size_t kept = 0;
    while (kept < text.size() && text[kept] != '\0') {
        const size_t length = platform.CharLength(text.data() + kept, end);
        if (length > maxBytes - kept) break;
        kept += length;
    }
    return text.substr(0, kept);
}

int CharsetForLanguage(PackedTag code) {
    // The GDI values: SHIFTJIS_CHARSET, HANGEUL_CHARSET, GB2312_CHARSET,
    // CHINESEBIG5_CHARSET, DEFAULT_CHARSET.
    if (code == PackTag("ja")) return 128;
    if (code == PackTag("kr")) return 129;
    if (code == PackTag("ch")) return 134;
    if (code == PackTag("tw")) return 136;
    return 1;
}

CharStep NextChar(const char*& cursor, const char* end, PackedTag encoding) {
    if (cursor == nullptr || end == nullptr || cursor >= end) return {};
    const size_t remaining = static_cast<size_t>(end - cursor);
    auto byte = [&](size_t i) { return static_cast<unsigned char>(cursor[i]); };
    size_t length = 1;
    if (encoding == 0) {
        length = CurrentPlatform().CharLength(cursor, end);
        if (length < 1) length = 1;
        if (length > remaining) length = remaining;
    } else if (encoding == PackTag("euc")) {
        if (remaining >= 2 && byte(0) >= 0x80 && byte(1) >= 0x80) length = 2;
    } else if (encoding == PackTag("big5")) {
        if (remaining >= 2 && byte(0) >= 0x80 && byte(1) >= 0x20) length = 2;
    }
    CharStep step;
    step.length = length;
    for (size_t i = 0; i < length; ++i) step.code = (step.code << 8) | byte(i);
    cursor += length;
    return step;
}

}  // namespace tavoli
