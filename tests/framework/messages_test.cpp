#include "framework/messages.h"

#include <gtest/gtest.h>

#include "support/test_platform.h"

namespace tavoli {
namespace {

class MessagesTest : public testing::Test {
protected:
    MessagesTest() : scope_(platform_) { SetApplicationName("Test Title"); }
    ~MessagesTest() override { SetApplicationName(""); }

    const MessageBoxRequest& OnlyBox() {
        EXPECT_EQ(platform_.boxes.size(), 1u);
        static const MessageBoxRequest none;
        return platform_.boxes.empty() ? none : platform_.boxes.back();
    }

    RecordingPlatform platform_;
    ScopedPlatform scope_;
};

TEST_F(MessagesTest, ShowErrorByRange) {
    ShowError(0);
    EXPECT_TRUE(platform_.boxes.empty());

    platform_.answers = {mb::kIdOk};
    ShowError(ErrorFromKey("error"));
    MessageBoxRequest box = OnlyBox();
    EXPECT_EQ(platform_.ToUtf8(box.text), platform_.ToUtf8(platform_.FromUtf8("エラーが発生しました。")));
    EXPECT_EQ(box.caption, "Test Title");
    EXPECT_EQ(box.style, mb::kIconWarning);
    EXPECT_EQ(box.owner, 0u);

    platform_.boxes.clear();
    ShowError(1);
    EXPECT_EQ(OnlyBox().text, "Error");

    platform_.boxes.clear();
    ShowError(ErrorFromSystem(5));
    box = OnlyBox();
    EXPECT_EQ(box.style, mb::kSystemModal | mb::kIconWarning);
    EXPECT_EQ(box.text, platform_.SystemErrorText(5));
    EXPECT_FALSE(box.text.empty());

    platform_.boxes.clear();
    platform_.owner = 0x1234;  // ShowError never has an owner
    ShowError(0x2000005);
    box = OnlyBox();
    EXPECT_EQ(box.text, "Error");
    EXPECT_EQ(box.owner, 0x1234u);  // through ShowMessage, which has one
    EXPECT_EQ(box.style, mb::kOk);
}

TEST_F(MessagesTest, ShowMessage) {
    EXPECT_EQ(ShowMessage(""), kSuccess);
    EXPECT_TRUE(platform_.boxes.empty());
    EXPECT_EQ(ShowMessage(nullptr), ErrorFromKey("domain"));

    platform_.answers = {mb::kIdOk};
    EXPECT_EQ(ShowMessage("Hello"), kSuccess);
    EXPECT_EQ(OnlyBox().style, mb::kOk | mb::kTaskModal);  // no owner: task-modal

    platform_.boxes.clear();
    platform_.owner = 0x42;
    platform_.answers = {mb::kIdOk};
    EXPECT_EQ(ShowMessage("Hello"), kSuccess);
    EXPECT_EQ(OnlyBox().style, mb::kOk);
    EXPECT_EQ(OnlyBox().owner, 0x42u);

    EXPECT_EQ(ShowMessage("Hello"), ErrorFromKey("io"));  // the box could not be shown
}

TEST_F(MessagesTest, AskUserStylesAndAnswers) {
    struct StyleCase {
        const char* kind;
        const char* options;
        uint32_t style;
    } styles[] = {
        {"warning", "y", mb::kSetForeground | mb::kIconWarning | mb::kYesNoCancel},
        {"information", "O", mb::kSetForeground | mb::kIconInformation | mb::kOk},
        {"question", "Y", mb::kSetForeground | mb::kIconQuestion | mb::kYesNo},
        {"error", "o", mb::kSetForeground | mb::kIconError | mb::kOkCancel},
        {"other", "r", mb::kSetForeground | mb::kRetryCancel},
        {"warning", "a", mb::kSetForeground | mb::kIconWarning | mb::kAbortRetryIgnore},
        {"", "2", mb::kSetForeground | mb::kDefButton2},
        {"", "3y", mb::kSetForeground | mb::kDefButton3},  // the first letter decides
        {"", "y3", mb::kSetForeground | mb::kYesNoCancel},
        {"", "hY", mb::kSetForeground | mb::kHelp | mb::kYesNo},
        {"", "YH", mb::kSetForeground | mb::kHelp | mb::kYesNo},
        {"", "xz", mb::kSetForeground},
        {"", "\x01y", mb::kSetForeground},    // stops at a control byte
        {"Warning", "", mb::kSetForeground},  // kinds are case-sensitive
    };
    for (const StyleCase& c : styles) EXPECT_EQ(AskUserStyle(c.kind, c.options), c.style) << c.kind << c.options;

    struct AnswerCase {
        int button;
        int result;
    } answers[] = {
        {mb::kIdOk, 1},     {mb::kIdYes, 1},    {mb::kIdRetry, 1},  {mb::kIdNo, -1},
        {mb::kIdAbort, -1}, {mb::kIdCancel, 0}, {mb::kIdIgnore, 0}, {0, 0},
    };
    for (const AnswerCase& c : answers) {
        platform_.answers = {c.button};
        EXPECT_EQ(AskUser("warning", "Sure?", "y"), c.result) << c.button;
    }
    EXPECT_EQ(platform_.boxes.back().text, "Sure?");
    EXPECT_EQ(platform_.boxes.back().caption, "Test Title");
}

TEST_F(MessagesTest, MessageLines) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 20; ++i) lines.push_back("Line " + std::to_string(i));
    std::string expected;
    for (int i = 1; i <= 17; ++i) expected += (i > 1 ? "\n" : "") + std::string("Line ") + std::to_string(i);
    EXPECT_EQ(JoinMessageLines(lines), expected + "...");
    lines.resize(17);
    EXPECT_EQ(JoinMessageLines(lines), expected);
    lines.resize(18);  // an empty 18th line stops the joining first
    EXPECT_EQ(JoinMessageLines(lines), expected);
    EXPECT_EQ(JoinMessageLines({"a", "b", "", "c"}), "a\nb");
    EXPECT_EQ(JoinMessageLines({}), "");

