#include "format/date_format.h"

#include <algorithm>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "calendar/calendar_system.h"
#include "calendar/era.h"
#include "framework/number_text.h"
#include "framework/platform.h"

namespace tavoli {

namespace {

// One row per directive letter, as four parallel strings: the letter, the input it needs
// (d date, t time), whether it goes through the chosen calendar, and its result kind.
constexpr std::string_view kLetters = "JjhmszYMDWGgTtXxP";
constexpr std::string_view kNeeds = "dtttttddddddttdtd";
constexpr std::string_view kCalendar = "------++++++----+";
constexpr std::string_view kResultKind = "nnnnnnnnnnsnnnssn";

constexpr int64_t kMapNumberLimit = 1000000;

struct DirectiveResult {
    enum Kind { kNothing, kNumber, kText } kind = kNothing;
    int64_t number = 0;
    std::string text;

    static DirectiveResult Number(int64_t n) {
        DirectiveResult r;
        r.kind = kNumber;
        r.number = n;
        return r;
    }
    static DirectiveResult Text(std::string t) {
        DirectiveResult r;
        if (!t.empty()) {
            r.kind = kText;
            r.text = std::move(t);
        }
        return r;
    }
};

class Formatter {
public:
    Formatter(std::string_view templateText, std::optional<CalDate> date, std::optional<TimeOfDay> time,
              std::string_view eraList, PackedTag encoding)
        : cursor_(templateText.data()),
          end_(templateText.data() + templateText.size()),
          date_(date),
          time_(time),
          eraList_(eraList),
          encoding_(encoding) {}

    std::string Run() {
        while (cursor_ < end_) {
            const char* start = cursor_;
            const CharStep step = NextChar(cursor_, end_, encoding_);
            if (step.length != 1) {
                output_.append(start, step.length);
                continue;
            }
            const auto c = static_cast<unsigned char>(*start);
            if (c == '\t') {
                output_ += '\t';
            } else if (c < 32 || c == 127) {
                output_ += ' ';
            } else if (c == '<') {
                OpenGroup();
            } else if (c == '>') {
                CloseGroup();
            } else if (c == '%') {
                if (!Escape()) return std::string();
            } else {
                output_ += static_cast<char>(c);
            }
        }
        // A group left open at the end is closed as if its ">" had been written.
        if (groupStart_) CloseGroup();
        return std::move(output_);
    }

private:
    // The next character when it is a single byte, without consuming it; 0 otherwise.
    unsigned char PeekByte() const {
        if (cursor_ >= end_) return 0;
        const char* probe = cursor_;
        const CharStep step = NextChar(probe, end_, encoding_);
        return step.length == 1 ? static_cast<unsigned char>(*cursor_) : 0;
    }

    // Groups are kept as one text with the position where the open group began: "<"
    // sets it aside, ">" keeps the group's text or drops it. No text is copied.
    void OpenGroup() {
        groupStart_ = output_.size();
        groupFlag_ = false;
    }

    void CloseGroup() {
        // A ">" outside any group drops nothing.
        if (groupStart_ && !groupFlag_) output_.resize(*groupStart_);
        groupStart_.reset();
        groupFlag_ = true;
    }

    // After "%": false when the whole result must be empty.
    bool Escape() {
        if (cursor_ >= end_) return true;  // "%" at the end writes nothing
        const char* start = cursor_;
        const CharStep step = NextChar(cursor_, end_, encoding_);
        if (step.length != 1) return true;  // "%" before a double-byte character: both dropped
        const auto c = static_cast<unsigned char>(*start);
        if (c == '\t') output_ += '\t';
        else if (c == '%') output_ += '%';
        else if (c == ' ' || c < 32 || c == 127) output_ += ' ';
        else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return GuardedDirective(static_cast<char>(c));
        return true;
    }

    // A directive that fails unexpectedly (memory runs out) writes nothing, and the
    // template goes on after the part of it already read.
    bool GuardedDirective(char letter) {
        const size_t written = output_.size();
        try {
            return Directive(letter);
        } catch (const std::bad_alloc&) {
            output_.resize(std::min(written, output_.size()));
            groupFlag_ = false;
            return true;
        }
    }

