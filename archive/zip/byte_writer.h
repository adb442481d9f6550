// Little-endian appending to a byte string, the writer's counterpart of ByteReader.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zip {

inline void putU16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

inline void putU32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

inline void putU64(std::string& out, std::uint64_t value) {
    putU32(out, static_cast<std::uint32_t>(value));
    putU32(out, static_cast<std::uint32_t>(value >> 32));
}

inline void putBytes(std::string& out, std::string_view bytes) { out.append(bytes); }

}  // namespace zip
