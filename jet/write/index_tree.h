// One physical index as a B-tree of index pages: looks keys up and inserts entries, splitting
// full pages. A split moves the lower half of a page to a new page linked before it, so the
// split page keeps its place in its parent; the root keeps its page number by moving its
// halves into two new pages. A node lists every child but its last, which is its tail.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "jet/write/index_key.h"
#include "jet/write/index_page.h"
#include "jet/write/page.h"

namespace jet::write {

class PageAllocator;

// A tree object may be kept between appends; after a rolled-back change it must be dropped,
// since it remembers decoded pages.
class IndexTree {
public:
    IndexTree(PageAllocator& allocator, PageNumber tdefPage, RowAddress usageMap, PageNumber root)
        : allocator_(allocator), tdefPage_(tdefPage), usageMap_(usageMap), root_(root) {}

    // True when an entry with exactly this key is in the index.
    bool contains(const IndexKey& key);
    // Adds the entry for `row`; duplicates are the caller's concern.
    void insert(const IndexKey& key, RowAddress row);

    // Every leaf entry in order (for checks and tests): key plus row.
    struct Entry {
        IndexKey key;
        RowAddress row;
    };
    std::vector<Entry> entries();

private:
    struct Step {
        PageNumber page;
        std::size_t index;  // entry followed; == count for the tail
        bool pastLast;      // followed the last entry although the target is beyond it
    };
    PageNumber descend(Bytes target, std::vector<Step>& path);
    void store(PageNumber page, IndexPageImage& image, std::vector<Step>& path,
               std::size_t depth, bool atEnd);
    void splitRoot(IndexPageImage& image, bool atEnd);
    // Puts `entry` at place `i` of a leaf by moving the bytes after it, without re-encoding
    // the page; false when it does not fit or the page is not stored plainly.
    bool insertInPlace(PageNumber page, std::size_t i, Bytes entry);
    PageNumber newPage();
    // Decoded pages of this tree; every change of them goes through write().
    const IndexPageImage& image(PageNumber page);
    void write(PageNumber page, const IndexPageImage& image);
    void patchPrevious(PageNumber page, PageNumber next);

    PageAllocator& allocator_;
    PageNumber tdefPage_;
    RowAddress usageMap_;
    PageNumber root_;
    // Decoded pages of this tree, a few hundred at most: looked up by a scan of their numbers
    // (cheaper in code than a hash table). An image never moves while it is kept.
    std::vector<PageNumber> decodedPages_;
    std::vector<std::unique_ptr<IndexPageImage>> decodedImages_;
    IndexPageImage* decoded(PageNumber page);
    IndexPageImage& keepNew(PageNumber page, IndexPageImage image);
    IndexPageImage& loaded(PageNumber page);  // decoded, or read and decoded now
    // Kept between calls so that a lookup or an insert allocates nothing.
    std::vector<std::uint8_t> scratchKey_;
    std::vector<Step> scratchPath_;
};

}  // namespace jet::write
