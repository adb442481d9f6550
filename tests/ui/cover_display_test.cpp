// Fitting a cover to the screen: the fitting test, the 0.65 shrink with halves to even in
// extended precision, and centring of the resulting window.
#include "ui/cover_display.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using ui::CoverFit;
using ui::Position;
using ui::Size;

struct FitCase {
    const char* what;
    Size picture, window, border, screen;
    bool fits;
    Size shown, newWindow;
    bool center;
    Position position;  // where centring puts the new window
};

class FitCoverTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitCoverTest, GivesSizeCentringAndPosition) {
    const FitCase& c = GetParam();
    const CoverFit fit = ui::fitCover(c.picture, c.window, c.border, c.screen);
    EXPECT_EQ(fit.fits, c.fits);
    EXPECT_EQ(fit.picture, c.shown);
    EXPECT_EQ(fit.window, c.newWindow);
    EXPECT_EQ(fit.center, c.center);
    EXPECT_EQ(ui::centeredPosition(fit.window, c.screen), c.position);
}

const Size kDesigned{1040, 585};
const Size kNoBorder{0, 0};

INSTANTIATE_TEST_SUITE_P(
    Screens, FitCoverTest,
    ::testing::Values(
        FitCase{"designed cover on 1366x768 changes nothing", kDesigned, kDesigned, kNoBorder,
                {1366, 768}, true, kDesigned, kDesigned, false, {163, 91}},
        FitCase{"designed cover on 1280x720 changes nothing", kDesigned, kDesigned, kNoBorder,
                {1280, 720}, true, kDesigned, kDesigned, false, {120, 67}},
        FitCase{"1024x768 shrinks 665.6 to 666 and 374.625 to 375", kDesigned, kDesigned,
                kNoBorder, {1024, 768}, false, {666, 375}, {666, 375}, true, {179, 196}},
        FitCase{"a tall cover is limited by the width only", {800, 1200}, kDesigned, kNoBorder,
                {1920, 1080}, false, {1248, 1872}, {1248, 1872}, true, {336, -396}},
        FitCase{"a cover as large as the screen fits", {1920, 1080}, kDesigned, kNoBorder,
                {1920, 1080}, true, {1920, 1080}, {1920, 1080}, true, {0, 0}},
        FitCase{"a cover one pixel too wide is shrunk", {1921, 1080}, kDesigned, kNoBorder,
                {1920, 1080}, false, {1248, 702}, {1248, 702}, true, {336, 189}},
        FitCase{"a smaller cover shrinks the window and centres it", {640, 360}, kDesigned,
                kNoBorder, {1366, 768}, true, {640, 360}, {640, 360}, true, {363, 204}},
        FitCase{"the border counts in the fitting test", {1000, 700}, {1016, 739}, {16, 39},
                {1016, 739}, true, {1000, 700}, {1016, 739}, false, {0, 0}},
        FitCase{"the border is added to the shrunk size", {1000, 700}, {1016, 739}, {16, 39},
                {1015, 739}, false, {660, 462}, {676, 501}, true, {169, 119}}),
    [](const ::testing::TestParamInfo<FitCase>& param) { return "case" + std::to_string(param.index); });

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    struct { long double value; long long rounded; } cases[] = {
        {0.5L, 0}, {1.5L, 2}, {2.5L, 2}, {374.625L, 375}, {665.6L, 666},
        {656.4999L, 656}, {-0.5L, 0}, {-1.5L, -2}, {7.0L, 7},
    };
    for (const auto& c : cases) EXPECT_EQ(ui::roundHalfEven(c.value), c.rounded) << static_cast<double>(c.value);
}

// 1010 x 0.65 is 656.5 exactly, but the double nearest to 0.65 is slightly larger; carried in
// a 64-bit mantissa the excess survives and the value rounds up, while in plain double
// arithmetic it would vanish and the half would go down to 656.
TEST(FitCover, ExtendedPrecisionKeepsTheConstantsExcess) {
    if (std::numeric_limits<long double>::digits < 64) GTEST_SKIP() << "long double is not extended here";
    const CoverFit fit = ui::fitCover({2048, 1024}, kDesigned, kNoBorder, {1010, 2000});
    EXPECT_FALSE(fit.fits);
    EXPECT_EQ(fit.picture.width, 657);
    // 657 / 2048 x 1024 is exactly 328.5 in binary: the half goes to the even 328.
    EXPECT_EQ(fit.picture.height, 328);
}

TEST(FitCover, RejectsAPictureWithoutWidth) {
    EXPECT_THROW(ui::fitCover({0, 900}, kDesigned, kNoBorder, {1024, 768}), std::invalid_argument);
}

}  // namespace
