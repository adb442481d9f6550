// Reading and changing usage-map rows.
#include "jet/write/usage_map.h"

#include <algorithm>

#include "jet/jet_error.h"
#include "jet/usage_map.h"
#include "jet/write/data_page.h"
#include "jet/write/page_allocator.h"
#include "jet/write/page_cache.h"
#include "platform/decimal_piece.h"

namespace jet::write {

namespace {
constexpr std::size_t kMapRowLength = 69;
constexpr std::size_t kHeader = 5;
constexpr std::size_t kPagesPerBitmapPage = UsageMap::kPagesPerBitmapPage;
constexpr std::uint8_t kInline = 0;
constexpr std::uint8_t kReference = 1;


std::vector<std::uint8_t> loadRow(PageCache& cache, RowAddress map) {
    const Page& page = cache.read(map.page);
    if (page[0] != static_cast<std::uint8_t>(PageType::Data))
        throwJetError(cache.fileName(), map.page, "a usage map points to a page that is no data page");
    const RowSlot span = rowSpan(page, map.row);
    if (std::size_t(span.end - span.start) < kHeader)
        throwJetError(cache.fileName(), map.page, "usage map row too short");
    return std::vector<std::uint8_t>(page.begin() + span.start, page.begin() + span.end);
}

void storeRow(PageCache& cache, RowAddress map, const std::vector<std::uint8_t>& row) {
    Page& page = cache.modify(map.page);
    const RowSlot span = rowSpan(page, map.row);
    if (std::size_t(span.end - span.start) == row.size())
        std::copy(row.begin(), row.end(), page.begin() + span.start);
    else
        replaceRow(page, map.row, Bytes(row));
}

// Appends the pages of an inline map, in increasing order.
void appendInlinePages(const std::vector<std::uint8_t>& row, std::vector<PageNumber>& pages) {
    const PageNumber start = loadU32(Bytes(row), 1);
    for (std::size_t i = kHeader; i < row.size(); ++i)
        for (int b = 0; b < 8; ++b)
            if (row[i] & (1u << b)) pages.push_back(start + PageNumber((i - kHeader) * 8 + b));
}

void setBit(std::uint8_t* bitmap, std::size_t bit, bool on) {
    if (on)
        bitmap[bit / 8] |= static_cast<std::uint8_t>(1u << (bit % 8));
    else
        bitmap[bit / 8] &= static_cast<std::uint8_t>(~(1u << (bit % 8)));
}

void referenceSet(PageAllocator& allocator, std::vector<std::uint8_t>& row, PageNumber page,
                  bool on, bool& rowChanged) {
    PageCache& cache = allocator.cache();
    const std::size_t k = page / kPagesPerBitmapPage;
    const std::size_t slot = 1 + 4 * k;
    if (slot + 4 > row.size())
        throwJetError(JetFault::Damaged, cache.fileName(),
                      {"page ", platform::DecimalPiece(page), " is beyond what the usage map can address"});
    PageNumber bitmapPage = loadU32(Bytes(row), slot);
    if (bitmapPage == 0) {
        if (!on) return;
        bitmapPage = allocator.allocate();
        Page& p = cache.modify(bitmapPage);
        p[0] = static_cast<std::uint8_t>(PageType::UsageBitmap);
        p[1] = 0x01;
        storeU32(MutableBytes(row), slot, bitmapPage);
        rowChanged = true;
    }
    Page& p = cache.modify(bitmapPage);
    setBit(p.data() + 4, page % kPagesPerBitmapPage, on);
}
}  // namespace

std::vector<std::uint8_t> emptyInlineMap(PageNumber start) {
    std::vector<std::uint8_t> row(kMapRowLength, 0);
    row[0] = kInline;
    storeU32(MutableBytes(row), 1, start);
    return row;
}

std::vector<std::uint8_t> emptyReferenceMap() {
    std::vector<std::uint8_t> row(kMapRowLength, 0);
    row[0] = kReference;
    return row;
}

void usageMapAdd(PageAllocator& allocator, RowAddress map, PageNumber page, WhenOutside policy) {
    PageCache& cache = allocator.cache();
    auto row = loadRow(cache, map);
    if (row[0] == kReference) {
        bool changed = false;
        referenceSet(allocator, row, page, true, changed);
        if (changed) storeRow(cache, map, row);
        return;
    }
    const PageNumber start = loadU32(Bytes(row), 1);
    const std::size_t capacity = (row.size() - kHeader) * 8;
    if (page >= start && page - start < capacity) {
        setBit(row.data() + kHeader, page - start, true);
        storeRow(cache, map, row);
        return;
    }
    // The pages the map is to hold, in increasing order without a sort (whose code would be
    // here for this alone): the new page lies before or after the window, whose pages come
    // in order.
    std::vector<PageNumber> pages;
    if (page < start) pages.push_back(page);
    if (policy == WhenOutside::Keep) appendInlinePages(row, pages);
    if (page >= start) pages.push_back(page);
    const PageNumber newStart = pages.front() - pages.front() % 8;
    if (pages.back() - newStart < capacity) {
        std::fill(row.begin() + kHeader, row.end(), 0);
        storeU32(MutableBytes(row), 1, newStart);
        for (PageNumber p : pages) setBit(row.data() + kHeader, p - newStart, true);
        storeRow(cache, map, row);
        return;
    }
    // The pages no longer fit one window: the map becomes a reference map.
    std::fill(row.begin(), row.end(), 0);
    row[0] = kReference;
    bool changed = true;
    for (PageNumber p : pages) referenceSet(allocator, row, p, true, changed);
    storeRow(cache, map, row);
}

void usageMapRemove(PageCache& cache, RowAddress map, PageNumber page) {
    auto row = loadRow(cache, map);
    if (row[0] == kReference) {
        const std::size_t slot = 1 + 4 * (page / kPagesPerBitmapPage);
        if (slot + 4 > row.size()) return;
        const PageNumber bitmapPage = loadU32(Bytes(row), slot);
        if (bitmapPage == 0) return;
        setBit(cache.modify(bitmapPage).data() + 4, page % kPagesPerBitmapPage, false);
        return;
    }
    const PageNumber start = loadU32(Bytes(row), 1);
    if (page < start || page - start >= (row.size() - kHeader) * 8) return;
    setBit(row.data() + kHeader, page - start, false);
    storeRow(cache, map, row);
}

}  // namespace jet::write
