// Whole-line selection of the log box and the copy text of a line range.
#include "toolkit/line_selection.h"

#include <gtest/gtest.h>

#include <string>

#include "toolkit/memo.h"

namespace toolkit {
namespace {

TEST(LineSelection, ClickThenShiftClickSelectsTheRangeInEitherDirection) {
    LineSelection s;
    EXPECT_TRUE(s.empty());
    s.select(5, 10);
    EXPECT_EQ(s.first(), 5u);
    EXPECT_EQ(s.last(), 5u);
    s.extendTo(2, 10);
    EXPECT_EQ(s.first(), 2u);
    EXPECT_EQ(s.last(), 5u);
    EXPECT_EQ(s.anchor(), 5u);
    EXPECT_TRUE(s.contains(3));
    EXPECT_FALSE(s.contains(6));
    s.extendTo(8, 10);  // a drag past the anchor turns the range round it
    EXPECT_EQ(s.first(), 5u);
    EXPECT_EQ(s.last(), 8u);
}

TEST(LineSelection, LinesBeyondTheEndTakeTheLastAndAnEmptyListSelectsNothing) {
    LineSelection s;
    s.select(99, 3);
    EXPECT_EQ(s.caret(), 2u);
    s.extendTo(1000, 3);
    EXPECT_EQ(s.last(), 2u);
    s.select(0, 0);
    EXPECT_TRUE(s.empty());
    s.selectAll(0);
    EXPECT_TRUE(s.empty());
}

TEST(LineSelection, KeysMoveOrExtendTheCaretWithinTheList) {
    LineSelection s;
    s.select(3, 10);
    s.moveCaret(1, /*extend=*/true, 10);
    s.moveCaret(1, true, 10);
    EXPECT_EQ(s.first(), 3u);
    EXPECT_EQ(s.last(), 5u);
    s.moveCaret(-100, true, 10);  // Page Up far past the top
    EXPECT_EQ(s.first(), 0u);
    EXPECT_EQ(s.last(), 3u);
    s.moveCaret(1, /*extend=*/false, 10);
    EXPECT_EQ(s.first(), 1u);
    EXPECT_EQ(s.last(), 1u);
    s.moveCaret(1LL << 62, true, 10);  // Ctrl+End
    EXPECT_EQ(s.last(), 9u);
    s.moveCaret(-(1LL << 62), false, 10);  // Ctrl+Home
    EXPECT_EQ(s.caret(), 0u);
    s.clear();
    s.moveCaret(1, true, 10);  // nothing selected: the caret line becomes the anchor
    EXPECT_EQ(s.first(), 0u);
    EXPECT_EQ(s.last(), 1u);
}

TEST(LineSelection, SelectAllOfMillionsOfLinesCopiesThemWhole) {
    MemoLines lines;
    const std::string longLine = "Plik EXE z archiwum: " + std::string(3000, 'x') + " zmień";
    for (int i = 0; i < 2000000; ++i) lines.append(i == 1234567 ? longLine : std::to_string(i));
    LineSelection s;
    s.selectAll(lines.size());
    EXPECT_EQ(s.first(), 0u);
    EXPECT_EQ(s.last(), 1999999u);
    EXPECT_EQ(lines.longestLine(), longLine.size());

    const std::string all = lines.joined(s.first(), s.last(), "\r\n");
    EXPECT_EQ(all.compare(0, 8, "0\r\n1\r\n2\r"), 0);
    EXPECT_EQ(all.compare(all.size() - 9, 9, "\r\n1999999"), 0);
    EXPECT_NE(all.find("1234566\r\n" + longLine + "\r\n1234568\r\n"), std::string::npos);
}

TEST(MemoLinesRange, JoinsExactlyTheStoredBytesOfTheRange) {
    MemoLines lines;
    for (const char* line : {"a", "", "zmień jeśli", "tab\there"}) lines.append(line);
    EXPECT_EQ(lines.joined(1, 2, "\r\n"), "\r\nzmień jeśli");
    EXPECT_EQ(lines.joined(3, 3, "\r\n"), "tab\there");
    EXPECT_EQ(lines.joined(2, 99, "|"), "zmień jeśli|tab\there");
    EXPECT_EQ(lines.joined(4, 5, "|"), "");
    EXPECT_EQ(lines.longestLine(), std::string("zmień jeśli").size());
    lines.clear();
    EXPECT_EQ(lines.longestLine(), 0u);
    EXPECT_EQ(lines.joined(0, 0, "|"), "");
}

}  // namespace
}  // namespace toolkit
