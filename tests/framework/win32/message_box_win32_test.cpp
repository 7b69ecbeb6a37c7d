// The message boxes for real: shown by MessageBoxA under Wine on the virtual display,
// found, read and answered from a second thread.
#include <gtest/gtest.h>

#include "framework/messages.h"
#include "framework/platform.h"
#include "support/message_box_win32.h"

namespace tavoli {
namespace {

class MessageBoxTest : public testing::Test {
protected:
    MessageBoxTest() { SetApplicationName("Tavoli Box Test"); }
    ~MessageBoxTest() override { SetApplicationName(""); }
};

TEST_F(MessageBoxTest, ShowErrorOfAKey) {
    MessageBoxAnswerer answerer(IDOK);
    ShowError(ErrorFromKey("file_open"));
    const SeenMessageBox box = answerer.Wait();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.caption, "Tavoli Box Test");
    EXPECT_EQ(box.text, ErrorMessageOf(ErrorFromKey("file_open")));
    if (SystemPlatform().AnsiCodePage() == kCodePageJapanese) {
        EXPECT_EQ(box.text, AnsiFromUtf8("ファイルが開けませんでした。"));
    }
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_TRUE(box.icon);
    EXPECT_FALSE(box.topmost);
}

TEST_F(MessageBoxTest, ShowErrorOfUnregisteredAndSystemValues) {
    {
        MessageBoxAnswerer answerer(IDOK);
        ShowError(1);
        const SeenMessageBox box = answerer.Wait();
        ASSERT_TRUE(box.found);
        EXPECT_EQ(box.text, "Error");
    }
    {
        MessageBoxAnswerer answerer(IDOK);
        ShowError(ErrorFromSystem(5));
        const SeenMessageBox box = answerer.Wait();
        ASSERT_TRUE(box.found);
        std::string expected = SystemPlatform().SystemErrorText(5);
        EXPECT_FALSE(expected.empty());
        // The box may trim the trailing line break of the system's text.
        while (!expected.empty() && (expected.back() == '\n' || expected.back() == '\r')) expected.pop_back();
        std::string text = box.text;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        EXPECT_EQ(text, expected);
        EXPECT_TRUE(box.topmost);  // system-modal
    }
}

TEST_F(MessageBoxTest, ShowMessageAndLines) {
    {
        MessageBoxAnswerer answerer(IDOK);
        EXPECT_EQ(ShowMessage("Saved."), kSuccess);
        const SeenMessageBox box = answerer.Wait();
        ASSERT_TRUE(box.found);
        EXPECT_EQ(box.text, "Saved.");
        EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
        EXPECT_FALSE(box.icon);
    }
    {
        std::vector<std::string> lines;
        for (int i = 1; i <= 19; ++i) lines.push_back("Line " + std::to_string(i) + ":Syntax error.");
        MessageBoxAnswerer answerer(IDOK);
        EXPECT_EQ(ShowMessageLines(lines), kSuccess);
        const SeenMessageBox box = answerer.Wait();
        ASSERT_TRUE(box.found);
        EXPECT_EQ(box.text.substr(0, 20), "Line 1:Syntax error.");
        EXPECT_EQ(box.text.substr(box.text.size() - 24), "Line 17:Syntax error....");
        EXPECT_TRUE(box.topmost);
    }
}

TEST_F(MessageBoxTest, AskUserButtonsAndAnswers) {
    struct Case {
        int press;
        int result;
    } cases[] = {{IDYES, 1}, {IDNO, -1}, {IDCANCEL, 0}};
    for (const Case& c : cases) {
        MessageBoxAnswerer answerer(c.press);
        const int result = AskUser("warning", "Overwrite the backup?", "y");
        const SeenMessageBox box = answerer.Wait();
        ASSERT_TRUE(box.found);
        EXPECT_EQ(box.buttons, (std::vector<int>{IDCANCEL, IDYES, IDNO}));
        EXPECT_TRUE(box.icon);
        EXPECT_EQ(box.text, "Overwrite the backup?");
        EXPECT_EQ(result, c.result) << c.press;
    }
    {
        MessageBoxAnswerer answerer(IDRETRY);
        EXPECT_EQ(AskUser("error", "Try again?", "r"), 1);
        EXPECT_EQ(answerer.Wait().buttons, (std::vector<int>{IDCANCEL, IDRETRY}));
    }
    {
        MessageBoxAnswerer answerer(IDABORT);
        EXPECT_EQ(AskUser("question", "Stop?", "a"), -1);
        EXPECT_EQ(answerer.Wait().buttons, (std::vector<int>{IDABORT, IDRETRY, IDIGNORE}));
    }
}

}  // namespace
}  // namespace tavoli
