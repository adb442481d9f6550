// The size of a file or of free space as the log words it: megabytes to one decimal with a
// decimal comma, rounded as printf rounds, then the exact bytes in groups of three.
#include <gtest/gtest.h>

#include <cstdint>

#include "install/free_space_check.h"

namespace {

TEST(SizeTextTest, RoundsMegabytesHalfToEvenAndGroupsBytes) {
    struct Case { std::uint64_t bytes; const char* text; };
    const Case cases[] = {
        {0, "0,0 MB (0 B)"},
        {999, "0,0 MB (999 B)"},
        {52428, "0,0 MB (52 428 B)"},  // 0.04999 MB
        {52429, "0,1 MB (52 429 B)"},  // 0.05000 MB and a little
        {262144, "0,2 MB (262 144 B)"},  // 0.25 exactly: to the even tenth
        {786432, "0,8 MB (786 432 B)"},  // 0.75 exactly
        {1048575, "1,0 MB (1 048 575 B)"},  // the tenths carry into the whole megabytes
        {1048576, "1,0 MB (1 048 576 B)"},
        {17825792 + 104858, "17,1 MB (17 930 650 B)"},
        {std::uint64_t(1) << 40, "1048576,0 MB (1 099 511 627 776 B)"},
    };
    for (const auto& c : cases) EXPECT_EQ(install::sizeText(c.bytes), c.text) << c.bytes;
}

}  // namespace

namespace {

// The drive the free-space message names: the letter and colon of a Windows path; a path
// without a drive letter (a POSIX host) is named whole.
TEST(SizeTextTest, DriveOfAPathIsItsLetterAndColon) {
    EXPECT_EQ(install::driveOf("C:\\Kavitek\\CAD 2.0\\dodatki\\"), "C:");
    EXPECT_EQ(install::driveOf("d:\\x"), "d:");
    EXPECT_EQ(install::driveOf("/mnt/c/dodatki/"), "/mnt/c/dodatki/");
    EXPECT_EQ(install::driveOf(":\\odd"), ":\\odd");
}

}  // namespace
