// Start-up rules that need no window: the command line, the single-instance name and the
// places the help document may be.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/error.h"

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

// What opening the help document asks of the system.
class HelpShell {
public:
    virtual ~HelpShell() = default;
    virtual bool Exists(const std::string& path) = 0;
    // Opens the document (at the topic, where its kind has topics): 0, else why not.
    virtual ErrorValue Open(const HelpCandidate& candidate, int topic) = 0;
};

// Opens the first candidate that exists and opens. What the user is told when none does
// (empty when one opened): the document the program ships, when no document exists, or
// the first that would not open and why.
std::string OpenHelp(std::string_view executablePath, HelpShell& shell, int topic);

}  // namespace tavoli
