#include "framework/error.h"

#include <gtest/gtest.h>

#include "framework/platform.h"

namespace tavoli {
namespace {

TEST(ErrorRegistry, CoreTableOrderAndNumbers) {
    struct Case {
        const char* key;
        ErrorValue number;
    } cases[] = {
        {"error", 2},  // the first of six "error" entries
        {"fatal", 8},
        {"environment", 9},
        {"cancel", 11},
        {"internal", 15},
        {"memory_alloc", 24},
        {"io", 28},
        {"file_not_found", 33},
        {"file_open", 36},
        {"registry", 66},
        {"array_size", 71},
        {"object_alloc", 72},
        {"object_silent", 81},
        {"taillostdata", 88},
        {"ole", 93},  // the first of two "ole" entries
        {"Internal", 97},
        {"InvalidArgument", 98},
        {"Workspace", 100},
        {"UnacceptableVersion", 104},
        {"InvalidData", 105},
        {"InvalidFileName", 106},
        {"Memory", 110},
        // The further groups follow the 109 core entries.
        {"filedialog", 111},
        {"unexpected", 116},
        {"script", 120},
        {"invalidpointer", 121},
    };
    for (const Case& c : cases) EXPECT_EQ(ErrorFromKey(c.key), c.number) << c.key;

    EXPECT_NE(ErrorFromKey("Internal"), ErrorFromKey("internal"));  // case-sensitive
    EXPECT_EQ(ErrorFromKey("internal_error"), kUnregisteredKey);
    EXPECT_EQ(ErrorFromKey(""), kUnregisteredKey);        // the two blank entries have no key
    EXPECT_EQ(ErrorFromKey("errors"), kUnregisteredKey);  // same bytes and same length
    EXPECT_EQ(ErrorFromKey("erro"), kUnregisteredKey);

    // Duplicates are separate entries with their own messages.
    ASSERT_NE(ErrorTypeFromNumber(3), nullptr);
    EXPECT_EQ(ErrorTypeFromNumber(3)->key, "error");
    EXPECT_EQ(ErrorTypeFromNumber(3)->message, "エラー1が発生しました。");
    EXPECT_EQ(ErrorTypeFromNumber(7)->message, "エラー5が発生しました。");
    EXPECT_EQ(ErrorTypeFromNumber(94)->message, "OLEコンポーネントの初期化ができませんでした。");
    ASSERT_NE(ErrorTypeFromNumber(95), nullptr);
    EXPECT_EQ(ErrorTypeFromNumber(95)->key, "");
    EXPECT_EQ(ErrorTypeFromNumber(96)->message, "");
    EXPECT_EQ(ErrorTypeFromNumber(0), nullptr);
    EXPECT_EQ(ErrorTypeFromNumber(1), nullptr);
    EXPECT_EQ(ErrorTypeFromNumber(100000), nullptr);

    // Every core entry but the two blank ones carries a message.
    for (ErrorValue n = 2; n <= 110; ++n) {
        const ErrorTypeEntry* entry = ErrorTypeFromNumber(n);
        ASSERT_NE(entry, nullptr) << n;
        EXPECT_EQ(entry->key.empty(), entry->message.empty()) << n;
    }
}

TEST(ErrorRegistry, RegisterAndUnregisterAtTheTail) {
    EnsureErrorTypesRegistered();
    ErrorTypeEntry first, second;
    RegisterErrorType(first, "test_first", "テスト1");
    RegisterErrorType(second, "test_second", nullptr);
    EXPECT_EQ(static_cast<ErrorValue>(second.number), static_cast<ErrorValue>(first.number) + 1);
    EXPECT_EQ(ErrorFromKey("test_first"), static_cast<ErrorValue>(first.number));
    EXPECT_EQ(ErrorTypeFromNumber(second.number)->message, "");
    UnregisterErrorType(second);
    EXPECT_EQ(ErrorFromKey("test_second"), kUnregisteredKey);
    RegisterErrorType(second, "test_again", "x");
    EXPECT_EQ(second.number, first.number + 1);  // the tail's number plus one
    UnregisterErrorType(first);
    UnregisterErrorType(second);
    EXPECT_EQ(ErrorFromKey("test_first"), kUnregisteredKey);
    EXPECT_EQ(ErrorFromKey("script"), 120u);  // the program's entries stay
}

TEST(ErrorValues, SystemCodes) {
    struct Case {
        int32_t code;
        ErrorValue value;
    } cases[] = {
        {0, 0},
        {5, 0x1000005},
        {0xFFFFFF, 0x1FFFFFF},
        {0x1000000, 1},   // too large: "a key that is not registered"
        {-1, 0x1FFFFFF},  // decodes back to −1
        {-5, 0x1FFFFFB},
        {-2147467259, 0x82004005},  // E_FAIL: "any other failure"
        {-0x2000000, 0x2000000},    // would wrap to 0: kept a failure
    };
    for (const Case& c : cases) EXPECT_EQ(ErrorFromSystem(c.code), c.value) << c.code;
    // A status as GetLastError gives it (a DWORD): the same as its signed reading.
    const uint32_t failure = 0x80004005u;
    EXPECT_EQ(ErrorFromSystem(failure), 0x82004005u);
    EXPECT_EQ(ErrorFromSystem(uint32_t{0xFFFFFFFFu}), 0x1FFFFFFu);
    EXPECT_EQ(SystemCodeOf(0x1000005), 5);
    EXPECT_EQ(SystemCodeOf(0x1FFFFFF), -1);
    EXPECT_EQ(SystemCodeOf(0x17FFFFF), 0x7FFFFF - 0x1000000);  // from 0x7FFFFF on, negative
    EXPECT_EQ(SystemCodeOf(0x17FFFFE), 0x7FFFFE);
}

TEST(ErrorValues, MessagesInTheCodePage) {
    const std::string message = ErrorMessageOf(ErrorFromKey("file_open"));
    EXPECT_EQ(CurrentPlatform().ToUtf8(message),
              CurrentPlatform().ToUtf8(CurrentPlatform().FromUtf8("ファイルが開けませんでした。")));
    EXPECT_EQ(ErrorMessageOf(1), "Error");
    EXPECT_EQ(ErrorMessageOf(0x1FFFFFF), "Error");
}

}  // namespace
}  // namespace tavoli
