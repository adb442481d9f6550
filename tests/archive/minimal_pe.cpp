// Headers in 0x200 bytes, then one 0x200-byte .text section at RVA 0x1000.
#include "tests/archive/minimal_pe.h"

#include "archive/zip/byte_writer.h"

namespace archivetest {

std::string minimalPeImage() {
    using zip::putU16;
    using zip::putU32;
    auto putU64 = [](std::string& out, std::uint64_t v) {
        putU32(out, static_cast<std::uint32_t>(v));
        putU32(out, static_cast<std::uint32_t>(v >> 32));
    };
    std::string pe(0x3C, '\0');
    pe[0] = 'M';
    pe[1] = 'Z';
    putU32(pe, 0x40);
    pe += std::string("PE\0\0", 4);
    putU16(pe, 0x8664);  // machine x86-64
    putU16(pe, 1);       // sections
    putU32(pe, 0);
    putU32(pe, 0);
    putU32(pe, 0);
    putU16(pe, 240);     // optional header size
    putU16(pe, 0x22);    // executable, large-address aware
    putU16(pe, 0x20B);   // PE32+
    pe += std::string(2, '\0');
    putU32(pe, 0x200);   // size of code
    putU32(pe, 0);
    putU32(pe, 0);
    putU32(pe, 0x1000);  // entry point
    putU32(pe, 0x1000);  // base of code
    putU64(pe, 0x140000000);
    putU32(pe, 0x1000);  // section alignment
    putU32(pe, 0x200);   // file alignment
    for (std::uint16_t v : {6, 0, 0, 0, 6, 0}) putU16(pe, v);
    putU32(pe, 0);
    putU32(pe, 0x2000);  // size of image
    putU32(pe, 0x200);   // size of headers
    putU32(pe, 0);       // checksum
    putU16(pe, 2);       // GUI subsystem
    putU16(pe, 0);
    for (std::uint64_t v : {0x100000ull, 0x1000ull, 0x100000ull, 0x1000ull}) putU64(pe, v);
    putU32(pe, 0);
    putU32(pe, 16);  // data directories
    pe += std::string(16 * 8, '\0');
    pe += std::string(".text\0\0\0", 8);
    for (std::uint32_t v : {0x10u, 0x1000u, 0x200u, 0x200u, 0u, 0u}) putU32(pe, v);
    putU16(pe, 0);
    putU16(pe, 0);
    putU32(pe, 0x60000020);
    pe.resize(0x200, '\0');
    pe += std::string(0x200, '\xC3');
    return pe;
}

}  // namespace archivetest
