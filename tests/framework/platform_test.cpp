#include "framework/platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

#ifdef _WIN32

// Each Windows run states the code page it was started for; a locale mix-up fails here.
TEST(Platform, RunsUnderTheExpectedCodePage) {
    const char* expected = std::getenv("TAVOLI_EXPECTED_ACP");
    ASSERT_NE(expected, nullptr) << "the test run must name its code page in TAVOLI_EXPECTED_ACP";
    EXPECT_EQ(SystemPlatform().AnsiCodePage(), std::atoi(expected));
}

TEST(Platform, ConvertsUtf8ToTheCodePageAndBack) {
    const Platform& platform = SystemPlatform();
    if (platform.AnsiCodePage() == kCodePageJapanese) {
        EXPECT_EQ(platform.FromUtf8("表示"), "\x95\x5c\x8e\xa6");
        EXPECT_EQ(platform.ToUtf8("\x95\x5c\x8e\xa6"), "表示");
    } else {
        EXPECT_EQ(platform.FromUtf8("ü"), "\xfc");
        EXPECT_EQ(platform.FromUtf8("日"), "?");
    }
    EXPECT_EQ(platform.FromUtf8(""), "");
}

#else

TEST(Platform, HostDefaultsToUtf8) { EXPECT_EQ(SystemPlatform().AnsiCodePage(), kCodePageUtf8); }

TEST(HostPlatform, ConvertsBetweenUtf8AndEachCodePage) {
    struct Case {
        int codePage;
        std::string_view utf8;
        std::string_view ansi;
    } cases[] = {
        {932, "表示", "\x95\x5c\x8e\xa6"}, {932, "ｱ", "\xb1"},        {936, "号", "\xba\xc5"}, {949, "월", "\xbf\xf9"},
        {950, "號", "\xb8\xb9"},           {1252, "café", "caf\xe9"}, {65001, "日", "日"},
    };
    for (const Case& c : cases) {
        HostPlatform platform;
        platform.SetCodePage(c.codePage);
        EXPECT_EQ(platform.FromUtf8(c.utf8), c.ansi) << c.codePage;
        EXPECT_EQ(platform.ToUtf8(c.ansi), c.utf8) << c.codePage;
    }
    HostPlatform western;
    western.SetCodePage(1252);
    EXPECT_EQ(western.FromUtf8("a日b"), "a?b");  // what the code page cannot hold
    EXPECT_EQ(western.FromUtf8("a\xff"
                               "b"),
              "a?b");  // malformed UTF-8
}

TEST(HostPlatform, DerivesUniversalTimeFromAFixedLocalClock) {
    HostPlatform platform;
    SystemTimeParts local;
    local.year = 2024;
    local.month = 1;
    local.day = 1;
    local.hour = 3;
    local.minute = 4;
    local.milliseconds = 5;
    platform.SetLocalTime(local);
    platform.SetTimeZoneBias(-540);  // Japan
    SystemTimeParts utc = platform.UniversalTime();
    EXPECT_EQ(utc.year, 2023);
    EXPECT_EQ(utc.month, 12);
    EXPECT_EQ(utc.day, 31);
    EXPECT_EQ(utc.hour, 18);
    EXPECT_EQ(utc.minute, 4);
    EXPECT_EQ(utc.milliseconds, 5);
    EXPECT_EQ(utc.dayOfWeek, 0);  // a Sunday
    int32_t bias = 0;
    EXPECT_TRUE(platform.TimeZoneBias(bias));
    EXPECT_EQ(bias, -540);
    platform.SetTimeZoneBias(std::nullopt);
    EXPECT_FALSE(platform.TimeZoneBias(bias));
}

#endif

}  // namespace
}  // namespace tavoli
