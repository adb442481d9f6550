// Little-endian appending to a byte string, the writer's counterpart of ByteReader.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/byte_order.h"

namespace zip {

inline void putU16(std::string& out, std::uint16_t value) { platform::appendLE(out, value, 2); }

inline void putU32(std::string& out, std::uint32_t value) { platform::appendLE(out, value, 4); }

inline void putU64(std::string& out, std::uint64_t value) {
    putU32(out, static_cast<std::uint32_t>(value));
    putU32(out, static_cast<std::uint32_t>(value >> 32));
}

inline void putBytes(std::string& out, std::string_view bytes) { out.append(bytes); }

}  // namespace zip
