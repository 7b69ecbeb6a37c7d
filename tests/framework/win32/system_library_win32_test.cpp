// Functions of system libraries looked up when first used: what cannot be had is told to
// the user as plainly as a missing import would stop the program at start-up.
#include <gtest/gtest.h>

#include "framework/system_library_win32.h"
#include "support/test_platform.h"

namespace tavoli {
namespace {

TEST(SystemFunction, FoundOrEachFailedUseToldWhatIsMissing) {
    struct Case {
        const char* library;
        const char* function;
        bool found;
    } cases[] = {
        {"user32.dll", "MessageBeep", true},
        {"comdlg32.dll", "ChooseColorA", true},  // not loaded with the program: loaded here
        {"tavoli-no-such-library.dll", "Anything", false},
        {"user32.dll", "TavoliNoSuchFunction", false},
    };
    for (const Case& c : cases) {
        RecordingPlatform platform;
        ScopedPlatform scope(platform);
        for (int use = 1; use <= 2; ++use) {
            EXPECT_EQ(SystemFunctionAddress(c.library, c.function) != nullptr, c.found) << c.library << " " << use;
            ASSERT_EQ(platform.boxes.size(), c.found ? 0u : static_cast<size_t>(use)) << c.function;
        }
        if (c.found) continue;
        const std::string& text = platform.boxes.back().text;
        EXPECT_NE(text.find(c.library), std::string::npos) << text;
        const bool libraryLoads = std::string(c.library) == "user32.dll";
        EXPECT_EQ(text.find(c.function) != std::string::npos, libraryLoads) << text;
        // The system's reason follows on a line of its own.
        const size_t reason = text.find('\n');
        ASSERT_NE(reason, std::string::npos) << text;
        EXPECT_GT(text.size(), reason + 1) << text;
    }
}

}  // namespace
}  // namespace tavoli
