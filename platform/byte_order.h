// Integers as bytes in a fixed order, one spelling for every format we read and write: ZIP,
// PE and Jet store little-endian; Jet's index entries and SHA's words big-endian. These check
// nothing: the engines wrap them in their own bounds checks (zip::ByteReader's sticky failure,
// jet's load/store throwing TruncatedData).
#pragma once

#include <cstdint>

namespace platform {

inline std::uint16_t loadLE16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t loadLE24(const unsigned char* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
}
inline std::uint32_t loadLE32(const unsigned char* p) {
    return loadLE24(p) | (std::uint32_t(p[3]) << 24);
}
inline std::uint64_t loadLE64(const unsigned char* p) {
    return std::uint64_t(loadLE32(p)) | (std::uint64_t(loadLE32(p + 4)) << 32);
}
inline std::uint32_t loadBE24(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | std::uint32_t(p[2]);
}
inline std::uint32_t loadBE32(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | loadBE24(p + 1);
}

// Writes `width` bytes of `value`, lowest first.
inline void storeLE(unsigned char* p, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}
// Writes `width` bytes of `value`, highest first.
inline void storeBE(unsigned char* p, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) p[i] = static_cast<unsigned char>(value >> (8 * (width - 1 - i)));
}

// Appends `width` bytes of `value` to a byte string or vector, lowest first.
template <typename Bytes>
void appendLE(Bytes& out, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) out.push_back(static_cast<typename Bytes::value_type>(value >> (8 * i)));
}
// Appends `width` bytes of `value`, highest first.
template <typename Bytes>
void appendBE(Bytes& out, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i)
        out.push_back(static_cast<typename Bytes::value_type>(value >> (8 * (width - 1 - i))));
}

}  // namespace platform
