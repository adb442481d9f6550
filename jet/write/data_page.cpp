// Data page layout: header, offset table, rows from the end downwards.
#include "jet/write/data_page.h"

#include <algorithm>
#include <stdexcept>

#include "jet/jet_error.h"

namespace jet::write {

namespace {
constexpr std::uint16_t kOffsetMask = 0x1FFF;
constexpr std::uint16_t kFlagMask = 0xC000;

std::size_t rowStartEntry(const Page& page, std::size_t row) {
    return loadU16(bytesOf(page), kDataPageHeader + 2 * row);
}

void writeFreeSpace(Page& page) {
    const std::size_t rows = dataPageRowCount(page);
    std::size_t lowest = kPageSize;
    for (std::size_t i = 0; i < rows; ++i)
        lowest = std::min(lowest, rowStartEntry(page, i) & kOffsetMask);
    const std::size_t table = kDataPageHeader + 2 * rows;
    if (lowest < table) throwTruncated({"data page rows overlap its offset table"});
    storeU16(bytesOf(page), 2, static_cast<std::uint16_t>(lowest - table));
}
}  // namespace

void initDataPage(Page& page, PageNumber owner) {
    page.fill(0);
    auto b = bytesOf(page);
    storeU8(b, 0, static_cast<std::uint8_t>(PageType::Data));
    storeU8(b, 1, 0x01);
    storeU16(b, 2, static_cast<std::uint16_t>(kPageSize - kDataPageHeader));
    storeU32(b, kDataPageOwnerOffset, owner);
}

std::size_t dataPageFreeSpace(const Page& page) { return loadU16(bytesOf(page), 2); }
std::size_t dataPageRowCount(const Page& page) { return loadU16(bytesOf(page), kDataPageRowCountOffset); }
PageNumber dataPageOwner(const Page& page) { return loadU32(bytesOf(page), kDataPageOwnerOffset); }

bool rowFits(const Page& page, std::size_t length) {
    return dataPageRowCount(page) < kMaxRowsPerDataPage && length + 2 <= dataPageFreeSpace(page);
}

RowAddition rowAddition(const Page& page, std::size_t length) {
    if (!rowFits(page, length)) throw std::logic_error("data page: the row does not fit");
    const std::size_t rows = dataPageRowCount(page);
    const std::size_t end = rows == 0 ? kPageSize : (rowStartEntry(page, rows - 1) & kOffsetMask);
    if (end < length) throwTruncated({"data page rows overlap its offset table"});
    return RowAddition{kDataPageHeader + 2 * (rows + 1), end - length};
}

std::uint8_t addRow(Page& page, Bytes row) {
    const std::size_t rows = dataPageRowCount(page);
    const std::size_t begin = rowAddition(page, row.size()).rowBegin;
    auto b = bytesOf(page);
    storeBytes(b, begin, row);
    storeU16(b, kDataPageHeader + 2 * rows, static_cast<std::uint16_t>(begin));
    storeU16(b, kDataPageRowCountOffset, static_cast<std::uint16_t>(rows + 1));
    writeFreeSpace(page);
    return static_cast<std::uint8_t>(rows);
}

void replaceRow(Page& page, std::size_t row, Bytes bytes) {
    const std::size_t rows = dataPageRowCount(page);
    std::vector<std::vector<std::uint8_t>> contents(rows);
    std::vector<std::uint16_t> flags(rows);
    for (std::size_t i = 0; i < rows; ++i) {
        flags[i] = static_cast<std::uint16_t>(rowStartEntry(page, i) & kFlagMask);
        if (i == row) {
            contents[i].assign(bytes.begin(), bytes.end());
        } else {
            const RowSlot span = rowSpan(page, i);
            contents[i].assign(page.begin() + span.start, page.begin() + span.end);
        }
    }
    std::size_t total = kDataPageHeader + 2 * rows;
    for (const auto& c : contents) total += c.size();
    if (total > kPageSize) throwTruncated({"the data page has no room for the longer row"});
    auto b = bytesOf(page);
    std::size_t end = kPageSize;
    for (std::size_t i = 0; i < rows; ++i) {
        const std::size_t begin = end - contents[i].size();
        storeBytes(b, begin, Bytes(contents[i]));
        storeU16(b, kDataPageHeader + 2 * i, static_cast<std::uint16_t>(begin | flags[i]));
        end = begin;
    }
    std::fill(page.begin() + kDataPageHeader + 2 * rows, page.begin() + end, 0);
    writeFreeSpace(page);
}

}  // namespace jet::write
