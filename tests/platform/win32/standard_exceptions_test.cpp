// The standard exception classes as the Windows programs define them (platform/win32): each
// copy keeps the message past the original, moves leave a valid empty one, and the classes
// still catch as their bases.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>

namespace {

TEST(StandardExceptionsTest, CopiesKeepTheMessagePastTheOriginal) {
    auto* original = new std::runtime_error(std::string("Plik CADTool.mdb: ") + std::string(300, 'x'));
    std::runtime_error copy(*original);
    std::runtime_error assigned("before");
    assigned = *original;
    delete original;
    EXPECT_EQ(std::string(copy.what()), "Plik CADTool.mdb: " + std::string(300, 'x'));
    EXPECT_STREQ(assigned.what(), copy.what());
    assigned = assigned;  // itself
    EXPECT_STREQ(assigned.what(), copy.what());
}

TEST(StandardExceptionsTest, MovesLeaveAnEmptyMessage) {
    std::logic_error source("moved");
    std::logic_error target(std::move(source));
    EXPECT_STREQ(target.what(), "moved");
    EXPECT_STREQ(source.what(), "");  // NOLINT(bugprone-use-after-move): defined, and empty
    std::logic_error other("other");
    other = std::move(target);
    EXPECT_STREQ(other.what(), "moved");
}

TEST(StandardExceptionsTest, EveryKindCatchesAsItsBaseWithItsMessage) {
    auto caught = [](auto thrower) -> std::string {
        try {
            thrower();
        } catch (const std::exception& error) {
            return error.what();
        }
        return "nothing thrown";
    };
    EXPECT_EQ(caught([] { throw std::out_of_range("out"); }), "out");
    EXPECT_EQ(caught([] { throw std::invalid_argument(std::string("bad")); }), "bad");
    EXPECT_EQ(caught([] { throw std::overflow_error("over"); }), "over");
    EXPECT_EQ(caught([] { std::string("abc").substr(5); }).empty(), false);  // the library's own
    try {
        throw std::length_error("long");
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "long");
    }
    try {
        throw std::range_error("range");
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "range");
    }
}

}  // namespace
