// The one bounds-checked little-endian reader for archive bytes. Every read checks the bytes
// left first; a read past the end sets a sticky failure and yields zeros, so a parser can read
// a whole record and test ok() once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/byte_order.h"

namespace zip {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return bytes_.size() - pos_; }

    std::uint16_t u16() {
        if (!need(2)) return 0;
        return platform::loadLE16(take(2));
    }
    std::uint32_t u32() {
        if (!need(4)) return 0;
        return platform::loadLE32(take(4));
    }
    std::uint64_t u64() {
        const std::uint64_t low = u32();
        return low | (std::uint64_t{u32()} << 32);
    }
    std::string_view bytes(std::size_t count) {
        if (!need(count)) return {};
        std::string_view out = bytes_.substr(pos_, count);
        pos_ += count;
        return out;
    }
    void skip(std::size_t count) {
        if (need(count)) pos_ += count;
    }

private:
    bool need(std::size_t count) {
        if (!ok_ || remaining() < count) {
            ok_ = false;
            return false;
        }
        return true;
    }
    // The next `count` bytes, which need() has found there.
    const unsigned char* take(std::size_t count) {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + pos_);
        pos_ += count;
        return p;
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace zip
