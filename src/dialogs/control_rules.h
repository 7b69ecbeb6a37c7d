// The rules of the control wrappers that do not need a window: list items from one
// text, selection indices, the spinner's 16-bit positions and the spinner's id.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavoli {

// Items separated by blanks and control characters; an item in double quotes may hold
// blanks (its quotes are dropped; a missing closing quote runs it to the end). An empty
// item ("") ends the list.
std::vector<std::string> SplitItems(std::string_view text);

// An index into a list of count items: taken modulo the count, a negative index counting
// from the end (−1 is the last item); 0 when there are fewer than two items.
int NormalizeSelection(int64_t index, size_t count);

// A spinner's position as the control reports it: the low word read as a signed 16-bit
// value (0xFFFB is −5); the high word, which flags a buddy text that is not a number, is
// ignored.
int SignedSpinnerWord(uint32_t reading);
// The word a value sets the spinner to: its low 16 bits.
uint16_t SpinnerWord(int value);

// The number a spin edit's text gives, brought into the bounds: its first run of digits
// (a sign directly before it counts), a value beyond either bound taken as that bound. A
// text without a number ("", "-", "abc") reads as 0 and is brought into the bounds the
// same way, so that what the user typed is never taken for the value shown before.
int SpinTextValue(std::string_view text, int lower, int upper);

// What a dialog gives back for one value: the value it was opened with while the user
// left its control as it was shown (a control cannot show every value: a list index out
// of range, a text over an edit's limit), else what the control holds.
template <class T>
T KeptUnlessChanged(const T& opened, const T& shown, const T& left) {
    return left == shown ? opened : left;
}

// The id of a spin edit's spinner. It lies above the ids of every dialog's own controls,
// so that the spinner never shares an id with the control laid out next to its edit.
constexpr int kSpinnerIdOffset = 0x1000;
constexpr int SpinnerIdOf(int editId) { return editId + kSpinnerIdOffset; }

}  // namespace tavoli
