// Reading the row-offset table of a data page.
#include "jet/data_page.h"

#include "jet/database_header.h"
#include "platform/decimal_piece.h"

namespace jet {

unsigned rowCount(Bytes page) {
    unsigned count = loadU16(page, kDataPageRowCountOffset);
    if (kDataPageHeaderSize + 2 * std::size_t(count) > page.size())
        throwTruncated({"row-offset table of ", platform::DecimalPiece(count), " entries does not fit in the page"});
    return count;
}

RowSlot rowSlot(Bytes page, unsigned row) {
    unsigned count = rowCount(page);
    if (row >= count)
        throwTruncated({"row ", platform::DecimalPiece(row), " is not on the page (", platform::DecimalPiece(count), " rows)"});
    std::uint16_t entry = loadU16(page, kDataPageHeaderSize + 2 * std::size_t(row));
    RowSlot slot;
    switch (entry & 0xC000) {
    case 0xC000: slot.state = RowState::Deleted; break;
    case 0x4000: slot.state = RowState::OverflowHeader; break;
    case 0x8000: slot.state = RowState::OverflowTarget; break;
    default: slot.state = RowState::Live; break;
    }
    slot.start = entry & 0x1FFF;
    // Rows are laid down from the end of the page: a row ends where the previous one starts.
    // The previous entry's flag bits are masked as well.
    slot.end = row == 0 ? static_cast<std::uint16_t>(page.size())
                        : static_cast<std::uint16_t>(
                              loadU16(page, kDataPageHeaderSize + 2 * std::size_t(row - 1)) & 0x1FFF);
    if (slot.state == RowState::Deleted) return slot;
    std::size_t tableEnd = kDataPageHeaderSize + 2 * std::size_t(count);
    if (slot.start < tableEnd || slot.start > slot.end || slot.end > page.size())
        throwTruncated({"row ", platform::DecimalPiece(row), " has bounds ", platform::DecimalPiece(slot.start), "..", platform::DecimalPiece(slot.end),
                        " outside the page's row area"});
    return slot;
}

}  // namespace jet
