// A database page as the writer holds it, and the page numbers that address it. The page
// size, the page types and the row pointers are the reader's (jet/page_file.h,
// jet/data_page.h): one definition of each for both sides.
#pragma once

#include <array>
#include <cstdint>

#include "jet/byte_codec.h"
#include "jet/data_page.h"
#include "jet/database_header.h"
#include "jet/page_file.h"

namespace jet::write {

using jet::kPageSize;
using jet::PageType;
using Page = std::array<std::uint8_t, kPageSize>;
using PageNumber = std::uint32_t;
// A row of a data page: "row number, page" as the format's 4-byte row pointers spell it.
using RowAddress = jet::RowPointer;

inline MutableBytes bytesOf(Page& page) { return MutableBytes(page.data(), page.size()); }
inline Bytes bytesOf(const Page& page) { return Bytes(page.data(), page.size()); }

}  // namespace jet::write
