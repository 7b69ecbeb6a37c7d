#include "memo/memo_lines.h"

#include "framework/lang_text.h"
#include "framework/platform.h"

namespace tavoli {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string MemoFromEditText(std::string_view text) {
    std::string memo;
    memo.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            memo += kMemoLineBreak;
        } else {
            // No trail byte of the double-byte code pages is below 0x40: a byte test
            // cannot fall inside a character.
            memo += c == '\f' || c == '\0' ? ' ' : c;
        }
    }
    const size_t first = memo.find_first_not_of(kMemoLineBreak);
    if (first == std::string::npos) return {};
    memo.erase(memo.find_last_not_of(kMemoLineBreak) + 1);
    memo.erase(0, first);
    return std::string(CutAtCharacter(memo, kMaxMemoBytes));
}

std::string MemoLinesJoined(std::string_view memo, std::string_view between) {
    std::string joined;
    joined.reserve(memo.size());
    for (const char c : memo) {
        if (c == kMemoLineBreak) joined += between;
        else joined += c;
    }
    return joined;
}

std::string MemoEditText(std::string_view memo) { return MemoLinesJoined(memo, "\r\n"); }

std::string MemoBeginning(std::string_view memo) {
    const std::string_view line = memo.substr(0, memo.find(kMemoLineBreak));
    const std::string_view kept = CutAtCharacter(line, kMemoBeginningBytes);
    return std::string(kept) + (kept.size() < memo.size() ? "..." : "");
}

bool MemoContains(std::string_view memo, std::string_view query) {
    if (query.empty()) return true;
    const Platform& platform = CurrentPlatform();
    const char* const end = memo.data() + memo.size();
    for (size_t start = 0; start + query.size() <= memo.size();) {
        size_t m = start, q = 0;
        while (q < query.size() && m < memo.size()) {
            const size_t length = platform.CharLength(memo.data() + m, end);
            if (length == 1 ? Lower(memo[m]) != Lower(query[q]) : memo.substr(m, length) != query.substr(q, length))
                break;
            m += length;
            q += length;
        }
        if (q == query.size()) return true;
        start += platform.CharLength(memo.data() + start, end);  // a match starts on a character
    }
    return false;
}

}  // namespace tavoli
