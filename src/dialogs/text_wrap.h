// Texts as a control shows them: the width of a text in a control's font (behind an
// interface, so that layouts are computed and tested without a window), the text with
// its mnemonic marks taken out, and a text broken into lines that fit a width.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavoli {

// Widths and the line height of one font, in the pixels the layout is written in.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // The width of one line of text (ANSI code page).
    virtual int Width(std::string_view text) const = 0;
    virtual int LineHeight() const = 0;
};

// A label's or button's text as drawn: "&X" shows X underlined, "&&" one ampersand.
std::string DisplayedText(std::string_view text);

// The text broken into lines no wider than `width`, each line of the text (split at line
// feeds) on its own. A line breaks after a blank (which it drops), and between two
// characters of which one is double-byte, but never before closing punctuation, a small
// kana or a prolonged-sound mark, nor after an opening bracket; a break after a full stop
// or comma is preferred where it keeps at least half the width. A word wider than the
// width alone is broken between its characters.
std::vector<std::string> WrapText(std::string_view text, int width, const TextMeasure& measure);

// The width of the widest part of the text that WrapText does not break (a word, a web
// address): the least width at which no word is broken.
int WidestUnbreakable(std::string_view text, const TextMeasure& measure);

}  // namespace tavoli
