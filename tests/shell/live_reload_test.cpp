// What the window decides about the files it watches while it is shown: which folders,
// which file changed, when the script is compiled again and when the user is told.
#include "shell/live_reload.h"

#include <gtest/gtest.h>

#include <set>

namespace tavoli {
namespace {

WatchedFile Read(const char* contents) { return {WatchedFile::State::kRead, contents}; }
const WatchedFile kMissing{};
const WatchedFile kUnreadable{WatchedFile::State::kUnreadable, ""};

TEST(LiveReload, OnlyAChangeOfWhatIsInForceCounts) {
    const WatchedFiles start{Read("user"), Read("all"), Read("format")};
    const struct {
        const char* what;
        WatchedFiles before, now;
        bool script, formats;
    } cases[] = {
        {"nothing changed (memo.txt was written)", start, start, false, false},
        {"the per-user script", start, {Read("user 2"), Read("all"), Read("format")}, true, false},
        {"the all-users script, while the per-user one stands in its place",
         start,
         {Read("user"), Read("all 2"), Read("format")},
         false,
         false},
        {"the all-users script in force",
         {kMissing, Read("all"), kMissing},
         {kMissing, Read("all 2"), kMissing},
         true,
         false},
        {"a per-user script made",
         {kMissing, Read("all"), kMissing},
         {Read("all"), Read("all"), kMissing},
         true,
         false},
        {"the per-user script removed", start, {kMissing, Read("all"), Read("format")}, true, false},
        {"both scripts removed", {kMissing, Read("all"), kMissing}, {kMissing, kMissing, kMissing}, true, false},
        {"format.txt", start, {Read("user"), Read("all"), Read("format 2")}, false, true},
        {"format.txt removed", start, {Read("user"), Read("all"), kMissing}, false, true},
        {"an empty format.txt made",
         {Read("user"), Read("all"), kMissing},
         {Read("user"), Read("all"), Read("")},
         false,
         true},
    };
    for (const auto& c : cases) {
        LiveReload reload;
        reload.Loaded(c.before);
        const LiveReload::Changes changes = reload.Check(c.now);
        EXPECT_EQ(changes.script, c.script) << c.what;
        EXPECT_EQ(changes.formats, c.formats) << c.what;
        EXPECT_FALSE(changes.again) << c.what;
        const LiveReload::Changes repeated = reload.Check(c.now);  // the change was taken
        EXPECT_FALSE(repeated.script || repeated.formats) << c.what;
    }
}

// An editor may hold the file while it saves: reading fails for a while, which is no
// change, until it fails too long.
TEST(LiveReload, AFileThatCannotBeReadIsLookedAtAgain) {
    const WatchedFiles start{Read("user"), kMissing, kMissing}, held{kUnreadable, kMissing, kMissing};
    LiveReload reload;
    reload.Loaded(start);
    for (int i = 0; i < kUnreadableRetries; ++i) {
        const LiveReload::Changes changes = reload.Check(held);
        EXPECT_TRUE(changes.again && !changes.script) << i;
    }
    const LiveReload::Changes given = reload.Check(held);
    EXPECT_TRUE(given.script && !given.again);  // then its failure is told
    reload.Loaded(start);
    EXPECT_TRUE(reload.Check(held).again);
    EXPECT_TRUE(reload.Check({Read("user 2"), kMissing, kMissing}).script);  // saved at last
}

TEST(LiveReload, AFailureIsToldOnceAndClosedWhenMended) {
    LiveReload reload;
    reload.Loaded({});
    using Tell = LiveReload::Tell;
    const struct {
        bool compiled;
        Tell tell;
    } steps[] = {
        {true, Tell::kNothing},    {false, Tell::kShowError}, {false, Tell::kShowError},  // a second broken save
        {true, Tell::kCloseError}, {true, Tell::kNothing},
    };
    for (const auto& step : steps) EXPECT_EQ(reload.Compiled(step.compiled), step.tell);
    EXPECT_EQ(reload.Compiled(false), Tell::kShowError);
    reload.Loaded({});  // a show tells its own errors: nothing of the last one stays open
    EXPECT_EQ(reload.Compiled(true), Tell::kNothing);
}

TEST(LiveReload, FoldersToWatch) {
    SettingsPaths paths;
    paths.userScript = "C:\\Users\\u\\AppData\\Brenholt\\Tavoli\\holidays.txt";
    paths.allUsersScript = "C:\\Program Files\\Tavoli\\holidays.txt";
    paths.formatFile = "C:\\Program Files\\Tavoli\\format.txt";
    const std::string user = "C:\\Users\\u\\AppData\\Brenholt\\Tavoli\\", program = "C:\\Program Files\\Tavoli\\";
    const struct {
        const char* what;
        std::set<std::string> folders;  // those that exist
        std::vector<std::string> watched;
    } cases[] = {
        {"both folders", {user, program, "C:\\"}, {user, program}},
        {"no per-user folder yet: its parent",
         {"C:\\Users\\u\\AppData\\", program},
         {"C:\\Users\\u\\AppData\\", program}},
        {"nothing exists", {}, {}},
    };
    for (const auto& c : cases) {
        const auto exists = [&c](const std::string& folder) { return c.folders.count(folder) > 0; };
        EXPECT_EQ(FoldersToWatch(paths, exists), c.watched) << c.what;
    }
    paths.userScript.clear();  // a path too long for the system: nothing to watch for it
    EXPECT_EQ(FoldersToWatch(paths, [](const std::string&) { return true; }), std::vector<std::string>{program});
}

}  // namespace
}  // namespace tavoli
