// An inline usage map whose window cannot show a new page moves its window so that it starts
// at the lowest of its pages, the new one included, whether that page lies before or after.
#include <gtest/gtest.h>

#include "jet/byte_codec.h"
#include "jet/write/data_page.h"
#include "jet/write/page_allocator.h"
#include "jet/write/page_cache.h"
#include "jet/write/usage_map.h"

namespace {

using namespace jet::write;

// The pages an inline map row shows, and its window's start.
struct Shown {
    PageNumber start;
    std::vector<PageNumber> pages;
};

Shown shown(PageCache& cache, RowAddress map) {
    const Page& page = cache.read(map.page);
    const jet::RowSlot span = rowSpan(page, map.row);
    const std::vector<std::uint8_t> row(page.begin() + span.start, page.begin() + span.end);
    EXPECT_EQ(row.at(0), 0) << "an inline map";
    Shown s{jet::loadU32(row, 1), {}};
    for (std::size_t i = 5; i < row.size(); ++i)
        for (int b = 0; b < 8; ++b)
            if (row[i] & (1u << b)) s.pages.push_back(s.start + PageNumber((i - 5) * 8 + b));
    return s;
}

TEST(UsageMapWindow, TheWindowMovesToTheLowestPageOnEitherSide) {
    PageCache cache(jet::memorySource(std::vector<std::uint8_t>(3 * jet::kPageSize), "maps.mdb"));
    PageAllocator allocator(cache);
    initDataPage(cache.modify(2), 0);
    auto row = emptyInlineMap(80);
    const RowAddress keep{2, addRow(cache.modify(2), jet::Bytes(row))};
    const RowAddress forget{2, addRow(cache.modify(2), jet::Bytes(row))};
    for (RowAddress map : {keep, forget})
        for (PageNumber page : {80u, 83u}) usageMapAdd(allocator, map, page, WhenOutside::Keep);

    usageMapAdd(allocator, keep, 70, WhenOutside::Keep);  // before the window
    Shown s = shown(cache, keep);
    EXPECT_EQ(s.start, 64u);
    EXPECT_EQ(s.pages, (std::vector<PageNumber>{70, 80, 83}));
    usageMapAdd(allocator, keep, 560, WhenOutside::Keep);  // after it, still within reach of 64
    s = shown(cache, keep);
    EXPECT_EQ(s.start, 64u);
    EXPECT_EQ(s.pages, (std::vector<PageNumber>{70, 80, 83, 560}));

    usageMapAdd(allocator, forget, 9, WhenOutside::Forget);  // the window restarts at the page
    s = shown(cache, forget);
    EXPECT_EQ(s.start, 8u);
    EXPECT_EQ(s.pages, (std::vector<PageNumber>{9}));
    usageMapAdd(allocator, forget, 700, WhenOutside::Forget);
    s = shown(cache, forget);
    EXPECT_EQ(s.start, 696u);
    EXPECT_EQ(s.pages, (std::vector<PageNumber>{700}));
}

}  // namespace
