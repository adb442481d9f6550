// Component rules that callers rely on: the edit's change event, the gauge's clamping and
// immediate repaint, the memo's line store, the form's anchoring.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/edit.h"
#include "toolkit/form.h"
#include "toolkit/gauge.h"
#include "toolkit/image.h"
#include "toolkit/memo.h"
#include "toolkit/picture.h"

namespace toolkit {
namespace {

TEST(Edit, ChangeEventRunsOnlyWhenTheTextReallyChanges) {
    Edit edit("Edit1");
    std::vector<std::string> seen;
    edit.onChange = [&] { seen.push_back(edit.text()); };
    edit.setText("C:\\");
    edit.setText("C:\\");
    edit.setText("");
    edit.setText("");
    edit.setText("D:\\");
    EXPECT_EQ(seen, (std::vector<std::string>{"C:\\", "", "D:\\"}));
}

TEST(Edit, ExceptionFromTheChangeHandlerReachesTheAssignerWithTheNewTextInPlace) {
    Edit edit("Edit1");
    edit.onChange = [] { throw std::runtime_error("boom"); };
    EXPECT_THROW(edit.setText("x"), std::runtime_error);
    EXPECT_EQ(edit.text(), "x");
}

TEST(Gauge, PositionIsClampedToTheRange) {
    struct Case {
        int min, max, set, expected;
    };
    for (const Case c : {Case{0, 100, 50, 50}, Case{0, 100, -5, 0}, Case{0, 100, 101, 100},
                         Case{10, 20, 5, 10}, Case{10, 20, 2000000000, 20},
                         Case{-50, -10, 0, -10}}) {
        Gauge gauge("gauge");
        gauge.setMaxValue(c.max);
        gauge.setMinValue(c.min);
        gauge.setProgress(c.set);
        EXPECT_EQ(gauge.progress(), c.expected) << c.min << ".." << c.max << " set " << c.set;
    }
}

TEST(Gauge, NarrowingTheRangePullsThePositionIn) {
    Gauge gauge("gauge");
    gauge.setProgress(80);
    gauge.setMaxValue(50);
    EXPECT_EQ(gauge.progress(), 50);
    EXPECT_EQ(gauge.percentDone(), 100);
}

TEST(Gauge, RepaintsAtOnceExactlyWhenTheShownPercentageChanges) {
    Gauge gauge("gauge");
    gauge.setMaxValue(1000);
    std::vector<int> painted;
    gauge.setImmediateRepaint([&](Gauge& g) { painted.push_back(g.percentDone()); });
    for (int p : {1, 5, 9, 10, 11, 19, 20, 20, 1000, 5000, 0}) gauge.setProgress(p);
    // 1..9 stay at 0 %; 10 and 11 give 1 %; 19 stays; 20 gives 2 %; beyond the end is 100 %.
    EXPECT_EQ(painted, (std::vector<int>{1, 2, 100, 0}));
}

TEST(Gauge, PercentOfAWideRangeDoesNotOverflow) {
    Gauge gauge("gauge");
    gauge.setMinValue(-2000000000);
    gauge.setMaxValue(2000000000);
    gauge.setProgress(1000000000);
    EXPECT_EQ(gauge.percentDone(), 75);
}

TEST(MemoLines, KeepsEveryLineWithEmptyOnesAndBytesIntact) {
    MemoLines lines;
    const std::vector<std::string> input = {"Inicjalizacja.", "", "Screen [1920 x 1080 ]",
                                            std::string("a\0b", 3), "zmień"};
    for (const auto& line : input) lines.append(line);
    ASSERT_EQ(lines.size(), input.size());
    for (std::size_t i = 0; i < input.size(); ++i) EXPECT_EQ(lines[i], input[i]) << i;
    EXPECT_EQ(lines.joined(), "Inicjalizacja.\n\nScreen [1920 x 1080 ]\n" +
                                  std::string("a\0b", 3) + "\nzmień");
    lines.clear();
    EXPECT_TRUE(lines.empty());
}

TEST(MemoLines, AMillionLinesAreAllAddressable) {
    MemoLines lines;
    for (int i = 0; i < 1000000; ++i) lines.append(std::to_string(i));
    ASSERT_EQ(lines.size(), 1000000u);
    EXPECT_EQ(lines[0], "0");
    EXPECT_EQ(lines[123456], "123456");
    EXPECT_EQ(lines[999999], "999999");
}

struct AnchorCase {
    const char* what;
    Anchors anchors;
    int left, top, width, height;  // expected after 1040 x 585 -> 666 x 375
};

TEST(FormAnchors, ResizingMovesAndStretchesByAnchors) {
    const AnchorCase cases[] = {
        {"left top", {true, true, false, false}, 100, 50, 200, 30},
        {"right bottom", {false, false, true, true}, 100 - 374, 50 - 210, 200, 30},
        {"left right", {true, true, true, false}, 100, 50, 200 - 374, 30},
        {"all", {true, true, true, true}, 100, 50, 0, 30 - 210},
        // centre (200, 65) scaled by 666/1040 and 375/585 is (128.08, 41.67)
        {"none", {false, false, false, false}, 28, 27, 200, 30},
    };
    for (const auto& c : cases) {
        Form form("Form1");
        form.setBorderless(true);
        form.setClientSize(1040, 585);
        Picture picture("p");
        picture.setBounds(100, 50, 200, 30);
        picture.setAnchors(c.anchors);
        form.add(picture);
        form.setClientSize(666, 375);
        EXPECT_EQ(picture.left(), c.left) << c.what;
        EXPECT_EQ(picture.top(), c.top) << c.what;
        EXPECT_EQ(picture.width(), std::max(0, c.width)) << c.what;
        EXPECT_EQ(picture.height(), std::max(0, c.height)) << c.what;
    }
}

TEST(FormAnchors, ShrinkingAndGrowingBackRestoresTheDesignBounds) {
    Form form("Form1");
    form.setClientSize(1040, 585);
    Picture centred("c"), stretched("s");
    centred.setBounds(935, 454, 64, 64);
    centred.setAnchors({false, false, false, false});
    stretched.setBounds(105, 408, 383, 19);
    stretched.setAnchors({true, false, true, true});
    form.add(centred);
    form.add(stretched);
    for (int w : {777, 1001, 333, 1500}) form.setClientSize(w, w / 2);
    form.setClientSize(1040, 585);
    EXPECT_EQ(centred.left(), 935);
    EXPECT_EQ(centred.top(), 454);
    EXPECT_EQ(stretched.width(), 383);
    EXPECT_EQ(stretched.top(), 408);
}

TEST(FormAnchors, BoundsSetByTheProgramBecomeTheNewRule) {
    Form form("Form1");
    form.setClientSize(1040, 585);
    Picture bg("BG");
    bg.setBounds(0, 0, 1040, 585);
    bg.setAnchors({true, true, true, true});
    form.add(bg);
    form.setClientSize(800, 450);
    bg.setBounds(0, 0, 700, 400);  // the program sizes it itself
    form.setClientSize(900, 500);
    EXPECT_EQ(bg.width(), 800);
    EXPECT_EQ(bg.height(), 450);
}

TEST(FormAnchors, ComponentsAddedBeforeTheFormHadASizeKeepTheirPlaceWhenItGetsOne) {
    Form form("Form1");
    Picture button("b");
    button.setBounds(874, 527, 151, 50);
    button.setAnchors({false, false, true, true});
    form.add(button);
    form.setClientSize(1040, 585);
    EXPECT_EQ(button.left(), 874);
    form.setClientSize(1000, 585);
    EXPECT_EQ(button.left(), 834);
}

TEST(Form, ClientSizeExcludesTheFrame) {
    Form form("Form1");
    form.setClientSize(1040, 585);
    form.setFrameExtents(16, 39);
    EXPECT_EQ(form.width(), 1056);
    EXPECT_EQ(form.height(), 624);
    EXPECT_EQ(form.clientWidth(), 1040);
    form.setSize(500, 300);
    EXPECT_EQ(form.clientWidth(), 484);
    EXPECT_EQ(form.clientHeight(), 261);
}

TEST(Image, PartsMustLieWhollyInsideThePicture) {
    const Image sheet{151, 400, nullptr};
    EXPECT_TRUE(sheet.contains(0, 0, 151, 50));
    EXPECT_TRUE(sheet.contains(0, 350, 151, 50));  // the last look
    EXPECT_FALSE(sheet.contains(0, 351, 151, 50));
    EXPECT_FALSE(sheet.contains(1, 0, 151, 50));
    EXPECT_FALSE(sheet.contains(-1, 0, 10, 10));
    EXPECT_FALSE(sheet.contains(0, 0, 0, 50));
    EXPECT_FALSE(sheet.contains(0, 2147483600, 151, 100));  // no overflow past the bottom
}

}  // namespace
}  // namespace toolkit
