// A holiday script or format.txt saved while the window is shown is taken at once: the
// window waits on change notifications of the folders that hold the files, and these
// decisions say which folders to watch, which file really changed (a folder's
// notification also comes for memo.txt or any other file in it), and when the user is
// told of a script that does not compile: once per change, and the message closed when
// the script is mended.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/settings_paths.h"

namespace tavoli {

// One watched file as read at one moment.
struct WatchedFile {
    enum class State { kMissing, kUnreadable, kRead };
    State state = State::kMissing;
    std::string contents;

    bool Exists() const { return state != State::kMissing; }
    bool operator==(const WatchedFile& o) const { return state == o.state && contents == o.contents; }
    bool operator!=(const WatchedFile& o) const { return !(*this == o); }
};

struct WatchedFiles {
    WatchedFile userScript, allUsersScript, format;
};

// The three files as they are now (a folder at a file's path reads as missing).
WatchedFiles ReadWatchedFiles(const SettingsPaths& paths);

// The folders whose notifications cover the files: each file's folder or, while it does
// not exist, its nearest existing parent, so that the folder's creation is seen too;
// each folder once, in the order of the files (per-user script, all-users script,
// format.txt), then the calendars folder and the calendar sources (files or folders).
std::vector<std::string> FoldersToWatch(const SettingsPaths& paths,
                                        const std::function<bool(const std::string&)>& isFolder,
                                        const std::vector<std::string>& sources = {});

// Waits this long after the last notification before reading the files: an editor saves
// in several steps, and a half-written file should not be compiled.
constexpr int kReloadSettleMilliseconds = 300;
// ...but no later than this after the first notification of a burst: a folder written to
// all the time, such as a downloads folder the program lives in, would put it off for ever.
constexpr int kReloadLatestMilliseconds = 1000;

// When to read the files after notifications of the watched folders.
class ReloadDebounce {
public:
    // A notification at `now` (a millisecond count that may wrap): how long from now the
    // files are to be read (the reload timer set anew), or nothing when the timer already
    // set is to stay.
    std::optional<int> Notified(uint32_t now);
    // The files were read or the watch stopped: the next notification starts a new burst.
    void Reset() { pending_ = false; }

private:
    bool pending_ = false;
    uint32_t since_ = 0;
};

// Whether the one-second tick looks for notifications of the folders: only while a dialog,
// a message or a menu runs its own loop from a message of the window (handled one inside
// another), which does not wait on the folders as the program's loop does. Each look is a
// call to the system, at every tick of a calendar left open all day.
constexpr bool LooksForNotificationsAtTick(int handlingDepth) { return handlingDepth > 1; }

// A file another program holds open (an editor saving it) is looked at again this many
// times, a settling time apart, before its failure to read counts as a change.
constexpr int kUnreadableRetries = 10;

class LiveReload {
public:
    struct Changes {
        bool script = false;   // compile the script in force again
        bool formats = false;  // read format.txt again
        bool again = false;    // a file could not be read: look again after the settling time
    };
    enum class Tell { kNothing, kShowError, kCloseError };

    // The files as the show read them (read before loading, so that a save in between is
    // still a change); nothing has been told.
    void Loaded(WatchedFiles files);

    // What to read again, the files now read being remembered: the script when the file in
    // force (the per-user one while it exists, else the all-users one) changed, or the other
    // file came into force; format.txt when it changed.
    Changes Check(const WatchedFiles& now);

    // What the window does after the script was compiled again: a failure is shown (the
    // check only asks for a compile after a change, so each change is told once, and a
    // message still open from the last one is replaced); a success closes the message of
    // an earlier failure.
    Tell Compiled(bool success);

private:
    WatchedFiles seen_;
    int retries_ = 0;
    bool errorShown_ = false;
};

}  // namespace tavoli
