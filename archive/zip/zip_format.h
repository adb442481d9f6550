// The ZIP format's numbers, one home for the reader and the writer: each record's signature
// and fixed size, the values that say "see the ZIP64 field", the flag bits and methods we
// know, and the versions needed to extract.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zip {

// Records, in the order they stand in an archive.
inline constexpr std::uint32_t kLocalSignature = 0x04034B50;
inline constexpr std::size_t kLocalFixedSize = 30;
inline constexpr std::size_t kDataDescriptorMinSize = 12;       // CRC and two 32-bit sizes
inline constexpr std::size_t kZip64DataDescriptorMinSize = 20;  // CRC and two 64-bit sizes
inline constexpr std::uint32_t kCentralSignature = 0x02014B50;
inline constexpr std::uint64_t kCentralFixedSize = 46;
inline constexpr std::uint32_t kZip64EndSignature = 0x06064B50;
inline constexpr std::uint64_t kZip64EndSize = 56;
inline constexpr std::uint32_t kZip64LocatorSignature = 0x07064B50;
inline constexpr std::uint64_t kZip64LocatorSize = 20;
inline constexpr std::uint32_t kEndRecordSignature = 0x06054B50;
inline constexpr std::uint64_t kEndRecordSize = 22;

// A field at its maximum: the real value is in the ZIP64 extra field (id 0x0001) or record.
inline constexpr std::uint16_t kZip64ExtraId = 0x0001;
inline constexpr std::uint32_t kMax32Marker = 0xFFFFFFFF;
inline constexpr std::uint16_t kMax16Marker = 0xFFFF;

inline constexpr std::uint16_t kFlagEncrypted = 0x0001;
inline constexpr std::uint16_t kFlagDataDescriptor = 0x0008;
inline constexpr std::uint16_t kFlagStrongEncryption = 0x0040;
inline constexpr std::uint16_t kFlagUtf8 = 0x0800;
inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodDeflate = 8;

// Version needed to extract: 2.0 for deflate and folders, 4.5 for ZIP64.
inline constexpr std::uint16_t kVersionPlain = 20;
inline constexpr std::uint16_t kVersionZip64 = 45;

}  // namespace zip
