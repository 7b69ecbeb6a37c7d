#include "holidays/holiday_script.h"

#include <new>
#include <vector>

#include "framework/lang_text.h"
#include "framework/platform.h"
#include "framework/text_lines.h"

namespace tavoli {

const char* MessageText(LineMessage message) {
    switch (message) {
    case LineMessage::kStored: return "";
    case LineMessage::kBlankLine: return "Blank line.";
    case LineMessage::kTooLong: return "This line of script is too long.";
    case LineMessage::kTooManyDescriptors: return "Too many descripters.";
    case LineMessage::kSyntaxError: return "Syntax error.";
    case LineMessage::kUnknownToken: return "Unknown token.";
    case LineMessage::kMemory: return "Memory allocation error.";
    case LineMessage::kInvalidValue: return "Invalid value is determined.";
    case LineMessage::kDoubleDefinition: return "Double definition of token.";
    case LineMessage::kParenthesis: return "Parenthesis error.";
    }
    return "";
}

namespace {

constexpr size_t kMaxLineBytes = 256;
constexpr size_t kMaxUtf8LineBytes = 1024;  // names in several languages

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Reads one line; the cursor always stands on a character boundary.
class LineReader {
public:
    LineReader(std::string_view line, bool utf8) : line_(line), utf8_(utf8) {}

    bool AtEnd() const { return pos_ >= line_.size(); }
    char Peek() const { return AtEnd() ? '\0' : line_[pos_]; }
    // True when the character at the cursor is a single byte (not part of a double-byte one).
    bool PeekIsSingleByte() const {
        if (AtEnd()) return false;
        // No byte of a UTF-8 sequence is an ASCII one.
        if (utf8_) return static_cast<unsigned char>(line_[pos_]) < 0x80;
        const char* p = line_.data() + pos_;
        return NextChar(p, line_.data() + line_.size()).length == 1;
    }
    void Advance() { ++pos_; }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(line_[pos_])) ++pos_;
    }

    // An unsigned decimal number, saturated at a bound; false when no digit follows.
    bool ReadNumber(int64_t& value, int64_t saturation) {
        if (!IsDigit(Peek())) return false;
        value = 0;
        while (IsDigit(Peek())) {
            value = value * 10 + (Peek() - '0');
            if (value > saturation) value = saturation;
            ++pos_;
        }
        return true;
    }

    // The text up to a closing byte, stepping over double-byte characters whole; the
    // cursor ends after the closing byte. False when the line ends first.
    bool ReadDelimited(char closing, std::string& text) {
        const char* const begin = line_.data();
        const char* const end = begin + line_.size();
        const char* p = begin + pos_;
        const char* start = p;
        while (p < end) {
            const char* at = p;
            size_t length = 1;
            if (utf8_) ++p;
            else length = NextChar(p, end).length;
            if (length == 1 && *at == closing) {
                text.assign(start, static_cast<size_t>(at - start));
                pos_ = static_cast<size_t>(p - begin);
                return true;
            }
        }
        return false;
    }

private:
    std::string_view line_;
    bool utf8_;
    size_t pos_ = 0;
};

// A text of a script in UTF-8 in the system's code page; false when the code page cannot
// hold it (the conversion does not read back as the text).
bool InCodePage(std::string_view utf8, std::string& text) {
    const Platform& platform = CurrentPlatform();
    text = platform.FromUtf8(utf8);
    return platform.ToUtf8(text) == utf8;
}

// A kind word of a script in UTF-8 as its number, any other kind text in the code page
// (none when it cannot hold it: such a text selects no kind either way).
std::string KindFromUtf8(const std::string& kind) {
    static const char* const kWords[] = {"平日", "半休", "休日", "祝日", "記念"};
    for (int i = 0; i < 5; ++i) {
        if (kind == kWords[i]) return std::to_string(i + 1);
    }
    std::string text;
    return InCodePage(kind, text) ? text : std::string();
}

// A name of a script in UTF-8 in the code page, segment by segment ("English\tde:…"): a
// segment the code page cannot hold is left out, and a first (default) segment left out
// is taken from the first other one that it can hold, or else the first as the code page
// best shows it: a name, never an empty one ("Näfels" under 932).
std::string NameFromUtf8(const std::string& name) {
    std::vector<std::string_view> segments;
    for (size_t start = 0; start <= name.size();) {
        size_t stop = start;
        while (stop < name.size() && static_cast<unsigned char>(name[stop]) >= 0x20) ++stop;
        segments.push_back(std::string_view(name).substr(start, stop - start));
        start = stop + 1;
    }
    std::string first, rest, text;
    if (InCodePage(segments[0], text)) first = text;
    for (size_t i = 1; i < segments.size(); ++i) {
        if (segments[i].empty() || !InCodePage(segments[i], text)) continue;
        if (first.empty()) first = text.substr(text.find(':') == std::string::npos ? 0 : text.find(':') + 1);
        rest += "\t" + text;
    }
    if (first.empty()) first = CurrentPlatform().FromUtf8(segments[0]);
    return first + rest;
}

