// The bounds-checked little-endian reader refuses to read past its span.
#include <gtest/gtest.h>

#include <vector>

#include "jet/byte_codec.h"

namespace {

TEST(ByteCodecTest, ReadsLittleEndianAndBigEndianIndexPointers) {
    std::vector<std::uint8_t> bytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
    EXPECT_EQ(jet::loadU16(bytes, 0), 0x0201);
    EXPECT_EQ(jet::loadU24(bytes, 1), 0x040302u);
    EXPECT_EQ(jet::loadU24BE(bytes, 1), 0x020304u);
    EXPECT_EQ(jet::loadU32(bytes, 4), 0x08070605u);
    EXPECT_EQ(jet::loadU64(bytes, 0), 0x0807060504030201ull);
    EXPECT_EQ(jet::loadI16(std::vector<std::uint8_t>{0xFE, 0xFF}, 0), -2);
}

TEST(ByteCodecTest, EveryReadPastTheEndThrows) {
    std::vector<std::uint8_t> bytes(7);
    // Offsets the optimiser cannot see, so that it does not warn about the reads we refuse.
    volatile std::size_t four = 4, seven = 7;
    EXPECT_THROW(jet::loadU32(bytes, four), jet::TruncatedData);
    EXPECT_THROW(jet::loadU8(bytes, seven), jet::TruncatedData);
    EXPECT_THROW(jet::loadBytes(bytes, 3, 5), jet::TruncatedData);
    EXPECT_THROW(jet::loadU16(bytes, SIZE_MAX), jet::TruncatedData);  // no wrap-around
    jet::ByteReader reader(bytes);
    reader.u32();
    reader.u16();
    EXPECT_THROW(reader.u16(), jet::TruncatedData);
    EXPECT_EQ(reader.position(), 6u);  // a failed read does not move
    EXPECT_THROW(reader.seek(8), jet::TruncatedData);
}

TEST(ByteCodecTest, WriterAndStoresMirrorTheLoads) {
    std::vector<std::uint8_t> out;
    jet::ByteWriter writer(out);
    writer.u16(0x0201);
    writer.u32(0x06050403);
    writer.f64(-1.25);
    EXPECT_EQ(jet::loadU16(out, 0), 0x0201);
    EXPECT_EQ(jet::loadU32(out, 2), 0x06050403u);
    EXPECT_EQ(jet::loadF64(out, 6), -1.25);
    jet::storeU24BE(out, 0, 0x0A0B0C);
    EXPECT_EQ(out[0], 0x0A);
    EXPECT_EQ(out[2], 0x0C);
    EXPECT_THROW(jet::storeU32(out, out.size() - 2, 1), jet::TruncatedData);
}

}  // namespace
