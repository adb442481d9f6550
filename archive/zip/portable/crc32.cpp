// Our own CRC-32 for the builds without libdeflate, eight bytes a step, with its tables made at
// start-up so that the Windows stub carries neither them nor zlib's (12 KB).
#include "archive/zip/crc32.h"

#include <memory>

#include "platform/byte_order.h"

namespace zip {

namespace {

using CrcTable = std::uint32_t[256];

// t[k][b]: the CRC of byte b followed by k zero bytes. Made on the heap: as a zeroed global,
// mingw's GCC would store its 8 KB in the executable's data. Made at start-up, before any
// thread, rather than on first use: a function's static would bring the runtime's guards.
struct CrcTables {
    std::unique_ptr<CrcTable[]> t{new CrcTable[8]};
    CrcTables() {
        for (std::uint32_t b = 0; b < 256; ++b) {
            std::uint32_t c = b;
            for (int i = 0; i < 8; ++i) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
            t[0][b] = c;
        }
        for (std::size_t k = 1; k < 8; ++k)
            for (std::size_t b = 0; b < 256; ++b) t[k][b] = (t[k - 1][b] >> 8) ^ t[0][t[k - 1][b] & 0xFF];
    }
};

const CrcTables kTables;

}  // namespace

std::uint32_t crc32Update(std::uint32_t crc, const void* data, std::size_t count) {
    const CrcTable* t = kTables.t.get();
    const auto* p = static_cast<const unsigned char*>(data);
    std::uint32_t c = ~crc;
    for (; count >= 8; count -= 8, p += 8) {
        const std::uint32_t lo = platform::loadLE32(p) ^ c;
        const std::uint32_t hi = platform::loadLE32(p + 4);
        c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
            t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
    }
    for (; count > 0; --count) c = (c >> 8) ^ t[0][(c ^ *p++) & 0xFF];
    return ~c;
}

}  // namespace zip
