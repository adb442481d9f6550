// Writing data pages (type 0x01): rows laid down from the end of the page towards a 14-byte
// header and its row-offset table; they hold table rows and the usage-map rows. The layout
// and the reading of a row's bounds are the reader's (jet/data_page.h); writing adds the
// free-space word (2: lowest row start - (14 + 2 * rows)) kept true after every change.
#pragma once

#include <cstdint>
#include <vector>

#include "jet/write/page.h"

namespace jet::write {

constexpr std::size_t kDataPageHeader = kDataPageHeaderSize;
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

// What addRow changes for a row of `length` bytes: the header with the offset table up to
// `headerEnd`, and the row's bytes from `rowBegin`. The row must fit.
struct RowAddition {
    std::size_t headerEnd, rowBegin;
};
RowAddition rowAddition(const Page& page, std::size_t length);

// Where row `row` lies (the reader's rowSlot); throws TruncatedData when the offset table
// is damaged.
inline RowSlot rowSpan(const Page& page, std::size_t row) {
    return rowSlot(bytesOf(page), static_cast<unsigned>(row));
}

// Gives row `row` new bytes of any length, moving the rows laid down after it; the row keeps
// its number. Throws TruncatedData when the page has no room.
void replaceRow(Page& page, std::size_t row, Bytes bytes);

}  // namespace jet::write
