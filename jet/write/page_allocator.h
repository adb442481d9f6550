// Hands out new pages at the end of the file and keeps the global free-page map on page 1
// (row 0, an inline map from page 0 where a set bit means "free") in step: a page taken
// is cleared; the map row grows with the file as far as page 1 has room.
#pragma once

#include "jet/write/page.h"

namespace jet::write {

class PageCache;

class PageAllocator {
public:
    explicit PageAllocator(PageCache& cache) : cache_(cache) {}
    // A new zero-filled page, already marked in use in the global map.
    PageNumber allocate();
    PageCache& cache() { return cache_; }

private:
    void markUsed(PageNumber page);
    PageCache& cache_;
};

}  // namespace jet::write