    bool Directive(char letter) {
        int width = 0;
        char calendar = 'G';
        for (;;) {
            const unsigned char c = PeekByte();
            if (c == '#') {
                ++width;
                ++cursor_;
            } else if (c == '?' && cursor_ + 1 < end_ && IsAsciiLetter(cursor_[1])) {
                if (cursor_[1] >= 'A' && cursor_[1] <= 'Z') calendar = cursor_[1];
                cursor_ += 2;
            } else {
                break;  // a "?" before anything else is ordinary text
            }
        }

        const size_t row = kLetters.find(letter);
        DirectiveResult result = row == std::string_view::npos ? DirectiveResult() : Evaluate(row, letter, calendar);

        // Only a number result takes a value map; after a text the map is plain text.
        const bool numericRow = row != std::string_view::npos && kResultKind[row] == 'n';
        if (numericRow && result.kind == DirectiveResult::kNumber && PeekByte() == '{') {
            ++cursor_;
            if (!ApplyMap(result)) return false;
        }

        switch (result.kind) {
        case DirectiveResult::kNumber:
            output_ += FixedDigits(result.number, width);
            groupFlag_ = true;
            break;
        case DirectiveResult::kText:
            output_ += width > 0 ? FirstCharacters(result.text, width) : result.text;
            groupFlag_ = true;
            break;
        case DirectiveResult::kNothing: groupFlag_ = false; break;
        }
        return true;
    }

    static bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

    std::string FirstCharacters(const std::string& text, int count) const {
        const char* p = text.data();
        const char* const end = p + text.size();
        for (int i = 0; i < count && p < end; ++i) NextChar(p, end, encoding_);
        return std::string(text.data(), static_cast<size_t>(p - text.data()));
    }

    DirectiveResult Evaluate(size_t row, char letter, char calendar) {
        if (kNeeds[row] == 'd' && !date_) return {};
        if (kNeeds[row] == 't' && !time_) return {};

        if (kCalendar[row] == '+') {
            const SplitDate parts = Split(calendar);
            switch (letter) {
            case 'Y': return DirectiveResult::Number(parts.year);
            case 'M': return DirectiveResult::Number(MonthNumber(parts.month));
            case 'D': return DirectiveResult::Number(parts.day);
            case 'W': return DirectiveResult::Number(parts.weekday);
            case 'P': return DirectiveResult::Number((parts.month - 1) / 12);
            default: return Era(letter, calendar, parts);
            }
        }
        switch (letter) {
        case 'J': return DirectiveResult::Number(date_->Serial());
        case 'j': return DirectiveResult::Number(time_->Milliseconds());
        case 'h': return DirectiveResult::Number(time_->Hour());
        case 'm': return DirectiveResult::Number(time_->Minute());
        case 's': return DirectiveResult::Number(time_->Second());
        case 'z': return DirectiveResult::Number(time_->Millisecond());
        case 'T': return DirectiveResult::Number(time_->Hour() / 12 + 1);
        case 't': return DirectiveResult::Number(time_->Hour() % 12);
        case 'X': return DirectiveResult::Text(CurrentPlatform().ShortDateText(Moment().ToSystemTime()));
        case 'x': return DirectiveResult::Text(CurrentPlatform().TimeText(Moment().ToSystemTime()));
        default: return {};
        }
    }

    // One formatting call splits its date once per calendar: the Japanese footer asks
    // the lunisolar calendar four times, and each split is a full conversion.
    SplitDate Split(char calendar) {
        const char kind = calendar == 'J' || calendar == 'A' || calendar == 'C' || calendar == 'H' ? calendar : 'G';
        for (const auto& entry : splits_) {
            if (entry.first == kind) return entry.second;
        }
        const SplitDate parts = MakeCalendarSystem(kind)->split(*date_);
        splits_.emplace_back(kind, parts);
        return parts;
    }

    static int MonthNumber(int month) { return ((month - 1) % 12 + 12) % 12 + 1; }

