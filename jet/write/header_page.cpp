// Database header page.
#include "jet/write/header_page.h"

#include <bit>
#include <cstring>
#include <numeric>

namespace jet::write {

namespace {
constexpr std::size_t kMaskedBegin = 0x18;
constexpr std::size_t kMaskedLength = 128;

std::array<std::uint8_t, kMaskedLength> headerKeyStream() {
    const std::uint8_t key[4] = {0xC7, 0xDA, 0x39, 0x6B};
    std::array<std::uint8_t, 256> s;
    std::iota(s.begin(), s.end(), 0);
    for (std::size_t i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % 4]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    std::array<std::uint8_t, kMaskedLength> out{};
    for (std::size_t n = 0, i = 0, j = 0; n < kMaskedLength; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        out[n] = s[(s[i] + s[j]) & 0xFF];
    }
    return out;
}
}  // namespace

Page buildHeaderPage(double creationDate, std::uint32_t engineBuild) {
    Page page{};
    auto b = bytesOf(page);
    storeU32(b, 0x00, 0x00000100);
    const char engine[] = "Standard Jet DB";
    storeBytes(b, 0x04, Bytes(reinterpret_cast<const std::uint8_t*>(engine), sizeof engine));
    storeU32(b, 0x14, 1);
    const std::uint8_t constant[24] = {0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00,
                                       0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00,
                                       0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00};
    storeBytes(b, 0x18, Bytes(constant));
    storeU16(b, 0x3C, 1252);
    storeU32(b, 0x3E, 0);
    // No password: the stored field is the password mask itself, the 4 bytes of the
    // creation date's integer part repeated.
    const auto dateMask = static_cast<std::uint32_t>(static_cast<std::int32_t>(creationDate));
    for (std::size_t i = 0; i < 10; ++i) storeU32(b, 0x42 + 4 * i, dateMask);
    storeU32(b, 0x6A, engineBuild);
    storeU32(b, 0x6E, 0x00000409);
    storeF64(b, 0x72, creationDate);
    const auto stream = headerKeyStream();
    for (std::size_t i = 0; i < kMaskedLength; ++i) page[kMaskedBegin + i] ^= stream[i];
    const std::uint8_t trailer[8] = {0x54, 0x06, 0x00, 0x00, 0x34, 0x2E, 0x30, 0x00};
    storeBytes(b, 0x98, Bytes(trailer));
    page[0xE00] = 0x01;
    for (std::size_t i = 0xE01; i < kPageSize; ++i) page[i] = (i % 2) ? 0x01 : 0x00;
    return page;
}

}  // namespace jet::write
