// Pages read ahead during a scan: the same bytes as one page at a time, and never stale after
// pages are written through the source.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

#include "jet/page_file.h"
#include "tests/support/test_paths.h"

namespace {

std::vector<std::uint8_t> corpusBytes(const char* relative) {
    std::string text = testsupport::readFile(testsupport::testDataDir() / "jet4" / "corpus" / relative);
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

TEST(PageFileTest, PagesInOrderAndOutOfOrderMatchTheFile) {
    const auto bytes = corpusBytes("jackcess/compIndexTestV2000.mdb");
    jet::PageFile file(jet::memorySource(bytes, "compIndexTestV2000.mdb"));
    ASSERT_GE(file.pageCount(), 34u);  // more than two read-ahead windows
    auto expectPage = [&](std::uint32_t number) {
        jet::PageRef page = file.page(number);
        ASSERT_EQ(page->size(), jet::kPageSize);
        EXPECT_EQ(std::memcmp(page->data(), bytes.data() + std::size_t(number) * jet::kPageSize, jet::kPageSize), 0)
            << "page " << number;
    };
    for (std::uint32_t n = 1; n < file.pageCount(); ++n) expectPage(n);  // to the last page
    for (std::uint32_t n : {3u, 2u, 30u, 31u, 7u, 8u, 9u, 33u}) expectPage(n);
}

TEST(PageFileTest, WrittenPagesAreReadAgainAfterForget) {
    auto bytes = corpusBytes("jackcess/compIndexTestV2000.mdb");
    jet::PageFile file(jet::memorySource(bytes, "compIndexTestV2000.mdb"));
    for (std::uint32_t n = 1; n <= 4; ++n) file.page(n);  // pages 3.. are read ahead by now
    std::vector<std::uint8_t> changed(jet::kPageSize, 0xAB);
    for (std::uint32_t n : {6u, 9u}) {
        file.source().write(std::uint64_t(n) * jet::kPageSize, changed);
        file.forget(n);
    }
    EXPECT_EQ((*file.page(5))[0], bytes[5 * jet::kPageSize]);
    EXPECT_EQ(*file.page(6), changed);
    EXPECT_EQ((*file.page(7))[0], bytes[7 * jet::kPageSize]);
    file.source().write(std::uint64_t(8) * jet::kPageSize, changed);
    file.forgetAll();
    EXPECT_EQ(*file.page(8), changed);
    EXPECT_EQ(*file.page(9), changed);
}

// Counts the reads of single pages; any longer read (a read-ahead) counts apart.
class CountingSource : public jet::PageSource {
public:
    explicit CountingSource(std::unique_ptr<jet::PageSource> inner) : inner_(std::move(inner)) {}
    const std::string& name() const override { return inner_->name(); }
    std::uint64_t size() const override { return inner_->size(); }
    void read(std::uint64_t offset, jet::MutableBytes out) override {
        if (out.size() == jet::kPageSize) ++pageReads[offset / jet::kPageSize];
        else ++longReads;
        inner_->read(offset, out);
    }
    bool writable() const override { return false; }
    void write(std::uint64_t offset, jet::Bytes data) override { inner_->write(offset, data); }
    void flush() override {}
    std::map<std::uint64_t, int> pageReads;
    int longReads = 0;

private:
    std::unique_ptr<jet::PageSource> inner_;
};

TEST(PageFileTest, TheLeastRecentlyUsedPageMakesRoom) {
    auto source = std::make_unique<CountingSource>(
        jet::memorySource(corpusBytes("jackcess/indexTestV2003.mdb"), "indexTestV2003.mdb"));
    CountingSource& counting = *source;
    jet::PageFile file(std::move(source));
    ASSERT_GE(file.pageCount(), 70u);
    // No page is one after the page missed before it, so that nothing is read ahead.
    const std::uint32_t kept = 2;
    std::vector<std::uint32_t> others;
    for (std::uint32_t n = 5; n < 70; n += 2) others.push_back(n);
    for (std::uint32_t n = 4; n < 70; n += 2) others.push_back(n);
    ASSERT_GE(others.size(), 64u);

    file.page(kept);
    for (std::size_t i = 0; i < 63; ++i) file.page(others[i]);  // the cache holds 64 pages
    file.page(kept);                                            // used again: now the most recent
    file.page(others[63]);                                      // makes room: others[0] goes
    file.page(kept);
    file.page(others[0]);                                       // read again; others[1] goes
    file.page(others[2]);

    EXPECT_EQ(counting.longReads, 0);
    EXPECT_EQ(counting.pageReads[kept], 1);
    EXPECT_EQ(counting.pageReads[others[0]], 2);
    EXPECT_EQ(counting.pageReads[others[1]], 1);
    EXPECT_EQ(counting.pageReads[others[2]], 1);
    file.page(others[1]);
    EXPECT_EQ(counting.pageReads[others[1]], 2);
}

}  // namespace