    // The date and time for the system's formats; a date alone is taken at 00:00, which
    // the short date format does not show.
    CalDateTime Moment() const { return CalDateTime(date_ ? *date_ : CalDate(), time_ ? *time_ : TimeOfDay(0)); }

    // %G and %g. In another calendar the era is looked up for that calendar's year, month
    // (without the leap mark) and day read as a Gregorian date.
    DirectiveResult Era(char letter, char calendar, const SplitDate& parts) const {
        CalDate date = *date_;
        if (calendar == 'J' || calendar == 'A' || calendar == 'C' || calendar == 'H') {
            date = CalDate(parts.year, MonthNumber(parts.month), parts.day);
        }
        const EraLookup era = LookUpEra(eraList_, date);
        if (!era.found) return {};
        if (letter == 'G') return DirectiveResult::Text(era.name);
        if (era.year < 0) return {};
        return DirectiveResult::Number(era.year);
    }

    // The value map after a number; false when a map number reaches the limit.
    bool ApplyMap(DirectiveResult& result) {
        int64_t value = result.number;
        while (cursor_ < end_) {
            const unsigned char op = PeekByte();
            const bool hasOperator = op == '+' || op == '-' || op == '*' || op == '/' || op == '%';
            if (hasOperator) ++cursor_;
            int64_t k = 0;
            while (cursor_ < end_ && *cursor_ >= '0' && *cursor_ <= '9') {
                k = k * 10 + (*cursor_ - '0');
                ++cursor_;
                if (k >= kMapNumberLimit) return false;
            }
            if (hasOperator) {
                value = Apply(static_cast<char>(op), value, k);
            } else if (PeekByte() == '=' && cursor_ + 1 < end_ && cursor_[1] == '"') {
                cursor_ += 2;
                const char* textStart = cursor_;
                const char* textEnd = end_;
                while (cursor_ < end_) {
                    const char* at = cursor_;
                    const CharStep step = NextChar(cursor_, end_, encoding_);
                    if (step.length == 1 && *at == '"') {
                        textEnd = at;
                        break;
                    }
                }
                if (k == value) {
                    result = DirectiveResult::Text(std::string(textStart, static_cast<size_t>(textEnd - textStart)));
                }
            } else {
                if (PeekByte() == '}') ++cursor_;
                break;
            }
            if (PeekByte() == ',') ++cursor_;
        }
        if (result.kind == DirectiveResult::kNumber) result.number = value;
        return true;
    }

    // Integer arithmetic on the value; it wraps instead of overflowing.
    static int64_t Apply(char op, int64_t v, int64_t k) {
        const auto uv = static_cast<uint64_t>(v), uk = static_cast<uint64_t>(k);
        switch (op) {
        case '+': return static_cast<int64_t>(uv + uk);
        case '-': return static_cast<int64_t>(uv - uk);
        case '*': return static_cast<int64_t>(uv * uk);
        case '/': return k == 0 ? v : v / k;
        default: return k == 0 ? v : v % k;
        }
    }

    const char* cursor_;
    const char* const end_;
    const std::optional<CalDate> date_;
    const std::optional<TimeOfDay> time_;
    const std::string_view eraList_;
    const PackedTag encoding_;

    std::vector<std::pair<char, SplitDate>> splits_;
    std::string output_;
    std::optional<size_t> groupStart_;
    bool groupFlag_ = true;
};

}  // namespace

// No failure leaves the template language: without memory for its text, the result is empty.
std::string DateFormat(std::string_view templateText, CalDate date, std::string_view eraList, PackedTag encoding) {
    std::optional<CalDate> d;
    if (!date.IsNull()) d = date;
    try {
        return Formatter(templateText, d, std::nullopt, eraList, encoding).Run();
    } catch (const std::bad_alloc&) {
        return std::string();
    }
}

std::string DateFormat(std::string_view templateText, const CalDateTime& moment, std::string_view eraList,
                       PackedTag encoding) {
    std::optional<CalDate> d;
    if (!moment.Date().IsNull()) d = moment.Date();
    try {
        return Formatter(templateText, d, moment.Time(), eraList, encoding).Run();
    } catch (const std::bad_alloc&) {
        return std::string();
    }
}

}  // namespace tavoli
