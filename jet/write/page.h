// A database page as the writer holds it, and the page numbers that address it.
// Jet 4 pages are 4096 bytes; page n starts at byte n * 4096 of the file.
#pragma once

#include <array>
#include <cstdint>

#include "jet/byte_codec.h"

namespace jet::write {

constexpr std::size_t kPageSize = 4096;
using Page = std::array<std::uint8_t, kPageSize>;
using PageNumber = std::uint32_t;

// Page type bytes (byte 0 of every page).
enum class PageType : std::uint8_t {
    Header = 0x00,
    Data = 0x01,
    TableDefinition = 0x02,
    IndexNode = 0x03,
    IndexLeaf = 0x04,
    UsageBitmap = 0x05,
};

inline MutableBytes bytesOf(Page& page) { return MutableBytes(page.data(), page.size()); }
inline Bytes bytesOf(const Page& page) { return Bytes(page.data(), page.size()); }

// A row of a data page: "row number, page" as the format's 4-byte row pointers spell it.
struct RowAddress {
    PageNumber page = 0;
    std::uint8_t row = 0;
    bool operator==(const RowAddress&) const = default;
    // The 4-byte little-endian pointer: row in the low byte, page in the upper three.
    std::uint32_t pointer() const { return (page << 8) | row; }
    static RowAddress fromPointer(std::uint32_t value) {
        return RowAddress{value >> 8, static_cast<std::uint8_t>(value & 0xFF)};
    }
};

}  // namespace jet::write
