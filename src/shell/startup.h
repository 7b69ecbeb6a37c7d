// Start-up rules that need no window: the command line, the single-instance name and the
// places the help document may be.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavoli {

// The arguments after the program's name: separated by blanks and tabs; an argument
// that begins with a double quote runs to the next quote that is followed by a blank, a
// control character or the end (quotes not included); any other runs to the next blank
// or control character.
std::vector<std::string> SplitCommandLine(std::string_view text);

// "/j" or "/J" among the arguments: the program starts hidden in the notification area.
bool HasTrayArgument(const std::vector<std::string>& arguments);

// The name of the single-instance mutex: the executable's path with every backslash
// made "/" (walked by character, so a trail byte 0x5C of a double-byte character is left
// alone); "vorn-application" when the path is unknown.
std::string InstanceName(std::string_view executablePath);

// Where the help document is looked for, in order.
struct HelpCandidate {
    enum class Kind { kHtmlHelp, kWinHelp, kShellOpen };
    Kind kind;
    std::string path;
};
std::vector<HelpCandidate> HelpCandidates(std::string_view executablePath);

}  // namespace tavoli
