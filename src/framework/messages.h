// How errors, messages and questions reach the user: message boxes captioned with the
// application's title.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/error.h"

namespace tavoli {

// The application name set at start-up (at most 31 bytes are kept).
void SetApplicationName(std::string_view name);
// The name set at start-up, else the version resource's FileDescription, else the
// executable's file name without folder and extension.
std::string ApplicationTitle();

// 0 shows nothing; a registered number its message (or "Error"); a system code the
// system's text in a system-modal box; anything larger "Error".
void ShowError(ErrorValue error);

// A plain message box owned by the active top-level window; "io" when it cannot be
// shown, "domain" for a null text. An empty text shows nothing.
ErrorValue ShowMessage(const char* text);
inline ErrorValue ShowMessage(const std::string& text) { return ShowMessage(text.c_str()); }

// Asks the user: kind "warning", "information", "question" or "error" chooses the icon;
// the options text chooses the buttons ("a" "O" "o" "r" "Y" "y") or the default button
// ("1" "2" "3"), and "h" adds Help. 1 for OK, Yes, Retry; −1 for No, Abort; 0 otherwise.
int AskUser(std::string_view kind, std::string_view text, std::string_view options);

// The lines joined with line feeds up to the first empty one; after 17 lines "..." ends
// the text. System-modal when there is no owner.
ErrorValue ShowMessageLines(const std::vector<std::string>& lines);

// What an error value says, in a few words for a message: the system's own text for a
// system code; for the keys that reading and writing files raise, a text in the user's
// language; else the key's message (in Japanese) or, in other languages, the key.
std::string ReasonOf(ErrorValue error);

// The pieces above that decide what a box looks like, for tests.
uint32_t AskUserStyle(std::string_view kind, std::string_view options);
std::string JoinMessageLines(const std::vector<std::string>& lines);

}  // namespace tavoli
