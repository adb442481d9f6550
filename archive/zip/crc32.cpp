// zlib's crc32 takes 32-bit lengths; feed it in pieces.
#include "archive/zip/crc32.h"

#include <algorithm>
#include <zlib.h>

namespace zip {

std::uint32_t crc32Update(std::uint32_t crc, const void* data, std::size_t count) {
    const auto* p = static_cast<const Bytef*>(data);
    uLong value = crc;
    while (count > 0) {
        const auto piece = static_cast<uInt>(std::min<std::size_t>(count, 1u << 30));
        value = ::crc32(value, p, piece);
        p += piece;
        count -= piece;
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace zip
