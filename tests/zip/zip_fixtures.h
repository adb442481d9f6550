// Helpers that build and damage archives in memory for the reader's tests.
#pragma once

#include <cstdint>
#include <string>

namespace ziptest {

inline void patchU16(std::string& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

inline void patchU32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
}

inline std::uint32_t readU32(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(bytes[at + k]);
    return v;
}

// Deterministic bytes that deflate cannot shrink.
inline std::string noise(std::size_t size, std::uint32_t seed = 1) {
    std::string out(size, '\0');
    std::uint32_t x = seed * 2654435761u + 1;
    for (auto& c : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x & 0xFF);
    }
    return out;
}

// Offset of the central-directory entry of member `k` (our writer's entries have no extras).
inline std::size_t centralEntryOffset(const std::string& zip, std::size_t k) {
    std::size_t at = zip.rfind(std::string("PK\x05\x06", 4));
    at = readU32(zip, at + 16);
    for (std::size_t i = 0; i < k; ++i) {
        const std::size_t nameLength = static_cast<unsigned char>(zip[at + 28]) | (static_cast<unsigned char>(zip[at + 29]) << 8);
        at += 46 + nameLength;
    }
    return at;
}

}  // namespace ziptest
