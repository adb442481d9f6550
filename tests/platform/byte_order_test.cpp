#include "platform/byte_order.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

TEST(ByteOrder, LoadsReadEachWidthInItsOrder) {
    const unsigned char b[8] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0xF8};
    EXPECT_EQ(platform::loadLE16(b), 0x0201u);
    EXPECT_EQ(platform::loadLE24(b), 0x030201u);
    EXPECT_EQ(platform::loadLE32(b), 0x04030201u);
    EXPECT_EQ(platform::loadLE64(b), 0xF807060504030201ull);
    EXPECT_EQ(platform::loadBE24(b), 0x010203u);
    EXPECT_EQ(platform::loadBE32(b + 4), 0x050607F8u);
}

TEST(ByteOrder, StoresAndAppendsGiveBackWhatLoadsRead) {
    unsigned char le[8] = {}, be[4] = {};
    platform::storeLE(le, 0x8877665544332211ull, 8);
    EXPECT_EQ(platform::loadLE64(le), 0x8877665544332211ull);
    platform::storeBE(be, 0xA1B2C3D4u, 4);
    EXPECT_EQ(platform::loadBE32(be), 0xA1B2C3D4u);

    // Only `width` bytes are written, whatever the value's higher bytes hold.
    std::string text;
    platform::appendLE(text, 0xFFAABBCCu, 3);
    EXPECT_EQ(text, std::string("\xCC\xBB\xAA", 3));
    std::vector<std::uint8_t> bytes;
    platform::appendBE(bytes, 0xFF123456u, 3);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x12, 0x34, 0x56}));
}

}  // namespace
