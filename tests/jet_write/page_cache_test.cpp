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

// Records the pages written, in order.
class RecordingSource : public jet::PageSource {
public:
    explicit RecordingSource(std::unique_ptr<jet::PageSource> inner) : inner_(std::move(inner)) {}
    const std::string& name() const override { return inner_->name(); }
    std::uint64_t size() const override { return inner_->size(); }
    void read(std::uint64_t offset, jet::MutableBytes out) override { inner_->read(offset, out); }
    bool writable() const override { return true; }
    void write(std::uint64_t offset, jet::Bytes data) override {
        written.push_back(offset / jet::kPageSize);
        inner_->write(offset, data);
    }
    void flush() override {}
    std::vector<std::uint64_t> written;

private:
    std::unique_ptr<jet::PageSource> inner_;
};

TEST(PageCache, WaitingPagesAreWrittenOnceEachInIncreasingOrder) {
    auto source = std::make_unique<RecordingSource>(jet::memorySource(threePages(), "order.mdb"));
    RecordingSource& recording = *source;
    PageCache cache(std::move(source));
    cache.modify(2)[0] = 2;
    const auto third = cache.append();
    cache.modify(0)[0] = 1;
    cache.begin();
    cache.append();  // forgotten by the rollback: never written
    cache.rollback();
    cache.begin();
    const auto fifth = cache.append();
    cache.modify(fifth)[0] = 5;
    cache.commit();
    cache.modify(third)[1] = 3;
    cache.flush();
    EXPECT_EQ(recording.written, (std::vector<std::uint64_t>{0, 2, 3, 4}));
    EXPECT_EQ(cache.dirtyPages(), 0u);
    cache.modify(1)[0] = 1;
    cache.flush();
    EXPECT_EQ(recording.written, (std::vector<std::uint64_t>{0, 2, 3, 4, 1}));
}

}  // namespace
