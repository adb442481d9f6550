// Usage maps: the bitmaps saying which pages belong to a table, an index or a long-value
// column. A map is a row on a data page, either inline (type 0: first page + bitmap) or by
// reference (type 1: numbers of bitmap pages, each covering 32736 pages). Pages are yielded
// in increasing order and never at or beyond the end of the file.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "jet/page_file.h"

namespace jet {

class UsageMap {
public:
    // Reads the map row that the stored row pointer names; a null pointer gives an empty map.
    // Throws JetError naming the map's page when it is not a readable map.
    static UsageMap read(PageFile& file, std::uint32_t storedPointer);

    // The first page >= `from` that the map marks, if any.
    std::optional<std::uint32_t> next(PageFile& file, std::uint32_t from) const;

    // Every marked page (the map's size is bounded by the file's).
    std::vector<std::uint32_t> pages(PageFile& file) const;

    static constexpr std::uint32_t kPagesPerBitmapPage = (4096 - 4) * 8;

private:
    enum class Kind { Empty, Inline, Reference };
    Kind kind_ = Kind::Empty;
    std::uint32_t firstPage_ = 0;               // inline
    std::vector<std::uint8_t> bitmap_;          // inline
    std::vector<std::uint32_t> bitmapPages_;    // reference: 0 = no page
    std::uint32_t mapPage_ = 0;                 // where the map row lives, for messages
};

}  // namespace jet
