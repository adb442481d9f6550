// Index pages (0x04 leaf, 0x03 node), decoded into their entries and encoded back.
//
//   0  u8 type   1 u8 0x01   2 u16 free = 4096 - 480 - entry bytes   4 u32 TDEF page
//   12 u32 previous page on this level   16 u32 next page   20 u32 tail (nodes: last child)
//   24 u16 shared prefix length   26 u8 (1 on node pages)   27..479 bitmap: bit p set =
//   an entry ends p bytes after 480   480.. entries
// Leaf entry: key, data page (3 bytes big-endian), row. Node entry: the same for the last
// entry below the child, then the child page (4 bytes big-endian). Entries are written
// without prefix sharing; a shared prefix in pages read from a file is expanded.
#pragma once

#include <cstdint>
#include <vector>

#include "jet/write/page.h"

namespace jet::write {

constexpr std::size_t kIndexBitmapStart = 27;
constexpr std::size_t kIndexEntriesStart = 480;
constexpr std::size_t kIndexEntryArea = kPageSize - kIndexEntriesStart;  // 3616

struct IndexPageImage {
    bool leaf = true;
    PageNumber previous = 0, next = 0, tail = 0;
    std::vector<std::uint8_t> data;    // entries back to back
    std::vector<std::uint32_t> ends;   // end of each entry in data

    std::size_t count() const { return ends.size(); }
    Bytes entry(std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : ends[i - 1];
        return Bytes(data.data() + begin, ends[i] - begin);
    }
    void insert(std::size_t i, Bytes entry);
    void replace(std::size_t i, Bytes entry);
    // Entries [from, to) as a new image of the same kind, no links.
    IndexPageImage slice(std::size_t from, std::size_t to) const;
};

IndexPageImage decodeIndexPage(const Page& page);
// Throws std::logic_error when the entries exceed the page.
void encodeIndexPage(Page& page, PageNumber tdefPage, const IndexPageImage& image);

// The child page of a node entry, and the part of a node entry that orders it.
PageNumber nodeEntryChild(Bytes entry);
Bytes nodeEntryKey(Bytes entry);

}  // namespace jet::write
