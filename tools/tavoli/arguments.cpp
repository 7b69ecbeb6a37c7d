#include "tools/tavoli/arguments.h"

#include <algorithm>

namespace tavoli::tool {

bool Digits(std::string_view text, size_t minimum, size_t maximum) {
    if (text.size() < minimum || text.size() > maximum) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

int Number(std::string_view text) {
    int value = 0;
    for (char c : text) value = value * 10 + (c - '0');
    return value;
}

std::optional<CalDate> ParseDate(std::string_view text) {
    const size_t first = text.find_first_of("-/");
    if (first == std::string_view::npos) return std::nullopt;
    const size_t second = text.find_first_of("-/", first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    const std::string_view y = text.substr(0, first), m = text.substr(first + 1, second - first - 1),
                           d = text.substr(second + 1);
    if (!Digits(y, 1, 4) || !Digits(m, 1, 2) || !Digits(d, 1, 2)) return std::nullopt;
    const int year = Number(y), month = Number(m), day = Number(d);
    if (month < 1 || month > 12 || day < 1 || day > MonthLength(year, month)) return std::nullopt;
    return CalDate(year, month, day);
}

std::optional<TimeOfDay> ParseTime(std::string_view text) {
    std::string_view milliseconds;
    if (const size_t dot = text.find('.'); dot != std::string_view::npos) {
        milliseconds = text.substr(dot + 1);
        text = text.substr(0, dot);
        if (!Digits(milliseconds, 1, 3)) return std::nullopt;
    }
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') return std::nullopt;
    const std::string_view h = text.substr(0, 2), m = text.substr(3, 2), s = text.substr(6, 2);
    if (!Digits(h, 2, 2) || !Digits(m, 2, 2) || !Digits(s, 2, 2)) return std::nullopt;
    if (Number(h) > 23 || Number(m) > 59 || Number(s) > 59) return std::nullopt;
    int ms = milliseconds.empty() ? 0 : Number(milliseconds);
    for (size_t i = milliseconds.size(); i < 3 && !milliseconds.empty(); ++i) ms *= 10;  // ".5" is 500 ms
    return TimeOfDay::FromParts(Number(h), Number(m), Number(s), ms);
}

std::optional<TimeOfDay> ParseZone(std::string_view text) {
    int sign = 1;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        sign = text[0] == '-' ? -1 : 1;
        text.remove_prefix(1);
    }
    if (!Digits(text, 4, 4)) return std::nullopt;
    const int hours = Number(text.substr(0, 2)), minutes = Number(text.substr(2, 2));
    if (hours > 14 || minutes > 59) return std::nullopt;
    return TimeOfDay(sign * (hours * 3600000 + minutes * 60000));
}

std::optional<std::string> Arguments::Option(std::string_view name) const {
    std::optional<std::string> value;
    for (const auto& [option, text] : options) {
        if (option == name) value = text;
    }
    return value;
}

Arguments SplitArguments(const std::vector<std::string>& arguments,
                         const std::vector<std::string_view>& commandOptions) {
    Arguments result;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--") {
            result.positional.insert(result.positional.end(), arguments.begin() + static_cast<ptrdiff_t>(i) + 1,
                                     arguments.end());
            break;
        }
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= arguments.size()) {
                result.error = a + " needs a value";
                return std::nullopt;
            }
            return arguments[++i];
        };
        const bool ownOption =
            std::find(commandOptions.begin(), commandOptions.end(), std::string_view(a)) != commandOptions.end();
        if (a == "--help" || a == "-h") result.help = true;
        else if (a == "--tz") result.zone = value();
        else if (a == "--era") result.eraList = value();
        else if (a == "--codepage") result.codePage = value();
        else if (ownOption) {
            if (std::optional<std::string> v = value()) result.options.emplace_back(a, std::move(*v));
        } else if (a.size() > 2 && a[0] == '-' && a[1] == '-') result.error = "unknown option " + a;
        else result.positional.push_back(a);
        if (!result.error.empty()) break;
    }
    return result;
}

}  // namespace tavoli::tool
