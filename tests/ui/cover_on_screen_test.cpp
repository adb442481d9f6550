// Where Close lands for covers of several sizes on common screens.
#include "ui/cover_on_screen.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

TEST(CoverOnScreen, TheDesignCoverLeavesCloseWhereTheDesignPutsIt) {
    const CoverOnScreen wide = coverOnScreen(kDesignCover, {1920, 1080});
    EXPECT_EQ(wide.window, (Size{1040, 585}));
    EXPECT_EQ(wide.position, (Position{440, 247}));
    EXPECT_EQ(wide.close.left, 440 + 874);
    EXPECT_EQ(wide.close.top, 247 + 527);
    EXPECT_TRUE(wide.closeReachable);
    EXPECT_TRUE(coverOnScreen(kDesignCover, {1366, 768}).closeReachable);
}

TEST(CoverOnScreen, ASmallScreenShrinksTheWindowAndCloseFollowsItsCorner) {
    const CoverOnScreen small = coverOnScreen(kDesignCover, {1024, 768});
    EXPECT_EQ(small.window, (Size{666, 375}));
    EXPECT_EQ(small.position, (Position{179, 196}));
    EXPECT_EQ(small.close.left, 179 + 666 - 166);
    EXPECT_EQ(small.close.top, 196 + 375 - 58);
    EXPECT_TRUE(small.closeReachable);
}

TEST(CoverOnScreen, ATallCoverPutsCloseBelowTheScreen) {
    const CoverOnScreen tall = coverOnScreen({800, 1200}, {1920, 1080});
    EXPECT_EQ(tall.window, (Size{1248, 1872}));
    EXPECT_EQ(tall.position.top, -396);
    EXPECT_GT(tall.close.top + tall.close.height, 1080);
    EXPECT_TRUE(tall.closeInsideWindow);
    EXPECT_FALSE(tall.closeOnScreen);
    EXPECT_FALSE(coverOnScreen({800, 1200}, {1366, 768}).closeReachable);
}

TEST(CoverOnScreen, ACoverSmallerThanTheButtonsCutsCloseOffTheWindow) {
    const CoverOnScreen tiny = coverOnScreen({120, 40}, {1920, 1080});
    EXPECT_EQ(tiny.window, (Size{120, 40}));
    EXPECT_FALSE(tiny.closeInsideWindow);
    EXPECT_FALSE(tiny.closeReachable);
}

TEST(CoverOnScreen, AWideLowCoverStaysReachable) {
    EXPECT_TRUE(coverOnScreen({1300, 300}, {1366, 768}).closeReachable);
    EXPECT_TRUE(coverOnScreen({960, 540}, {1366, 768}).closeReachable);
}

}  // namespace
}  // namespace ui
