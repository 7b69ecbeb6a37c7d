// The test dialog driver itself: a dialog that nothing answers, or that the driver cannot
// drive, is closed within seconds and reported with its title.
#include "support/dialog_driver_win32.h"

#include <gtest/gtest.h>

namespace tavoli {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(DialogDriver, ClosesWhatItCannotDriveAndSaysWhat) {
    struct Case {
        const char* what;
        const char* wanted;    // the title the driver waits for
        const char* problem;   // what the action says; nullptr when it is never reached
        const char* expected;  // in the failure text
    } cases[] = {
        {"nothing answers", "A title that never comes", nullptr,
         "no sign of the dialog \"A title that never comes\" within 1500 ms; closed \"Unanswered box\" instead"},
        {"the action fails", "Unanswered box", "no such control",
         "could not drive \"Unanswered box\": no such control"},
    };
    for (const Case& c : cases) {
        const auto start = std::chrono::steady_clock::now();
        DialogDriver driver(
            c.wanted, [&](HWND) { return std::string(c.problem ? c.problem : ""); }, milliseconds(1500));
        const int answer = MessageBoxA(nullptr, "Nobody answers this box", "Unanswered box", MB_OK);
        const DialogReport report = driver.Finish();
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_FALSE(report.driven) << c.what;
        EXPECT_EQ(report.title, "Unanswered box") << c.what;
        EXPECT_EQ(report.failure, c.expected) << c.what;
        EXPECT_TRUE(answer == IDOK || answer == IDCANCEL) << c.what;
        EXPECT_LT(elapsed, seconds(6)) << c.what;  // seconds, not the runner's limit
        EXPECT_TRUE(DialogDriver::Dialogs().empty()) << c.what;
    }
}

}  // namespace
}  // namespace tavoli
