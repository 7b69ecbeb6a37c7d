#include "framework/sarray.h"

#include <gtest/gtest.h>

namespace tavoli {
namespace {

TEST(SArray, ResizeRules) {
    SArray array;
    EXPECT_EQ(array.Resize(3), kSuccess);
    array[0] = "a";
    array[1] = "b";
    array[2] = "c";
    EXPECT_EQ(array.Resize(5), kSuccess);  // growing keeps the elements, new slots are empty
    EXPECT_EQ(array.Count(), 5u);
    EXPECT_EQ(array[2], "c");
    EXPECT_EQ(array[4], "");
    EXPECT_EQ(array.Resize(2), kSuccess);  // shrinking keeps the first ones
    EXPECT_EQ(array.Items(), (std::vector<std::string>{"a", "b"}));

    EXPECT_EQ(array.Resize(65536), ErrorFromKey("array_size"));
    EXPECT_TRUE(array.Empty());
    EXPECT_EQ(array.Resize(65535), kSuccess);
    EXPECT_EQ(array.Count(), 65535u);
    EXPECT_EQ(array.Resize(-1), ErrorFromKey("array_size"));
    EXPECT_TRUE(array.Empty());
    EXPECT_EQ(array.Resize(0), kSuccess);
}

TEST(SArray, AppendRefusesBeyondTheLimitAndKeepsEverything) {
    SArray array;
    ASSERT_EQ(array.Resize(65534), kSuccess);
    EXPECT_EQ(array.Append("last"), kSuccess);
    EXPECT_EQ(array.Count(), 65535u);
    EXPECT_EQ(array.Append("one too many"), ErrorFromKey("array_size"));
    EXPECT_EQ(array.Count(), 65535u);
    EXPECT_EQ(array[65534], "last");
}

}  // namespace
}  // namespace tavoli