    EXPECT_EQ(ShowMessageLines({}), kSuccess);  // nothing to show: no box
    EXPECT_EQ(ShowMessageLines({"", "after an empty first line"}), kSuccess);
    EXPECT_TRUE(platform_.boxes.empty());
    platform_.answers = {mb::kIdOk};
    EXPECT_EQ(ShowMessageLines({"Line 12: Syntax error."}), kSuccess);
    EXPECT_EQ(OnlyBox().style, mb::kOk | mb::kSystemModal);
    platform_.owner = 7;
    EXPECT_EQ(ShowMessageLines({"x"}), ErrorFromKey("io"));
    EXPECT_EQ(platform_.boxes.back().style, mb::kOk);
}

TEST_F(MessagesTest, ApplicationTitle) {
    EXPECT_EQ(ApplicationTitle(), "Test Title");
    SetApplicationName("A name that is much longer than thirty-one bytes");
    EXPECT_EQ(ApplicationTitle(), "A name that is much longer than");
    EXPECT_EQ(ApplicationTitle().size(), 31u);
    // Cut at a character boundary: eleven three-byte characters keep ten.
    const std::string wide = platform_.FromUtf8("日本語日本語日本語日本");
    SetApplicationName(wide);
    if (platform_.AnsiCodePage() == kCodePageUtf8) {
        EXPECT_EQ(ApplicationTitle(), wide.substr(0, 30));
    } else if (platform_.AnsiCodePage() == kCodePageJapanese) {
        EXPECT_EQ(ApplicationTitle(), wide);  // 22 bytes in 932
    }
    SetApplicationName("");
#ifdef _WIN32
    EXPECT_EQ(ApplicationTitle(), "Tavoli Test Program");  // the version resource
#else
    EXPECT_EQ(ApplicationTitle(), "framework_tests");  // the executable's name
#endif
}

}  // namespace
}  // namespace tavoli