LineMessage ParseDirective(LineReader& reader, ScriptEntry& entry) {
    reader.Advance();  // "#"
    std::string keyword;
    while (IsLetter(reader.Peek())) {
        keyword += Lower(reader.Peek());
        reader.Advance();
    }
    if (keyword == "begin") entry.type = ScriptEntry::kBlockBegin;
    else if (keyword == "end") entry.type = ScriptEntry::kBlockEnd;
    else if (keyword == "stop") entry.type = ScriptEntry::kStop;
    else if (keyword == "weekday") entry.type = ScriptEntry::kWeekday;
    else return LineMessage::kUnknownToken;
    if (entry.type != ScriptEntry::kWeekday) return LineMessage::kStored;

    reader.SkipBlanks();
    int64_t number = 0;
    if (!reader.ReadNumber(number, kMaxRangeValue)) return LineMessage::kSyntaxError;
    reader.SkipBlanks();
    if (reader.Peek() != '(') return LineMessage::kSyntaxError;
    reader.Advance();
    if (!reader.ReadDelimited(')', entry.kind)) return LineMessage::kSyntaxError;
    entry.weekday = static_cast<int32_t>(number);
    entry.hasKind = true;
    return LineMessage::kStored;
}

// One modifier value after its symbol: blanks, then digits.
LineMessage ReadModifierNumber(LineReader& reader, int64_t low, int64_t high, int64_t& value) {
    reader.SkipBlanks();
    if (!reader.ReadNumber(value, 99999999)) return LineMessage::kSyntaxError;
    if (value < low || value > high) return LineMessage::kInvalidValue;
    return LineMessage::kStored;
}

LineMessage ParseDescriptor(LineReader& reader, Descriptor& d) {
    if (reader.Peek() == '!') {
        d.negated = true;
        reader.Advance();
        reader.SkipBlanks();
        if (!reader.PeekIsSingleByte() || !IsLetter(reader.Peek())) return LineMessage::kSyntaxError;
    }
    const char letter = Lower(reader.Peek());
    reader.Advance();
    if (std::string_view("dejlmpswxy").find(letter) == std::string_view::npos) return LineMessage::kUnknownToken;
    d.letter = letter;

    reader.SkipBlanks();
    if (reader.Peek() == '?') {
        reader.Advance();
        if (!reader.PeekIsSingleByte() || !IsLetter(reader.Peek())) return LineMessage::kSyntaxError;
        const char calendar = Lower(reader.Peek());
        reader.Advance();
        if (std::string_view("acghj").find(calendar) == std::string_view::npos) return LineMessage::kUnknownToken;
        // Easter has two computi, the Gregorian and the Julian; the other calendars have none.
        if (letter == 'e' && calendar != 'g' && calendar != 'j') return LineMessage::kUnknownToken;
        d.calendar = calendar;
        reader.SkipBlanks();
    }

    // The range: N, N-M, N- or -M.
    int64_t low = 0, high = 0;
    const bool hasLow = reader.ReadNumber(low, kMaxRangeValue);
    if (reader.Peek() == '-') {
        reader.Advance();
        const bool hasHigh = reader.ReadNumber(high, kMaxRangeValue);
        if (!hasLow && !hasHigh) return LineMessage::kSyntaxError;
        if (!hasLow) low = 0;
        if (!hasHigh) high = kMaxRangeValue;
    } else {
        if (!hasLow) return LineMessage::kSyntaxError;
        high = low;
    }
    if (high < low) return LineMessage::kInvalidValue;
    d.low = static_cast<int32_t>(low);
    d.high = static_cast<int32_t>(high);

    // Modifiers, each at most once; of ":+"/":-" and "<"/">" the later one wins.
    bool seenModulus = false, seenPlus = false, seenMinus = false, seenBack = false, seenForward = false;
    for (;;) {
        reader.SkipBlanks();
        const char c = reader.Peek();
        int64_t value = 0;
        LineMessage message;
        if (c == '%') {
            if (seenModulus) return LineMessage::kDoubleDefinition;
            seenModulus = true;
            reader.Advance();
            if ((message = ReadModifierNumber(reader, 1, 9999, value)) != LineMessage::kStored) return message;
            d.modulus = static_cast<uint16_t>(value);
        } else if (c == ':') {
            reader.Advance();
            const char sign = reader.Peek();
            if (sign != '+' && sign != '-') return LineMessage::kSyntaxError;
            bool& seen = sign == '+' ? seenPlus : seenMinus;
            if (seen) return LineMessage::kDoubleDefinition;
            seen = true;
            reader.Advance();
            if ((message = ReadModifierNumber(reader, 0, 2400, value)) != LineMessage::kStored) return message;
            if (value % 100 >= 60) return LineMessage::kInvalidValue;
            d.offset = static_cast<int16_t>(sign == '+' ? value : -value);
        } else if (c == '<' || c == '>') {
            bool& seen = c == '<' ? seenBack : seenForward;
            if (seen) return LineMessage::kDoubleDefinition;
            seen = true;
            reader.Advance();
            if ((message = ReadModifierNumber(reader, 0, 366, value)) != LineMessage::kStored) return message;
            d.shift = static_cast<int16_t>(c == '<' ? -value : value);
        } else {
            return LineMessage::kStored;
        }
    }
}

