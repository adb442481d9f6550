// Pages read ahead during a scan: the same bytes as one page at a time, and never stale after
// pages are written through the source.
#include <gtest/gtest.h>

#include <cstring>
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

}  // namespace
