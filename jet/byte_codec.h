// The Jet file's integers and floats, bounds-checked over platform/byte_order.h.
// ByteReader walks a byte span and throws TruncatedData instead of reading past its end; the
// load/store functions do the same at a given offset; ByteWriter appends to a growing buffer.
// Index entries are the one big-endian spelling in the format (the row page in three bytes, a
// child page in four).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "jet/jet_error.h"
#include "platform/byte_order.h"

namespace jet {

using Bytes = std::span<const std::uint8_t>;
using MutableBytes = std::span<std::uint8_t>;

namespace codec_detail {
// Throws TruncatedData; out of line (byte_codec.cpp), as every checked field calls it.
[[noreturn]] void overrun(std::size_t offset, std::size_t count, std::size_t size);
inline void check(std::size_t offset, std::size_t count, std::size_t size) {
    if (offset > size || count > size - offset) overrun(offset, count, size);
}
inline std::uint8_t byteAt(const unsigned char* p) { return *p; }

// Every fixed-width field goes through these two: check the bounds, then decode or encode.
template <auto decode, std::size_t width>
inline auto checkedLoad(Bytes data, std::size_t offset) {
    check(offset, width, data.size());
    return decode(data.data() + offset);
}
template <typename Value, int width, auto encode = platform::storeLE>
inline void checkedStore(MutableBytes data, std::size_t offset, Value value) {
    check(offset, width, data.size());
    encode(data.data() + offset, value, width);
}
}  // namespace codec_detail

// Reads at an offset; throws TruncatedData when [offset, offset + width) is not inside `data`.
inline constexpr auto& loadU8 = codec_detail::checkedLoad<codec_detail::byteAt, 1>;
inline constexpr auto& loadU16 = codec_detail::checkedLoad<platform::loadLE16, 2>;
inline constexpr auto& loadU24 = codec_detail::checkedLoad<platform::loadLE24, 3>;
inline constexpr auto& loadU24BE = codec_detail::checkedLoad<platform::loadBE24, 3>;
inline constexpr auto& loadU32 = codec_detail::checkedLoad<platform::loadLE32, 4>;
inline constexpr auto& loadU32BE = codec_detail::checkedLoad<platform::loadBE32, 4>;
inline constexpr auto& loadU64 = codec_detail::checkedLoad<platform::loadLE64, 8>;
inline std::int16_t loadI16(Bytes data, std::size_t at) { return std::int16_t(loadU16(data, at)); }
inline std::int32_t loadI32(Bytes data, std::size_t at) { return std::int32_t(loadU32(data, at)); }
inline std::int64_t loadI64(Bytes data, std::size_t at) { return std::int64_t(loadU64(data, at)); }
inline float loadF32(Bytes d, std::size_t at) { return std::bit_cast<float>(loadU32(d, at)); }
inline double loadF64(Bytes d, std::size_t at) { return std::bit_cast<double>(loadU64(d, at)); }
// The `count` bytes at `offset`, as a sub-span.
inline Bytes loadBytes(Bytes data, std::size_t offset, std::size_t count) {
    codec_detail::check(offset, count, data.size());
    return data.subspan(offset, count);
}

// Writes in place at an offset; throws TruncatedData when the field does not fit.
inline constexpr auto& storeU8 = codec_detail::checkedStore<std::uint8_t, 1>;
inline constexpr auto& storeU16 = codec_detail::checkedStore<std::uint16_t, 2>;
inline constexpr auto& storeU24 = codec_detail::checkedStore<std::uint32_t, 3>;
inline constexpr auto& storeU24BE = codec_detail::checkedStore<std::uint32_t, 3, platform::storeBE>;
inline constexpr auto& storeU32 = codec_detail::checkedStore<std::uint32_t, 4>;
inline constexpr auto& storeU64 = codec_detail::checkedStore<std::uint64_t, 8>;
inline void storeF32(MutableBytes data, std::size_t at, float value) {
    storeU32(data, at, std::bit_cast<std::uint32_t>(value));
}
inline void storeF64(MutableBytes data, std::size_t at, double value) {
    storeU64(data, at, std::bit_cast<std::uint64_t>(value));
}
inline void storeBytes(MutableBytes data, std::size_t offset, Bytes bytes) {
    codec_detail::check(offset, bytes.size(), data.size());
    if (!bytes.empty()) std::memcpy(data.data() + offset, bytes.data(), bytes.size());
}

// Sequential decoding from the start of a span.
class ByteReader {
public:
    explicit ByteReader(Bytes data, std::size_t position = 0) : data_(data), position_(position) {}

    std::uint8_t u8() { return advance(loadU8(data_, position_), 1); }
    std::uint16_t u16() { return advance(loadU16(data_, position_), 2); }
    std::uint32_t u24() { return advance(loadU24(data_, position_), 3); }
    std::uint32_t u32() { return advance(loadU32(data_, position_), 4); }
    std::uint64_t u64() { return advance(loadU64(data_, position_), 8); }
    std::int16_t i16() { return advance(loadI16(data_, position_), 2); }
    std::int32_t i32() { return advance(loadI32(data_, position_), 4); }
    std::int64_t i64() { return advance(loadI64(data_, position_), 8); }
    float f32() { return advance(loadF32(data_, position_), 4); }
    double f64() { return advance(loadF64(data_, position_), 8); }
    Bytes bytes(std::size_t count) { return advance(loadBytes(data_, position_, count), count); }
    void skip(std::size_t count) { bytes(count); }

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return data_.size() - position_; }
    void seek(std::size_t position) {
        if (position > data_.size()) codec_detail::overrun(position, 0, data_.size());
        position_ = position;
    }

private:
    template <typename T>
    T advance(T value, std::size_t width) {
        position_ += width;
        return value;
    }
    Bytes data_;
    std::size_t position_;
};

// Sequential encoding onto the end of a byte vector.
class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void u8(std::uint8_t v) { out_.push_back(v); }
    void u16(std::uint16_t v) { platform::appendLE(out_, v, 2); }
    void u24(std::uint32_t v) { platform::appendLE(out_, v, 3); }
    void u32(std::uint32_t v) { platform::appendLE(out_, v, 4); }
    void u64(std::uint64_t v) { platform::appendLE(out_, v, 8); }
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void i64(std::int64_t v) { u64(static_cast<std::uint64_t>(v)); }
    void f32(float v) { u32(std::bit_cast<std::uint32_t>(v)); }
    void f64(double v) { u64(std::bit_cast<std::uint64_t>(v)); }
    void bytes(Bytes b) { out_.insert(out_.end(), b.begin(), b.end()); }
    void zeros(std::size_t count) { out_.insert(out_.end(), count, 0); }
    std::size_t size() const { return out_.size(); }

private:
    std::vector<std::uint8_t>& out_;
};

}  // namespace jet
