// The row-offset table of a data page (table rows, long values, usage maps) and the row
// pointers that address rows from elsewhere: where each row starts and ends, and whether it
// is live, deleted, moved away (an overflow header) or the moved row itself.
#pragma once

#include <cstdint>

#include "jet/byte_codec.h"

namespace jet {

constexpr std::size_t kDataPageHeaderSize = 14;
constexpr std::size_t kDataPageOwnerOffset = 4;
constexpr std::size_t kDataPageRowCountOffset = 12;
constexpr std::uint32_t kLongValueOwner = 0x4C41564Cu;  // "LVAL"

enum class RowState { Live, Deleted, OverflowHeader, OverflowTarget };

struct RowSlot {
    std::uint16_t start = 0;  // offset of the row's first byte in the page
    std::uint16_t end = 0;    // offset just past its last byte
    RowState state = RowState::Live;
};

// "page << 8 | row" as stored in four bytes.
struct RowPointer {
    std::uint32_t page = 0;
    std::uint8_t row = 0;
    static RowPointer decode(std::uint32_t stored) {
        return RowPointer{stored >> 8, static_cast<std::uint8_t>(stored & 0xFF)};
    }
    std::uint32_t encode() const { return page << 8 | row; }
    bool isNull() const { return page == 0; }
    bool operator==(const RowPointer&) const = default;
};

// Entries in the row-offset table; throws TruncatedData when the table would not fit.
unsigned rowCount(Bytes page);

// The slot of row `row` (< rowCount). Live and moved rows are checked to lie after the offset
// table and inside the page (TruncatedData otherwise); a deleted row's bounds are not used.
RowSlot rowSlot(Bytes page, unsigned row);

// The bytes of a row that is not deleted.
inline Bytes rowBytes(Bytes page, const RowSlot& slot) {
    return page.subspan(slot.start, slot.end - slot.start);
}

}  // namespace jet
