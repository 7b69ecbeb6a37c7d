#include "framework/messages.h"

#include <utility>

#include "framework/lang_text.h"
#include "framework/paths.h"
#include "framework/platform.h"

namespace tavoli {

namespace {

std::string& ApplicationName() {
    static std::string name;
    return name;
}

int Show(uintptr_t owner, const std::string& text, uint32_t style) {
    MessageBoxRequest request;
    request.owner = owner;
    request.text = text;
    request.caption = ApplicationTitle();
    request.style = style;
    return CurrentPlatform().ShowMessageBox(request);
}

// The keys that file operations raise, said plainly.
const std::pair<const char*, const char*> kReasons[] = {
    {"path_access", "It is a folder.\tja:フォルダーです。"},
    {"device", "It is no regular file (a device or a pipe).\tja:通常のファイルではありません(デバイスかパイプです)。"},
    {"object_locked", "Another program kept it locked.\tja:ほかのプログラムがロックしたままでした。"},
    {"too_large_data", "It is too large.\tja:大きすぎます。"},
    {"file_open", "It could not be opened.\tja:開けませんでした。"},
    {"memory_alloc", "Not enough memory.\tja:メモリが足りません。"},
    {"array_size", "More than 65,535 memos.\tja:メモが65,535件を超えています。"},
    {"file_exist", "No free file name was left.\tja:空いているファイル名がありませんでした。"},
    {"read_write", "The data could not be read or written.\tja:データの読み書きに失敗しました。"},
};

}  // namespace

std::string ReasonOf(ErrorValue error) {
    if (error == kSuccess) return {};
    if (error >= kSystemErrorBase && error < kOtherFailureBase) {
        std::string text = CurrentPlatform().SystemErrorText(SystemCodeOf(error));
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
        if (!text.empty()) return text;
        return "Error " + std::to_string(SystemCodeOf(error));
    }
    for (const auto& [key, text] : kReasons) {
        if (error == ErrorFromKey(key)) return ResolveText(text);
    }
    const ErrorTypeEntry* entry = ErrorTypeFromNumber(error);
    if (entry && !entry->key.empty() && CurrentLanguage() != PackTag("ja")) return "Error (" + entry->key + ")";
    return ErrorMessageOf(error);
}

void SetApplicationName(std::string_view name) { ApplicationName() = std::string(CutAtCharacter(name, 31)); }

std::string ApplicationTitle() {
    if (!ApplicationName().empty()) return ApplicationName();
    std::string description = CurrentPlatform().VersionString("FileDescription");
    if (!description.empty()) return description;
    return PathPart(CurrentPlatform().ExecutablePath(), "f");
}

void ShowError(ErrorValue error) {
    if (error == kSuccess) return;
    if (error < kSystemErrorBase) {
        Show(0, ErrorMessageOf(error), mb::kIconWarning);
    } else if (error < kOtherFailureBase) {
        Show(0, CurrentPlatform().SystemErrorText(SystemCodeOf(error)), mb::kSystemModal | mb::kIconWarning);
    } else {
        ShowMessage("Error");
    }
}

ErrorValue ShowMessage(const char* text) {
    if (text == nullptr) return ErrorFromKey("domain");
    if (*text == '\0') return kSuccess;
    const uintptr_t owner = CurrentPlatform().ActiveTopLevelWindow();
    const uint32_t style = mb::kOk | (owner ? 0 : mb::kTaskModal);
    return Show(owner, text, style) == 0 ? ErrorFromKey("io") : kSuccess;
}

uint32_t AskUserStyle(std::string_view kind, std::string_view options) {
    uint32_t style = mb::kSetForeground;
    if (kind == "warning") style |= mb::kIconWarning;
    else if (kind == "information") style |= mb::kIconInformation;
    else if (kind == "question") style |= mb::kIconQuestion;
    else if (kind == "error") style |= mb::kIconError;

    bool chosen = false;
    for (char c : options) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) break;
        if (c == 'h' || c == 'H') style |= mb::kHelp;
        if (chosen) continue;
        uint32_t value = 0;
        switch (c) {
        case 'a': value = mb::kAbortRetryIgnore; break;
        case 'O': value = mb::kOk; break;
        case 'o': value = mb::kOkCancel; break;
        case 'r': value = mb::kRetryCancel; break;
        case 'Y': value = mb::kYesNo; break;
        case 'y': value = mb::kYesNoCancel; break;
        case '1': value = mb::kDefButton1; break;
        case '2': value = mb::kDefButton2; break;
        case '3': value = mb::kDefButton3; break;
        default: continue;
        }
        style |= value;
        chosen = true;
    }
    return style;
}

int AskUser(std::string_view kind, std::string_view text, std::string_view options) {
    const uintptr_t owner = CurrentPlatform().ActiveTopLevelWindow();
    switch (Show(owner, std::string(text), AskUserStyle(kind, options))) {
    case mb::kIdOk:
    case mb::kIdYes:
    case mb::kIdRetry: return 1;
    case mb::kIdNo:
    case mb::kIdAbort: return -1;
    default: return 0;
    }
}

std::string JoinMessageLines(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size() && !lines[i].empty(); ++i) {
        if (i == 17) {
            text += "...";
            break;
        }
        if (i > 0) text += '\n';
        text += lines[i];
    }
    return text;
}

ErrorValue ShowMessageLines(const std::vector<std::string>& lines) {
    const std::string text = JoinMessageLines(lines);
    if (text.empty()) return kSuccess;  // like ShowMessage: nothing to show
    const uintptr_t owner = CurrentPlatform().ActiveTopLevelWindow();
    const uint32_t style = mb::kOk | (owner ? 0 : mb::kSystemModal);
    return Show(owner, text, style) == 0 ? ErrorFromKey("io") : kSuccess;
}

}  // namespace tavoli
