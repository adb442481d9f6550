// Numbers as pieces of joined messages: the digits std::to_string writes, for every width
// and sign the messages pass, without a string of their own.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "platform/decimal_piece.h"

namespace {

template <typename Integer>
void expectAsToString(Integer value) {
    EXPECT_EQ(std::string(std::string_view(platform::DecimalPiece(value))), std::to_string(value)) << +value;
}

TEST(DecimalPiece, WritesWhatToStringWritesAtEveryEdge) {
    for (const int v : {0, 1, 9, 10, -1, -10, 255, 256, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()})
        expectAsToString(v);
    for (const std::int64_t v : {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(),
                                 std::int64_t{-1000000000000}})
        expectAsToString(v);
    for (const std::uint64_t v : {std::uint64_t{0}, std::numeric_limits<std::uint64_t>::max(), std::uint64_t{1} << 63})
        expectAsToString(v);
    expectAsToString(std::numeric_limits<std::uint32_t>::max());
    expectAsToString(std::int16_t{-32768});
    expectAsToString(std::uint8_t{200});
}

}  // namespace
