#include <gtest/gtest.h>

#include <cstdio>

#include "framework/platform.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    std::printf("[ platform ] ANSI code page %d\n", tavoli::SystemPlatform().AnsiCodePage());
    return RUN_ALL_TESTS();
}
