// CRC-32 (the ZIP polynomial), updated chunk by chunk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zip {

std::uint32_t crc32Update(std::uint32_t crc, const void* data, std::size_t count);
inline std::uint32_t crc32Of(std::string_view bytes) { return crc32Update(0, bytes.data(), bytes.size()); }

}  // namespace zip
