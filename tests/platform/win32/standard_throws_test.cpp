// The library's throw helpers as the Windows programs define them (platform/win32): the
// containers' and strings' own checks throw the standard kinds, and the out-of-range messages
// carry their numbers and names as the library's formatter wrote them.
#include <gtest/gtest.h>

#include <cstddef>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

template <typename Exception, typename Action>
std::string messageOf(Action action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.what();
    }
    ADD_FAILURE() << "nothing thrown";
    return {};
}

TEST(StandardThrows, ContainerChecksThrowTheirKindsWithTheirNumbers) {
    std::vector<int> three(3);
    EXPECT_EQ(messageOf<std::out_of_range>([&] { (void)three.at(7); }),
              "vector::_M_range_check: __n (which is 7) >= this->size() (which is 3)");
    const std::string text = "abc";
    EXPECT_EQ(messageOf<std::out_of_range>([&] { (void)text.substr(5); }),
              "basic_string::substr: __pos (which is 5) > this->size() (which is 3)");
    EXPECT_EQ(messageOf<std::out_of_range>([&] { (void)text.at(3); }),
              "basic_string::at: __n (which is 3) >= this->size() (which is 3)");
    EXPECT_FALSE(messageOf<std::length_error>([&] { three.reserve(three.max_size() + 1); }).empty());
    EXPECT_FALSE(messageOf<std::logic_error>([] { std::string nothing(static_cast<const char*>(nullptr)); }).empty());
    EXPECT_FALSE(messageOf<std::bad_alloc>([] { std::__throw_bad_alloc(); }).empty());
}

}  // namespace
