#include "platform/paths.h"

#include <gtest/gtest.h>

TEST(Paths, TrailingSeparatorIsAddedOnce) {
    const std::string sep(1, platform::kSeparator);
    EXPECT_EQ(platform::withTrailingSeparator("a"), "a" + sep);
    EXPECT_EQ(platform::withTrailingSeparator("a" + sep), "a" + sep);
    EXPECT_EQ(platform::withTrailingSeparator(""), sep);
}
