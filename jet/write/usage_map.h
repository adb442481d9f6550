// Changing usage maps: the sets of pages that belong to a table, a table's pages with free
// room, or an index. The two forms (inline and reference) are laid out in
// doc/jet4-format.md and read by the reader (jet/usage_map.h); writing adds setting and
// clearing a page's bit, moving an inline map's window, and turning a map whose pages no
// longer fit one window into a reference map (its bitmap pages start 05 01 00 00).
#pragma once

#include <vector>

#include "jet/write/page.h"

namespace jet::write {

class PageAllocator;
class PageCache;

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
