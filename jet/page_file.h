// A Jet 4 database file seen as numbered 4096-byte pages: checks the header on open, hands
// out pages through a small cache (so a scan's memory stays flat whatever the table's size),
// and refuses page numbers outside the file with an error naming the file and the page.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "jet/database_header.h"
#include "jet/page_source.h"

namespace jet {

// One page's bytes, shared so that a caller may hold a page while others are read.
using PageRef = std::shared_ptr<const std::vector<std::uint8_t>>;

// Page types (byte 0).
enum class PageType : std::uint8_t {
    Header = 0x00, Data = 0x01, TableDefinition = 0x02, IndexNode = 0x03, IndexLeaf = 0x04,
    UsageBitmap = 0x05
};

class PageFile {
public:
    // Takes the source and checks its header (throws JetError).
    explicit PageFile(std::unique_ptr<PageSource> source);

    const std::string& name() const { return source_->name(); }
    const DatabaseHeader& header() const { return header_; }
    std::uint32_t pageCount() const { return pageCount_; }
    PageSource& source() { return *source_; }

    // Page `number` (0 < number < pageCount()); throws JetError otherwise.
    PageRef page(std::uint32_t number);
    // Like page(), and checks byte 0 is `type`.
    PageRef page(std::uint32_t number, PageType type, const char* what);

    // Drops cached copies (after the pages were written through source()).
    void forget(std::uint32_t number);
    void forgetAll();

    // Throws JetError naming the file and the page; the second joins `what` from pieces.
    [[noreturn]] void fail(std::uint32_t page, std::string_view what) const;
    [[noreturn]] void fail(std::uint32_t page, std::initializer_list<std::string_view> what) const;

private:
    std::unique_ptr<PageSource> source_;
    DatabaseHeader header_;
    std::uint32_t pageCount_ = 0;

    // Pages read ahead in one call when misses come in page order (a table scan), so that a
    // scan makes one read per 16 pages instead of one per page.
    void readAhead(std::uint32_t number);
    static constexpr std::uint32_t kReadAheadPages = 16;
    std::vector<std::uint8_t> ahead_;
    std::uint32_t aheadFirst_ = 0, aheadCount_ = 0, lastMiss_ = 0;

    // The least recently used page makes room. A linear search over a few slots costs far
    // less code than a hash map with a recency list, and no more time than a page's decoding.
    static constexpr std::size_t kCachedPages = 64;
    struct CachedPage {
        std::uint32_t number = 0;  // 0: an empty slot (page 0 is never cached)
        std::uint64_t lastUse = 0;
        PageRef bytes;
    };
    std::vector<CachedPage> cache_ = std::vector<CachedPage>(kCachedPages);
    std::uint64_t uses_ = 0;
};

}  // namespace jet
