// The page cache's rollback: whole-page images and saved byte ranges of one change, mixed on
// the same page, put every page back byte for byte and leave nothing waiting to be written.
#include <gtest/gtest.h>

#include "jet/write/page_cache.h"

namespace {

using jet::write::Page;
using jet::write::PageCache;

std::vector<std::uint8_t> threePages() {
    std::vector<std::uint8_t> bytes(3 * jet::kPageSize);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 4096);
    return bytes;
}

TEST(PageCache, RollbackPutsBackRangesAndWholePagesInEitherOrder) {
    const auto original = threePages();
    PageCache cache(jet::memorySource(original, "cache.mdb"));
    const Page page0 = cache.read(0), page1 = cache.read(1), page2 = cache.read(2);
    // Page 2 waits to be written from an earlier change: rollback must keep it waiting, as it was.
    cache.begin();
    cache.modifyRanges(2, {{10, 4}})[10] = 0xAA;
    cache.commit();
    const Page committed2 = cache.read(2);
    ASSERT_EQ(cache.dirtyPages(), 1u);

    cache.begin();
    // Ranges first, then the whole page: its image holds the ranges already changed.
    Page& p0 = cache.modifyRanges(0, {{100, 8}, {4000, 96}});
    p0[100] ^= 0xFF;
    p0[4095] ^= 0xFF;
    cache.modify(0).fill(0x11);
    // The whole page first, then ranges (saved no more).
    cache.modify(1)[0] ^= 0xFF;
    cache.modifyRanges(1, {{5, 1}})[5] ^= 0xFF;
    // Ranges twice over the same bytes of a page already waiting.
    cache.modifyRanges(2, {{8, 8}})[10] = 0xBB;
    cache.modifyRanges(2, {{10, 1}})[10] = 0xCC;
    const auto appended = cache.append();
    cache.modify(appended)[0] = 1;
    EXPECT_THROW(cache.modifyRanges(2, {{4090, 7}}), std::logic_error);
    cache.rollback();

    EXPECT_EQ(cache.read(0), page0);
    EXPECT_EQ(cache.read(1), page1);
    EXPECT_EQ(cache.read(2), committed2);
    EXPECT_NE(committed2, page2);
    EXPECT_EQ(cache.pageCount(), 3u);
    EXPECT_EQ(cache.dirtyPages(), 1u);
}

}  // namespace
