// What the window decides about the files it watches while it is shown.
#include "shell/live_reload.h"

#include <gtest/gtest.h>

#include <set>

namespace tavoli {
namespace {

WatchedFile Read(const char* contents) { return {WatchedFile::State::kRead, contents}; }
const WatchedFile kNone{}, kHeld{WatchedFile::State::kUnreadable, ""};

// Only a change of the script in force (or of which one is) compiles again.
TEST(LiveReload, WhatChangedIsReadAgain) {
    const WatchedFiles start{Read("user"), Read("all"), Read("format")}, allOnly{kNone, Read("all"), kNone};
    const struct {
        const char* what;
        WatchedFiles before, now;
        bool script, formats;
    } cases[] = {
        {"nothing (memo.txt was written)", start, start, false, false},
        {"the per-user script", start, {Read("user 2"), Read("all"), Read("format")}, true, false},
        {"all-users, behind the per-user one", start, {Read("user"), Read("all 2"), Read("format")}, false, false},
        {"the all-users script in force", allOnly, {kNone, Read("all 2"), kNone}, true, false},
        {"a per-user copy made", allOnly, {Read("all"), Read("all"), kNone}, true, false},
        {"the per-user script removed", start, {kNone, Read("all"), Read("format")}, true, false},
        {"format.txt removed", start, {Read("user"), Read("all"), kNone}, false, true},
    };
    for (const auto& c : cases) {
        LiveReload reload;
        reload.Loaded(c.before);
        const LiveReload::Changes changes = reload.Check(c.now);
        EXPECT_EQ(std::make_pair(changes.script, changes.formats), std::make_pair(c.script, c.formats)) << c.what;
        const LiveReload::Changes again = reload.Check(c.now);  // taken once
        EXPECT_FALSE(again.script || again.formats) << c.what;
    }
    // A file an editor holds is looked at again, until it is held too long.
    LiveReload reload;
    reload.Loaded(start);
    for (int i = 0; i < kUnreadableRetries; ++i) EXPECT_TRUE(reload.Check({kHeld, kNone, kNone}).again) << i;
    const LiveReload::Changes given = reload.Check({kHeld, kNone, kNone});
    EXPECT_TRUE(given.script && !given.again);
    // Unreadable still, it holds back no later change.
    const LiveReload::Changes later = reload.Check({kHeld, kNone, Read("format 2")});
    EXPECT_TRUE(later.formats && !later.again);
}

// Each folder once; a missing one through its nearest parent, so that its creation is seen.
TEST(LiveReload, FoldersToWatch) {
    const std::string user = "C:\\u\\Brenholt\\Tavoli\\", program = "C:\\Tavoli\\";
    const SettingsPaths paths{user + "holidays.txt", program + "holidays.txt", program + "format.txt", "", "",
                              user + "calendars"};
    const std::pair<std::set<std::string>, std::vector<std::string>> cases[] = {
        {{user, program, "C:\\"}, {user, program}}, {{"C:\\u\\", program}, {"C:\\u\\", program}}, {{}, {}}};
    for (const auto& [existing, watched] : cases) {
        const auto exists = [&](const std::string& folder) { return existing.count(folder) > 0; };
        EXPECT_EQ(FoldersToWatch(paths, exists), watched) << existing.size();
    }
    // The calendars folder and a source folder themselves, a source file through its folder.
    const std::set<std::string> existing = {user,         program, user + "calendars", user + "calendars\\", "D:\\sync",
                                            "D:\\sync\\", "E:\\"};
    const auto exists = [&](const std::string& folder) { return existing.count(folder) > 0; };
    EXPECT_EQ(FoldersToWatch(paths, exists, {"D:\\sync", "E:\\work.ics", user + "calendars\\a.ics"}),
              (std::vector<std::string>{user, program, user + "calendars\\", "D:\\sync\\", "E:\\"}));
}

// Notifications at these times (ms, the count wrapping in the last burst): the reload timer
// is set to settle after the last, but the files are read no later than a second after the
// first of a burst.
TEST(LiveReload, ReloadSettlesButComesWithinASecond) {
    const uint32_t wraps = 0xFFFFFF00u;
    const struct {
        uint32_t at;
        std::optional<int> delay;  // nothing: the timer set stays
    } steps[] = {
        {1000, 300},  {1100, 300},          {1750, 250},
        {1990, 10},   {2000, std::nullopt}, {2500, std::nullopt},          // a burst
        {wraps, 300}, {wraps + 512, 300},   {wraps + 1024, std::nullopt},  // the next, across the count's wrap
    };
    ReloadDebounce debounce;
    for (const auto& step : steps) {
        if (step.at == wraps) debounce.Reset();  // the files were read
        EXPECT_EQ(debounce.Notified(step.at), step.delay) << step.at;
    }
    // Only a loop of a dialog, a message or a menu inside a message of the window looks at
    // the folders at the tick; the program's own loop waits on them.
    EXPECT_FALSE(LooksForNotificationsAtTick(1));
    EXPECT_TRUE(LooksForNotificationsAtTick(2));
}

}  // namespace
}  // namespace tavoli
