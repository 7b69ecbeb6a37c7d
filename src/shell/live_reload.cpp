#include "shell/live_reload.h"

#include <algorithm>
#include <utility>

#include "framework/file_system.h"
#include "framework/paths.h"
#include "framework/whole_file.h"

namespace tavoli {

namespace {

WatchedFile ReadWatched(const std::string& path) {
    WatchedFile file;
    if (path.empty() || CurrentFileSystem().KindOf(path) != FileSystem::Kind::kRegular) return file;
    file.state =
        ReadFileContents(path, file.contents) == kSuccess ? WatchedFile::State::kRead : WatchedFile::State::kUnreadable;
    return file;
}

// The folder above a folder ("C:\a\b\" → "C:\a\"); the folder itself at the top.
std::string ParentFolder(const std::string& folder) {
    // A folder from PathPart ends in its separator: dropping it makes the last part a name.
    if (folder.size() < 2) return folder;
    return PathPart(std::string_view(folder).substr(0, folder.size() - 1), "dp");
}

const WatchedFile& InForce(const WatchedFiles& files) {
    return files.userScript.Exists() ? files.userScript : files.allUsersScript;
}

}  // namespace

WatchedFiles ReadWatchedFiles(const SettingsPaths& paths) {
    return {ReadWatched(paths.userScript), ReadWatched(paths.allUsersScript), ReadWatched(paths.formatFile)};
}

std::vector<std::string> FoldersToWatch(const SettingsPaths& paths,
                                        const std::function<bool(const std::string&)>& isFolder,
                                        const std::vector<std::string>& sources) {
    std::vector<std::string> starts;
    for (const std::string* path : {&paths.userScript, &paths.allUsersScript, &paths.formatFile})
        starts.push_back(PathPart(*path, "dp"));
    // A folder of calendars is watched itself (a file added to it counts), a calendar file
    // through its folder.
    std::vector<std::string> calendars = sources;
    if (!paths.calendarsFolder.empty()) calendars.insert(calendars.begin(), paths.calendarsFolder);
    for (const std::string& path : calendars) {
        const char separator = path.find('\\') != std::string::npos ? '\\' : '/';
        const bool folder = !path.empty() && isFolder(path);
        starts.push_back(!folder ? PathPart(path, "dp") : path.back() == separator ? path : path + separator);
    }
    std::vector<std::string> folders;
    for (std::string folder : starts) {
        while (!folder.empty() && !isFolder(folder)) {
            const std::string parent = ParentFolder(folder);
            folder = parent.size() < folder.size() ? parent : std::string();
        }
        if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end()) {
            folders.push_back(folder);
        }
    }
    return folders;
}

void LiveReload::Loaded(WatchedFiles files) {
    seen_ = std::move(files);
    retries_ = 0;
    errorShown_ = false;
}

LiveReload::Changes LiveReload::Check(const WatchedFiles& now) {
    Changes changes;
    // An editor may hold the file while it saves: a failed read is no change yet. A file
    // that could not be read before either is not waited for at every change of another.
    const auto held = [](const WatchedFile& before, const WatchedFile& after) {
        return after.state == WatchedFile::State::kUnreadable && before.state != WatchedFile::State::kUnreadable;
    };
    const bool unreadable = held(seen_.userScript, now.userScript) || held(seen_.allUsersScript, now.allUsersScript) ||
                            held(seen_.format, now.format);
    if (unreadable && retries_ < kUnreadableRetries) {
        ++retries_;
        changes.again = true;
        return changes;
    }
    retries_ = 0;
    const bool userBefore = seen_.userScript.Exists(), userNow = now.userScript.Exists();
    changes.script = userBefore != userNow || InForce(seen_) != InForce(now);
    changes.formats = seen_.format != now.format;
    seen_ = now;
    return changes;
}

LiveReload::Tell LiveReload::Compiled(bool success) {
    const bool shown = errorShown_;
    errorShown_ = !success;
    if (!success) return Tell::kShowError;
    return shown ? Tell::kCloseError : Tell::kNothing;
}

std::optional<int> ReloadDebounce::Notified(uint32_t now) {
    if (!pending_) {
        pending_ = true;
        since_ = now;
        return kReloadSettleMilliseconds;
    }
    const uint32_t elapsed = now - since_;  // right across the count's wrap
    if (elapsed >= static_cast<uint32_t>(kReloadLatestMilliseconds)) return std::nullopt;
    return std::min(kReloadSettleMilliseconds, kReloadLatestMilliseconds - static_cast<int>(elapsed));
}

}  // namespace tavoli
