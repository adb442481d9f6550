// Usage maps: the sets of pages that belong to a table, a table's pages with free room, or an
// index. Each map is a row on a data page, in one of two forms:
//   inline:    00, u32 first page, bitmap (bit b of byte i = page first + 8i + b)
//   reference: 01, u32 × n pages of type 0x05, page k covering pages k·32736 .. +32735 from
//              its byte 4 on (the page starts 05 01 00 00)
#pragma once

#include <vector>

#include "jet/write/page.h"

namespace jet::write {

class PageAllocator;
class PageCache;

// The pages the map lists, in increasing order.
std::vector<PageNumber> usageMapPages(PageCache& cache, RowAddress map);

// What to do when an inline map's window cannot show the page.
enum class WhenOutside {
    Keep,    // keep every page: move the window, or turn the map into a reference map
    Forget,  // a map of pages with room may drop old pages: restart the window at the page
};
void usageMapAdd(PageAllocator& allocator, RowAddress map, PageNumber page, WhenOutside policy);
void usageMapRemove(PageCache& cache, RowAddress map, PageNumber page);

// Rows for new maps, 69 bytes long like the engine's.
std::vector<std::uint8_t> emptyInlineMap(PageNumber start);
std::vector<std::uint8_t> emptyReferenceMap();

}  // namespace jet::write
