// Where the offset field of an installer lies. Unsigned: the last 20 bytes of the file.
// Signed (Authenticode): the 20 bytes just before the certificate table, after skipping up to
// 7 zero bytes with which the signing tool aligned the table to 8 bytes.
#pragma once

#include <cstdint>

#include "platform/file_system.h"

namespace archive {

inline constexpr std::uint64_t kMaxSignaturePadding = 7;

struct TrailerLocation {
    std::int64_t fileSize = 0;
    // One past the offset field's last byte: the file size, or the start of the signature's
    // padding. The archive copy ends 20 bytes before it.
    std::int64_t fieldEnd = 0;
    bool signedFile = false;
};

TrailerLocation locateTrailer(platform::ReadableFile& file);

}  // namespace archive
