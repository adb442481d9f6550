// Page allocation and the global free-page map.
#include "jet/write/page_allocator.h"

#include <algorithm>
#include <vector>

#include "jet/write/data_page.h"
#include "jet/write/page_cache.h"

namespace jet::write {

namespace {
constexpr PageNumber kGlobalMapPage = 1;
constexpr std::size_t kMapHeader = 5;  // type byte + start page
}  // namespace

PageNumber PageAllocator::allocate() {
    const PageNumber page = cache_.append();
    markUsed(page);
    return page;
}

void PageAllocator::markUsed(PageNumber page) {
    if (cache_.pageCount() <= kGlobalMapPage) return;
    const Page& mapPage = cache_.read(kGlobalMapPage);
    if (mapPage[0] != static_cast<std::uint8_t>(PageType::Data) || dataPageRowCount(mapPage) == 0)
        return;
    const RowSlot span = rowSpan(mapPage, 0);
    if (std::size_t(span.end - span.start) < kMapHeader || mapPage[span.start] != 0) return;  // only inline
    const PageNumber start = loadU32(bytesOf(mapPage), span.start + 1);
    if (page < start) return;
    std::size_t bitmapBytes = std::size_t(span.end - span.start) - kMapHeader;
    const std::size_t bit = page - start;
    if (bit >= bitmapBytes * 8) {
        // Grow the row the way the engine does, in steps of 4 bytes; pages past the end of
        // the file are free. A page 1 without room leaves later pages unmapped (in use).
        const std::size_t wanted = std::max<std::size_t>(bitmapBytes, (bit / 32 + 1) * 4);
        if (wanted - bitmapBytes + 2 > dataPageFreeSpace(mapPage)) return;
        std::vector<std::uint8_t> row(mapPage.begin() + span.start, mapPage.begin() + span.end);
        row.resize(kMapHeader + wanted, 0xFF);
        replaceRow(cache_.modify(kGlobalMapPage), 0, Bytes(row));
        bitmapBytes = wanted;
    }
    Page& writable = cache_.modify(kGlobalMapPage);
    const RowSlot now = rowSpan(writable, 0);
    writable[now.start + kMapHeader + bit / 8] &= static_cast<std::uint8_t>(~(1u << (bit % 8)));
}

}  // namespace jet::write
