// Data pages (type 0x01): rows laid down from the end of the page towards a 14-byte header
// and its row-offset table. They hold table rows and the usage-map rows.
//
//   0  u8  0x01            2  u16 free bytes = lowest row start - (14 + 2 * rows)
//   1  u8  0x01            4  u32 owning TDEF page (0 on usage-map pages)
//   8  u32 0              12  u16 row count (at most 255)
//  14  u16 × rows: row start offsets; row 0 ends at 4096, row i ends where row i-1 starts;
//      flag 0x8000 / 0x4000 on an entry mark deleted and moved rows.
#pragma once

#include <cstdint>
#include <vector>

#include "jet/write/page.h"

namespace jet::write {

constexpr std::size_t kDataPageHeader = 14;
constexpr std::size_t kMaxRowsPerDataPage = 255;
// The longest row the engine accepts.
constexpr std::size_t kMaxRowLength = 4060;

void initDataPage(Page& page, PageNumber owner);

std::size_t dataPageFreeSpace(const Page& page);
std::size_t dataPageRowCount(const Page& page);
PageNumber dataPageOwner(const Page& page);

// True when a row of `length` bytes and its offset entry fit.
bool rowFits(const Page& page, std::size_t length);

// Adds a row after the existing ones; returns its row number. The row must fit.
std::uint8_t addRow(Page& page, Bytes row);

// Bytes [begin, end) of row `row` within the page (flags masked); throws JetError-free
// TruncatedData when the offset table is damaged.
struct RowSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::uint16_t flags = 0;
};
RowSpan rowSpan(const Page& page, std::size_t row);

// Gives row `row` new bytes of any length, moving the rows laid down after it; the row keeps
// its number. Throws TruncatedData when the page has no room.
void replaceRow(Page& page, std::size_t row, Bytes bytes);

}  // namespace jet::write
