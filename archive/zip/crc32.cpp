// libdeflate's CRC-32 where the build has it (folding with carry-less multiplies, several
// times zlib's); zlib's otherwise, fed in pieces as it takes 32-bit lengths.
#include "archive/zip/crc32.h"

#include <algorithm>

#ifdef LUMOR_HAVE_LIBDEFLATE
#include <libdeflate.h>
#else
#include <zlib.h>
#endif

namespace zip {

std::uint32_t crc32Update(std::uint32_t crc, const void* data, std::size_t count) {
#ifdef LUMOR_HAVE_LIBDEFLATE
    // libdeflate answers a null buffer with the initial value, not with `crc`.
    return count == 0 ? crc : libdeflate_crc32(crc, data, count);
#else
    const auto* p = static_cast<const Bytef*>(data);
    uLong value = crc;
    while (count > 0) {
        const auto piece = static_cast<uInt>(std::min<std::size_t>(count, 1u << 30));
        value = ::crc32(value, p, piece);
        p += piece;
        count -= piece;
    }
    return static_cast<std::uint32_t>(value);
#endif
}

}  // namespace zip