LineMessage ParseRule(LineReader& reader, ScriptEntry& entry) {
    entry.type = ScriptEntry::kRule;
    while (!reader.AtEnd()) {
        const char c = reader.Peek();
        const bool single = reader.PeekIsSingleByte();
        if (single && IsBlank(c)) {
            reader.Advance();
        } else if (single && c == ';') {
            break;
        } else if (single && (c == '!' || IsLetter(c))) {
            if (entry.descriptors.size() >= kMaxDescriptors) return LineMessage::kTooManyDescriptors;
            Descriptor d;
            const LineMessage message = ParseDescriptor(reader, d);
            if (message != LineMessage::kStored) return message;
            entry.descriptors.push_back(d);
        } else if (single && c == '(') {
            if (entry.hasKind) return LineMessage::kDoubleDefinition;
            reader.Advance();
            if (!reader.ReadDelimited(')', entry.kind)) return LineMessage::kParenthesis;
            entry.hasKind = true;
        } else if (single && c == '"') {
            if (entry.hasName) return LineMessage::kDoubleDefinition;
            reader.Advance();
            if (!reader.ReadDelimited('"', entry.name)) return LineMessage::kParenthesis;
            entry.hasName = true;
        } else {
            return LineMessage::kSyntaxError;
        }
    }
    return entry.descriptors.empty() ? LineMessage::kBlankLine : LineMessage::kStored;
}

}  // namespace

LineMessage ParseScriptLine(std::string_view line, ScriptEntry& entry, bool utf8) {
    if (line.size() >= (utf8 ? kMaxUtf8LineBytes : kMaxLineBytes)) return LineMessage::kTooLong;
    entry = ScriptEntry();
    LineReader reader(line, utf8);
    reader.SkipBlanks();
    try {
        const LineMessage message = reader.Peek() == '#' ? ParseDirective(reader, entry) : ParseRule(reader, entry);
        if (utf8 && message == LineMessage::kStored) {
            entry.kind = KindFromUtf8(entry.kind);
            entry.name = NameFromUtf8(entry.name);
        }
        return message;
    } catch (const std::bad_alloc&) {
        return LineMessage::kMemory;
    }
}

ErrorValue HolidayScript::Compile(std::string_view text, std::vector<std::string>& report) {
    std::vector<std::string> lines;
    const bool utf8 = SkipByteOrderMark(text);
    SplitTextLines(text, lines);
    return CompileLines(lines, report, utf8);
}

ErrorValue HolidayScript::CompileLines(const std::vector<std::string>& lines, std::vector<std::string>& report,
                                       bool utf8) {
    entries_.clear();
    report.clear();
    for (size_t i = 0; i < lines.size(); ++i) {
        ScriptEntry entry;
        LineMessage message = ParseScriptLine(lines[i], entry, utf8);
        if (message == LineMessage::kStored) {
            entry.line = static_cast<int>(i + 1);
            try {
                entries_.push_back(std::move(entry));
            } catch (const std::bad_alloc&) {
                message = LineMessage::kMemory;
            }
        }
        if (message != LineMessage::kStored && message != LineMessage::kBlankLine) {
            entries_.clear();
            report.push_back("Line " + std::to_string(i + 1) + ":" + MessageText(message));
            return ErrorFromKey("script");
        }
    }
    return kSuccess;
}

ErrorValue HolidayScript::CompileFile(const std::string& path, std::vector<std::string>& report) {
    entries_.clear();
    report.clear();
    std::vector<std::string> lines;
    bool utf8 = false;
    const ErrorValue error = ReadTextLines(path, lines, &utf8);
    if (error != kSuccess) return error;
    return CompileLines(lines, report, utf8);
}

HolidayScript HolidayScript::Composed(const std::vector<const HolidayScript*>& parts) {
    HolidayScript set;
    for (size_t i = 0; i < parts.size(); ++i) {
        // A block begun here forgets the block the part before closed, so that "x" refers
        // to the part's own blocks only; a part without any keeps it open, where x is 0.
        ScriptEntry start;
        start.type = ScriptEntry::kBlockBegin;
        start.source = static_cast<int>(i);
        set.entries_.push_back(start);
        for (ScriptEntry entry : parts[i]->entries_) {
            entry.source = static_cast<int>(i);
            set.entries_.push_back(std::move(entry));
        }
    }
    return set;
}

}  // namespace tavoli
