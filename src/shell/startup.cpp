#include "shell/startup.h"

#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/paths.h"
#include "framework/platform.h"

namespace tavoli {

namespace {

bool IsSpace(unsigned char c) { return c == ' ' || c == '\t'; }
bool EndsArgument(unsigned char c) { return c == ' ' || c < 0x20; }

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view text) {
    std::vector<std::string> arguments;
    size_t i = 0;
    while (i < text.size()) {
        if (IsSpace(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        if (text[i] == '"') {
            size_t end = i + 1;
            while (end < text.size() &&
                   !(text[end] == '"' &&
                     (end + 1 == text.size() || EndsArgument(static_cast<unsigned char>(text[end + 1]))))) {
                ++end;
            }
            arguments.emplace_back(text.substr(i + 1, end - i - 1));
            i = end + 1;
        } else {
            size_t end = i;
            while (end < text.size() && !EndsArgument(static_cast<unsigned char>(text[end]))) ++end;
            arguments.emplace_back(text.substr(i, end - i));
            i = end;
        }
    }
    return arguments;
}

bool HasTrayArgument(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "/j" || argument == "/J") return true;
    }
    return false;
}

std::string InstanceName(std::string_view executablePath) {
    if (executablePath.empty()) return "vorn-application";
    std::string name;
    const Platform& platform = CurrentPlatform();
    const char* p = executablePath.data();
    const char* const end = p + executablePath.size();
    while (p < end) {
        const size_t length = platform.CharLength(p, end);
        if (length == 1 && *p == '\\') name += '/';
        else name.append(p, length);
        p += length;
    }
    return name;
}

std::vector<HelpCandidate> HelpCandidates(std::string_view executablePath) {
    using Kind = HelpCandidate::Kind;
    std::vector<HelpCandidate> candidates;
    candidates.push_back({Kind::kHtmlHelp, RenameExtension(executablePath, "chm")});
    candidates.push_back({Kind::kWinHelp, RenameExtension(executablePath, "hlp")});
    for (const char* extension : {"pdf", "htm", "html", "txt"}) {
        candidates.push_back({Kind::kShellOpen, RenameExtension(executablePath, extension)});
    }
    const std::string folder = PathPart(executablePath, "dp");
    for (const char* name : {"index.htm", "index.html", "readme.txt", "readme.doc"}) {
        candidates.push_back({Kind::kShellOpen, folder + name});
    }
    return candidates;
}

std::string OpenHelp(std::string_view executablePath, HelpShell& shell, int topic) {
    std::string failed;
    ErrorValue error = kSuccess;
    for (const HelpCandidate& candidate : HelpCandidates(executablePath)) {
        if (candidate.path.empty() || !shell.Exists(candidate.path)) continue;
        const ErrorValue opened = shell.Open(candidate, topic);
        if (opened == kSuccess) return {};
        if (failed.empty()) failed = candidate.path, error = opened;
    }
    if (failed.empty()) {
        return ResolveText("The help document could not be found:\tja:ヘルプ文書が見つかりません:") + "\n" +
               RenameExtension(executablePath, "htm");
    }
    std::string text =
        ResolveText("The help document could not be opened:\tja:ヘルプ文書を開けませんでした:") + "\n" + failed;
    return text + "\n" + ReasonOf(error);
}

}  // namespace tavoli
